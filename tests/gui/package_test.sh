#!/usr/bin/env bash
# The packages as people get them, in the test's Wine prefix: packs this
# Windows tree, installs with
# "Logodex-VERSION-setup.exe /S", checks the Apps & Features entry, makes
# the installed folder read-only (a bind mount, as Program Files is for a
# normal user; root is needed), lets package_gui_test.exe start Logodex
# from its Start-menu shortcut and search, uninstalls with
# "Uninstall.exe /S" and checks that nothing is left; then unpacks the zip
# into a fresh folder and runs the same search there.
#   package_test.sh BIN_DIR SOURCE_DIR
set -u
bin=$1
top=$2
work=$(mktemp -d)
mounted=""
cleanup() {
  if [ -n "$mounted" ]; then umount "$mounted" 2>/dev/null || umount -l "$mounted"; fi
  rm -rf "$work"
}
trap cleanup EXIT
failed=0
fail() { echo "package test FAILED: $*"; failed=1; }
winpath() { local p=$1; echo "Z:${p//\//\\}"; }

bash "$top/scripts/package.sh" --tree "$bin/.." --out "$work/packages" >/dev/null ||
  { echo "package test FAILED: scripts/package.sh"; exit 1; }
setup=$(ls "$work"/packages/Logodex-*-setup.exe)
zip=$(ls "$work"/packages/Logodex-*-win32.zip)
version=${setup##*/Logodex-}
version=${version%-setup.exe}

wine "$setup" /S
wineserver -w
dir=""
for candidate in "$WINEPREFIX/drive_c/Program Files (x86)/Logodex" "$WINEPREFIX/drive_c/Program Files/Logodex"; do
  [ -f "$candidate/Logodex.exe" ] && dir=$candidate
done
[ -n "$dir" ] || { echo "package test FAILED: setup.exe /S installed no Logodex.exe under Program Files"; exit 1; }
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Logodex'
# The registry view of the installer: 32-bit, or 64-bit for the 64-bit
# build of a machine that runs no 32-bit programs.
view=/reg:32
grep -q 'toolchain-mingw-x86_64.cmake' "$bin/../CMakeCache.txt" && view=/reg:64
entry=$(wine reg query "$key" "$view" 2>/dev/null | tr -d '\r')
for value in "DisplayVersion.*$version" "Publisher.*The Logodex developers" "EstimatedSize.*0x[1-9a-f]" "QuietUninstallString.*/S"; do
  grep -q "$value" <<<"$entry" || fail "the Apps & Features entry lacks $value"
done

# A read-only mount left by a run that was killed would make this run
# install into, and fail to uninstall from, a folder it cannot write.
while grep -qF " $(sed 's/ /\\040/g' <<<"$dir") " /proc/self/mountinfo; do umount "$dir" || break; done
mount --bind "$dir" "$dir" && mounted=$dir && mount -o remount,bind,ro "$dir" ||
  { echo "package test FAILED: the installed folder cannot be made read-only (root is needed)"; exit 1; }
(cd "$bin" && LOGODEX_VERSION=$version wine package_gui_test.exe --gtest_filter='*InstalledCopy*') || failed=1
# The copy started from the shortcut runs in its folder until Wine has let
# it go; unmounting before that finds the folder busy, and the uninstaller
# would then meet the read-only mount and leave everything behind.
wineserver -w
for try in 1 2 3 4 5 6 7 8 9 10; do
  umount "$dir" 2>/dev/null && break
  [ "$try" = 10 ] && { fuser -vm "$dir" 2>&1 | sed 's/^/package test: holds the mount: /'; umount -l "$dir"; }
  sleep 1
done
mounted=""
touch "$dir/.writable" && rm "$dir/.writable" ||
  { echo "package test FAILED: $dir is still read-only after its mount was undone"; exit 1; }

wine "$dir/Uninstall.exe" /S
wineserver -w
[ ! -e "$dir" ] || fail "the uninstaller left $(ls -A "$dir" | tr '\n' ' ') in $dir"
find "$WINEPREFIX/drive_c" -iname 'Logodex.lnk' | grep -q . && fail "the uninstaller left the Start-menu shortcut"
wine reg query "$key" "$view" >/dev/null 2>&1 && fail "the uninstaller left the Apps & Features entry"
find "$WINEPREFIX/drive_c/users" -ipath '*AppData/Local/Logodex' | grep -q . && fail "the uninstaller left the user's page folder"

mkdir "$work/unpacked"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$work/unpacked"
(cd "$bin" && LOGODEX_UNPACKED=$(winpath "$work/unpacked/Logodex-$version") \
  wine package_gui_test.exe --gtest_filter='*UnpackedZip*') || failed=1
[ "$failed" = 0 ] && echo "package test: Logodex $version installed, run, uninstalled and unpacked"
exit "$failed"
