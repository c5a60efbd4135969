# Sourced by the scripts that run Windows programs: one Wine prefix for the
# whole project, created on first use.
export WINEPREFIX="${WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

ensure_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating the prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
}
