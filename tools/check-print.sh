#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the sheet through a real CUPS queue:
#   tools/check-print.sh [program]
# Builds the program (unless one is given), starts a private cupsd on its own socket and
# folders with a cups-pdf queue as its default printer, then the program on a private Xvfb
# with CUPS_SERVER naming that socket; opens the character window, generates, presses Ctrl+P
# and confirms the print dialog with Enter. Passes when the queue puts out a one-page A4 PDF
# that shows the sheet, and when, with the queue stopped, the same steps end in the error box.
# cups-pdf re-makes the document with Ghostscript, so the page is checked by its count, its size
# and by rendering it, not by its text.
# Needs root (cups-pdf reads its queue's settings from /etc/cups/cups-pdf-<queue>.conf, which is
# removed again at the end). Files are kept in $KARTAK_PRINT_CHECK_DIR (a fresh temporary folder
# by default): the queue's PDF, the page rendered as page-1.png, the logs and screenshots.
set -euo pipefail

cd "$(dirname "$0")/.."
source tools/packages.sh
source tools/check-common.sh
ensure_packages "${KARTAK_BUILD_PACKAGES[@]}" cups cups-client printer-driver-cups-pdf \
  poppler-utils xvfb xdotool imagemagick python3

program_to_check "${1:-}"
[ "$(id -u)" -eq 0 ] || { echo "run as root: cups-pdf's queue settings live in /etc/cups" >&2; exit 2; }

out=${KARTAK_PRINT_CHECK_DIR:-$(mktemp -d /tmp/kartak-print.XXXXXX)}
out=$(readlink -f "$out")
queue=kartakcheck$$
cups=$out/cups
mkdir -p "$cups"/{etc/ppd,spool/tmp,cache,state,log} "$out/pdf" "$out/home"
chmod 755 "$out" "$out/pdf"
echo "Check folder: $out"

pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  rm -f "/etc/cups/cups-pdf-$queue.conf"
}
trap cleanup EXIT

# --- a private print server with a cups-pdf queue as its default ------------------------------
socket=$cups/cups.sock
cat >"$cups/etc/cupsd.conf" <<EOF
Listen $socket
LogLevel info
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
cat >"$cups/etc/cups-files.conf" <<EOF
ServerRoot $cups/etc
StateDir $cups/state
CacheDir $cups/cache
RequestRoot $cups/spool
TempDir $cups/spool/tmp
ErrorLog $cups/log/error_log
AccessLog $cups/log/access_log
PageLog $cups/log/page_log
SystemGroup root
Printcap $cups/printcap
EOF
cat >"/etc/cups/cups-pdf-$queue.conf" <<EOF
Out $out/pdf
AnonDirName $out/pdf
Log $cups/log
Grp root
EOF
cupsd -f -c "$cups/etc/cupsd.conf" -s "$cups/etc/cups-files.conf" >"$out/cupsd.log" 2>&1 &
pids+=($!)
export CUPS_SERVER=$socket HOME=$out/home
# lpstat -r exits with 0 whether or not the scheduler runs; only what it says tells. On a machine
# busy with other work cupsd may take seconds to load its MIME database and open its socket.
scheduler_running() { [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]; }
for _ in $(seq 300); do scheduler_running && break; sleep 0.1; done
scheduler_running || { cat "$out/cupsd.log" "$cups/log/error_log" 2>/dev/null; echo "cupsd did not start" >&2; exit 1; }
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
  -o PageSize=A4
lpadmin -d "$queue"
echo "Default printer: $(lpstat -d)"

# --- a private X display and the program ----------------------------------------------------
start_private_display "$out"

(cd "$(dirname "$program")" && exec "$program") >"$out/program.log" 2>&1 &
program_pid=$!
pids+=($program_pid)

menu=$(find_window "^Karták II\$")
xdotool windowfocus --sync "$menu" 2>/dev/null || true
sleep 0.5
xdotool mousemove --window "$menu" 5 5 key --window "$menu" alt+g
character=$(find_window "^Generování postavy\$")
xdotool windowfocus --sync "$character" 2>/dev/null || true
sleep 1
xdotool key alt+g # "&Generuj!"
sleep 1
xdotool key ctrl+p
dialog=$(find_window "^(Tisk|Print)")
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
sleep 1
import -window root "$out/print-dialog.png" 2>/dev/null || true
xdotool key Return

pdf=
for _ in $(seq 600); do
  pdf=$(find "$out/pdf" -name '*.pdf' -size +1k 2>/dev/null | head -n 1)
  [ -n "$pdf" ] && break
  sleep 0.1
done
sleep 1
import -window root "$out/after-print.png" 2>/dev/null || true
if [ -z "$pdf" ]; then
  cat "$out/program.log"
  tail -n 30 "$cups/log/error_log" 2>/dev/null || true
  echo "no PDF left the queue within 60 s" >&2
  exit 1
fi
kill -0 "$program_pid" 2>/dev/null || { cat "$out/program.log"; echo "the program ended" >&2; exit 1; }
if grep -q '^Karták II: ' "$out/program.log"; then
  cat "$out/program.log"
  echo "the program showed an error box" >&2
  exit 1
fi
cp "$pdf" "$out/sheet.pdf"
echo "Queue's PDF: $pdf"

# --- a stopped printer: the error box, and nothing printed -------------------------------------
cupsdisable "$queue"
xdotool windowfocus --sync "$character" 2>/dev/null || true
sleep 0.5
xdotool key ctrl+p
dialog=$(find_window "^(Tisk|Print)")
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
sleep 1
xdotool key Return
refused=
for _ in $(seq 100); do
  grep -q '^Karták II: Tiskárna .* je zastavená' "$out/program.log" && { refused=yes; break; }
  sleep 0.1
done
import -window root "$out/stopped-printer.png" 2>/dev/null || true
xdotool key Return # the error box's OK
status=0
if [ -z "$refused" ]; then
  cat "$out/program.log"
  echo "a stopped printer showed no error box" >&2
  status=1
else
  echo "A stopped printer: $(grep '^Karták II: ' "$out/program.log" | tail -n 1)"
fi

# --- one A4 page that shows the sheet ---------------------------------------------------------
info=$(pdfinfo "$out/sheet.pdf")
pages=$(sed -n 's/^Pages: *//p' <<<"$info")
size=$(sed -n 's/^Page size: *//p' <<<"$info")
echo "Pages: $pages; page size: $size"
[ "$pages" = 1 ] || { echo "want one page" >&2; status=1; }
# Ghostscript writes A4 as 595 x 842 points, give or take a fraction.
python3 - "$size" <<'EOF' || { echo "want A4 (595 x 842 pt)" >&2; status=1; }
import re, sys
w, h = map(float, re.match(r"([\d.]+) x ([\d.]+) pts", sys.argv[1]).groups())
sys.exit(0 if abs(w - 595.3) < 2 and abs(h - 841.9) < 2 else 1)
EOF
pdftoppm -r 100 -png -singlefile "$out/sheet.pdf" "$out/page-1"
pdftoppm -r 50 -gray -singlefile "$out/sheet.pdf" "$out/page-gray"
# The page is white with ink in the title band, among the values and on the ruled lines.
python3 - "$out/page-gray.pgm" <<'EOF' || status=1
import sys
data = open(sys.argv[1], "rb").read()
parts = data.split(maxsplit=4)
w, h = int(parts[1]), int(parts[2])
pixels = parts[4][-w * h:]
def ink(top, bottom):
    band = pixels[int(top * h) * w:int(bottom * h) * w]
    return sum(1 for v in band if v < 128) / max(1, len(band))
bands = {"title": (0.04, 0.14), "values": (0.15, 0.55), "writing lines": (0.60, 0.92)}
failed = False
for name, (top, bottom) in bands.items():
    share = ink(top, bottom)
    print(f"ink in the {name} band: {share:.2%}")
    if not 0.002 < share < 0.5:
        print(f"the {name} band looks blank or black", file=sys.stderr)
        failed = True
sys.exit(1 if failed else 0)
EOF
if [ "$status" -eq 0 ]; then
  echo "print check passed: one A4 page with the sheet left the queue; a stopped one was refused"
else
  echo "print check FAILED" >&2
fi
exit "$status"
