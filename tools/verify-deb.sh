#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that the Debian package installs and starts on a fresh Debian 12 (bookworm):
#   sudo tools/verify-deb.sh [-c CACHE_DIR] [-o OUT_DIR] [-r] [PACKAGE.deb]
#
#   PACKAGE.deb  default: the newest build-release/kartak2_*.deb (tools/kartak.sh package)
#   -c DIR       where the bare bookworm root is kept between runs (default /var/tmp/kartak2-deb-root);
#                DIR/base is made once with debootstrap, DIR/root is a fresh copy for every run
#   -o DIR       where the screenshots and logs go (default /tmp/kartak2-verify-deb)
#   -r           let apt install the package's Recommends too; by default they are left out, so the
#                package's Depends alone have to bring everything the program needs
#   MIRROR, SECURITY_MIRROR (environment) override the Debian mirrors
#
# First it runs lintian on the package (any error or warning fails the check) and validates the
# AppStream metadata (appstreamcli validate --no-net; the --pedantic hints are shown). In the
# copied root it installs the package with apt (which resolves its Depends), checks the installed
# files, the icons and the desktop entry (desktop-file-validate) and --version, then starts the
# program under Xvfb three times as an ordinary user: from /, from the home folder, and as the
# desktop entry's Exec from /tmp. Each time the main menu must be the only window (no error box)
# and the program must have reported no error; a screenshot is taken after four seconds.
# Last it starts a sound server (PulseAudio with a silent sink), opens the character window with
# the keyboard, generates a character and checks that its sound reached the server.
# Look at the screenshots: the main menu must show its picture and its Czech texts, the character
# window a generated sheet.
# Exits 0 when every check passed. Needs root (debootstrap, chroot, mounts) and the network to
# reach the Debian mirror; it is a release check, not a test for CI.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cache_dir=/var/tmp/kartak2-deb-root
out_dir=/tmp/kartak2-verify-deb
recommends=--no-install-recommends
mirror=${MIRROR:-http://deb.debian.org/debian}
security_mirror=${SECURITY_MIRROR:-http://deb.debian.org/debian-security}

usage() {
  sed -n '3,11p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

while getopts "c:o:rh" opt; do
  case "$opt" in
    c) cache_dir=$OPTARG ;;
    o) out_dir=$OPTARG ;;
    r) recommends= ;;
    *) usage ;;
  esac
done
shift $((OPTIND - 1))
[ $# -le 1 ] || usage

if [ $# -eq 1 ]; then
  deb=$1
else
  deb=$(ls -t "$here"/../build-release/kartak2_*.deb 2>/dev/null | head -n 1 || true)
fi
[ -n "$deb" ] && [ -f "$deb" ] || { echo "no package found; build one with tools/kartak.sh package" >&2; exit 2; }
deb=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")

[ "$(id -u)" -eq 0 ] || { echo "run as root (debootstrap, chroot and mounts need it)" >&2; exit 2; }

# Everything below runs in a mount namespace of its own: the mounts made for the chroot disappear
# with it, whatever way the script ends.
if [ -z "${KARTAK_VERIFY_NS:-}" ]; then
  export KARTAK_VERIFY_NS=1
  cache_dir=$(mkdir -p "$cache_dir" && cd "$cache_dir" && pwd)
  out_dir=$(mkdir -p "$out_dir" && cd "$out_dir" && pwd)
  args=(-c "$cache_dir" -o "$out_dir")
  [ -n "$recommends" ] || args+=(-r)
  exec unshare --mount --propagation private "$0" "${args[@]}" "$deb"
fi

base=$cache_dir/base
root=$cache_dir/root
mkdir -p "$out_dir"
exec 9> "$cache_dir/.lock"
flock -n 9 || { echo "another check is using $cache_dir" >&2; exit 1; }
failures=0

step() { printf '\n== %s\n' "$*"; }
pass() { printf 'ok   %s\n' "$*"; }
fail() { printf 'FAIL %s\n' "$*"; failures=$((failures + 1)); }
# Commands run in the root through chroot and env, which both exec: a command started in the
# background as "${as_root[@]}" ... & has the program's own process id in $!.
as_root=(chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8
         DEBIAN_FRONTEND=noninteractive)
in_root() { "${as_root[@]}" "$@"; }

# --- the bare bookworm root, made once --------------------------------------------------------
if [ ! -f "$base/.kartak2-base-ready" ]; then
  step "Making a bare Debian 12 root in $base"
  command -v debootstrap >/dev/null || {
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends debootstrap
  }
  rm -rf "$base"
  if ! debootstrap --variant=minbase bookworm "$base" "$mirror" > "$out_dir/debootstrap.log" 2>&1; then
    tail -n 30 "$out_dir/debootstrap.log"
    echo "debootstrap failed" >&2
    exit 1
  fi
  cat > "$base/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security_mirror bookworm-security main
EOF
  touch "$base/.kartak2-base-ready"
fi

# --- a fresh copy for this run ----------------------------------------------------------------
if findmnt -rn -o TARGET | grep -q "^$root\(/\|\$\)"; then
  echo "something is still mounted under $root; unmount it first" >&2
  exit 1
fi
for p in /proc/[0-9]*; do
  if [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ]; then
    echo "process ${p#/proc/} still runs inside $root from an earlier run; end it first" >&2
    exit 1
  fi
done
step "Copying the bare root to $root"
rm -rf "$root"
cp -a "$base" "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"

pids=()
cleanup() {
  local pid p
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  sleep 1
  # Whatever still runs inside this root was started here too: end it, so that nothing is left
  # running once the root is gone.
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -9 "${p#/proc/}" 2>/dev/null
  done
  for m in dev/shm dev/pts dev proc; do
    mountpoint -q "$root/$m" && umount "$root/$m"
  done
  return 0
}
trap cleanup EXIT
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
mount -t tmpfs -o mode=1777 shm "$root/dev/shm"

# --- install ----------------------------------------------------------------------------------
step "The package"
ls -l "$deb"
dpkg-deb -f "$deb" Package Version Section Installed-Size Depends Recommends

# lintian and appstreamcli run here, on the host's Debian 12.
source "$here/packages.sh"
ensure_packages lintian appstream
step "lintian $(lintian --version | sed 's/^Lintian v//')"
# Its remark that it runs as root goes to standard error, not into the findings.
if lintian --fail-on error,warning --display-info "$deb" > "$out_dir/lintian.log"; then
  pass "lintian: no errors or warnings ($(grep -c '^[IPX]: ' "$out_dir/lintian.log" || true) hints)"
else
  fail "lintian:"
fi
cat "$out_dir/lintian.log"

step "AppStream metadata"
extract=$(mktemp -d)
dpkg-deb -x "$deb" "$extract"
metainfo=$(ls "$extract"/usr/share/metainfo/*.metainfo.xml 2>/dev/null | head -n 1 || true)
if [ -z "$metainfo" ]; then
  fail "no metainfo file in /usr/share/metainfo"
elif appstreamcli validate --no-net "$metainfo" > "$out_dir/appstream.log" 2>&1; then
  pass "appstreamcli validate --no-net $(basename "$metainfo")"
else
  fail "appstreamcli validate $(basename "$metainfo")"
fi
cat "$out_dir/appstream.log"
if [ -n "$metainfo" ]; then
  echo "-- appstreamcli validate --pedantic:"
  appstreamcli validate --no-net --pedantic "$metainfo" 2>&1 || true
  id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo" | head -n 1)
  [ -f "$extract/usr/share/applications/$id.desktop" ] \
    && pass "the desktop entry is named after the metadata's ID: $id.desktop" \
    || fail "no desktop entry /usr/share/applications/$id.desktop"
fi
rm -rf "$extract"

step "apt-get install ${recommends:+$recommends }./$(basename "$deb")"
in_root apt-get update -q
in_root dpkg-query -W -f='${Package}\n' | sort > "$out_dir/packages-before.txt"
cp "$deb" "$root/tmp/"
if in_root apt-get install -y -q $recommends "/tmp/$(basename "$deb")" > "$out_dir/apt-install.log" 2>&1; then
  pass "installed"
else
  tail -n 30 "$out_dir/apt-install.log"
  fail "apt-get install"
  exit 1
fi
in_root dpkg-query -W -f='${Package}\n' | sort > "$out_dir/packages-after.txt"
echo "$(comm -13 "$out_dir/packages-before.txt" "$out_dir/packages-after.txt" | wc -l) packages" \
  "came with it (list in $out_dir/packages-added.txt)"
comm -13 "$out_dir/packages-before.txt" "$out_dir/packages-after.txt" > "$out_dir/packages-added.txt"

step "Installed files"
program=/usr/games/kartak2
datadir=/usr/share/games/kartak2
[ -x "$root$program" ] && pass "$program" || fail "$program is missing or not executable"
for f in version.ktd about.ktd Beta.ktd tips.ktd Problem.wav Success.wav; do
  [ -f "$root$datadir/$f" ] && pass "$datadir/$f" || fail "$datadir/$f is missing"
done
entry=/usr/share/applications/cz.kartak2.Kartak2.desktop
for f in $entry /usr/share/metainfo/cz.kartak2.Kartak2.metainfo.xml /usr/share/doc/kartak2/copyright \
         /usr/share/doc/kartak2/changelog.Debian.gz /usr/share/man/man6/kartak2.6.gz; do
  [ -f "$root$f" ] && pass "$f" || fail "$f is missing"
done

step "Shared libraries and Qt plugins resolve"
qtplugins=/usr/lib/x86_64-linux-gnu/qt6/plugins
for lib in $program /usr/lib/kartak2/modules/kartak2-audio.so \
           /usr/lib/kartak2/modules/kartak2-print.so $qtplugins/platforms/libqxcb.so \
           $qtplugins/multimedia/*.so; do
  if [ ! -e "$root$lib" ]; then
    fail "$lib is missing"
  elif missing=$(in_root ldd "$lib" | grep "not found"); then
    fail "$lib lacks: $missing"
  else
    pass "$lib"
  fi
done
in_root fc-match "Liberation Sans" | grep -q "Liberation" && pass "font: $(in_root fc-match 'Liberation Sans')" \
  || fail "Liberation Sans is not installed"

# Only now the tools for the check, so that they cannot bring in something the program lacks.
step "Tools for the check: xvfb xdotool imagemagick desktop-file-utils"
in_root apt-get install -y -q --no-install-recommends xvfb xdotool imagemagick \
  desktop-file-utils > "$out_dir/apt-tools.log" 2>&1 || { tail -n 30 "$out_dir/apt-tools.log"; exit 1; }

step "Desktop entry and icons"
cat "$root$entry"
if out=$(in_root desktop-file-validate "$entry" 2>&1); then
  pass "desktop-file-validate${out:+ (hints: $out)}"
else
  fail "desktop-file-validate: $out"
fi
for size in 16 22 24 32 48 64 128 256 512; do
  [ -f "$root/usr/share/icons/hicolor/${size}x${size}/apps/kartak2.png" ] \
    || fail "/usr/share/icons/hicolor/${size}x${size}/apps/kartak2.png is missing"
done
# Whatever sizes the package holds, each picture is as large as its folder says.
icons=$(cd "$root" && find usr/share/icons/hicolor -name 'kartak2.png' | sort)
[ -n "$icons" ] || fail "no icons in /usr/share/icons/hicolor"
for icon in $icons; do
  size=$(basename "$(dirname "$(dirname "$icon")")")
  case "$size" in # 48x48@2 holds 96x96 pictures
    *@2) side=${size%%x*}; size="$((side * 2))x$((side * 2))" ;;
  esac
  got=$(in_root identify -format '%m %wx%h' "/$icon" 2>/dev/null || echo unreadable)
  [ "$got" = "PNG $size" ] && pass "/$icon ($got)" || fail "/$icon is $got"
done

step "kartak2 --version, with no display"
if version=$(in_root env PATH=/usr/games:/usr/bin:/bin kartak2 --version 2>&1); then
  [ "$version" = "kartak2 $(head -n 1 "$root$datadir/version.ktd" | tr -d '\r')" ] \
    && pass "$version" || fail "--version printed '$version'"
else
  fail "kartak2 --version failed: $version"
fi

# --- start it as an ordinary user under Xvfb --------------------------------------------------
in_root useradd --create-home --shell /bin/sh player
uid=$(in_root id -u player)
in_root install -d -o player -g player -m 0700 /tmp/runtime-player

step "Starting Xvfb"
: > "$out_dir/xvfb.log"
"${as_root[@]}" Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
  3> "$out_dir/display" > "$out_dir/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
  [ -s "$out_dir/display" ] && break
  sleep 0.2
done
display=:$(head -n 1 "$out_dir/display" 2>/dev/null)
[ "$display" != ":" ] || { cat "$out_dir/xvfb.log"; fail "Xvfb did not start"; exit 1; }
pass "Xvfb on $display"

as_player=(chroot --userspec="$uid:$uid" "$root" env -i PATH=/usr/games:/usr/bin:/bin LANG=C.UTF-8
           HOME=/home/player USER=player LOGNAME=player XDG_RUNTIME_DIR=/tmp/runtime-player
           DISPLAY="$display")
xdo() { in_root env DISPLAY="$display" xdotool "$@"; }
screenshot() {
  in_root env DISPLAY="$display" import -window root "/tmp/$1.png"
  cp "$root/tmp/$1.png" "$out_dir/$1.png"
}
# Waits up to ten seconds for a visible window whose title is exactly $1; prints its id.
find_window() {
  local id
  for _ in $(seq 20); do
    id=$(xdo search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.5
  done
  return 1
}
stop() {
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# start_and_look NAME COMMAND...: starts the program, waits past the splash, checks that it still
# runs with its main window shown, takes a screenshot and ends it.
start_and_look() {
  local name=$1
  shift
  step "Starting by $name: $*"
  "${as_player[@]}" "$@" > "$out_dir/$name.log" 2>&1 &
  local pid=$!
  pids+=("$pid")
  sleep 4
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" && status=0 || status=$?
    cat "$out_dir/$name.log"
    fail "$name: the program ended within four seconds (status $status)"
    return
  fi
  pass "$name: still running after four seconds"
  local w
  if w=$(find_window 'Karták II'); then
    pass "$name: main window '$(xdo getwindowname "$w")'" \
      "$(xdo getwindowgeometry "$w" | tail -n 2 | tr -s ' \n' ' ')"
  else
    fail "$name: no visible window named 'Karták II'"
  fi
  # An error box has the program's title too, and while it waits for its OK the main menu is
  # not shown yet: the one window shown must be the main menu, by its size.
  local windows size
  windows=$(xdo search --onlyvisible --name '.' 2>/dev/null | wc -l)
  size=$(xdo getwindowgeometry "${w:-0}" 2>/dev/null | sed -n 's/.*Geometry: //p')
  if [ "$windows" -eq 1 ] && [ "$size" = "467x279" ]; then
    pass "$name: the main menu (467x279) is the only window, no error box"
  else
    fail "$name: $windows window(s) shown, the first ${size:-of no size}; an error box?"
  fi
  if grep -q '^Karták II: ' "$out_dir/$name.log"; then
    fail "$name: the program showed an error box: $(grep '^Karták II: ' "$out_dir/$name.log")"
  else
    pass "$name: no error reported"
  fi
  screenshot "$name"
  local colours
  colours=$(in_root convert "/tmp/$name.png" -format '%k' info:)
  if [ "$colours" -gt 64 ]; then
    pass "$name: screenshot $out_dir/$name.png ($colours colours)"
  else
    fail "$name: screenshot $out_dir/$name.png has only $colours colours; is the picture missing?"
  fi
  stop "$pid"
  if [ -s "$out_dir/$name.log" ]; then
    echo "-- what the program printed:"
    cat "$out_dir/$name.log"
  fi
}

# The program finds its data from any folder it is started in.
start_and_look from-root sh -c "cd / && exec kartak2"
start_and_look from-home sh -c 'cd "$HOME" && exec kartak2'

# The desktop entry's way: its Exec, with any field codes (%f, %U ...) dropped, found in PATH
# and started in a folder of the launcher's choosing; the entry names no working folder.
exec_line=$(sed -n 's/^Exec=//p' "$root$entry" | head -n 1 | sed 's/ *%[a-zA-Z]//g')
if grep -q '^Path=' "$root$entry"; then
  fail "the desktop entry names a working folder: $(grep '^Path=' "$root$entry")"
fi
if [ -n "$exec_line" ]; then
  start_and_look desktop-entry sh -c "cd /tmp && exec $exec_line"
else
  fail "the desktop entry lacks Exec"
fi

# --- a generation, with its sound through a sound server -------------------------------------
# A desktop has a sound server; here a PulseAudio with a silent sink stands in for it. The
# character window opens from the main menu (Alt+G), Enter generates a character, which plays a
# sound: the server must see the program open a stream for it.
step "A generation with sound: pulseaudio with a null sink"
in_root apt-get install -y -q --no-install-recommends pulseaudio pulseaudio-utils \
  > "$out_dir/apt-pulse.log" 2>&1 || { tail -n 30 "$out_dir/apt-pulse.log"; exit 1; }
"${as_player[@]}" pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes \
  --load=module-null-sink --load=module-native-protocol-unix > "$out_dir/pulseaudio.log" 2>&1 &
pids+=($!)
for _ in $(seq 20); do
  "${as_player[@]}" pactl info > /dev/null 2>&1 && break
  sleep 0.5
done
"${as_player[@]}" pactl subscribe > "$out_dir/pulse-events.log" 2>&1 &
events_pid=$!
pids+=("$events_pid")
"${as_player[@]}" kartak2 > "$out_dir/generation.log" 2>&1 &
pid=$!
pids+=("$pid")
if main=$(find_window 'Karták II'); then
  sleep 2
  xdo windowfocus --sync "$main" 2>/dev/null || true
  xdo key alt+g
  if character=$(find_window 'Generování postavy'); then
    pass "character window '$(xdo getwindowname "$character")' opened"
    xdo windowfocus --sync "$character" 2>/dev/null || true
    sleep 1
    streams_before=$(grep -c "'new' on sink-input" "$out_dir/pulse-events.log" || true)
    xdo key Return
    sleep 2
    screenshot generation
    pass "screenshot $out_dir/generation.png"
    streams_after=$(grep -c "'new' on sink-input" "$out_dir/pulse-events.log" || true)
    if [ "$streams_after" -gt "$streams_before" ]; then
      pass "the generation played its sound (a stream opened on the sound server)"
    else
      fail "no sound stream opened on the generation; see $out_dir/pulse-events.log"
    fi
  else
    fail "Alt+G did not open the character window"
  fi
else
  fail "the main window did not show"
fi
kill -0 "$pid" 2>/dev/null && pass "still running after the generation" \
  || fail "the program ended during the generation"
stop "$pid"
stop "$events_pid"
if [ -s "$out_dir/generation.log" ]; then
  echo "-- what the program printed:"
  cat "$out_dir/generation.log"
fi

step "Result"
if [ "$failures" -eq 0 ]; then
  echo "all checks passed; look at $out_dir/from-root.png, $out_dir/from-home.png," \
    "$out_dir/desktop-entry.png and $out_dir/generation.png"
  exit 0
fi
echo "$failures check(s) failed; logs and screenshots in $out_dir"
exit 1
