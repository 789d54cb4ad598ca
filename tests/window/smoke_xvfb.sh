#!/usr/bin/env bash
# Starts the real program under a virtual X server and waits for its window
# to appear with its exact title. Then checks that the tape costs nothing
# until it is used: at rest neither the SQLite plugin of Qt is loaded nor the
# tape file open; typing 2+3= opens them and puts the line "2 + 3 = 5" into
# the tape file.
# The program speaks Indonesian here whatever the machine's language. Run it
# with data and settings folders of its own (tests/own-home.sh).
set -u
program=$1
for tool in xvfb-run xwininfo xdotool sqlite3; do command -v "$tool" >/dev/null || exit 77; done

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    LANGUAGE=id "$1" &
    pid=$!
    fail() {
        echo "$1" >&2
        kill "$pid" 2>/dev/null
        exit 1
    }
    for _ in $(seq 1 100); do
        xwininfo -root -tree | grep -q "\"Quodrel Zodir  Hitungrama\": " && break
        kill -0 "$pid" 2>/dev/null || fail "the program ended before its window appeared"
        sleep 0.1
    done
    window=$(xdotool search --name "^Quodrel Zodir  Hitungrama\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] || fail "no window titled \"Quodrel Zodir  Hitungrama\""
    sleep 0.5
    if grep -q "libqsqlite" "/proc/$pid/maps" || ls -l "/proc/$pid/fd" | grep -q riwayat; then
        fail "the tape was opened before it was used"
    fi
    xdotool windowfocus --sync "$window"
    xdotool type "2+3="
    tape="$XDG_DATA_HOME/Hitungrama/riwayat.sqlite"
    query="SELECT count(*) FROM line WHERE expression = '\''2 + 3'\'' AND result = '\''5'\''"
    for _ in $(seq 1 100); do
        if [ -f "$tape" ] && [ "$(sqlite3 "$tape" "$query" 2>/dev/null)" = 1 ]; then
            grep -q "libqsqlite" "/proc/$pid/maps" || fail "the line came without the SQLite plugin"
            kill "$pid"
            wait "$pid" 2>/dev/null
            exit 0
        fi
        kill -0 "$pid" 2>/dev/null || fail "the program ended after 2+3="
        sleep 0.1
    done
    fail "no line \"2 + 3 = 5\" in $tape after 2+3="
' smoke "$program"
