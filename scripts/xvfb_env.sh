# Sourced by the scripts that need an X display: start_xvfb gives one (the
# present DISPLAY when it answers, else a new Xvfb), stop_xvfb ends the one
# it started.
XVFB_PID=""

start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
  done
  return 1
}

stop_xvfb() {
  if [ -n "$XVFB_PID" ]; then
    wineserver -k 2>/dev/null || true
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}
