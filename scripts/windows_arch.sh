# Sourced by the scripts that build or run the Windows tree. The program
# ships for 32-bit Windows (i686), and that is the tree built and tested
# wherever Wine's 32-bit part can run. A machine whose kernel runs 64-bit
# programs only (its 32-bit emulation is off: Wine's 32-bit loader fails
# with "Exec format error") builds the same sources for 64-bit Windows
# (x86_64) and tests them under Wine's 64-bit loader instead. The caller
# may choose with LOGODEX_WINDOWS_ARCH.
windows_arch() {
  if [ -n "${LOGODEX_WINDOWS_ARCH:-}" ]; then
    echo "$LOGODEX_WINDOWS_ARCH"
  elif [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo x86_64
  else
    echo i686
  fi
}
