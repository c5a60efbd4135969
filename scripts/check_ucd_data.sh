#!/usr/bin/env bash
# Downloads the Debian package unicode-data 15.0.0-1 again and checks that
# the committed data/ucd files are its files, byte for byte.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get download -q unicode-data=15.0.0-1 >/dev/null)
echo "5efef23bbb1c6a133ecbdd63a2cfa07159ccacf5466a49e2426101c5ecd691fc  $work/unicode-data_15.0.0-1_all.deb" |
  sha256sum -c --quiet
dpkg-deb -x "$work"/unicode-data_15.0.0-1_all.deb "$work/x"
for file in USourceData.txt CJKRadicals.txt EquivalentUnifiedIdeograph.txt; do
  if ! cmp -s <(bzip2 -dc "$top/data/ucd/$file.bz2") "$work/x/usr/share/unicode/$file"; then
    echo "check_ucd_data: data/ucd/$file.bz2 is not the package's $file" >&2
    exit 1
  fi
done
echo "check_ucd_data: the three files are the package's"
