#!/usr/bin/env bash
# The handwriting tests' stroke data: the stroke medians of the npm
# package hanzi-writer-data 2.0.1 (Arphic Public License; used by the tests
# only, never shipped), fetched with npm into build/hanzi-writer-data and
# written as stroke files, one per character of the three kTGH levels:
# OUT/level1/4EBA.txt and so on (see medians_to_strokes.py).
#   tests/handwriting/stroke_data.sh OUT
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
out=$1
package="$top/build/hanzi-writer-data"
# The accuracy and command-line tests run at once and both ask for the data:
# one fetches and writes it while the other waits.
mkdir -p "$top/build"
exec 9>"$top/build/hanzi-writer-data.lock"
flock 9
if [ ! -f "$package/package/人.json" ]; then
  mkdir -p "$package"
  (cd "$package" && npm pack --silent hanzi-writer-data@2.0.1 >/dev/null)
  echo "72baf3d82b114e60d6e40ea05f24d2262a05cd39d544e2f322ba2fceb7beff15  $package/hanzi-writer-data-2.0.1.tgz" |
    sha256sum -c --quiet
  tar -xzf "$package/hanzi-writer-data-2.0.1.tgz" -C "$package"
fi
[ -f "$out/level1/4EBA.txt" ] ||
  python3 "$top/tests/handwriting/medians_to_strokes.py" "$package/package" "$top/data/unihan" "$out"
