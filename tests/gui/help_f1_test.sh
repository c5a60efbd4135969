#!/usr/bin/env bash
# F1 as a person presses it: Logodex runs in a working folder that holds
# its data, while its help lies beside Logodex.exe; F1 is pressed (X
# keyboard input) in the Pinyin field; the help viewer must show the
# contents of Logodex.hlp; a click on a contents link (X mouse input)
# must open that topic; the viewer's Index must list every field of the
# search bar, every menu item and the messages.
# help_window_probe.exe reads back what the viewer's windows show.
#   help_f1_test.sh BIN_DIR SOURCE_DIR
set -u
bin=$1 src=$2
[ -n "${WINEPREFIX:-}" ] || { echo "FAILED: WINEPREFIX is not set"; exit 1; }
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
shots="$bin/gui-artefacts"
mkdir -p "$shots"
fail() { echo "FAILED: $*"; import -window root "$shots/help-f1-failure.png" 2>/dev/null; exit 1; }
for f in Logodex.hlp Logodex.cnt; do [ -s "$bin/$f" ] || fail "$f is missing from $bin"; done
cp "$bin/TotalStrokeOrdered.txt" "$bin/unihan.txt" "$work/" || fail "the data files are missing from $bin"
. "$src/tests/gui/window_probe.sh"

# The working folder holds the data only: the help is found beside
# Logodex.exe.
(cd "$work" && exec wine "$bin/Logodex.exe") >/dev/null 2>&1 &

# The search bar is the small one of the two windows titled Logodex.
bar=""
for _ in $(seq 1 150); do
  for w in $(xdotool search --name '^Logodex$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$HEIGHT" -lt 150 ] && bar=$w
  done
  [ -n "$bar" ] && break
  sleep 0.2
done
[ -n "$bar" ] || fail "the search bar did not appear"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$bar")"
xdotool mousemove $((X + WIDTH * 7 / 100)) $((Y + HEIGHT * 60 / 100)) click 1
sleep 0.3
xdotool key F1

# Wine's viewer is titled "Wine Help"; the contents topic of Logodex.hlp
# begins with the help's title and lists the chapters.
contents=$(wait_probe "Wine Help" "^text: Chapter 2 ") || fail "F1 showed no contents of Logodex.hlp: $contents"
printf '%s\n' "$contents" | grep -q "^text: Logodex Help$" || fail "the viewer shows another help: $contents"
sleep 1
import -window root "$shots/help-f1-contents.png"

# The contents links are the last lines of green link text at the topic's
# left margin, one per line the viewer shows; click the second (chapter 2).
viewer=$(xdotool search --name '^Wine Help' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$viewer")"
vx=$X vy=$Y
links=$(printf '%s\n' "$contents" | grep -cE '^text: (Chapter|Appendix) ')
rows=$(import -window "$viewer" -crop 12x2000+2+0 -depth 8 txt:- 2>/dev/null | awk -F'[,:]' '/#008000/ {print $2}' | sort -nu |
       awk 'NR == 1 || $1 > last + 3 {print} {last = $1}')
count=$(echo "$rows" | wc -l)
[ "$count" -ge "$links" ] || fail "found $count rows of links at the margin, expected at least $links"
row=$(echo "$rows" | sed -n "$((count - links + 2))p")
xdotool mousemove $((vx + 20)) $((vy + row + 2)) click 1
topic=$(wait_probe "Wine Help" "^text: Chapter 2 The search bar") || fail "the click did not open chapter 2: $topic"
printf '%s\n' "$topic" | grep -q "^text: Section 2.1 The Pinyin field" || fail "chapter 2 without its sections: $topic"
sleep 1
import -window root "$shots/help-f1-topic.png"

# The viewer's Index button, where the viewer says it stands.
index_at=$(printf '%s\n' "$topic" | sed -n 's/^button: &Index at \([0-9]*\) \([0-9]*\)$/\1 \2/p')
[ -n "$index_at" ] || fail "the viewer has no Index button: $topic"
xdotool mousemove $index_at click 1
index=$(wait_probe "Help topics" "^item: ") || fail "the Index did not open: $index"
sleep 1
import -window root "$shots/help-f1-index.png"
labels=$(grep -oE 'CONTROL "[^"]+", -1, "STATIC"' "$src/resources/logodex.rc" | cut -d'"' -f2)
[ "$(echo "$labels" | wc -l)" -eq 7 ] || fail "the seven field labels not found in logodex.rc"
while IFS= read -r label; do
  printf '%s\n' "$index" | grep -qixF "item: $label field" || fail "the Index lacks the field '$label'"
done <<< "$labels"
while IFS= read -r item; do
  printf '%s\n' "$index" | grep -qixF "item: $item" || fail "the Index lacks the menu item '$item'"
done < <(grep -oE '(MENUITEM|POPUP) "[^"]+"' "$src/resources/logodex.rc" | cut -d'"' -f2)
# The messages, as the program's text headers spell them.
for name in kNoResult kMatthewsOutOfRange kUnihanNotFound; do
  message=$(cat "$src/search/search_texts.h" "$src/chardb/chardb_texts.h" "$src/app/shell_texts.h" |
            sed -n "s/.* $name\[\] = L\{0,1\}\"\([^\"]*\)\";/\1/p")
  [ -n "$message" ] || fail "$name not found in the text headers"
  printf '%s\n' "$index" | grep -qixF "item: $message" || fail "the Index lacks the message '$message'"
done
# The data files' messages: the prefix the program writes, the file, " is not found".
prefix=$(sed -n 's/.* kDataFilePrefix\[\] = L"\([^"]*\)";/\1/p' "$src/app/shell_texts.h")
[ -n "$prefix" ] || fail "kDataFilePrefix not found in the text headers"
for file in unihan.txt TotalStrokeOrdered.txt; do
  printf '%s\n' "$index" | grep -qixF "item: ${prefix}$file is not found" ||
    fail "the Index lacks the message '${prefix}$file is not found'"
done
xdotool key Escape
echo "help: F1 showed the contents, the link opened chapter 2, the Index lists the fields, menu items and messages"
