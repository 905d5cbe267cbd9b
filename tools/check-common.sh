# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the checks that run the program on a private X server (from the repository's root).

# Sets `program` to the program given ($1, when not empty), or else builds kartak2 and its data
# files in KARTAK_BUILD_DIR (default build/) and takes that one.
program_to_check() {
  if [ -n "${1:-}" ]; then
    program=$(readlink -f "$1")
  else
    local build_dir=${KARTAK_BUILD_DIR:-build}
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DKARTAK_BUILD_TESTS=OFF >/dev/null
    cmake --build "$build_dir" -j "$(nproc 2>/dev/null || echo 2)" --target kartak2 kartak_data
    program=$(readlink -f "$build_dir/kartak2")
  fi
  [ -x "$program" ] || { echo "no program at $program" >&2; exit 2; }
}

# Starts Xvfb on a display number it picks itself (so checks running side by side never share
# one), adds it to the caller's `pids`, and exports DISPLAY for what follows. $1: the folder
# for its log and display number.
start_private_display() {
  local dir=$1
  exec 3<>"$dir/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
  pids+=($!)
  exec 3>&-
  for _ in $(seq 50); do [ -s "$dir/display" ] && break; sleep 0.1; done
  [ -s "$dir/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
  display=:$(head -n 1 "$dir/display")
  export DISPLAY=$display
  unset QT_QPA_PLATFORM
}

# Prints the id of a visible window whose title matches the pattern $1, waiting up to 10 s for
# it; when none comes, says so and leaves a picture of the screen in $out.
find_window() {
  local wid
  for _ in $(seq 100); do
    wid=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$wid" ] && { echo "$wid"; return 0; }
    sleep 0.1
  done
  echo "no window \"$1\"" >&2
  import -window root "$out/no-window.png" 2>/dev/null || true
  return 1
}
