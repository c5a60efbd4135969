#!/usr/bin/env bash
# The document pane's GUI test with a file system that fills up: a 64 KB
# tmpfs mounted for the test (it needs root, as the set-up and CI have) and
# named to the test in LOGODEX_FULL_DISK as a Wine path; unmounted and
# removed afterwards, whatever happens.
#   editor_test.sh BIN_DIR [gtest arguments]
# A file system that cannot be mounted fails the test.
set -u
bin=$1
shift
disk=$(mktemp -d)
mounted=""
cleanup() {
  if [ -n "$mounted" ]; then umount "$disk" 2>/dev/null || umount -l "$disk"; fi
  rmdir "$disk"
}
trap cleanup EXIT
mount -t tmpfs -o size=64k,mode=0777 logodex-full-disk "$disk" ||
  { echo "editor test FAILED: a 64 KB tmpfs cannot be mounted at $disk (root is needed)"; exit 1; }
mounted=yes
export LOGODEX_FULL_DISK="Z:${disk//\//\\}"
cd "$bin" && wine editor_gui_test.exe "$@"
