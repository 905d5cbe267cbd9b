#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every feedback sound is heard, with a real sound server:
#   tools/check-sound.sh [program]
# Builds the program (unless one is given; it is started from its own folder, where its data
# files lie), starts a private PulseAudio with a silent sink, a private Xvfb and the program,
# opens the character window and makes 24 equipment choices by keyboard, one a second:
#   6 permitted melee weapons for a Hobit Válečník,
#   12 alternating choices of the short bow (permitted) and the long bow (refused for a Hobit),
#   6 short bows for a Hobit Kouzelník (refused).
# The sink's monitor is recorded with parec; the sounds in the recording are found by their
# loudness and told apart by their pitch (the confirmation is a high bell, the refusal a low
# buzz). Passes only when exactly the 24 expected sounds are heard, in order, and the program
# then ends cleanly on "&Konec programu".
# Uses X displays :120 to :129. Files are kept in $KARTAK_SOUND_CHECK_DIR (a fresh temporary
# folder by default): recording.raw (s16le, mono, 22050 Hz), the logs and sounds.txt.
set -euo pipefail

cd "$(dirname "$0")/.."
repo=$PWD
source tools/packages.sh
source tools/check-common.sh
ensure_packages "${KARTAK_BUILD_PACKAGES[@]}" pulseaudio pulseaudio-utils xvfb xdotool python3

program_to_check "${1:-}"

out=${KARTAK_SOUND_CHECK_DIR:-$(mktemp -d /tmp/kartak-sound.XXXXXX)}
mkdir -p "$out/run" "$out/home"
rm -f "$out/choices.txt"
chmod 700 "$out/run"
echo "Check folder: $out"

pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
}
trap cleanup EXIT

# --- a private sound server whose default sink is silent ----------------------------------------
export XDG_RUNTIME_DIR=$out/run HOME=$out/home
export PULSE_RUNTIME_PATH=$out/run/pulse PULSE_STATE_PATH=$out/home/pulse
export PULSE_SERVER=unix:$out/run/pulse/native
unset DBUS_SESSION_BUS_ADDRESS
pulseaudio -n --daemonize=no --system=no --disallow-exit --exit-idle-time=-1 --disable-shm=yes \
  --use-pid-file=no --log-target=stderr \
  -L "module-null-sink sink_name=kartak_check rate=44100 channels=2" \
  -L "module-native-protocol-unix socket=$out/run/pulse/native auth-anonymous=1" \
  >"$out/pulseaudio.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || { cat "$out/pulseaudio.log"; echo "PulseAudio did not start" >&2; exit 1; }
pactl set-default-sink kartak_check
pactl subscribe >"$out/pulse-events.log" 2>&1 &
pids+=($!)

# --- a private X display ---------------------------------------------------------------------
start_private_display "$out"

# --- record, start the program, make the choices ---------------------------------------------
# A recorder with the default latency of 2 s now and then loses a second of the monitor when
# the program's streams come and go; a short latency keeps every sample.
record_ms=$(date +%s%3N)
parec -d kartak_check.monitor --latency-msec=20 --format=s16le --rate=22050 --channels=1 --raw \
  >"$out/recording.raw" 2>"$out/parec.log" &
recorder=$!
pids+=($recorder)

(cd "$(dirname "$program")" && exec "$program") >"$out/program.log" 2>&1 &
program_pid=$!
pids+=($program_pid)

# Where a control lies in its window, from the window's form: "x y" of its centre.
centre_of() { # form control
  python3 - "$repo/src/$1.ui" "$2" <<'EOF'
import sys, xml.etree.ElementTree as ET
for w in ET.parse(sys.argv[1]).iter("widget"):
    if w.get("name") == sys.argv[2]:
        r = w.find("property[@name='geometry']/rect")
        x, y, wd, ht = (int(r.find(k).text) for k in ("x", "y", "width", "height"))
        print(x + wd // 2, y + ht // 2)
EOF
}

click() { # window form control
  local xy
  read -r -a xy <<<"$(centre_of "$2" "$3")"
  xdotool mousemove --window "$1" "${xy[0]}" "${xy[1]}" click 1
}

# Gives a list the keyboard focus: a click opens its popup, Escape closes it unchanged.
focus_list() {
  click "$character" character/TForm3 "$1"
  sleep 0.5
  xdotool key Escape
  sleep 0.5
}

choose() { # key count: one choice a second
  local i
  for i in $(seq "$2"); do
    xdotool key "$1"
    echo $(( $(date +%s%3N) - record_ms )) >>"$out/choices.txt"
    sleep 1
  done
}

menu=$(find_window "^Karták II\$")
xdotool windowfocus --sync "$menu" 2>/dev/null || true
sleep 0.5
xdotool mousemove --window "$menu" 5 5 key --window "$menu" alt+g
character=$(find_window "^Generování postavy\$")
xdotool windowfocus --sync "$character" 2>/dev/null || true
sleep 1

start_ms=$(date +%s%3N)
focus_list ComboBox3
choose Down 6      # melee 1 to 6, all permitted for a Válečník
focus_list ComboBox5
choose Down 12     # short bow (permitted), long bow (refused, back to none), ...
focus_list ComboBox2
choose Down 3      # Hraničář, Alchymista, Kouzelník: no sound
focus_list ComboBox5
choose Down 6      # the short bow, refused for a Kouzelník
sleep 1
echo "Choices took $(( $(date +%s%3N) - start_ms )) ms"

[ -z "${KARTAK_SOUND_CHECK_SCREENSHOT:-}" ] || import -window root "$KARTAK_SOUND_CHECK_SCREENSHOT"
kill -0 "$program_pid" 2>/dev/null || { cat "$out/program.log"; echo "the program ended" >&2; exit 1; }
kill "$recorder"
wait "$recorder" 2>/dev/null || true

# The program must also end cleanly with its sound streams: back to the menu, then
# "&Konec programu".
click "$character" character/TForm3 BitBtn5
sleep 0.5
xdotool windowfocus --sync "$menu" 2>/dev/null || true
xdotool mousemove --window "$menu" 5 5 key --window "$menu" alt+k
ended=
for _ in $(seq 100); do
  kill -0 "$program_pid" 2>/dev/null || { ended=yes; break; }
  sleep 0.1
done
exit_status=0
if [ -n "$ended" ]; then
  wait "$program_pid" || exit_status=$?
  echo "The program ended with status $exit_status"
else
  echo "The program did not end on its quit button" >&2
  import -window root "$out/not-ended.png" 2>/dev/null || true
  if command -v gdb >/dev/null; then
    gdb -q -batch -p "$program_pid" -ex "thread apply all bt 20" >"$out/not-ended.txt" 2>&1 || true
  fi
  exit_status=timeout
fi

# --- count and tell apart the sounds heard ---------------------------------------------------
expected="S S S S S S S P S P S P S P S P S P P P P P P P"
status=0
python3 - "$out/recording.raw" "$expected" >"$out/sounds.txt" <<'EOF' || status=$?
import array, sys

RATE = 22050
FRAME = RATE // 100              # 10 ms
samples = array.array("h")
with open(sys.argv[1], "rb") as f:
    samples.frombytes(f.read())
if sys.byteorder != "little":
    samples.byteswap()
expected = sys.argv[2].split()

# Loudness per 10 ms; a sound is a run of loud frames, gaps under 150 ms belong to the sound
# (the refusal is two buzzes 40 ms apart).
loud = []
for start in range(0, len(samples) - FRAME + 1, FRAME):
    chunk = samples[start:start + FRAME]
    loud.append(sum(s * s for s in chunk) / FRAME > 300.0 ** 2)
bursts = []
for i, on in enumerate(loud):
    if not on:
        continue
    if bursts and i - bursts[-1][1] <= 15:
        bursts[-1][1] = i
    else:
        bursts.append([i, i])

heard = []
for first, last in bursts:
    chunk = samples[first * FRAME:(last + 1) * FRAME]
    crossings = sum(1 for a, b in zip(chunk, chunk[1:]) if (a < 0) != (b < 0))
    seconds = len(chunk) / RATE
    rate = crossings / seconds / 2  # zero crossings per second over two: the pitch, roughly
    kind = "S" if rate > 600 else "P"
    heard.append(kind)
    print(f"{first / 100:7.2f} s  {seconds * 1000:4.0f} ms  {rate:6.0f} Hz  "
          f"{'Success' if kind == 'S' else 'Problem'}")

right = sum(1 for a, b in zip(heard, expected) if a == b)
print(f"Recording {len(samples) / RATE:.1f} s; sounds heard: {len(heard)} of {len(expected)} "
      f"expected ({heard.count('S')} Success, {heard.count('P')} Problem); "
      f"{right} in the right place")
print("heard:    " + " ".join(heard))
print("expected: " + " ".join(expected))
sys.exit(0 if heard == expected else 1)
EOF
cat "$out/sounds.txt"
[ "$exit_status" = 0 ] || { tail -n 5 "$out/program.log"; status=1; }
[ "$status" -eq 0 ] && echo "PASS: every sound heard, in order" || echo "FAIL"
exit "$status"
