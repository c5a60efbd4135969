#!/usr/bin/env bash
# The windows as a person uses them, with X keyboard and mouse input
# (xdotool), judged from the X display's stacking and kept as screenshots
# in bin/gui-artefacts/window-MODE-*.png:
#   1. resize smaller and back, Stroke Number 1, the insert link of 4E00,
#      the box closed; KangXi Radicals; About: the search bar and the pane
#      stay above the main window and the search bar takes typing;
#   2. the preface viewer stays above the main window after a click on it,
#      and the menu item brings it to the front again;
#   3. minimise hides the search bar and the pane, restore brings them
#      back at their places;
#   4. ZHUANG typed into the Pinyin field searches ZHUANG;
#   5. the Unihan boxes of 4E00, 2A3D and the empty key fit the screen;
#   6. with a window manager: the frames offer what the window styles
#      offer, and the stacking among the owned windows is as on Windows;
#   7. at start the keyboard focus is in the editor: text typed before
#      any click is there.
#
#   window_test.sh SOURCE_DIR BIN_DIR bare
#       on the display and Wine prefix the test command provides (no
#       window manager: Wine draws the frames)
#   window_test.sh SOURCE_DIR BIN_DIR managed
#       on a virtual display of its own under openbox, in a Wine prefix of
#       its own in Wine's managed mode, as on a Linux desktop
set -u
src=$1 bin=$2 mode=$3
shots="$bin/gui-artefacts"
mkdir -p "$shots"
work=$(mktemp -d)
wm_pid=""

cleanup() {
  wineserver -k 2>/dev/null
  [ "$mode" = managed ] && stop_managed_display
  rm -rf "$work"
}
trap cleanup EXIT

. "$src/tests/gui/managed_display.sh"
start_display "$mode" "$src" "$bin"

failures=0
shot() { import -window root "$shots/window-$mode-$1.png"; }
fail() { echo "FAILED ($mode): $*"; failures=$((failures + 1)); shot "failure-$failures"; }

# The first window whose title matches, waiting up to 30 s; empty if none.
wait_title() {
  local w
  for _ in $(seq 1 150); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.2
  done
  return 1
}
wait_gone() {
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

# Sets X Y WIDTH HEIGHT of a window, on the screen (xdotool's own answer
# is off for a window that a window manager has reparented).
geometry() {
  local info
  info=$(xwininfo -id "$1")
  X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  WIDTH=$(sed -n 's/^ *Width: *//p' <<<"$info")
  HEIGHT=$(sed -n 's/^ *Height: *//p' <<<"$info")
}

viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
wait_viewable() {
  for _ in $(seq 1 50); do
    viewable "$1" && return 0
    sleep 0.2
  done
  return 1
}

# The top-level windows from the bottom of the stacking to its top: the
# window manager's list of its clients, else the root window's children.
stacking() {
  if [ "$mode" = managed ]; then
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,/\n/g' | while read -r id; do printf '%d\n' "$id"; done
  else
    # xwininfo lists the children from the top down.
    xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p' | tac | while read -r id; do printf '%d\n' "$id"; done
  fi
}
place_of() { stacking | grep -n -x "$1" | cut -d: -f1; }

# above NAME A NAME B: window A is viewable and stands above window B.
expect_above() {
  local a b
  a=$(place_of "$2") b=$(place_of "$4")
  if ! viewable "$2"; then fail "$5: the $1 is not on the screen"; return; fi
  [ -n "$a" ] && [ -n "$b" ] && [ "$a" -gt "$b" ] || fail "$5: the $1 is below the $3 (places $a, $b)"
}
owned_above_main() {
  expect_above "search bar" "$bar" "main window" "$main" "$1"
  expect_above "pane" "$pane" "main window" "$main" "$1"
  shot "$1"
}

# A click on the main window where nothing covers it: its status bar (a
# click on the caption would start a move under a window manager).
main_click() {
  geometry "$main"
  xdotool mousemove $((X + WIDTH / 3)) $((Y + HEIGHT - 10)) click 1
  sleep 0.5
}
# A menu bar item by keyboard: Alt opens the bar at its first item.
menu_item() {
  main_click
  xdotool key alt
  sleep 0.3
  [ "$1" -gt 0 ] && xdotool key --delay 150 $(printf 'Right %.0s' $(seq 1 "$1"))
  xdotool key Return
  sleep 0.5
}
# A field of the seven on the search bar's first row, by its place in the
# row, in % of the width. The row is found in the drawn bar (the added
# kinds' fields stand on rows below it): the first run of twelve white
# pixel rows, a field's inside, down the field's column, once, while the
# fields are still empty (a key's letters would break the run).
field_row=""
field_click() {
  geometry "$bar"
  local column=$((WIDTH * $1 / 100)) row=$field_row
  [ -n "$row" ] || { import -window "$bar" "$work/bar.png"; row=$(convert "$work/bar.png" -crop "1x${HEIGHT}+${column}+0" +repage txt:- |
        awk -F'[,: ]+' '/#FFFFFF/ {if ($2 == last + 1) run++; else {run = 1; first = $2}; last = $2;
                                   if (run == 12) {print first + 4; exit}}'); }
  [ -n "$row" ] || { fail "no field drawn in the search bar at $1% of its width"; exit 1; }
  field_row=$row
  xdotool mousemove $((X + column)) $((Y + row)) click 1
  sleep 0.3
}
search() {  # search FIELD% TEXT
  field_click "$1"
  xdotool key ctrl+a BackSpace
  [ -n "$2" ] && xdotool type --delay 60 "$2"
  xdotool key Return
}

cp "$bin/TotalStrokeOrdered.txt" "$bin/unihan.txt" "$work/"
(cd "$work" && exec wine "$bin/Logodex.exe") >/dev/null 2>&1 &

# Two windows are titled Logodex: the main window and the search bar, the
# small one.
main="" bar=""
for _ in $(seq 1 150); do
  for w in $(xdotool search --onlyvisible --name '^Logodex$' 2>/dev/null); do
    geometry "$w"
    if [ "$HEIGHT" -lt 150 ]; then bar=$w; else main=$w; fi
  done
  [ -n "$main" ] && [ -n "$bar" ] && break
  sleep 0.2
done
[ -n "$main" ] && [ -n "$bar" ] || { fail "the main window and the search bar did not appear"; exit 1; }
sleep 1

# --- 7. Typed at start, before any click: the text reaches the main
# window's editor (which shows no area of its own), as Ctrl+A and Ctrl+C,
# the editor's own keys, tell through the clipboard; in the pane they
# would copy the page. (Wine hands the editor's copy to X with its
# terminating NUL and bytes beyond it: the text is what stands before.)
echo -n "" | xclip -selection clipboard
xdotool type --delay 80 focus
xdotool key --delay 120 ctrl+a ctrl+c
sleep 0.5
typed=$(xclip -o -selection clipboard 2>/dev/null | tr '\0' '\n' | head -n 1)
[ "$typed" = focus ] || fail "text typed at start did not reach the editor (the clipboard holds '${typed:0:40}')"

# --- 6. Under the window manager the frames are those the window styles
# define, drawn by Wine: the manager adds none (no boxes the styles lack).
if [ "$mode" = managed ]; then
  for w in "$main" "$bar"; do
    extents=$(xprop -id "$w" _NET_FRAME_EXTENTS | sed 's/.*= //')
    [ "$extents" = "0, 0, 0, 0" ] || fail "the window manager framed window $w ($extents)"
  done
fi

# --- 1. Resize smaller and back by the frame's bottom-right corner.
geometry "$main"
main_w=$WIDTH
corner_x=$((X + WIDTH - 2)) corner_y=$((Y + HEIGHT - 2))
# A drag at a person's pace: a window manager takes it over once the
# button is down.
drag() {
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.5
  xdotool mousemove $(( ($1 + $3) / 2 )) $(( ($2 + $4) / 2 ))
  sleep 0.3
  xdotool mousemove "$3" "$4"
  sleep 0.5
  xdotool mouseup 1
  sleep 0.5
}
drag "$corner_x" "$corner_y" $((corner_x - 200)) $((corner_y - 150))
geometry "$main"
[ "$WIDTH" -lt "$main_w" ] || fail "the drag did not make the main window smaller ($WIDTH x $HEIGHT)"
drag $((corner_x - 200)) $((corner_y - 150)) "$corner_x" "$corner_y"
geometry "$main"
[ "$WIDTH" = "$main_w" ] || fail "the drag did not make the main window as large as before ($WIDTH x $HEIGHT)"

search 88 1
pane=$(wait_title '^TotalStroke: 1 ') || { fail "no Stroke Number page"; exit 1; }
if [ "$mode" = managed ]; then
  extents=$(xprop -id "$pane" _NET_FRAME_EXTENTS | sed 's/.*= //')
  [ "$extents" = "0, 0, 0, 0" ] || fail "the window manager framed the pane ($extents)"
fi
sleep 1
owned_above_main "1-stroke-page"
# The insert link of 4E00 is the page's first link, drawn in #0000EE.
geometry "$pane"
import -window root "$work/page.png"
link=$(convert "$work/page.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage txt:- | grep -m1 -i '#0000EE' | cut -d: -f1)
if [ -z "$link" ]; then
  fail "no link on the Stroke Number page"
else
  xdotool mousemove $((X + ${link%,*} + 1)) $((Y + ${link#*,} + 1)) click 1
  box=$(wait_title '^Definition etc\.$') || fail "no Definition etc. box after the 4E00 link"
  shot "1-definition-box"
  [ -n "$box" ] && xdotool key Return
  wait_gone '^Definition etc\.$' || fail "the Definition etc. box did not close"
  sleep 1
fi
owned_above_main "1-after-definition-box"

menu_item 1
wait_title '^KangXi Radicals$' >/dev/null || fail "KangXi Radicals did not open"
sleep 0.5
owned_above_main "1-after-radicals"

# About is the seventh item: Unihan Preface, KangXi Radicals, Components,
# Handwriting, Chinese Font Size, Help (F1), About, Quit.
menu_item 6
about=$(wait_title '^About$') || fail "About did not open"
[ -n "$about" ] && xdotool key Return
wait_gone '^About$' || fail "About did not close"
sleep 0.5
owned_above_main "1-after-about"

# --- 4. The whole syllable, typed into the Pinyin field after all that.
search 7 zhuang
wait_title '^Pinyin: ZHUANG$' >/dev/null || fail "typing zhuang did not give the pane 'Pinyin: ZHUANG'"
sleep 0.5
# 装 U+88C5 and 庄 U+5E84 read zhuang1 (kMandarin in Unihan_Readings).
for code in 88C5 5E84; do
  grep -q "insert$code" "$work/HtmlRadicalSearch.htm" || fail "the ZHUANG page lacks U+$code"
done
shot "4-zhuang"

# --- 2. The preface viewer after a click on the main window.
menu_item 0
viewer=$(wait_title '^Unihan Preface$') || fail "Unihan Preface did not open"
sleep 0.5
main_click
sleep 0.5
if [ -n "$viewer" ]; then
  expect_above "preface viewer" "$viewer" "main window" "$main" "2-after-click"
  expect_above "preface viewer" "$viewer" "search bar" "$bar" "2-after-click"
  expect_above "preface viewer" "$viewer" "pane" "$pane" "2-after-click"
  owned_above_main "2-after-click"
  # The pane clicked where the viewer leaves it uncovered (its bottom
  # right), then the menu item again: the viewer in front once more.
  geometry "$pane"
  xdotool mousemove $((X + WIDTH - 60)) $((Y + HEIGHT - 60)) click 1
  sleep 0.5
  expect_above "pane" "$pane" "preface viewer" "$viewer" "2-pane-clicked"
  shot "2-pane-clicked"
  menu_item 0
  sleep 0.5
  expect_above "preface viewer" "$viewer" "search bar" "$bar" "2-chosen-again"
  expect_above "preface viewer" "$viewer" "pane" "$pane" "2-chosen-again"
  shot "2-chosen-again"
  # Its close box, the last button of its caption.
  geometry "$viewer"
  xdotool mousemove $((X + WIDTH - 14)) $((Y + 12)) click 1
  wait_gone '^Unihan Preface$' || fail "the preface viewer did not close"
fi

# --- 3. Minimise and restore.
geometry "$bar"
bar_x=$X bar_y=$Y
main_click
# Wine's caption buttons, right to left: close, maximise, minimise.
geometry "$main"
xdotool mousemove $((X + WIDTH - 52)) $((Y + 12)) click 1
sleep 1
shot "3-minimised"
viewable "$bar" && fail "the search bar is on the screen while the main window is minimised"
viewable "$pane" && fail "the pane is on the screen while the main window is minimised"
if [ "$mode" = managed ]; then
  # What a task bar does for a click on the program's button.
  for _ in 1 2 3; do
    xdotool windowactivate "$main" 2>/dev/null
    wait_viewable "$main" && break
  done
else
  # The minimised window is a caption at the bottom of the screen with
  # the same buttons, restore in the place of minimise.
  geometry "$main"
  xdotool mousemove $((X + WIDTH - 52)) $((Y + 12)) click 1
fi
wait_viewable "$main" || fail "the main window was not restored"
wait_viewable "$bar"
sleep 1
geometry "$bar"
[ "$X" = "$bar_x" ] && [ "$Y" = "$bar_y" ] || fail "after restore the search bar is at $X,$Y, not $bar_x,$bar_y"
owned_above_main "3-restored"

# --- 5. The Unihan boxes fit the screen.
screen=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*x[0-9]*\) pixels.*/\1/p')
screen_w=${screen%x*} screen_h=${screen#*x}
for key in 4e00 2a3d ""; do
  search 62 "$key"
  caption="Unihan: $(tr a-z A-Z <<<"$key")"
  box=$(wait_title "^${caption}\$") || { fail "no box '$caption'"; continue; }
  sleep 0.5
  geometry "$box"
  [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((Y + HEIGHT)) -le "$screen_h" ] && [ $((X + WIDTH)) -le "$screen_w" ] ||
    fail "the box '$caption' ($WIDTH x $HEIGHT at $X,$Y) does not fit the screen"
  shot "5-unihan-${key:-empty}"
  xdotool key Return
  wait_gone "^${caption}\$" || fail "Enter did not close the box '$caption'"
done

[ "$failures" -eq 0 ] || { echo "window test ($mode): $failures failures"; exit 1; }
echo "window test ($mode): every sequence kept the windows in view"
