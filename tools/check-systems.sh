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
# (ctest, offscreen), runs the weapon-row test once more with only fonts-liberation visible and
# once with only fonts-dejavu-core, starts the program under Xvfb and photographs its windows with
# a generated character carrying the longest weapon names (with each font set), builds the
# Debian package and runs lintian on it (errors and warnings fail). Look at the screenshots in
# OUT_DIR: no text clipped, no weapon name reaching its number columns.
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

# The part that runs inside the root is this same script, started there by chroot.
if [ "${1:-}" = "--in-root" ]; then
  shift
  exec bash "$here/check-systems-in-root.sh" "$@"
fi

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
  if ! debootstrap --variant=minbase "$suite" "$root" "$mirror" > "$out_dir/debootstrap.log" 2>&1; then
    tail -n 30 "$out_dir/debootstrap.log"
    echo "debootstrap failed" >&2
    exit 1
  fi
  echo "deb $mirror $suite main" > "$root/etc/apt/sources.list"
  if [ "$suite" != sid ]; then
    echo "deb $mirror $suite-updates main" >> "$root/etc/apt/sources.list"
    echo "deb ${mirror%/debian}/debian-security $suite-security main" >> "$root/etc/apt/sources.list"
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
if ! in_root apt-get "${apt_options[@]}" install -y -q "${packages[@]}" > "$out_dir/apt-install.log" 2>&1; then
  # A package added since the root was made may need newer lists.
  in_root apt-get "${apt_options[@]}" update -q
  in_root apt-get "${apt_options[@]}" install -y -q "${packages[@]}" > "$out_dir/apt-install.log" 2>&1 \
    || { tail -n 30 "$out_dir/apt-install.log"; exit 1; }
fi
in_root apt-get clean
[ -z "$refresh" ] || touch "$stamp"
[ -z "$root_only" ] || { step "The root is ready"; exit 0; }
