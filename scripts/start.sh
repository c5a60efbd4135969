#!/usr/bin/env bash
# Sets up the machine, builds Logodex and starts it under Wine. On a desktop
# the desktop's window manager frames and stacks its windows (Wine's managed
# mode; the prefix is WINEPREFIX, else build/wineprefix-desktop). Without a
# display it proves the program starts: a virtual X display without a
# window manager (the bare mode, in the prefix build/wineprefix), the
# program, the KangXi radicals page, a screenshot logodex-screen.png, then
# it closes the program and exits 0.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

"$top/scripts/setup.sh"
"$top/scripts/build.sh" native windows

run_dir="$top/build/windows/bin"
exe="$run_dir/Logodex.exe"
[ -f "$exe" ] || { echo "start: $exe was not built" >&2; exit 1; }
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 && [ -z "${CI:-}" ]; then
  export WINEPREFIX="${WINEPREFIX:-$top/build/wineprefix-desktop}"
  . "$top/scripts/wine_env.sh"
  ensure_wine_prefix managed
  cd "$run_dir"
  exec wine Logodex.exe
fi

export WINEPREFIX="$top/build/wineprefix"
. "$top/scripts/wine_env.sh"
. "$top/scripts/xvfb_env.sh"
start_xvfb || { echo "start: no virtual X display could be started" >&2; exit 1; }
trap stop_xvfb EXIT
ensure_wine_prefix bare
cd "$run_dir"
wine Logodex.exe >/dev/null 2>&1 &

# Two windows are titled Logodex: the main window and the search bar; the
# main window is the tall one.
window=""
for _ in $(seq 1 300); do
  for w in $(xdotool search --onlyvisible --name '^Logodex$' 2>/dev/null || true); do
    HEIGHT=0
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null || true)"
    [ "$HEIGHT" -ge 150 ] && window=$w
  done
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "start: the main window did not appear" >&2; exit 1; }
echo "start: the main window is up"

# "KangXi Radicals", the menu bar's second item, clicked as a person would:
# the menu bar runs along the top of the window below its caption.
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window" 2>/dev/null || true)"
xdotool mousemove $((X + 135)) $((Y + 32)) click 1
for _ in $(seq 1 50); do
  xdotool search --name '^KangXi Radicals$' >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 1
import -window root "$top/logodex-screen.png"
echo "start: screenshot saved as $top/logodex-screen.png"

xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool key --window "$window" alt+F4 2>/dev/null || true
for _ in $(seq 1 50); do
  xdotool search --name '^Logodex$' >/dev/null 2>&1 || break
  sleep 0.2
done
wineserver -k 2>/dev/null || true
echo "start: Logodex closed"
