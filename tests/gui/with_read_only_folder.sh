#!/usr/bin/env bash
# Runs a command with an empty folder that nobody can write, as Program
# Files is for a normal user: a read-only tmpfs (root, as the test command
# has, cannot write it either), named to the command in
# LOGODEX_READ_ONLY_FOLDER as a Wine path; unmounted afterwards, whatever
# happens. A folder that cannot be mounted fails the test.
#   with_read_only_folder.sh COMMAND [ARGUMENT]...
set -u
folder=$(mktemp -d)
mounted=""
cleanup() {
  if [ -n "$mounted" ]; then umount "$folder" 2>/dev/null || umount -l "$folder"; fi
  rmdir "$folder"
}
trap cleanup EXIT
mount -t tmpfs -o ro,size=16k logodex-read-only "$folder" ||
  { echo "FAILED: a read-only tmpfs cannot be mounted at $folder (root is needed)"; exit 1; }
mounted=yes
export LOGODEX_READ_ONLY_FOLDER="Z:${folder//\//\\}"
"$@"
