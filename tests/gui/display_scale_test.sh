#!/usr/bin/env bash
# Logodex at four display scales: the prefix's LogPixels set to 96, 120,
# 144 and 192 dots per inch in turn (read by each new start of the Wine
# server), the GUI tests WholeAtTheDisplayScale and
# EveryWindowLiesWithinTheWorkArea run at each, and the page's text
# heights the first writes compared: they grow with the setting, within
# two pixels. The pane's glyph-darkness test runs at each scale as well.
# Then every window once more on a 1024x768 screen of its own, at 96 and
# 192 dpi. The prefix's own setting is put back at the end.
#   display_scale_test.sh BIN_DIR
set -u
bin=$1
shots="$bin/gui-artefacts"
mkdir -p "$shots"
key='HKCU\Control Panel\Desktop'

# The prefix's LogPixels, as a decimal number, or nothing when unset.
current=$(wine reg query "$key" /v LogPixels 2>/dev/null | tr -d '\r' | awk '$1 == "LogPixels" {print $3}')
[ -n "$current" ] && current=$((current))
restore() {
  wineserver -w
  if [ -n "$current" ]; then
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$current" /f >/dev/null 2>&1
  else
    wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1
  fi
  wineserver -w
}
trap restore EXIT

status=0
for dpi in 96 120 144 192; do
  rm -f "$shots/scale-$dpi.txt"
  wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w  # the next start of the server reads the new value
  (cd "$bin" && wine ./logodex_gui_test.exe --gtest_filter='*WholeAtTheDisplayScale:*EveryWindowLiesWithinTheWorkArea') ||
    status=1
  wineserver -w
  # The pane's Han glyphs as dark as its Latin text at this scale too.
  (cd "$bin" && wine ./vistapane_gui_test.exe --gtest_filter='*HanGlyphsAreAsDarkAsTheLatinTextBesideThem' \
    >"$shots/darkness-$dpi.txt" 2>&1) || { status=1; grep -A3 Failure "$shots/darkness-$dpi.txt" | head -20; }
  mkdir -p "$shots/darkness-$dpi"
  cp "$bin"/vistapane-shots/darkness-*.bmp "$shots/darkness-$dpi/" 2>/dev/null
  wineserver -w
done

# A small screen: a display of its own, 1024 by 768 pixels.
source "$(dirname "$0")/../../scripts/xvfb_env.sh"
large_display=${DISPLAY:-}
unset DISPLAY
if start_xvfb 1024x768; then
  for dpi in 96 192; do
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -w
    (cd "$bin" && wine ./logodex_gui_test.exe --gtest_filter='*EveryWindowLiesWithinTheWorkArea') || status=1
    wineserver -w
  done
  stop_xvfb
else
  echo "FAILED: no 1024x768 display"
  status=1
fi
export DISPLAY=$large_display

# Each run's figures: dpi, first-line height of the radicals page, of the
# pinyin page; at each scale the heights are the 96-dpi ones times dpi/96.
cat "$shots"/scale-{96,120,144,192}.txt 2>/dev/null
awk -v files=4 '
  { dpi[NR] = $1; radicals[NR] = $2; pinyin[NR] = $3 }
  END {
    if (NR != files || dpi[1] != 96) { print "FAILED: the runs did not all write their figures"; exit 1 }
    bad = 0
    for (i = 2; i <= NR; ++i) {
      for (k = 0; k < 2; ++k) {
        base = k ? pinyin[1] : radicals[1]; got = k ? pinyin[i] : radicals[i]
        want = base * dpi[i] / 96
        if (got < want - 2 || got > want + 2) {
          printf "FAILED: at %d dpi the %s page'"'"'s first line is %d pixels high, not %.1f\n", dpi[i],
                 k ? "pinyin" : "radicals", got, want
          bad = 1
        }
      }
    }
    exit bad
  }' "$shots"/scale-{96,120,144,192}.txt || status=1
[ "$status" -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit "$status"
