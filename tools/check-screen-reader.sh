#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the program with the Orca screen reader, as a blind user meets it: a private X server,
# D-Bus session and accessibility bus, openbox and Orca; the program is driven by keyboard and
# what Orca says (and the accessible tree) is compared with what it must say.
#   tools/check-screen-reader.sh [path/to/kartak2]
# Without a path it builds build-tests/kartak2 first. Prints Orca's transcript; exits 1 when an
# expectation is not met. Orca's whole debug log is kept when KARTAK_ORCA_LOG names a file.
set -euo pipefail

cd "$(dirname "$0")/.."
source tools/packages.sh
ensure_packages "${KARTAK_BUILD_PACKAGES[@]}" xvfb xdotool openbox orca at-spi2-core dbus-daemon dbus-x11 \
  python3-pyatspi gir1.2-atspi-2.0 speech-dispatcher pulseaudio

program=${1:-}
if [ -z "$program" ]; then
  build_dir=${KARTAK_BUILD_DIR:-build-tests}
  if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARTAK_BUILD_TESTS=ON
  fi
  cmake --build "$build_dir" -j "$(nproc 2>/dev/null || echo 2)" --target kartak2
  program=$build_dir/kartak2
fi

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [ -n "${KARTAK_ORCA_LOG:-}" ]; then
    cp "$work/orca-debug.txt" "$KARTAK_ORCA_LOG" 2>/dev/null || true
    cat "$work"/*.log > "$KARTAK_ORCA_LOG.processes" 2>/dev/null || true
  fi
  # Orca's speech server, started on demand in our runtime folder, does not outlive the check.
  local speechd=$work/runtime/speech-dispatcher/pid/speech-dispatcher.pid
  if [ -s "$speechd" ]; then kill "$(cat "$speechd")" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and tells it.
exec 3<> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
display=:$(head -n1 "$work/display")

mkdir -m 700 "$work/runtime" "$work/home"
# Everything per run: home, settings, runtime folder; Orca logs what it says.
env -i PATH="$PATH" DISPLAY="$display" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
  XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
  XDG_CACHE_HOME="$work/home/.cache" LANG=C.UTF-8 LC_ALL=C.UTF-8 \
  NO_AT_BRIDGE=0 \
  dbus-run-session -- /usr/bin/python3 tools/check-screen-reader.py "$program" "$work"
