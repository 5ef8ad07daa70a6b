#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Idempotent: does nothing when everything is already there.
set -euo pipefail

packages=(
  cmake make g++ g++-mingw-w64-x86-64 googletest clang libclang-rt-14-dev llvm lld
  libz-mingw-w64-dev zlib1g-dev
  wine64 fonts-wine libcups2 libxrender1 libxrandr2 libxi6 libxcursor1
  libxcomposite1 libxinerama1
  xvfb x11-utils xdotool xclip imagemagick fonts-wqy-microhei
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  cups printer-driver-cups-pdf poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi
