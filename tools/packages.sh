# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the tools: installs the Debian packages that are missing, asking apt-get only then.
#   ensure_packages cmake g++ qt6-base-dev ...
ensure_packages() {
  local missing=() p sudo=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# What every build of the program needs.
KARTAK_BUILD_PACKAGES=(cmake g++ make gzip qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
                       libgl-dev fonts-liberation)
