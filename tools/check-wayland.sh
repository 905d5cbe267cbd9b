#!/usr/bin/env bash
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
#      a maximise request in another size with a protocol error, which fails this step;
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
KARTAK_DATA_DIR=$build_dir "$build_dir/tests/test_window_manager" 2>&1 | tee "$runtime/test.log" \
  | grep -E '^(PASS|FAIL|Totals)|error|fatal' || true
if ! grep -q '^Totals: [0-9]* passed, 0 failed' "$runtime/test.log"; then
  echo "FAILED: the windows under weston (log above)" >&2
  failed=1
fi

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
if grep -q 'wl_display@1.error' "$runtime/program.log"; then
  echo "FAILED: protocol error:" >&2
  grep 'wl_display@1.error' "$runtime/program.log" >&2
  failed=1
fi

if [ "$failed" -ne 0 ]; then
  echo "Wayland check: FAILED" >&2
  exit 1
fi
echo "Wayland check: all fine"
