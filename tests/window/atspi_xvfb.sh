#!/usr/bin/env bash
# Runs atspi_check.py against the real program under a virtual X server with a
# private session bus, on which the accessibility bus starts on demand.
# Skips (77) only when a piece of that set-up is not installed.
# Usage: atspi_xvfb.sh PROGRAM [id|en]
set -u
program=$1
language=${2:-id}
here=$(dirname "$0")
for tool in xvfb-run dbus-run-session dbus-daemon; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool" >&2; exit 77; }
done
launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate
done
[ -n "$launcher" ] || { echo "skipped: no at-spi-bus-launcher" >&2; exit 77; }
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0"); import pyatspi' 2>/dev/null \
    || { echo "skipped: no pyatspi for /usr/bin/python3" >&2; exit 77; }

# The session bus starts inside the X server's run, so that the services it
# starts (the accessibility registry, which synthesises keys) know DISPLAY.
# The accessibility bus launcher is the server's first client; without
# -noreset the server resets when it disconnects, and a program connecting at
# that moment is refused.
exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" dbus-run-session -- \
    /usr/bin/python3 "$here/atspi_check.py" "$program" "$language"
