#!/usr/bin/env bash
# Makes the packages of Logodex: Logodex-VERSION-win32.zip (unpack anywhere
# and run) and Logodex-VERSION-setup.exe (an NSIS installer), holding the
# files that packaging/shipped-files.txt lists.
#   scripts/package.sh [--out DIR]
#       from clean native and Windows builds of their own (build/package),
#       into DIR (default build/packages)
#   scripts/package.sh --tree WINDOWS_BUILD_DIR [--out DIR]
#       from what a built Windows tree holds in its bin/ (the build target
#       "packages" does this)
# The same sources give the same bytes: the packed files carry the time of
# the last commit (or SOURCE_DATE_EPOCH), in a fixed order and with fixed
# attributes; the builds write no time or checkout path into the program.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
tree=""
out="$top/build/packages"
while [ $# -gt 0 ]; do
  case $1 in
    --tree) tree=$(cd "$2" && pwd); shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) echo "package: unknown argument $1 (use --tree DIR, --out DIR)" >&2; exit 2 ;;
  esac
done
command -v makensis >/dev/null || { echo "package: makensis is missing (Debian package nsis; scripts/setup.sh installs it)" >&2; exit 1; }

if [ -z "$tree" ]; then
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$top")}"
  fi
  clean="$top/build/package"
  rm -rf "$clean"
  echo "package: clean builds in $clean"
  cmake -S "$top" -B "$clean/native" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
  cmake --build "$clean/native" -j "$(nproc)" >/dev/null
  "$top/scripts/build_zinnia.sh" i686
  cmake -S "$top" -B "$clean/windows" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw-i686.cmake" -DLOGODEX_DATA_DIR="$clean/native/data" >/dev/null
  cmake --build "$clean/windows" -j "$(nproc)" >/dev/null
  tree="$clean/windows"
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$tree/CMakeCache.txt")
[ -n "$version" ] || { echo "package: no project version in $tree/CMakeCache.txt" >&2; exit 1; }
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct 2>/dev/null || echo 315532800)}
mapfile -t files < <(sed -e 's/\r$//' -e '/^#/d' -e '/^[[:space:]]*$/d' "$top/packaging/shipped-files.txt")

name="Logodex-$version"
work="$out/.work"
rm -rf "$work"
mkdir -p "$work/$name"
for file in "${files[@]}"; do
  [ -f "$tree/bin/$file" ] || { echo "package: $tree/bin/$file is missing (packaging/shipped-files.txt lists it)" >&2; exit 1; }
  cp "$tree/bin/$file" "$work/$name/$file"
  touch -d "@$epoch" "$work/$name/$file"
done

zip="$out/$name-win32.zip"
python3 - "$zip" "$work" "$name" "$epoch" "${files[@]}" <<'PYTHON'
import sys, time, zipfile
path, work, name, epoch, files = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4]), sys.argv[5:]
when = time.gmtime(max(epoch, 315532800))[:6]
with zipfile.ZipFile(path, "w") as archive:
    folder = zipfile.ZipInfo(name + "/", when)
    folder.external_attr = (0o40755 << 16) | 0x10
    archive.writestr(folder, b"")
    for file in files:
        entry = zipfile.ZipInfo(name + "/" + file, when)
        entry.external_attr = 0o644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(work + "/" + name + "/" + file, "rb") as data:
            archive.writestr(entry, data.read(), compresslevel=9)
PYTHON

for file in "${files[@]}"; do echo "  File \"$work/$name/$file\""; done >"$work/install.nsh"
for file in "${files[@]}"; do echo "  Delete \"\$INSTDIR\\$file\""; done >"$work/uninstall.nsh"
setup="$out/$name-setup.exe"
target=()
grep -q 'toolchain-mingw-x86_64.cmake' "$tree/CMakeCache.txt" && target=(-DTARGET=amd64-unicode)
makensis -V2 "${target[@]}" -DVERSION="$version" -DSTAGE="$work/$name" -DICON="$top/resources/logodex.ico" \
  -DOUTFILE="$setup" -DFILES="$work/install.nsh" -DUNFILES="$work/uninstall.nsh" "$top/packaging/logodex.nsi"
rm -rf "$work"
echo "package: $version"
(cd "$out" && sha256sum "$name-win32.zip" "$name-setup.exe")
