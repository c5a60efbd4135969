#!/usr/bin/env bash
# logodex-cli handwriting as a user runs it: the stroke files of the
# accuracy data for 人, 木 and 瞧 answer with the character among the
# candidates; each kind of bad input and a missing or damaged model is
# refused with exit status 2 and one clear line, in bounded time.
#   handwriting_cli_test.sh CLI DATA_DIR STROKES_DIR
set -uo pipefail
cli=$(realpath "$1") data=$(realpath "$2") strokes=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The character's page link among the candidates of its stroke file.
for file in level1/4EBA level1/6728 level1/77A7; do
  code=${file#*/}
  page=$(cd "$work" && timeout 60 "$cli" --data "$data" handwriting --print "$strokes/$file.txt" 2>/dev/null)
  grep -q "logodex:character/$code\"" <<<"$page" || fail "$code is not among the candidates"
done

# refused FILE MESSAGE [DATA]: exit 2 and the message on standard error.
refused() {
  local file=$1 message=$2 folder=${3:-$data} err status
  err=$(cd "$work" && timeout 60 "$cli" --data "$folder" handwriting "$file" 2>&1 >/dev/null)
  status=$?
  [ "$status" = 2 ] || fail "$file: exit status $status, not 2"
  grep -qF "$message" <<<"$err" || fail "$file: '$err' does not say '$message'"
}
printf 'size 300 300\n10,10 20,x\n' >"$work/malformed.txt"
refused "$work/malformed.txt" "line 2: a point must be 'x,y' in whole numbers: 20,x"
printf 'size 300 300\n# only a comment\n' >"$work/empty.txt"
refused "$work/empty.txt" "the file holds no strokes"
printf 'size 300 300\n10,10 300,10\n' >"$work/outside.txt"
refused "$work/outside.txt" "line 2: a point lies outside the drawing area: 300,10"
{ echo 'size 300 300'; for i in $(seq 10000); do echo '10,10 20,20'; done; } >"$work/many.txt"
refused "$work/many.txt" "line 102: more than 100 strokes"
{ echo 'size 300 300'; head -c 10485760 /dev/zero | tr '\0' '1'; echo ',1'; } >"$work/long.txt"
refused "$work/long.txt" "line 2: the line is longer than 65536 bytes"
refused "$work/none.txt" "stroke file not found"
refused "$work" "stroke file not a regular file"

# The models: one missing, one damaged (cut short), in a copy of the data folder.
mkdir "$work/data"
for file in "$data"/*; do ln -s "$file" "$work/data/"; done
rm "$work/data/handwriting-ja.model"
refused "$strokes/level1/4EBA.txt" "handwriting model not found" "$work/data"
head -c 1000000 "$data/handwriting-ja.model" >"$work/data/handwriting-ja.model"
refused "$strokes/level1/4EBA.txt" "handwriting model is damaged" "$work/data"

[ "$failures" = 0 ] && echo "handwriting_cli_test: every case answered as it should"
exit $((failures > 0))
