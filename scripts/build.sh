#!/usr/bin/env bash
# Builds the native tree (build/native), the native tree under ASan+UBSan
# (build/asan), the Windows tree (build/windows: for 32-bit Windows, or for
# 64-bit Windows on a machine that runs no 32-bit programs, as
# scripts/windows_arch.sh tells) and the clang tree of the fuzz targets
# (build/fuzz). The Windows tree takes its generated data from
# build/native.
#   scripts/build.sh [native|asan|windows|fuzz]...   (default: all four)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
trees=("$@")
[ ${#trees[@]} -gt 0 ] || trees=(native asan windows fuzz)

# A compiler cache, where the machine has one, shares objects between
# trees and checkouts (paths are taken relative to the checkout's parent).
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$top")}"
fi

configure() {
  local dir=$1; shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@" >/dev/null
  fi
}

. "$top/scripts/windows_arch.sh"

for tree in "${trees[@]}"; do
  echo "build: $tree"
  case $tree in
    native)
      configure "$top/build/native"
      cmake --build "$top/build/native" -j "$jobs" ;;
    asan)
      configure "$top/build/asan" -DLOGODEX_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
      cmake --build "$top/build/asan" -j "$jobs" ;;
    windows)
      [ -f "$top/build/native/data/unihan.txt" ] || "$0" native
      arch=$(windows_arch)
      # A tree configured for the other architecture is built afresh.
      if [ -f "$top/build/windows/CMakeCache.txt" ] &&
         ! grep -q "toolchain-mingw-$arch.cmake" "$top/build/windows/CMakeCache.txt"; then
        rm -rf "$top/build/windows"
      fi
      "$top/scripts/build_zinnia.sh" "$arch"
      configure "$top/build/windows" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw-$arch.cmake" \
        -DLOGODEX_DATA_DIR="$top/build/native/data"
      cmake --build "$top/build/windows" -j "$jobs" ;;
    fuzz)
      CC=clang CXX=clang++ configure "$top/build/fuzz" -DLOGODEX_FUZZ=ON
      cmake --build "$top/build/fuzz" -j "$jobs" ;;
    *) echo "build: unknown tree $tree" >&2; exit 2 ;;
  esac
done
