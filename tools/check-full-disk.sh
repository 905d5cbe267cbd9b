#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Saves a character sheet over an existing file on a file system that is really full (a 64 KB
# tmpfs, filled up) and checks that the old file stays byte for byte, that no temporary file is
# left and that the error box shows the I/O error. Then the same with room for only a part of a
# big sheet, so the disk runs full at a later write. Needs root (it mounts the tmpfs).
#   tools/check-full-disk.sh
set -euo pipefail

cd "$(dirname "$0")/.."
source tools/packages.sh

if [ "$(id -u)" -ne 0 ]; then
  echo "check-full-disk.sh mounts a tmpfs and must run as root" >&2
  exit 2
fi
ensure_packages "${KARTAK_BUILD_PACKAGES[@]}" util-linux coreutils

build_dir=${KARTAK_BUILD_DIR:-build-tests}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARTAK_BUILD_TESTS=ON >/dev/null
cmake --build "$build_dir" -j "$(nproc 2>/dev/null || echo 2)" --target test_character_export kartak_data
driver="$build_dir/tests/test_character_export"

disk=$(mktemp -d /tmp/kartak-full-disk.XXXXXX)
keep=$(mktemp -d /tmp/kartak-full-disk-old.XXXXXX)
cleanup() {
  umount "$disk" 2>/dev/null || true
  rmdir "$disk" 2>/dev/null || true
  rm -rf "$keep"
}
trap cleanup EXIT
mount -t tmpfs -o size=64k,mode=0755 kartak-full-disk "$disk"

# The old sheet: a little HTML document of its own, copied aside to compare with.
{
  printf '<html>\r\n<body>\r\n'
  for i in $(seq 1 60); do printf 'Star\xfd den\xedk, \xf8\xe1dek %d<br>\r\n' "$i"; done
  printf '</body> </html>\r\n'
} > "$disk/old.htm"
cp "$disk/old.htm" "$keep/old.htm"

free_bytes() { df --output=avail -B1 "$disk" | tail -n 1 | tr -d ' '; }

# Fills the file system up to `$1` free bytes.
fill_to() {
  rm -f "$disk/filler"
  local room=$(( $(free_bytes) - $1 ))
  if [ "$room" -gt 0 ]; then
    head -c "$room" /dev/zero > "$disk/filler" 2>/dev/null || true
  fi
  if [ "$1" -eq 0 ]; then
    # Whatever the block rounding left: one byte at a time until nothing more goes in.
    while printf 'x' >> "$disk/filler" 2>/dev/null; do :; done
  fi
}

failures=0
check() {
  local what=$1 version_length=$2 log
  log=$(mktemp)
  echo "== $what: $(free_bytes) bytes free, version line of $version_length characters"
  if ! KARTAK_FULL_DISK_DIR="$disk" KARTAK_FULL_DISK_VERSION_LENGTH="$version_length" \
       QT_QPA_PLATFORM=offscreen KARTAK_DATA_DIR="$PWD/$build_dir" \
       QT_LOGGING_RULES="qt.multimedia*=false" \
       "$driver" saveOntoARealFullDisk >"$log" 2>&1; then
    echo "FAIL: the save test did not pass"; cat "$log"; failures=$((failures + 1))
  fi
  grep -E '(error|information) box:' "$log" || true
  if ! grep -q 'error box: I/O error 28\.' "$log"; then
    echo "FAIL: no \"I/O error 28.\" box was shown"; failures=$((failures + 1))
  fi
  if grep -q 'information box:' "$log"; then
    echo "FAIL: a success message was shown"; failures=$((failures + 1))
  fi
  if cmp -s "$disk/old.htm" "$keep/old.htm"; then
    echo "old file byte-identical ($(stat -c %s "$disk/old.htm") bytes)"
  else
    echo "FAIL: the old file changed"; failures=$((failures + 1))
  fi
  local left
  left=$(find "$disk" -mindepth 1 -maxdepth 1 ! -name old.htm ! -name filler)
  if [ -n "$left" ]; then
    echo "FAIL: left behind: $left"; failures=$((failures + 1))
  fi
  rm -f "$log"
}

fill_to 0
check "small sheet onto a full disk" 8
check "big sheet onto a full disk" 100000
fill_to 12288
check "big sheet, the disk runs full at a later write" 100000

if [ "$failures" -ne 0 ]; then
  echo "check-full-disk: $failures failure(s)"
  exit 1
fi
echo "check-full-disk: all saves onto the full disk kept the old file"
