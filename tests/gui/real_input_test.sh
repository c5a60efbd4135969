#!/usr/bin/env bash
# A person's input the whole way: X key and mouse events through xdotool
# reach Logodex under Wine. Types "ma" into the Pinyin field, presses
# Enter and expects the pane titled "Pinyin: MA"; types 4e00 into the
# Unicode field; types hou2 into the Reading field (Tab from the Unicode
# field past the others), clicks the insert link of its first character
# and expects the box and 好's reference on the clipboard (read through X
# with xclip); opens the KangXi radicals from the menu bar by keyboard.
#   real_input_test.sh BIN_DIR
set -u
source "$(dirname "$0")/x_session.sh" "$1" real-input
start_logodex

eval "$(xdotool getwindowgeometry --shell "$bar")"
bar_x=$X bar_y=$Y bar_w=$WIDTH bar_h=$HEIGHT
# The seven fields of the dialog lie on the bar's first row of fields (the
# added kinds' fields on rows below it); the Pinyin field first (its left
# 2% to 13% of the width), then Unicode (16% to 27%). The row is found in
# the drawn bar: the first run of eight white pixel rows (a field's
# inside) down the Pinyin field's column.
import -window "$bar" "$work/bar.png"
row=$(convert "$work/bar.png" -crop "1x${bar_h}+$((bar_w * 7 / 100))+0" +repage txt:- |
      awk -F'[,: ]+' '/#FFFFFF/ {if ($2 == last + 1) run++; else {run = 1; first = $2}; last = $2;
                                 if (run == 8) {print first + 4; exit}}')
[ -n "$row" ] || fail "no field drawn in the search bar"
field_y=$((bar_y + row))
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

# The Reading field follows the seven fields and the Character and
# Components fields in Tab order: eight Tabs from the Unicode field. The first character of hou2 is 好 (U+597D:
# python3 tests/data/common_order.py --field kCantonese hou2). Its insert
# link is the first line's second link, drawn right of the glyph in the
# link colour #0000EE: the right end of the link pixels of the first
# rows that have any.
xdotool key --delay 120 Tab Tab Tab Tab Tab Tab Tab Tab
xdotool type --delay 80 hou2
xdotool key Return
pane=$(wait_title '^Reading: hou2$') || fail "no pane titled 'Reading: hou2' after typing hou2 and Enter"
sleep 1
import -window root "$shots/real-input-reading.png"
import -window "$pane" "$work/pane.png"
link=$(convert "$work/pane.png" txt:- | awk -F'[,: ]+' '/#0000EE/ {print $2, $1}' | sort -n -k1,1 -k2,2 |
       awk 'NR > 1 && $1 > last + 2 {exit} {last = $1; if ($2 > x) {x = $2; y = $1}} END {if (x) print x - 2, y}')
[ -n "$link" ] || fail "the Reading page shows no link"
eval "$(xdotool getwindowgeometry --shell "$pane")"
read -r link_x link_y <<<"$link"
echo -n "" | xclip -selection clipboard
xdotool mousemove $((X + link_x)) $((Y + link_y)) click 1
wait_title '^Definition etc\.$' >/dev/null || fail "no 'Definition etc.' box after clicking the insert link of hou2's first character"
import -window root "$shots/real-input-reading-box.png"
xdotool key Return
sleep 0.5
got=$(xclip -o -selection clipboard 2>/dev/null)
[ "$got" = " &#x597D;" ] || fail "the clipboard holds '$got' after the insert link of 好, not ' &#x597D;'"

# The menu bar with the mouse: its items stand on one row below the
# caption, "KangXi Radicals" second, "Chinese Font Size" third.
eval "$(xdotool getwindowgeometry --shell "$main")"
menu_y=$((Y + 32))
xdotool mousemove $((X + 135)) $menu_y click 1
wait_title '^KangXi Radicals$' >/dev/null || fail "the menu bar did not open the KangXi radicals"
import -window root "$shots/real-input-radicals.png"

# "Chinese Font Size", the fifth item of the bar (Unihan Preface, KangXi
# Radicals, Components, Handwriting before it), reached from the bar's
# first item by the keyboard, since the items' places move with their
# texts: Smallest (the last item, one up from the top), then the pop-up
# once more for a screenshot that shows its check mark.
font_size_menu() { xdotool key alt; sleep 0.3; xdotool key --delay 150 Right Right Right Right Down; sleep 0.5; }
font_size_menu
xdotool key Up Return
sleep 0.5
font_size_menu
import -window root "$shots/real-input-font-size.png"
xdotool key Escape Escape
echo "real input: the pinyin, unicode, reading and menu steps all answered"
