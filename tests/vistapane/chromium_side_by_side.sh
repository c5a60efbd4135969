#!/usr/bin/env bash
# The pane's rendering of the glyph-darkness pages beside Chromium's of the
# same page files: after vistapane_gui_test has run, renders each
# bin/vistapane-shots/darkness-*.htm with headless Chromium in a window of
# the pane's client size and writes darkness-<page>-<level>-beside-chromium.png
# (the pane left, Chromium right) for a person to look at.
#   chromium_side_by_side.sh BIN_DIR
set -eu
shots="$(cd "$1" && pwd)/vistapane-shots"
command -v chromium >/dev/null || { echo "chromium is not installed"; exit 1; }
command -v convert >/dev/null || { echo "ImageMagick is not installed"; exit 1; }
for pane in "$shots"/darkness-*-[0-4].bmp; do
  base=${pane%.bmp}
  page=${base%-[0-4]}.htm
  level=${base##*-}
  read -r width height < <(identify -format '%w %h\n' "$pane")
  # Chromium's zoom for the level: the pane's 75, 90, 100, 125, 150 per cent.
  zoom=$(echo "0.75 0.9 1 1.25 1.5" | cut -d' ' -f$((level + 1)))
  chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --force-device-scale-factor="$zoom" \
    --window-size="$(awk -v w="$width" -v z="$zoom" 'BEGIN{printf "%d", w / z}'),$(awk -v h="$height" -v z="$zoom" 'BEGIN{printf "%d", h / z}')" \
    --screenshot="$base-chromium.png" "file://$page" >/dev/null 2>&1
  convert "$pane" "$base-chromium.png" -background white +append "$base-beside-chromium.png"
  echo "$base-beside-chromium.png"
done
