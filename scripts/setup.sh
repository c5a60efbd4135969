#!/usr/bin/env bash
# Makes a fresh Debian 12 machine ready to build and test Logodex. Run as
# root (or with sudo available); installs only what is missing; safe to run
# again.
set -euo pipefail

packages=(
  cmake g++ make pkg-config googletest libgtest-dev libbz2-dev bzip2 clang libclang-rt-14-dev
  g++-mingw-w64-i686 wine wine32 xvfb xauth x11-utils xdotool imagemagick fonts-wine fonts-liberation fonts-droid-fallback fonts-hanazono fonts-babelstone-han openbox
  cups printer-driver-cups-pdf poppler-utils libcups2:i386 ghostscript python3
  halibut man-db
)

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: every package is installed"
  exit 0
fi

echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture (for Wine's 32-bit part)"
  sudo_if_needed dpkg --add-architecture i386
fi
sudo_if_needed apt-get update -q
sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
echo "setup: done"
