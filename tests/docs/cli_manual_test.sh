#!/usr/bin/env bash
# The manual page of logodex-cli: man renders it, its SUBCOMMANDS describe
# every subcommand that logodex-cli --help lists, and an unknown subcommand
# points to --help and to the manual.
#   cli_manual_test.sh LOGODEX_CLI MANUAL_PAGE
set -u
cli=$1 page=$2
fail() { echo "FAILED: $*"; exit 1; }
command -v man >/dev/null || fail "man is not installed (scripts/setup.sh installs man-db)"
[ -s "$page" ] || fail "no manual page $page"

help=$("$cli" --help) || fail "logodex-cli --help did not exit 0"
names=$(printf '%s\n' "$help" | sed -n '/^subcommands:/,/^$/p' | awk '/^  [a-z]/ {print $1}')
[ -n "$names" ] || fail "logodex-cli --help lists no subcommands: $help"

rendered=$(MANWIDTH=100 man -l "$page" | col -b) || fail "man -l $page failed"
printf '%s\n' "$rendered" | grep -q '^NAME' || fail "the rendered page has no NAME: $rendered"
printf '%s\n' "$rendered" | grep -q '^SYNOPSIS' || fail "the rendered page has no SYNOPSIS"
described=$(printf '%s\n' "$rendered" | sed -n '/^SUBCOMMANDS/,/^[A-Z]/p')
for name in $names; do
  printf '%s\n' "$described" | grep -Eq "^ +$name( |$)" || fail "subcommand $name is not described under SUBCOMMANDS"
done

message=$("$cli" no-such-subcommand 2>&1 >/dev/null)
status=$?
[ $status -eq 2 ] || fail "an unknown subcommand exited $status, not 2"
printf '%s\n' "$message" | grep -q "unknown subcommand 'no-such-subcommand'" || fail "message: $message"
printf '%s\n' "$message" | grep -q -- "logodex-cli --help" || fail "the message does not point to --help: $message"
printf '%s\n' "$message" | grep -q "man -l $page" || fail "the message does not point to the manual page: $message"
echo "manual: $(echo $names | wc -w) subcommands described; --help and the unknown-subcommand message agree"
