#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the start-up against a bare Qt window on the same machine:
#   tools/bench-startup.sh [program] [runs]
# Builds the program (unless one is given) and a bare Qt Widgets window (a QWidget of the
# splash's size, a Release build in a temporary folder with the same compiler), makes a
# desktop-like session (a session bus from dbus-run-session, PulseAudio with a silent sink, a
# private Xvfb), and starts the two in turn, 11 times each by default, after one untimed start
# of each that fills the disk cache. Each start is timed from just before the exec to the X map
# of its first window (MapNotify on the root window; nothing else maps windows on that display),
# and then ended. Prints each time, both medians and their ratio.
# Uses X displays :130 to :139. A benchmark only: no test depends on its figures.
# On a machine busy with other work, KARTAK_BENCH_REALTIME=1 (as root) runs the session and both
# programs under the real-time scheduler, ahead of everything else: close to a quiet machine.
set -euo pipefail

cd "$(dirname "$0")/.."
source tools/packages.sh
source tools/check-common.sh
ensure_packages "${KARTAK_BUILD_PACKAGES[@]}" pulseaudio pulseaudio-utils xvfb dbus-daemon \
  python3 python3-xlib

program_to_check "${1:-}"
runs=${2:-11}

out=$(mktemp -d /tmp/kartak-startup.XXXXXX)
trap 'rm -rf "$out"' EXIT

# --- the bare window, built as the program is -------------------------------------------------
mkdir -p "$out/bare"
cat >"$out/bare/CMakeLists.txt" <<'EOF'
cmake_minimum_required(VERSION 3.21)
project(bare LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 20)
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets)
add_executable(bare main.cpp)
target_link_libraries(bare PRIVATE Qt6::Widgets)
EOF
cat >"$out/bare/main.cpp" <<'EOF'
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(469, 313);
    window.show();
    return app.exec();
}
EOF
cmake -S "$out/bare" -B "$out/bare/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$out/bare/build" >/dev/null
bare=$out/bare/build/bare

# --- the session: its own bus, sound server and display, as on a desktop ----------------------
mkdir -p "$out/run" "$out/home"
chmod 700 "$out/run"
export out program bare runs
priority=()
[ -z "${KARTAK_BENCH_REALTIME:-}" ] || priority=(chrt --fifo 20)
exec_session() {
  # The bus daemon may not raise its file limit in a container; it says so, harmlessly.
  "${priority[@]}" dbus-run-session -- bash -euo pipefail 2> >(grep -v "Failed to set fd limit" >&2) <<'EOF'
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done' EXIT
export XDG_RUNTIME_DIR=$out/run HOME=$out/home
export PULSE_RUNTIME_PATH=$out/run/pulse PULSE_STATE_PATH=$out/home/pulse
export PULSE_SERVER=unix:$out/run/pulse/native
pulseaudio -n --daemonize=no --system=no --disallow-exit --exit-idle-time=-1 --disable-shm=yes \
  --use-pid-file=no --log-target=stderr \
  -L "module-null-sink sink_name=kartak_bench rate=44100 channels=2" \
  -L "module-native-protocol-unix socket=$out/run/pulse/native auth-anonymous=1" \
  >"$out/pulseaudio.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || { cat "$out/pulseaudio.log"; echo "PulseAudio did not start" >&2; exit 1; }
pactl set-default-sink kartak_bench

source tools/check-common.sh
start_private_display "$out"

/usr/bin/python3 - "$bare" "$program" "$runs" <<'PY'
import os, signal, statistics, subprocess, sys, time
from Xlib import X, display

bare, program, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
d = display.Display()
root = d.screen().root
root.change_attributes(event_mask=X.SubstructureNotifyMask)
d.sync()

def start(path):
    """Milliseconds from just before the exec to the map of the first window."""
    while d.pending_events():
        d.next_event()
    began = time.perf_counter()
    proc = subprocess.Popen([path], cwd=os.path.dirname(path),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while True:
        event = d.next_event()
        if event.type == X.MapNotify:
            break
    ms = (time.perf_counter() - began) * 1000
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
    return ms

start(bare)  # fills the disk cache; not counted
start(program)
times = {bare: [], program: []}
for _ in range(runs):
    for path in (bare, program):
        times[path].append(start(path))
for name, path in (("bare Qt window", bare), ("Karták II splash", program)):
    print(f"{name:17s} " + " ".join(f"{t:5.1f}" for t in times[path]))
b, p = statistics.median(times[bare]), statistics.median(times[program])
print(f"medians of {runs} starts each, exec to map: bare {b:.1f} ms, Karták II {p:.1f} ms; "
      f"ratio {p / b:.2f}")
PY
EOF
}
exec_session
