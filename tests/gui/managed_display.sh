# Sourced by the GUI scripts that run in both window setups: for the
# managed one, a virtual display of its own under openbox and a Wine
# prefix of its own in Wine's managed mode, as on a Linux desktop.
#   start_managed_display SOURCE_DIR BIN_DIR   (sets wm_pid and WINEPREFIX)
#   stop_managed_display
#   start_display MODE SOURCE_DIR BIN_DIR      (managed: as above; bare: the
#                                               test's display and prefix)
start_managed_display() {
  command -v openbox >/dev/null || { echo "FAILED: openbox is not installed (scripts/setup.sh)"; exit 1; }
  . "$1/scripts/xvfb_env.sh"
  unset DISPLAY
  start_xvfb || { echo "FAILED: no virtual display"; exit 1; }
  openbox --sm-disable >/dev/null 2>&1 &
  wm_pid=$!
  for _ in $(seq 1 300); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { echo "FAILED: openbox did not start"; exit 1; }
  export WINEPREFIX="$(cd "$2/.." && pwd)/wineprefix-managed"
  . "$1/scripts/wine_env.sh"
  ensure_wine_prefix managed
}
stop_managed_display() {
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null
  stop_xvfb
}
start_display() {
  if [ "$1" = managed ]; then
    start_managed_display "$2" "$3"
  else
    [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 || { echo "FAILED: no display"; exit 1; }
    . "$2/scripts/wine_env.sh"
  fi
}
