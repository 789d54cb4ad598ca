#!/usr/bin/env bash
# Feeds the replay harness a short script and checks its output lines; then
# starts it again on the same data folder, where its tape is kept.
set -eu
program=$1
output=$(printf '# a comment\n\nclick 7 + 8 =\nbogus\nanswer yes\nclick OFF\nstate\n' | "$program")
lines=$(printf '%s\n' "$output" | wc -l)
fail() { echo "$1" >&2; printf '%s\n' "$output" >&2; exit 1; }
[ "$lines" -eq 7 ] || fail "expected 7 result lines, got $lines"
printf '%s\n' "$output" | sed -n 4p | grep -q '"display":"15"' || fail "7 + 8 = does not show 15"
printf '%s\n' "$output" | sed -n 4p | grep -q '"tape":{"lines":1,"last":\["7 + 8 = 15"\]}}$' \
    || fail "the tape is not the last key, or lacks 7 + 8 = 15"
printf '%s\n' "$output" | sed -n 5p | grep -q '"error":"unknown action' || fail "no error for an unknown action"
printf '%s\n' "$output" | sed -n 7p | grep -q '"exited":true' || fail "OFF answered yes did not end the run"
[ -f "$XDG_DATA_HOME/Hitungrama/riwayat.sqlite" ] || fail "no tape in \$XDG_DATA_HOME/Hitungrama"
# The first report of a new start already holds the kept line.
output=$(printf 'state\n' | "$program")
printf '%s\n' "$output" | grep -q '"tape":{"lines":1,"last":\["7 + 8 = 15"\]}}$' \
    || fail "a new start does not report the kept line"
