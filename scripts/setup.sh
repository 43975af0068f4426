#!/usr/bin/env bash
# Installs what building, running and testing Kälviö needs on Debian 12.
# Does nothing when everything is already there.
set -euo pipefail

packages=(
    cmake g++ make
    qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools qt6-translations-l10n libgl-dev
    xvfb xauth xdotool x11-utils fonts-dejavu-core dbus at-spi2-core python3-pyatspi
    clang libclang-rt-14-dev
    desktop-file-utils appstream dpkg-dev lintian
    pkgconf libxlsxwriter-dev libminizip-dev libzint-dev poppler-utils zbar-tools python3-openpyxl imagemagick
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "setup: run as root or install sudo" >&2; exit 1; }
    sudo=sudo
fi
echo "setup: installing ${missing[*]}"
$sudo apt-get update -q
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
