#!/usr/bin/env bash
# Installs everything Glyphwerk needs to build, run and test on Debian 12.
# Safe to run again: apt-get skips what is already installed.
# The tests call Debian's own /usr/bin/python3 (with python3-pil), never another python3 on the PATH.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev libxcb1-dev
  libjpeg62-turbo-dev libpng-dev libgif-dev libtiff-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils xdotool xclip procps
  clang libclang-rt-14-dev
  icoutils imagemagick python3-pil libjpeg-turbo-progs
  fonts-dejavu-core fonts-liberation
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
