#!/usr/bin/env bash
# A person's input the whole way: X key and mouse events through xdotool
# reach Logodex under Wine. Types "ma" into the Pinyin field, presses
# Enter and expects the pane titled "Pinyin: MA"; types 4e00 into the
# Unicode field; opens the KangXi radicals from the menu bar by keyboard.
#   real_input_test.sh BIN_DIR
set -u
bin=$1
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
cp "$bin/TotalStrokeOrdered.txt" "$bin/unihan.txt" "$work/"
shots="$bin/gui-artefacts"
mkdir -p "$shots"

fail() { echo "FAILED: $*"; import -window root "$shots/real-input-failure.png" 2>/dev/null; exit 1; }
wait_title() {
  for _ in $(seq 1 150); do
    xdotool search --name "$1" 2>/dev/null | head -n 1 && return 0
    sleep 0.2
  done
  return 1
}

(cd "$work" && exec wine "$bin/Logodex.exe") >/dev/null 2>&1 &

# Two windows are titled Logodex: the main window and the search bar; the
# search bar is the small one.
main="" bar=""
for _ in $(seq 1 150); do
  for w in $(xdotool search --name '^Logodex$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    if [ "$HEIGHT" -lt 150 ]; then bar=$w; else main=$w; fi
  done
  [ -n "$main" ] && [ -n "$bar" ] && break
  sleep 0.2
done
[ -n "$main" ] && [ -n "$bar" ] || fail "the main window and the search bar did not appear"
sleep 1

eval "$(xdotool getwindowgeometry --shell "$bar")"
bar_x=$X bar_y=$Y bar_w=$WIDTH bar_h=$HEIGHT
# The fields lie on one row in the lower half of the bar; the Pinyin field
# first (its left 2% to 13% of the width), then Unicode (16% to 27%).
field_y=$((bar_y + bar_h * 60 / 100))
xdotool mousemove $((bar_x + bar_w * 7 / 100)) $field_y click 1
sleep 0.3
xdotool type --delay 80 ma
xdotool key Return
wait_title '^Pinyin: MA$' >/dev/null || fail "no pane titled 'Pinyin: MA' after typing ma and Enter"
import -window root "$shots/real-input-pinyin.png"

xdotool mousemove $((bar_x + bar_w * 21 / 100)) $field_y click 1
sleep 0.3
xdotool type --delay 80 4e00
xdotool key Return
wait_title '^Unicode: 4E00$' >/dev/null || fail "no pane titled 'Unicode: 4E00' after typing 4e00 and Enter"
import -window root "$shots/real-input-unicode.png"

# The menu bar with the mouse: its items stand on one row below the
# caption, "KangXi Radicals" second, "Chinese Font Size" third.
eval "$(xdotool getwindowgeometry --shell "$main")"
menu_y=$((Y + 32))
xdotool mousemove $((X + 135)) $menu_y click 1
wait_title '^KangXi Radicals$' >/dev/null || fail "the menu bar did not open the KangXi radicals"
import -window root "$shots/real-input-radicals.png"

# "Chinese Font Size": Smallest (the last item, one up from the top), then
# the pop-up once more for a screenshot that shows its check mark.
xdotool mousemove $((X + 230)) $menu_y click 1
sleep 0.5
xdotool key Up Return
sleep 0.5
xdotool mousemove $((X + 230)) $menu_y click 1
sleep 0.5
import -window root "$shots/real-input-font-size.png"
xdotool key Escape Escape
echo "real input: the pinyin, unicode and menu steps all answered"
