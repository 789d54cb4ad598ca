#!/usr/bin/env bash
# Runs a test command with its own data and settings folders, so that the
# program under test never reads or writes the tape and settings of the
# person running the tests. The folders go when the command ends.
set -u
home=$(mktemp -d "${TMPDIR:-/tmp}/hitungrama-home-XXXXXX")
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config"
"$@"
