#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program many times in a row, offscreen, and ends each start after a second, in the
# middle of the splash: a start-up race (its two threads, the splash's timer) that crashes or
# warns now and then shows up here.
#   tools/check-starts.sh [program] [count]    (default: builds the program; 100 starts)
# Passes when every start was still running when it was ended, and none printed a warning
# about threads. Runs inside the Debian roots of check-systems.sh too:
#   chroot ROOT /kartak/src/tools/check-starts.sh /kartak/build/kartak2
set -euo pipefail

cd "$(dirname "$0")/.."
if [ -n "${1:-}" ]; then
  program=$(readlink -f "$1")
else
  source tools/check-common.sh
  program_to_check ""
fi
count=${2:-100}
[ -x "$program" ] || { echo "no program at $program" >&2; exit 2; }

log=$(mktemp)
trap 'rm -f "$log"' EXIT
crashed=0
warned=0
for i in $(seq "$count"); do
  status=0
  (cd "$(dirname "$program")" &&
    QT_QPA_PLATFORM=offscreen timeout -s TERM 1 "$program") >"$log" 2>&1 || status=$?
  # 124: still running when it was ended, as it should be.
  if [ "$status" -ne 124 ]; then
    crashed=$((crashed + 1))
    echo "start $i ended by itself with status $status:"
    sed 's/^/  /' "$log"
  fi
  if grep -qi "thread" "$log"; then
    warned=$((warned + 1))
    echo "start $i warned:"
    sed 's/^/  /' "$log"
  fi
done
echo "$count starts: $crashed ended by themselves, $warned warned about threads"
[ "$crashed" -eq 0 ] && [ "$warned" -eq 0 ]
