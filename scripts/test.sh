#!/usr/bin/env bash
# Sets up the machine, builds every tree and runs every test: native,
# native under ASan+UBSan, the cross build under Wine (with the GUI tests)
# on one virtual X display, and the fuzz targets for a bounded time.
# Ends with one summary line over all runs.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

"$top/scripts/setup.sh" || exit 1
"$top/scripts/build.sh" native asan windows fuzz || { echo "test: the build failed"; exit 1; }

. "$top/scripts/wine_env.sh"
. "$top/scripts/xvfb_env.sh"

passed=0
failed=0
run_ctest() {
  local name=$1 dir=$2; shift 2
  echo "== $name"
  local log
  log=$(mktemp)
  ctest --test-dir "$dir" --output-on-failure "$@" 2>&1 | tee "$log"
  local line
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if grep -q 'No tests were found' "$log"; then
    echo "($name: no tests)"
  elif [ -n "$line" ]; then
    local total bad
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  else
    failed=$((failed + 1))
  fi
  rm -f "$log"
}

run_ctest native build/native -j "$(nproc)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest asan build/asan -j "$(nproc)"

run_ctest fuzz build/fuzz

start_xvfb || { echo "test: no virtual X display"; exit 1; }
ensure_wine_prefix
run_ctest windows build/windows
stop_xvfb

echo
echo "all: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
