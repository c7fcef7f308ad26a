#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need;
# `install-deps.sh bench` adds what the benchmark needs, `install-deps.sh lint`
# the linters.
# Idempotent: does nothing when every package is already there.
set -euo pipefail

packages=(
  make cmake googletest
  g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 wine32:i386 fonts-wine
  libgl1:i386 libgl1-mesa-dri:i386 libglx-mesa0:i386 libgl1 libgl1-mesa-dri libglx-mesa0
  xvfb xauth x11-utils xdotool imagemagick
)
case "${1:-}" in
  bench) packages+=(gnuplot-nox) ;;
  lint) packages+=(clang-format clang-tidy cppcheck git) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages: ${missing[*]}" >&2
  echo "Install them as root:  sudo $0" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
