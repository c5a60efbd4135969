#!/usr/bin/env bash
# A person without a mouse, with real X key events (xdotool key) only:
# YI in the Pinyin field, Enter, F6 to the pane, Tab three times, Enter:
# the box of the third linked character, its reference on the clipboard;
# Shift+Tab and Enter: the second. Then find in page on the Stroke Number 7
# page (译 pasted into the find field, then its code point 8BD1), and the
# context menu's three copies on the Pinyin ZHANG page's 长. The clipboard
# is read through X (xclip). The expected links come from the page file
# the program wrote (its N-th insert link), not from the pane.
#   keyboard_test.sh BIN_DIR
set -u
source "$(dirname "$0")/x_session.sh" "$1" keyboard
# Follows the focused link: the box comes, Enter closes it.
box_and_close() {
  wait_title '^Definition etc\.$' >/dev/null || fail "$1: no 'Definition etc.' box"
  import -window root "$shots/keyboard-$1-box.png"
  keys Return
  gone '^Definition etc\.$' || fail "$1: the box stayed"
}

start_logodex
xdotool windowactivate --sync "$main" 2>/dev/null || true
sleep 0.5

# F6 from the main window: the search bar's first field, Pinyin.
keys F6
xdotool type --delay 80 yi
keys Return
wait_title '^Pinyin: YI$' >/dev/null || fail "no pane titled 'Pinyin: YI'"
page="$work/HtmlRadicalSearch.htm"
keys F6 Tab Tab Tab
import -window root "$shots/keyboard-focus-third.png"
keys Return
box_and_close third
expect_clipboard "$(nth_reference "$page" 3)" "Enter on the third link"
keys shift+Tab
import -window root "$shots/keyboard-focus-second.png"
keys Return
box_and_close second
expect_clipboard "$(nth_reference "$page" 2)" "Shift+Tab and Enter"

# Shift+F6 to the Pinyin field; the Stroke Number field is six Tabs on.
keys shift+F6 Tab Tab Tab Tab Tab Tab
xdotool type --delay 80 7
keys Return
wait_title '^TotalStroke: 7 ' >/dev/null || fail "no Stroke Number 7 page"
keys F6 ctrl+f
wait_title '^Find in page$' >/dev/null || fail "Ctrl+F opened no find window"
printf '\xe8\xaf\x91' | xclip -selection clipboard
keys ctrl+v
sleep 0.5
import -window root "$shots/keyboard-find-8BD1.png"
keys Escape ctrl+c
expect_clipboard $'\xe8\xaf\x91' "the match of 译, selected"
keys ctrl+f ctrl+a
xdotool type --delay 80 8bd1
keys Return Escape ctrl+c
expect_clipboard "8BD1" "the match of 8bd1"

# The context menu on 长 of the Pinyin ZHANG page: the match of its code
# point gives its link the focus; Shift+F10 and the menu key open the menu.
keys shift+F6 shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab ctrl+a
xdotool type --delay 80 zhang
keys Return
wait_title '^Pinyin: ZHANG$' >/dev/null || fail "no pane titled 'Pinyin: ZHANG'"
keys F6 ctrl+f
xdotool type --delay 80 957F
keys Return Escape shift+F10
import -window root "$shots/keyboard-context-menu.png"
keys r
expect_clipboard $'\xe9\x95\xbf' "Copy character"
keys shift+F10 h
expect_clipboard " &#x957F;" "Copy HTML reference"
keys Menu p
expect_clipboard "U+957F" "Copy code point"
echo "keyboard: links, find in page and the context menu all answered"
