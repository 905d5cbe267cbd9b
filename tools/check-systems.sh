#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and checks the program on another Debian release, in a minimal root of its own:
#   sudo tools/check-systems.sh [-c CACHE_DIR] [-o OUT_DIR] [-a] [-r] [bookworm|trixie|sid]
#
#   bookworm  Debian 12, Qt 6.4 (the default)
#   trixie    Debian 13, Qt 6.8; the screen-reader and sound checks always run here
#   sid       Debian unstable, the newest Qt
#   -c DIR    where the roots are kept between runs (default /var/cache/kartak-systems); DIR/SUITE
#             is made once with debootstrap and brought up to date when it is a week old
#   -o DIR    where logs, screenshots and the package go (default /tmp/kartak-systems/SUITE)
#   -a        run the screen-reader and sound checks on this suite too
#   -r        only make or refresh the root, then stop
#   MIRROR (environment) overrides the Debian mirror
#
# In the root it builds the program and its tests with every warning an error, runs every test
# (ctest, offscreen); then, once with only fonts-liberation visible and once with
# fonts-dejavu-core beside it, runs the layout tests again and photographs the windows under
# Xvfb, the character window with the longest weapon names generated. Last it builds the Debian
# package and runs lintian on it (errors and warnings fail). Look at the screenshots in OUT_DIR
# (weapon-rows.png enlarges the weapon tables): no text clipped, no name reaching its numbers.
# Exits 0 when every step passed. Needs root (debootstrap, chroot, mounts) and the network.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cache_dir=/var/cache/kartak-systems
out_dir=
extra_checks=
root_only=
mirror=${MIRROR:-http://deb.debian.org/debian}

usage() {
  sed -n '3,14p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

# ---------------------------------------------------------------------------------------------
# The part that runs inside the root: this same script, started there by chroot with the sources
# in /kartak/src and the output folder as /kartak/out; it builds in /kartak/build.
in_root_checks() {
  local extra=$1 jobs out=/kartak/out src=/kartak/src build=/kartak/build failures=0 fontset dirs
  jobs=$(nproc 2>/dev/null || echo 2)
  [ "$jobs" -le 2 ] || jobs=2
  step() { printf '\n== %s (%d s)\n' "$*" $((SECONDS + ${KARTAK_SYSTEMS_OFFSET:-0})); }
  pass() { printf 'ok   %s\n' "$*"; }
  fail() { printf 'FAIL %s\n' "$*"; failures=$((failures + 1)); }
  export CCACHE_DIR=/var/cache/ccache QT_QPA_PLATFORM=offscreen
  cd "$src"

  step "Qt $(dpkg-query -W -f='${Version}' qt6-base-dev), $(g++ --version | head -n 1)," \
    "cmake $(cmake --version | sed -n '1s/.* //p')"
  # One optimised build serves the tests and the package (the tests only add targets).
  step "Build, every warning an error"
  cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKARTAK_BUILD_TESTS=ON \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
    > "$out/cmake.log" 2>&1 || { cat "$out/cmake.log"; fail "cmake"; return 1; }
  if cmake --build "$build" -j "$jobs" > "$out/build.log" 2>&1; then
    pass "built; $(grep -c 'warning:' "$out/build.log" || true) warnings"
  else
    grep -B2 -A6 -E 'warning:|error:' "$out/build.log" | head -n 80
    fail "the build failed"
    return 1
  fi

  step "Every test"
  if ctest --test-dir "$build" --output-on-failure -j "$jobs" > "$out/ctest.log" 2>&1; then
    pass "$(grep -E 'tests passed' "$out/ctest.log")"
  else
    grep -E 'FAIL!|tests passed|\*\*\*Failed|Not Run|Timeout' "$out/ctest.log" | head -n 60
    fail "ctest (whole log in $out/ctest.log)"
  fi

  # The layouts with each set of fonts a system may have: only fonts-liberation (what the
  # package depends on), and fonts-liberation with fonts-dejavu-core (most desktops).
  mkdir -p /kartak/fonts
  for fontset in liberation liberation+dejavu; do
    dirs=$(dpkg -L fonts-liberation $([ "$fontset" = liberation ] || echo fonts-dejavu-core) \
      | grep -E '\.(ttf|otf)$' | xargs -n 1 dirname | sort -u | sed 's|.*|<dir>&</dir>|')
    printf '%s\n' '<?xml version="1.0"?>' \
      '<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">' \
      "<fontconfig>$dirs<cachedir>/kartak/fonts/cache-$fontset</cachedir>" \
      '<include ignore_missing="yes">/etc/fonts/conf.d</include></fontconfig>' \
      > "/kartak/fonts/$fontset.conf"
    export FONTCONFIG_FILE=/kartak/fonts/$fontset.conf
    step "Layouts with the fonts of $fontset: $(fc-list : family | sort -u | paste -sd ';')"
    if ctest --test-dir "$build" --output-on-failure \
      -R 'test_weapon_rows|test_windows|test_character_window|test_desktop_look' \
      > "$out/ctest-$fontset.log" 2>&1; then
      pass "$fontset: $(grep -E 'tests passed' "$out/ctest-$fontset.log")"
    else
      grep -E 'FAIL!|tests passed' "$out/ctest-$fontset.log" | head -n 40
      fail "$fontset: layout tests"
    fi
    photograph "$build/kartak2" "$out/$fontset" || fail "photographs with $fontset"
    unset FONTCONFIG_FILE
  done

  step "The Debian package"
  rm -f "$build"/kartak2_*.deb
  if (cd "$build" && cpack -G DEB) > "$out/cpack.log" 2>&1; then
    local deb
    deb=$(ls "$build"/kartak2_*.deb)
    cp "$deb" "$out/"
    pass "$(basename "$deb")"
    step "lintian $(lintian --version | sed 's/^Lintian v//')"
    if lintian --fail-on error,warning --display-info "$deb" > "$out/lintian.log" 2>&1; then
      pass "lintian: no errors or warnings ($(grep -c '^[IPX]: ' "$out/lintian.log" || true) hints)"
    else
      fail "lintian"
    fi
    cat "$out/lintian.log"
  else
    tail -n 30 "$out/cpack.log"
    fail "cpack"
  fi

  if [ -n "$extra" ]; then
    step "Screen-reader check"
    # Orca speaks on its own timers; a run it answered too late is tried once more.
    if tools/check-screen-reader.sh "$build/kartak2" > "$out/screen-reader.log" 2>&1 ||
       tools/check-screen-reader.sh "$build/kartak2" >> "$out/screen-reader.log" 2>&1; then
      pass "screen reader"
    else
      tail -n 40 "$out/screen-reader.log"
      fail "screen reader (log in $out/screen-reader.log)"
    fi
    step "Sound check"
    if KARTAK_SOUND_CHECK_DIR=$out/sound tools/check-sound.sh "$build/kartak2" \
      > "$out/sound.log" 2>&1; then
      pass "sound: $(tail -n 1 "$out/sound.log")"
    else
      tail -n 30 "$out/sound.log"
      fail "sound (log in $out/sound.log)"
    fi
  fi
  step "Done: $failures failed"
  [ "$failures" -eq 0 ]
}

# photograph PROGRAM DIR: starts the program under a private Xvfb and takes pictures of its main
# menu, its About window and the character window with the longest weapon names generated.
photograph() {
  local program=$1 dir=$2 xpid ppid status=0 menu about character list display
  mkdir -p "$dir"
  # Xvfb picks a free display itself: the roots share the abstract X sockets, so a fixed number
  # could reach another root's display.
  rm -f "$dir/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$dir/display" > "$dir/xvfb.log" 2>&1 &
  xpid=$!
  for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
  display=:$(head -n 1 "$dir/display" 2>/dev/null)
  [ "$display" != ":" ] || { cat "$dir/xvfb.log"; echo "Xvfb did not start"; return 1; }
  (cd "$(dirname "$program")" && DISPLAY=$display QT_QPA_PLATFORM=xcb exec "$program") \
    > "$dir/program.log" 2>&1 &
  ppid=$!
  local xdo=(env DISPLAY="$display" xdotool)
  window() { # title: waits for a visible window with exactly this title
    local id
    for _ in $(seq 100); do
      id=$("${xdo[@]}" search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
      [ -n "$id" ] && { echo "$id"; return 0; }
      sleep 0.1
    done
    echo "no window \"$1\"" >&2
    return 1
  }
  click() { # window form control: clicks the centre of the control the form places
    local xy
    read -r -a xy <<< "$(python3 -c '
import sys, xml.etree.ElementTree as ET
for w in ET.parse(sys.argv[1]).iter("widget"):
    if w.get("name") == sys.argv[2]:
        r = w.find("property[@name=\"geometry\"]/rect")
        x, y, wd, ht = (int(r.find(k).text) for k in ("x", "y", "width", "height"))
        print(x + wd // 2, y + ht // 2)' "src/$2.ui" "$3")"
    "${xdo[@]}" mousemove --window "$1" "${xy[0]}" "${xy[1]}" click 1
    sleep 0.7
  }
  shot() { DISPLAY=$display import -window "$2" "$dir/$1.png" && echo "  $dir/$1.png"; }
  if menu=$(window "Karták II"); then
    sleep 1
    shot main-menu "$menu"
    click "$menu" app/TForm1 Button2
    if about=$(window About); then
      shot about "$about"
      click "$about" windows/TForm2 Panel1 # "Návrat do hlavního menu"
    fi
    click "$menu" app/TForm1 Button1
    if character=$(window "Generování postavy"); then
      sleep 0.5
      # The longest names: a warrior's last melee weapon, the last ranged weapon in both lists.
      for list in ComboBox3 ComboBox5 ComboBox6; do
        click "$character" character/TForm3 "$list"
        "${xdo[@]}" key End Return
        sleep 0.5
      done
      click "$character" character/TForm3 Button1
      shot character-generated "$character" || status=1
      # The weapon tables, three times enlarged: the names must end before their numbers.
      convert "$dir/character-generated.png" -crop 200x100+258+235 +repage -scale 300% \
        "$dir/weapon-rows.png" && echo "  $dir/weapon-rows.png"
    else
      status=1
    fi
  else
    status=1
  fi
  kill "$ppid" 2>/dev/null || true
  wait "$ppid" 2>/dev/null || true
  kill "$xpid" 2>/dev/null || true
  wait "$xpid" 2>/dev/null || true
  if grep -q '^Karták II: ' "$dir/program.log"; then
    echo "the program reported: $(grep '^Karták II: ' "$dir/program.log")"
    status=1
  fi
  return $status
}

if [ "${1:-}" = "--in-root" ]; then
  in_root_checks "${2:-}"
  exit
fi
# ---------------------------------------------------------------------------------------------

while getopts "c:o:arh" opt; do
  case "$opt" in
    c) cache_dir=$OPTARG ;;
    o) out_dir=$OPTARG ;;
    a) extra_checks=yes ;;
    r) root_only=yes ;;
    *) usage ;;
  esac
done
shift $((OPTIND - 1))
[ $# -le 1 ] || usage
suite=${1:-bookworm}
case "$suite" in
  bookworm | trixie | sid) ;;
  *) usage ;;
esac
[ "$suite" = trixie ] && extra_checks=yes
out_dir=${out_dir:-/tmp/kartak-systems/$suite}

[ "$(id -u)" -eq 0 ] || { echo "run as root (debootstrap, chroot and mounts need it)" >&2; exit 2; }

# Everything below runs in a mount namespace of its own: the mounts made for the chroot disappear
# with it, whatever way the script ends.
if [ -z "${KARTAK_SYSTEMS_NS:-}" ]; then
  export KARTAK_SYSTEMS_NS=1
  cache_dir=$(mkdir -p "$cache_dir" && cd "$cache_dir" && pwd)
  out_dir=$(mkdir -p "$out_dir" && cd "$out_dir" && pwd)
  args=(-c "$cache_dir" -o "$out_dir")
  [ -z "$extra_checks" ] || args+=(-a)
  [ -z "$root_only" ] || args+=(-r)
  exec unshare --mount --propagation private "$0" "${args[@]}" "$suite"
fi

root=$cache_dir/$suite
stamp=$root/.kartak-root-ready
exec 9> "$cache_dir/.$suite.lock"
flock -n 9 || { echo "another check is using $root" >&2; exit 1; }
start=$SECONDS
step() { printf '\n== %s (%d s)\n' "$*" $((SECONDS - start)); }

# sid's Release file may be past its Valid-Until date on a mirror that is not refreshed daily.
apt_options=(-o Acquire::Check-Valid-Until=false -o Acquire::Retries=3)

# --- the root, made once and refreshed when a week old ----------------------------------------
if [ ! -f "$stamp" ]; then
  step "Making a minimal Debian $suite root in $root"
  command -v debootstrap > /dev/null || {
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends debootstrap
  }
  rm -rf "$root"
  if ! debootstrap --variant=minbase "$suite" "$root" "$mirror" \
    > "$out_dir/debootstrap.log" 2>&1; then
    tail -n 30 "$out_dir/debootstrap.log"
    echo "debootstrap failed" >&2
    exit 1
  fi
  echo "deb $mirror $suite main" > "$root/etc/apt/sources.list"
  if [ "$suite" != sid ]; then
    echo "deb $mirror $suite-updates main" >> "$root/etc/apt/sources.list"
    echo "deb ${mirror%/debian}/debian-security $suite-security main" \
      >> "$root/etc/apt/sources.list"
  fi
  printf 'Acquire::Check-Valid-Until "false";\nAPT::Install-Recommends "false";\n' \
    > "$root/etc/apt/apt.conf.d/90kartak"
  refresh=yes
elif [ -n "$(find "$stamp" -mtime +6)" ]; then
  refresh=yes
else
  refresh=
fi

for p in /proc/[0-9]*; do
  if [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ]; then
    echo "process ${p#/proc/} still runs inside $root from an earlier run; end it first" >&2
    exit 1
  fi
done
pids=()
cleanup() {
  local pid p
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  # Whatever still runs inside this root was started here too: end it.
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -9 "${p#/proc/}" 2>/dev/null
  done
  return 0
}
trap cleanup EXIT
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
mkdir -p "$root/kartak/out"
mount --bind "$out_dir" "$root/kartak/out"

in_root() {
  chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 HOME=/root \
    DEBIAN_FRONTEND=noninteractive "$@"
}

source "$here/packages.sh"
packages=("${KARTAK_BUILD_PACKAGES[@]}" dpkg-dev lintian ccache xvfb xdotool imagemagick
          fonts-dejavu-core python3 git)
[ -z "$extra_checks" ] || packages+=(openbox orca at-spi2-core dbus-daemon dbus-x11
  python3-pyatspi gir1.2-atspi-2.0 speech-dispatcher pulseaudio pulseaudio-utils)
if [ -n "$refresh" ]; then
  step "Bringing the $suite root up to date"
  in_root apt-get "${apt_options[@]}" update -q
  in_root apt-get "${apt_options[@]}" full-upgrade -y -q > "$out_dir/apt-upgrade.log" 2>&1 \
    || { tail -n 30 "$out_dir/apt-upgrade.log"; exit 1; }
fi
step "Packages for the build and the checks"
install_packages() {
  in_root apt-get "${apt_options[@]}" install -y -q "${packages[@]}" \
    > "$out_dir/apt-install.log" 2>&1
}
if ! install_packages; then
  # A package added since the root was made may need newer lists.
  in_root apt-get "${apt_options[@]}" update -q
  install_packages || { tail -n 30 "$out_dir/apt-install.log"; exit 1; }
fi
in_root apt-get clean
[ -z "$refresh" ] || touch "$stamp"
[ -z "$root_only" ] || { step "The root is ready"; exit 0; }

# --- the checks, on a fresh copy of the sources ----------------------------------------------
step "Sources into the root"
rm -rf "$root/kartak/src" "$root/kartak/build"
mkdir -p "$root/kartak/src"
# The working tree as it is, uncommitted changes included, without build folders.
(cd "$here/.." && git ls-files -z --cached --others --exclude-standard \
  | tar --null --ignore-failed-read -cf - -T -) | tar -xf - -C "$root/kartak/src"
status=0
in_root env KARTAK_SYSTEMS_OFFSET=$((SECONDS - start)) \
  bash /kartak/src/tools/check-systems.sh --in-root "$extra_checks" 2>&1 \
  | tee "$out_dir/check.log" || status=$?
echo "Logs, screenshots and the package: $out_dir ($((SECONDS - start)) s in all)"
exit "$status"
