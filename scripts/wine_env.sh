# Sourced by the scripts that run Windows programs. The prefix is the
# caller's WINEPREFIX, else the project's own build/wineprefix, created on
# first use by ensure_wine_prefix.
export WINEPREFIX="${WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wineprefix}"

# On a machine that runs no 32-bit programs the Windows tree is built for
# 64-bit Windows, and "wine" (Debian's, which starts the 32-bit loader
# whenever it is installed) is stood in for by the 64-bit loader.
. "$(dirname "${BASH_SOURCE[0]}")/windows_arch.sh"
if [ "$(windows_arch)" = x86_64 ]; then
  LOGODEX_WINE64_BIN="$(dirname "$WINEPREFIX")/wine64-bin"
  mkdir -p "$LOGODEX_WINE64_BIN"
  printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$LOGODEX_WINE64_BIN/wine"
  chmod +x "$LOGODEX_WINE64_BIN/wine"
  case ":$PATH:" in *":$LOGODEX_WINE64_BIN:"*) ;; *) export PATH="$LOGODEX_WINE64_BIN:$PATH" ;; esac
  export WINELOADER=/usr/lib/wine/wine64
fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# Wine's own faces that every window needs: Tahoma, the face of message
# boxes, menus and captions, and Marlett, whose letters the caption buttons
# draw as their symbols. Debian's Wine 8 ships them in its data folder but
# does not load them from there: without them a caption button shows the
# letters "0 1 r" and Tahoma is stood in for by whichever face its font
# links name first. Wine always reads the prefix's own font folder, so they
# are copied there, as a Windows installation holds them.
LOGODEX_WINE_FONTS=(tahoma.ttf tahomabd.ttf marlett.ttf)

wine_font_folder() {
  local dir
  for dir in "${WINEDATADIR:+${WINEDATADIR}/fonts}" /usr/share/wine/fonts /usr/local/share/wine/fonts \
             /opt/wine-stable/share/wine/fonts; do
    [ -n "$dir" ] && [ -f "$dir/tahoma.ttf" ] && { echo "$dir"; return 0; }
  done
  return 1
}

add_wine_fonts() {
  local from to="$WINEPREFIX/drive_c/windows/Fonts" file
  from=$(wine_font_folder) || { echo "wine: Wine's own fonts (tahoma.ttf) were not found" >&2; return 1; }
  mkdir -p "$to"
  for file in "${LOGODEX_WINE_FONTS[@]}"; do
    [ -f "$to/$file" ] || cp "$from/$file" "$to/$file" || return 1
  done
}

# The faces linked to the fonts of other scripts: Tahoma, the face of
# message boxes and menus and of dialogs in "MS Shell Dlg" (which Wine
# substitutes by Tahoma and looks up under that name), and Tahoma Bold,
# the face of captions, which Wine looks up under its own name, and DejaVu
# Sans, which the Unihan box takes when Tahoma lacks its accents. A link
# adds faces for the characters its face lacks, the Latin text stays in
# the face itself. A face must be installed to be linked: for a missing
# face Wine takes the first linked face for all of the text, so the Latin
# text would be drawn in a Chinese face. Liberation Sans, which Wine draws
# for the dialog templates' MS Sans Serif and for Arial, is left alone:
# linked, it made every printed page carry the Chinese fonts, so slow that
# a print job no longer heard its Cancel button. Earlier set-ups' links go.
LOGODEX_LINKED_FACES=("Tahoma" "Tahoma Bold" "DejaVu Sans")
LOGODEX_UNLINKED_FACES=("MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Liberation Sans")
# The linked faces in order. DejaVu Sans has the Latin letters with tone
# marks, the IPA letters and the combining accents of the readings, which
# Wine's Tahoma lacks (kMandarin "hǎo", kVietnamese "nhất", kTang "ɑ̀"),
# and no Han. Droid Sans Fallback comes first for Han (the URO to U+9FA5
# and Extension A): at the 8 points of boxes and fields its sans strokes
# are drawn black and legible, where the hairlines of HanaMinA turn to
# blots unsmoothed and to pale grey smoothed (darkest pixel 140 of 255,
# mean ink 15 over the glyph's cell in a search field, against 0 and 37).
# BabelStone Han, black too, draws the KangXi radicals and the Han that
# Droid Sans Fallback lacks, the Hanazono faces the rest; NanumGothic the
# hangul (Droid Sans Fallback holds one syllable of the 486 that kHangul
# names).
LOGODEX_LINK_FACES=("DejaVu Sans" "Droid Sans Fallback" "BabelStone Han" HanaMinA HanaMinB NanumGothic)

# A link names a font file and its face; Wine finds the face under the
# first file it met holding it, which may be another name of the same file
# (Debian's fonts-japanese-mincho.ttf is HanaMinA.ttf), so every file
# that holds the face upright at a regular weight (fontconfig's 80 to
# 100) and width is named. A face that is not installed gets none.
font_links() {
  local face file links="" IFS=$'\n'
  for face in "${LOGODEX_LINK_FACES[@]}"; do
    for file in $(fc-list -f '%{file}|%{weight}\n' ":family=$face:slant=0:width=100" 2>/dev/null |
                  awk -F'|' '$2 >= 80 && $2 <= 100 { sub(".*/", "", $1); print $1 }' | sort -u); do
      links+="${links:+\0}$file,$face"
    done
  done
  printf '%s' "$links"
}

# Edit controls draw through Uniscribe, which meets a run its face lacks
# with one fallback face per script, named in Wine's own key by the
# script's tag as a hexadecimal number. An empty name sends the run of a
# simple script to the control font's links, as the message boxes draw:
# Latin (6e74616c "latn", whose built-in face Microsoft Sans Serif lacks
# the tone marks), Han (696e6168 "hani": one face has no room for the
# KangXi radicals beside legible Han), kana (616e616b "kana") and hangul
# (676e6168 "hang"). The scripts without a tag ("0") are Wine's surrogate
# pairs, Extension B and beyond, and the words with combining accents:
# HanaMinB holds the first (Wine's drawing through the links knows no
# pairs) but not the accents.
LOGODEX_UNISCRIBE_FALLBACKS=(6e74616c= 696e6168= 616e616b= 676e6168= 0=HanaMinB)

# Windows shows Chinese in message boxes and dialogs through font links
# from their faces to its Chinese fonts; a Wine prefix has links only to
# fonts Windows ships. This puts Wine's own faces into the prefix named by
# WINEPREFIX, links the dialog and caption faces to the faces above and
# names Uniscribe's fallbacks (any prefix: run it for your own too).
link_dialog_fonts() {
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' face links fallback
  add_wine_fonts || return 1
  links=$(font_links)
  for face in "${LOGODEX_LINKED_FACES[@]}"; do
    wine reg add "$key" /v "$face" /t REG_MULTI_SZ /d "$links" /f >/dev/null 2>&1 || return 1
  done
  for face in "${LOGODEX_UNLINKED_FACES[@]}"; do
    wine reg delete "$key" /v "$face" /f >/dev/null 2>&1 || true
  done
  for fallback in "${LOGODEX_UNISCRIBE_FALLBACKS[@]}"; do
    wine reg add 'HKCU\Software\Wine\Uniscribe\Fallback' /v "${fallback%%=*}" /d "${fallback#*=}" /f >/dev/null 2>&1 ||
      return 1
  done
  wineserver -w || true
}

# Whether the prefix holds Wine's own faces, the links of the dialog faces
# (and none of a missing face) and the Uniscribe fallbacks.
dialog_fonts_linked() {
  local file face links fallback
  links=$(font_links)
  for file in "${LOGODEX_WINE_FONTS[@]}"; do
    [ -f "$WINEPREFIX/drive_c/windows/Fonts/$file" ] || return 1
  done
  for face in "${LOGODEX_LINKED_FACES[@]}"; do
    grep -qF "\"$face\"=str(7):\"$links" "$WINEPREFIX/system.reg" 2>/dev/null || return 1
  done
  for face in "${LOGODEX_UNLINKED_FACES[@]}"; do
    grep -qF "\"$face\"=str(7):" "$WINEPREFIX/system.reg" 2>/dev/null && return 1
  done
  for fallback in "${LOGODEX_UNISCRIBE_FALLBACKS[@]}"; do
    grep -qxF "\"${fallback%%=*}\"=\"${fallback#*=}\"" "$WINEPREFIX/user.reg" 2>/dev/null || return 1
  done
}

# ensure_wine_prefix [bare|managed]: creates the prefix when missing and
# sets how Wine meets the X display.
#   bare:    no window manager (a virtual display for tests and headless
#            runs): Wine draws the window frames, captions and caption
#            buttons itself ("Managed"="N").
#   managed: a desktop's window manager stacks, focuses, moves and
#            minimises the windows, as on any Linux desktop ("Managed"="Y").
#            Wine still draws the frames ("Decorated"="N"), as the window
#            styles define them: a manager's own frames would give the
#            search bar and the browser pane minimise, maximise and close
#            boxes that their styles do not have.
ensure_wine_prefix() {
  local mode=${1:-bare} managed=N
  [ "$mode" = managed ] && managed=Y
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating the prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  if ! grep -q "\"Managed\"=\"$managed\"" "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  if [ "$mode" = managed ] && ! grep -q '"Decorated"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  if ! dialog_fonts_linked; then
    link_dialog_fonts || true
  fi
  # A program that crashes ends with its report on the console instead of
  # waiting in a crash dialog, so a crash under test fails the test rather
  # than hanging it.
  if ! grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    wineserver -w || true
  fi
}
