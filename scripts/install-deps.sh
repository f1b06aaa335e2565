#!/usr/bin/env bash
# Installs every Debian package that building, testing and generating the resources need.
# Idempotent: packages already present are left alone, so a second run does nothing.
set -euo pipefail

packages=(
  build-essential cmake make pkg-config
  clang libclang-rt-dev
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libsdl2-ttf-dev
  libvorbis-dev libogg-dev
  libgtest-dev libbenchmark-dev
  fonts-crosextra-carlito fonts-comfortaa
  xvfb xdotool libgl1-mesa-dri libx11-dev libxdamage-dev imagemagick strace
  file dpkg-dev desktop-file-utils appstream lintian valgrind
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null 2>&1; then
  echo "Missing packages: ${missing[*]}"
  echo "apt-get was not found: install them with your system's package manager, then run make again."
  exit 1
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then sudo=(sudo); else
    echo "Missing packages: ${missing[*]}"
    echo "Run this script as root (or install sudo) to install them."
    exit 1
  fi
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
