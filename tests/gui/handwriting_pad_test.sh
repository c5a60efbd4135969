#!/usr/bin/env bash
# The handwriting pad as a person uses it, with real mouse drags through X
# (xdotool): opened with the search bar's Handwriting button, 人, 木 and 瞧
# (17 strokes) drawn stroke by stroke along the medians of
# hanzi-writer-data 2.0.1 (the accuracy test's stroke files,
# tests/handwriting/stroke_data.sh), each found among the ten candidates,
# clicked, and its character page in the pane; Copy reference puts 瞧's
# reference on the clipboard; F6 comes round to the pad and Escape closes
# it; the menu item opens it again with its strokes, where the keyboard
# alone shows the second candidate's page and copies it. On the bare display
# also a damaged model in the working folder: told once, the pad says that
# handwriting is unavailable. The pad's controls are read with
# help_window_probe.exe. Screenshots: bin/gui-artefacts/handwriting-MODE-*.png.
#   handwriting_pad_test.sh SOURCE_DIR BIN_DIR bare|managed
set -u
src=$1 bin=$2 mode=$3
# The candidates are read and named as UTF-8 characters.
export LC_ALL=C.UTF-8
. "$src/tests/gui/managed_display.sh"
start_display "$mode" "$src" "$bin"
source "$src/tests/gui/x_session.sh" "$bin" "handwriting-$mode"
[ "$mode" = managed ] && trap 'wineserver -k 2>/dev/null; stop_managed_display; rm -rf "$work"' EXIT
strokes="$bin/../handwriting-strokes"
bash "$src/tests/handwriting/stroke_data.sh" "$strokes" >/dev/null || fail "the stroke data could not be made"

shot() { import -window root "$shots/handwriting-$mode-$1.png"; }
. "$src/tests/gui/window_probe.sh"
# The first line of what the windows titled $1 show that holds the grep
# pattern $2, with the pattern taken off; empty after 30 s without it.
probe_line() { wait_probe "$1" "$2" | grep -m 1 -- "$2" | sed "s/$2//"; }
# The centre of the button of that text in the pad.
button_at() { probe_line Handwriting "^button: $1 at "; }
shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
wait_shown() {
  for _ in $(seq 1 100); do shown "$1" && return 0; sleep 0.2; done
  return 1
}
wait_hidden() {
  for _ in $(seq 1 50); do shown "$1" || return 0; sleep 0.2; done
  return 1
}
# Opens the pad with the menu bar's fourth item, by keyboard from a click
# on the main window's status bar: Unihan Preface, KangXi Radicals,
# Components, Handwriting.
main_click() {
  eval "$(xdotool getwindowgeometry --shell "$main")"
  xdotool mousemove $((X + WIDTH / 3)) $((Y + HEIGHT - 10)) click 1
  sleep 0.5
}
menu_pad() {
  main_click
  keys alt Right Right Right Return
}
# The ink area's inside on the screen (its frame is 2 pixels wide).
ink_area() {
  read -r ink_l ink_t ink_r ink_b <<<"$(probe_line Handwriting '^area: LogodexInkArea at ')"
  [ -n "${ink_b:-}" ] || fail "the pad shows no drawing area"
  ink_l=$((ink_l + 2)) ink_t=$((ink_t + 2)) ink_w=$((ink_r - ink_l - 2)) ink_h=$((ink_b - ink_t - 2))
}
# Draws the character of code point $1 from its stroke file, one drag per
# stroke, its points (in a 300-pixel square) scaled into the area.
draw() {
  local file stroke args point
  file=$(ls "$strokes"/level*/"$1".txt 2>/dev/null | head -n 1)
  [ -n "$file" ] || fail "no stroke file for $1"
  tail -n +2 "$file" | while read -r stroke; do
    args=() first=1
    for point in $stroke; do
      args+=(mousemove $((ink_l + ${point%,*} * ink_w / 300)) $((ink_t + ${point#*,} * ink_h / 300)) sleep 0.02)
      [ "$first" = 1 ] && args+=(mousedown 1) first=0
    done
    xdotool "${args[@]}" mouseup 1
    sleep 0.3
  done
}
# Draws the character, expects it among the candidates after as many
# strokes as its file holds, clicks it and expects its page in the pane.
find_drawn() {
  local code=$1 character=$2 count at pad
  draw "$code"
  count=$(($(grep -c . "$(ls "$strokes"/level*/"$code".txt | head -n 1)") - 1))
  sleep 1
  wait_probe Handwriting "^static: Handwriting: $count strokes, 10 candidates$" >/dev/null ||
    fail "$character: the pad does not say $count strokes and 10 candidates: $(probe Handwriting | grep static)"
  pad=$(probe Handwriting)
  at=$(printf '%s\n' "$pad" | sed -n "s/^button: $character at //p" | head -n 1)
  shot "$code"
  [ -n "$at" ] || fail "$character is not among the candidates: $(printf '%s\n' "$pad" | grep button | tr '\n' ' ')"
  xdotool mousemove $at click 1
  wait_title "^Character: $character U[+]$code\$" >/dev/null ||
    fail "a click on $character did not show the page 'Character: $character U+$code'"
  sleep 1
  shot "$code-page"
}

start_logodex
# For its first three seconds on the screen the program sets its windows'
# stacking again and again (Wine without a window manager raises the main
# window once the display reports it mapped); a pad opened meanwhile was
# once put below the pane, and the drags drew on the page.
sleep 3
at=$(probe_line Logodex '^button: Hand&writing at ')
[ -n "$at" ] || fail "the search bar has no Handwriting button"
xdotool mousemove $at click 1
pad=$(wait_title '^Handwriting$') || fail "the search bar's button did not open the pad"
wait_shown '^Handwriting$' || fail "the pad did not come on the screen"
sleep 1
shot open
ink_area
clear_at=$(button_at "C&lear")
[ -n "$clear_at" ] || fail "the pad shows no Clear button"

find_drawn 4EBA 人
xdotool mousemove $clear_at click 1
sleep 0.5
find_drawn 6728 木
xdotool mousemove $clear_at click 1
sleep 0.5
find_drawn 77A7 瞧

# Copy reference takes the candidate clicked last. On the bare display a
# click on the main window first, which leaves the pad above it: Copy
# reference, over the main window, still takes the next click. A window
# manager raises the main window with the windows it owns in an order of
# its own (openbox on a loaded machine put the pane above the pad and gave
# it the focus), so there the pad is clicked as it stands.
[ "$mode" = bare ] && main_click
copy_at=$(button_at "&Copy reference")
[ -n "$copy_at" ] || fail "the pad shows no Copy reference button"
xdotool mousemove $copy_at click 1
wait_title '^Definition etc\.$' >/dev/null || fail "Copy reference showed no 'Definition etc.' box"
keys Return
expect_clipboard " &#x77A7;" "Copy reference after 瞧"

# A click on the pad between the square and the candidates, then F6 three
# times: the search bar, the pane and the pad again, where Escape closes it.
xdotool mousemove $((ink_l + 10)) $((ink_b + 3)) click 1
sleep 0.5
keys F6 F6 F6 Escape
wait_hidden '^Handwriting$' || fail "F6 three times from the pad and Escape left the pad open"
shown '^Logodex$' || fail "the search bar or the main window went"
menu_pad
wait_shown '^Handwriting$' || fail "the menu item did not open the pad again"
sleep 0.5
wait_probe Handwriting '^static: Handwriting: 17 strokes, 10 candidates$' >/dev/null ||
  fail "the pad opened again without its strokes"
shot reopened
# The keyboard alone: Alt+N to the first candidate, Tab to the second,
# Space shows its page, Alt+C copies its reference.
second=$(wait_probe Handwriting '^button: . at ' | sed -n 's/^button: \(.\) at .*/\1/p' | sed -n 2p)
[ -n "$second" ] || fail "the pad shows no second candidate"
code=$(printf '%04X' "'$second")
keys alt+n Tab space
wait_title "^Character: $second U[+]$code\$" >/dev/null || fail "Alt+N, Tab and Space did not show the second candidate $second"
keys alt+c
wait_title '^Definition etc\.$' >/dev/null || fail "Alt+C showed no 'Definition etc.' box"
keys Return
expect_clipboard " &#x$code;" "Alt+C on the second candidate $second"

if [ "$mode" = bare ]; then
  # The next start must not reach the server that is going away.
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  printf 'not a model' >"$work/handwriting-ja.model"
  start_logodex
  menu_pad
  wait_title '^Handwriting models$' >/dev/null || fail "a damaged model was not told"
  wait_probe 'Handwriting models' '^static: The file handwriting-ja\.model is damaged (not a handwriting model)$' >/dev/null ||
    fail "the box does not name the damaged model: $(probe 'Handwriting models')"
  keys Return
  wait_shown '^Handwriting$' || fail "the pad did not open after the damaged model's box"
  sleep 0.5
  shot unavailable
  wait_probe Handwriting '^static: Handwriting is unavailable' >/dev/null || fail "the pad does not say handwriting is unavailable"
  keys Escape
  menu_pad
  wait_shown '^Handwriting$' || fail "the pad did not open a second time"
  sleep 1
  shown '^Handwriting models$' && fail "the damaged model was told twice"
fi
echo "handwriting pad ($mode): 人, 木 and 瞧 drawn, found and shown; Copy reference, F6, Escape and the menu item answered"
