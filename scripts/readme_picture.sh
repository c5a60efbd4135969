#!/usr/bin/env bash
# Makes the README's picture, docs/logodex.png, from the program as it is:
# builds it, starts it on a virtual X display without a window manager
# (Wine draws the frames), types MA into the Pinyin field, presses Enter
# and photographs the main window with its search bar and pane. Run it
# again whenever what the picture shows changes.
#   scripts/readme_picture.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

"$top/scripts/build.sh" native windows >/dev/null
run_dir="$top/build/windows/bin"
work=$(mktemp -d)
export WINEPREFIX="$top/build/wineprefix"
. "$top/scripts/wine_env.sh"
. "$top/scripts/xvfb_env.sh"
start_xvfb || { echo "readme_picture: no virtual X display could be started" >&2; exit 1; }
trap 'wineserver -k 2>/dev/null || true; stop_xvfb; rm -rf "$work"' EXIT
ensure_wine_prefix bare
cp "$run_dir/TotalStrokeOrdered.txt" "$run_dir/unihan.txt" "$work/"
(cd "$work" && exec wine "$run_dir/Logodex.exe") >/dev/null 2>&1 &

# Two windows are titled Logodex: the main window (the tall one) and the
# search bar.
main="" bar=""
for _ in $(seq 1 300); do
  for w in $(xdotool search --onlyvisible --name '^Logodex$' 2>/dev/null || true); do
    HEIGHT=0
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null || true)"
    if [ "$HEIGHT" -ge 150 ]; then main=$w; else bar=$w; fi
  done
  [ -n "$main" ] && [ -n "$bar" ] && break
  sleep 0.2
done
[ -n "$main" ] && [ -n "$bar" ] || { echo "readme_picture: the program's windows did not appear" >&2; exit 1; }
sleep 1

# F6 from the main window gives the search bar's first field, Pinyin.
xdotool windowactivate --sync "$main" 2>/dev/null || true
sleep 0.5
xdotool key F6
sleep 0.3
xdotool type --delay 80 ma
xdotool key Return
for _ in $(seq 1 150); do
  xdotool search --name '^Pinyin: MA$' >/dev/null 2>&1 && break
  sleep 0.2
done
xdotool search --name '^Pinyin: MA$' >/dev/null 2>&1 || { echo "readme_picture: no page titled 'Pinyin: MA'" >&2; exit 1; }
sleep 1.5

# The main window's frame on the screen: its search bar and pane lie
# within it.
eval "$(xdotool getwindowgeometry --shell "$main")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$top/docs/logodex.png"
echo "readme_picture: docs/logodex.png written (${WIDTH}x${HEIGHT})"
