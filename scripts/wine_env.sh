# Sourced by the scripts that run Windows programs. The prefix is the
# caller's WINEPREFIX, else the project's own build/wineprefix, created on
# first use by ensure_wine_prefix.
export WINEPREFIX="${WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# The dialog faces linked to the Chinese fonts, and the faces that carry the
# ideographs here (fonts-hanazono). Tahoma is left alone: Wine 8 draws a
# linked Tahoma wholly in the first linked face, so every menu, caption and
# message box would lose its Latin face.
LOGODEX_LINKED_FACES=("MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif")
LOGODEX_HAN_FACES=(HanaMinA HanaMinB)

# A link names a font file and its face; Wine finds the face under the
# first file it met holding it, which may be another name of the same file
# (Debian's fonts-japanese-mincho.ttf is HanaMinA.ttf), so every file
# that holds the face is named.
han_font_links() {
  local face file links=""
  for face in "${LOGODEX_HAN_FACES[@]}"; do
    for file in $( (echo "$face.ttf"; fc-list -f '%{file}\n' "$face" 2>/dev/null) | sed 's|.*/||' | sort -u); do
      links+="${links:+\0}$file,$face"
    done
  done
  printf '%s' "$links"
}

# Windows shows Chinese in message boxes and dialogs through font links
# from their faces to its Chinese fonts; a Wine prefix has links only to
# fonts Windows ships. This links those faces to the Hanazono fonts in the
# prefix named by WINEPREFIX (any prefix: run it for your own too).
link_dialog_fonts() {
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' face links
  links=$(han_font_links)
  for face in "${LOGODEX_LINKED_FACES[@]}"; do
    wine reg add "$key" /v "$face" /t REG_MULTI_SZ /d "$links" /f >/dev/null 2>&1 || return 1
  done
  wineserver -w || true
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
  if ! grep -q "\"MS Shell Dlg\"=str(7):\"$(han_font_links | sed 's/\\0/\\\\0/g')" "$WINEPREFIX/system.reg" 2>/dev/null; then
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
