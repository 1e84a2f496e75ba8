#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Skips apt entirely when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git python3
  qt6-base-dev qt6-translations-l10n libqt6svg6 libgl-dev
  libpng-dev zlib1g-dev
  libx11-dev libx11-xcb-dev libxcb1-dev libxi-dev libxrandr-dev libxtst-dev
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb icewm xdotool x11-utils x11-xserver-utils imagemagick fonts-liberation
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
