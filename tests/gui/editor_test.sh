#!/usr/bin/env bash
# The document pane's GUI test with a file system that fills up: a 64 KB
# tmpfs mounted for the test (it needs root, as the set-up and CI have) and
# named to the test in LOGODEX_FULL_DISK as a Wine path; unmounted and
# removed afterwards, whatever happens. Beside it, files whose identity a
# Save must keep, named to the test in LOGODEX_FILE_IDENTITY: private.rtf
# of mode 600, link.rtf a symbolic link to target.rtf, locked.rtf of mode
# 444; after the run their modes and the link are checked here.
#   editor_test.sh BIN_DIR [gtest arguments]
# A file system that cannot be mounted fails the test.
set -u
bin=$1
shift
disk=$(mktemp -d)
identity=$(mktemp -d)
mounted=""
cleanup() {
  if [ -n "$mounted" ]; then umount "$disk" 2>/dev/null || umount -l "$disk"; fi
  rmdir "$disk"
  rm -rf "$identity"
}
trap cleanup EXIT
mount -t tmpfs -o size=64k,mode=0777 logodex-full-disk "$disk" ||
  { echo "editor test FAILED: a 64 KB tmpfs cannot be mounted at $disk (root is needed)"; exit 1; }
mounted=yes
export LOGODEX_FULL_DISK="Z:${disk//\//\\}"

printf '{\\rtf1 private\\par}' >"$identity/private.rtf"
printf '{\\rtf1 target\\par}' >"$identity/target.rtf"
printf '{\\rtf1 locked\\par}' >"$identity/locked.rtf"
chmod 600 "$identity/private.rtf"
chmod 444 "$identity/locked.rtf"
ln -s target.rtf "$identity/link.rtf"
export LOGODEX_FILE_IDENTITY="Z:${identity//\//\\}"

(cd "$bin" && wine editor_gui_test.exe "$@")
status=$?
modes="private.rtf $(stat -c %a "$identity/private.rtf"), locked.rtf $(stat -c %a "$identity/locked.rtf")"
echo "editor test: after the run $modes, link.rtf $(stat -c %F "$identity/link.rtf")"
[ "$modes" = "private.rtf 600, locked.rtf 444" ] || { echo "editor test FAILED: a Save changed a mode"; status=1; }
[ -L "$identity/link.rtf" ] || { echo "editor test FAILED: the link was replaced by a file"; status=1; }
exit $status
