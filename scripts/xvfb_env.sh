# Sourced by the scripts that need an X display: start_xvfb [WIDTHxHEIGHT]
# gives one (the present DISPLAY when it answers, else a new Xvfb of that
# size, by default 1280x1024), stop_xvfb ends the one it started.
XVFB_PID=""

start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n
  for n in $(seq 90 120); do
    # A lock whose server has ended is stale: Xvfb takes its number over.
    [ -e "/tmp/.X$n-lock" ] && kill -0 "$(tr -d ' ' <"/tmp/.X$n-lock")" 2>/dev/null && continue
    Xvfb ":$n" -screen 0 "${1:-1280x1024}x24" -nolisten tcp >/dev/null 2>&1 &
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
