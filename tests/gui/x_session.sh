# Sourced by the GUI scripts that drive Logodex as a person does, through X
# (xdotool) under Wine: a working folder holding the data, the artefact
# folder for screenshots, the waits, and the start that finds the main
# window and the search bar.
#   source x_session.sh BIN_DIR NAME    (NAME names the failure screenshot)
bin=$1
session_name=$2
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
cp "$bin/TotalStrokeOrdered.txt" "$bin/unihan.txt" "$work/"
shots="$bin/gui-artefacts"
mkdir -p "$shots"

fail() { echo "FAILED: $*"; import -window root "$shots/$session_name-failure.png" 2>/dev/null; exit 1; }
# Prints the first window whose title matches; fails after 30 s.
wait_title() {
  local found
  for _ in $(seq 1 150); do
    found=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.2
  done
  return 1
}
gone() {
  for _ in $(seq 1 50); do
    xdotool search --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  return 1
}
keys() { xdotool key --delay 120 "$@"; sleep 0.4; }
clipboard() { xclip -o -selection clipboard 2>/dev/null; }
expect_clipboard() {
  local got
  got=$(clipboard)
  [ "$got" = "$1" ] || fail "$2: the clipboard holds '$got', not '$1'"
}
# The reference of the N-th insert link of a page file, as the box's
# clipboard text has it.
nth_reference() { grep -o 'href="insert[0-9A-F]*"' "$1" | sed -n "$2p" | sed 's/href="insert\(.*\)"/ \&#x\1;/'; }

# Starts Logodex in the working folder and sets main and bar to its two
# windows titled Logodex (the search bar is the smaller one, at any scale).
start_logodex() {
  (cd "$work" && exec wine "$bin/Logodex.exe") >/dev/null 2>&1 &
  main="" bar=""
  local w area largest=0 smallest=0
  for _ in $(seq 1 300); do
    for w in $(xdotool search --name '^Logodex$' 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$w")"
      area=$((WIDTH * HEIGHT))
      if [ "$area" -gt "$largest" ]; then largest=$area main=$w; fi
      if [ "$smallest" = 0 ] || [ "$area" -lt "$smallest" ]; then smallest=$area bar=$w; fi
    done
    [ -n "$main" ] && [ -n "$bar" ] && [ "$main" != "$bar" ] && break
    main="" bar="" largest=0 smallest=0
    sleep 0.2
  done
  [ -n "$main" ] && [ -n "$bar" ] || fail "the main window and the search bar did not appear"
  sleep 1
}
