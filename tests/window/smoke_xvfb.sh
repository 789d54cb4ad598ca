#!/usr/bin/env bash
# Starts the real program under a virtual X server, waits for its window to
# appear with its exact title, then ends the program. The program speaks
# Indonesian here whatever the machine's language.
set -u
program=$1
command -v xvfb-run >/dev/null && command -v xwininfo >/dev/null || exit 77

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    LANGUAGE=id "$1" &
    pid=$!
    for _ in $(seq 1 100); do
        if xwininfo -root -tree | grep -q "\"Quodrel Zodir  Hitungrama\": "; then
            kill "$pid"
            wait "$pid" 2>/dev/null
            exit 0
        fi
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "the program ended before its window appeared" >&2
            exit 1
        fi
        sleep 0.1
    done
    echo "no window titled \"Quodrel Zodir  Hitungrama\"" >&2
    kill "$pid"
    exit 1
' smoke "$program"
