#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks Karták II as a native Wayland client, under a headless weston:
#   tools/check-wayland.sh
#
# Installs what it needs (weston, Qt's Wayland platform and the build packages), builds the
# program and its tests in build-tests/ (KARTAK_BUILD_DIR overrides), starts weston with its
# headless back end in a private runtime folder, and then
#   1. runs test_window_manager with QT_QPA_PLATFORM=wayland: it creates the program's windows as
#      start-up does, opens About (modally, from its button), the character window and the tip
#      window, checks that each secondary window has its caller as transient parent, and asks every
#      window to maximise, both as the title-bar button that Qt draws under weston does and as the
#      program would, checking that each keeps its size. weston ends a client whose window answers
#      a maximise request in another size with a protocol error, which fails this step. The protocol
#      log shows that About, the beta notes, the tip and the notice name their caller as parent;
#   2. starts the program itself, lets the splash give way to the main menu, and checks from the
#      protocol log (WAYLAND_DEBUG) that the splash and the main menu were committed at their sizes
#      and that the program is still running four seconds later.
# KARTAK_WAYLAND_SOCKET names weston's socket (default kartak-check-<pid>). Exits 0 when both passed.
set -euo pipefail

cd "$(dirname "$0")/.."
source tools/packages.sh
ensure_packages "${KARTAK_BUILD_PACKAGES[@]}" weston qt6-wayland

build_dir=${KARTAK_BUILD_DIR:-build-tests}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARTAK_BUILD_TESTS=ON >/dev/null
cmake --build "$build_dir" -j "$(nproc 2>/dev/null || echo 2)" --target kartak2 test_window_manager
build_dir=$(cd "$build_dir" && pwd)

runtime=$(mktemp -d)
chmod 700 "$runtime"
weston_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$runtime"
}
trap cleanup EXIT

socket=${KARTAK_WAYLAND_SOCKET:-kartak-check-$$}
export XDG_RUNTIME_DIR=$runtime
weston --backend=headless-backend.so --use-pixman --socket="$socket" --width=1024 --height=768 \
  --idle-time=0 >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
  [ -S "$runtime/$socket" ] && break
  sleep 0.1
done
if [ ! -S "$runtime/$socket" ]; then
  echo "weston did not start:" >&2
  cat "$runtime/weston.log" >&2
  exit 1
fi
export WAYLAND_DISPLAY=$socket
export QT_QPA_PLATFORM=wayland
export QT_LOGGING_RULES="qt.multimedia*=false"

failed=0

echo "== windows under weston"
KARTAK_DATA_DIR=$build_dir WAYLAND_DEBUG=1 "$build_dir/tests/test_window_manager" \
  >"$runtime/test.log" 2>"$runtime/test-protocol.log" || true
grep -E '^(PASS|FAIL|Totals)|^   (Actual|Expected|Loc)' "$runtime/test.log" || true
grep -a -E 'wl_display[@#]1.error|fatal' "$runtime/test-protocol.log" "$runtime/test.log" >&2 || true
if ! grep -q '^Totals: [0-9]* passed, 0 failed' "$runtime/test.log"; then
  echo "FAILED: the windows under weston (log above)" >&2
  failed=1
fi
# Newer libwayland (Debian 13 on) writes object ids as xdg_toplevel#12 in the protocol log,
# older as xdg_toplevel@12.
# What weston was told: a secondary window names its caller's surface as its parent; the main
# menu, the character window and the splash have none. Each line printed is a title and whether
# its surfaces had a parent, "yes" or "no" (or "mixed").
parents=$(grep -a -E 'get_toplevel\(new id|\.set_parent\(|\.set_title\(' "$runtime/test-protocol.log" \
  | awk '
      match($0, /new id xdg_toplevel[@#][0-9]+/) { id = substr($0, RSTART + 7, RLENGTH - 7); parent[id] = "no" }
      match($0, /xdg_toplevel[@#][0-9]+\.set_parent\(xdg_toplevel/) {
        id = substr($0, RSTART, RLENGTH); sub(/\.set_parent.*/, "", id); parent[id] = "yes" }
      match($0, /xdg_toplevel[@#][0-9]+\.set_title\("[^"]*"\)/) {
        id = substr($0, RSTART, RLENGTH); sub(/\.set_title.*/, "", id)
        title = substr($0, RSTART, RLENGTH); sub(/^[^"]*"/, "", title); sub(/"\)$/, "", title)
        had = (title in seen && seen[title] != parent[id]) ? "mixed" : parent[id]
        seen[title] = had }
      END { for (t in seen) print t "=" seen[t] }')
for expected in "About=yes" "Informace=yes" "Tip=yes" "Program je ve vývoji=yes" \
                "Karták II=no" "Generování postavy=no" "Splash=no"; do
  if grep -qxF "$expected" <<<"$parents"; then
    echo "parent: $expected"
  else
    echo "FAILED: parent: want $expected, got $(grep -F "${expected%=*}=" <<<"$parents" || echo none)" >&2
    failed=1
  fi
done

echo "== the program under weston"
# Without Qt's own title bars the committed window geometry is the client area alone.
(cd "$build_dir" && QT_WAYLAND_DISABLE_WINDOWDECORATION=1 WAYLAND_DEBUG=1 exec ./kartak2) \
  >"$runtime/program.out" 2>"$runtime/program.log" &
program_pid=$!
sleep 4
if kill -0 "$program_pid" 2>/dev/null; then
  echo "running after 4 s"
else
  echo "FAILED: the program ended under weston:" >&2
  grep -E 'error|fatal' "$runtime/program.log" >&2 || tail -5 "$runtime/program.log" >&2
  failed=1
fi
for size in "469, 313" "467, 279"; do
  if grep -q "set_window_geometry(0, 0, $size)" "$runtime/program.log"; then
    echo "committed a window of ${size/, /x}"
  else
    echo "FAILED: no window of ${size/, /x} (splash 469x313, main menu 467x279)" >&2
    failed=1
  fi
done
if grep -q 'wl_display[@#]1.error' "$runtime/program.log"; then
  echo "FAILED: protocol error:" >&2
  grep 'wl_display[@#]1.error' "$runtime/program.log" >&2
  failed=1
fi

if [ "$failed" -ne 0 ]; then
  echo "Wayland check: FAILED" >&2
  exit 1
fi
echo "Wayland check: all fine"
