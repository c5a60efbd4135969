#!/usr/bin/env bash
# Installs Logodex for the user who runs it, to be started from the
# desktop's menu: the program's files (packaging/shipped-files.txt, from a
# built Windows tree) in ~/.local/share/logodex/program, a launcher that
# starts it there under Wine in a prefix of its own
# (~/.local/share/logodex/wineprefix, set up as scripts/start.sh sets up
# its desktop prefix: the desktop's window manager, Wine's frames, the
# Chinese font links), the program's icon and a desktop entry.
#   scripts/install-linux.sh [--bin BIN_DIR]   install (default build/windows/bin)
#   scripts/install-linux.sh --remove          remove all of it again
# XDG_DATA_HOME, when set, stands for ~/.local/share.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}
home="$data/logodex"
entry="$data/applications/logodex.desktop"
icon="$data/icons/hicolor/48x48/apps/logodex.png"
bin="$top/build/windows/bin"
action=install
while [ $# -gt 0 ]; do
  case $1 in
    --bin) bin=$2; shift 2 ;;
    --remove) action=remove; shift ;;
    *) echo "install-linux: unknown argument $1 (use --bin DIR or --remove)" >&2; exit 2 ;;
  esac
done

refresh_menu() {
  command -v update-desktop-database >/dev/null && update-desktop-database "$data/applications" 2>/dev/null || true
}

if [ "$action" = remove ]; then
  rm -rf "$home"
  rm -f "$entry" "$icon"
  refresh_menu
  echo "install-linux: Logodex removed"
  exit 0
fi

mapfile -t files < <(sed -e 's/\r$//' -e '/^#/d' -e '/^[[:space:]]*$/d' "$top/packaging/shipped-files.txt")
for file in "${files[@]}"; do
  [ -f "$bin/$file" ] || { echo "install-linux: $bin/$file is missing: build the Windows tree first (scripts/build.sh native windows)" >&2; exit 1; }
done
mkdir -p "$home/program" "$(dirname "$entry")" "$(dirname "$icon")"
for file in "${files[@]}"; do cp "$bin/$file" "$home/program/$file"; done
cp "$top/scripts/wine_env.sh" "$top/scripts/windows_arch.sh" "$home/"
cat >"$home/logodex" <<'LAUNCHER'
#!/usr/bin/env bash
# Starts Logodex under Wine in its own prefix, with the desktop's window
# manager; the prefix is made on the first start.
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="$here/wineprefix"
. "$here/wine_env.sh"
ensure_wine_prefix managed >/dev/null
cd "$here/program"
exec wine Logodex.exe
LAUNCHER
chmod +x "$home/logodex"
# The icon's 48 by 48 picture, the third of the three it holds.
convert "$top/resources/logodex.ico[2]" "$icon"
cat >"$entry" <<ENTRY
[Desktop Entry]
Type=Application
Name=Logodex
GenericName=Chinese Character Finder
Comment=Find Chinese (Han) characters by pinyin, code point, radical and strokes or English word
Exec="$home/logodex"
Icon=logodex
Terminal=false
Categories=Office;Dictionary;
Keywords=Chinese;Hanzi;Unihan;Pinyin;
ENTRY
refresh_menu
echo "install-linux: Logodex installed: $entry starts $home/logodex"
