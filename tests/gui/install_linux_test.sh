#!/usr/bin/env bash
# scripts/install-linux.sh for a user whose data folder is a fresh one:
# the desktop entry passes desktop-file-validate, starts the installed
# launcher, names the installed icon; --remove leaves nothing of Logodex.
#   install_linux_test.sh BIN_DIR SOURCE_DIR
set -u
bin=$1
top=$2
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
fail() { echo "install-linux test FAILED: $*"; exit 1; }
command -v desktop-file-validate >/dev/null || fail "desktop-file-validate is missing (Debian desktop-file-utils)"
XDG_DATA_HOME=$data bash "$top/scripts/install-linux.sh" --bin "$bin" || fail "the install failed"
entry="$data/applications/logodex.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
grep -qx "Exec=\"$data/logodex/logodex\"" "$entry" || fail "the entry does not start the installed launcher"
[ -x "$data/logodex/logodex" ] && [ -f "$data/logodex/program/Logodex.exe" ] || fail "the launcher or the program is missing"
[ "$(identify -format '%wx%h' "$data/icons/hicolor/48x48/apps/logodex.png")" = 48x48 ] || fail "no 48x48 icon"
XDG_DATA_HOME=$data bash "$top/scripts/install-linux.sh" --remove || fail "the removal failed"
left=$(find "$data" -iname '*logodex*')
[ -z "$left" ] || fail "left after --remove: $left"
echo "install-linux test: installed, validated and removed"
