#!/usr/bin/env bash
# Makes a fresh Debian 12 machine ready to build and test Logodex. Run as
# root (or with sudo available); installs only what is missing; safe to run
# again.
set -euo pipefail

packages=(
  cmake g++ make pkg-config googletest libgtest-dev libbz2-dev bzip2 clang libclang-rt-14-dev
  g++-mingw-w64-i686 wine wine32 xvfb xauth x11-utils xdotool xclip imagemagick fonts-wine fonts-liberation fonts-dejavu-core fonts-droid-fallback fonts-hanazono fonts-babelstone-han fonts-nanum openbox
  cups printer-driver-cups-pdf poppler-utils libcups2:i386 ghostscript python3
  halibut man-db
  nsis desktop-file-utils psmisc
  libzinnia-dev tegaki-zinnia-simplified-chinese tegaki-zinnia-japanese dpkg-dev
)
# npm fetches the handwriting tests' stroke data; a machine with its own
# Node.js (which brings npm) keeps it.
command -v npm >/dev/null || packages+=(npm)

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# A mirror caught mid-sync serves an index whose size does not match its
# Release file; a later try usually finds it whole again.
update_lists() {
  local try
  for try in 1 2 3 4 5; do
    if sudo_if_needed apt-get update -q; then
      return 0
    fi
    [ "$try" -eq 5 ] && break
    echo "setup: apt-get update failed (try $try of 5); trying again in $((try * 15)) s" >&2
    sleep $((try * 15))
  done
  # A mirror that went back to an older release than the one already cached
  # fails every try for an index the newer release names (seen: the i386
  # index of the security suite, after which the i386 and amd64 versions of
  # one library no longer match). Lists fetched afresh agree with each other.
  echo "setup: apt-get update failed 5 times; fetching every list afresh" >&2
  local kept
  kept=$(mktemp -d)
  sudo_if_needed cp -a /var/lib/apt/lists/. "$kept/"
  sudo_if_needed find /var/lib/apt/lists -maxdepth 1 -type f ! -name lock -delete
  if sudo_if_needed apt-get update -q; then
    sudo_if_needed rm -rf "$kept"
    return 0
  fi
  echo "setup: apt-get update failed on fresh lists too; installing from the old lists" >&2
  sudo_if_needed cp -a "$kept/." /var/lib/apt/lists/
  sudo_if_needed rm -rf "$kept"
  return 1
}

# Installs those of the packages that are missing.
install_missing() {
  local missing=() p status
  for p in "$@"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$p")
  done
  if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: every package is installed"
    return 0
  fi

  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture (for Wine's 32-bit part)"
    sudo_if_needed dpkg --add-architecture i386
  fi
  # apt-get installs all of the packages or none of them: a failed install
  # leaves the machine as it was.
  local updated=yes
  update_lists || updated=no
  if ! sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"; then
    [ "$updated" = no ] && echo "setup: apt-get update kept failing (a mirror mid-sync?), and" >&2
    echo "setup: apt-get install failed; nothing was installed. Missing: ${missing[*]}" >&2
    return 1
  fi
  [ "$updated" = no ] && echo "setup: apt-get update had failed for some index, but every package installed" >&2
  echo "setup: done"
}

install_missing "${packages[@]}" || exit 1
# A machine whose kernel runs no 32-bit programs cannot start Wine's 32-bit
# part: there the Windows tree is built and tested for 64-bit Windows.
. "$(dirname "$0")/windows_arch.sh"
if [ "$(windows_arch)" = x86_64 ]; then
  echo "setup: this machine runs no 32-bit programs; the Windows tests use a 64-bit build"
  install_missing wine64 g++-mingw-w64-x86-64 || exit 1
fi
