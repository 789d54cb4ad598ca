#!/usr/bin/env bash
# Feeds the replay harness a short script and checks its output lines.
set -eu
program=$1
output=$(printf '# a comment\n\nclick 7 + 8 =\nbogus\nanswer yes\nclick OFF\nstate\n' | "$program")
lines=$(printf '%s\n' "$output" | wc -l)
fail() { echo "$1" >&2; printf '%s\n' "$output" >&2; exit 1; }
[ "$lines" -eq 7 ] || fail "expected 7 result lines, got $lines"
printf '%s\n' "$output" | sed -n 4p | grep -q '"display":"15"' || fail "7 + 8 = does not show 15"
printf '%s\n' "$output" | sed -n 5p | grep -q '"error":"unknown action' || fail "no error for an unknown action"
printf '%s\n' "$output" | sed -n 7p | grep -q '"exited":true' || fail "OFF answered yes did not end the run"
