# Sourced by the GUI scripts that read what Logodex's windows show through
# help_window_probe.exe (needs bin set to the folder that holds it).
#   probe TITLE_PART                 what the windows whose title holds it show
#   wait_probe TITLE_PART PATTERN    that, asked again for up to 30 s until a
#                                    line matches the grep pattern (a busy
#                                    program answers the probe late, and the
#                                    probe then prints nothing of it); prints
#                                    the last answer either way
probe() { wine "$bin/help_window_probe.exe" "$1" 2>/dev/null | tr -d '\r'; }
wait_probe() {
  local out
  for _ in $(seq 1 60); do
    out=$(probe "$1") && printf '%s\n' "$out" | grep -q -- "$2" && { printf '%s\n' "$out"; return 0; }
    sleep 0.5
  done
  printf '%s\n' "$out"
  return 1
}
