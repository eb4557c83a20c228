#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the game and the tests need
# and is not on this machine yet. Safe to run again: it does nothing when all is there.
set -euo pipefail

PACKAGES=(
    build-essential cmake pkg-config git
    libsdl1.2-dev libsdl-ttf2.0-dev libsdl-image1.2-dev libphysfs-dev libcurl4-openssl-dev
    zlib1g-dev libpng-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev libpixman-1-dev valgrind
    clang libclang-rt-14-dev
    xvfb xauth xdotool x11-apps imagemagick python3 zip unzip
    dpkg-dev file desktop-file-utils
    fonts-dejavu-core fonts-liberation2 fonts-freefont-ttf fonts-comic-neue fonts-linuxlibertine
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
