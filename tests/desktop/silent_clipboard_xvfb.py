#!/usr/bin/env python3
"""The real program under Xvfb against a clipboard owner that never answers:
a Ctrl+V, and a Ctrl+V held for 1 s, each ask the owner exactly once, and the
window answers a _NET_WM_PING within a generous 15 s (a hang check, not a
timing). Keys typed while the paste waits act afterwards, in order: the
display then shows their result, read through Ctrl+C.

Usage: silent_clipboard_xvfb.py PROGRAM CLIPBOARD_OWNER"""
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktoprun as d  # noqa: E402  (puts testsupport/ on the path)
from xdesktop import SilentOwner, find_window, focus  # noqa: E402

HANG_SECONDS = 15


def xdotool(env, *args):
    subprocess.run(["xdotool", *args], env=env, check=True)


def ping(owner, window):
    if not owner.ping(window, HANG_SECONDS):
        d.fail(f"the window did not answer a ping within {HANG_SECONDS} s")


def paste_and_check(owner, window, what, keys):
    keys()
    ping(owner, window)
    asked = owner.requests(1)
    if len(asked) != 1:
        d.fail(f"{what}: the owner was asked {len(asked)} times ({', '.join(asked) or 'never'}), not once")
    print(f"{what}: one request ({asked[0]}), then the window answered")


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            d.skip(f"{tool} is not installed")
    program, owner_path = sys.argv[1:]
    if not owner_path or not os.path.exists(owner_path):
        d.skip("the clipboard owner was not built (no libxcb development files)")
    server, display = d.start_xvfb("1024x768x24")
    # Indonesian, as the tests run, whatever the machine's language.
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", LANGUAGE="id")
    env.pop("WAYLAND_DISPLAY", None)
    owner = SilentOwner(owner_path, env)
    calculator = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL)
    try:
        window = find_window(env)
        focus(window, env)
        ping(owner, window)

        def press_and_type():
            xdotool(env, "key", "ctrl+v")
            xdotool(env, "type", "12+3=")

        def hold():
            xdotool(env, "keydown", "ctrl+v")
            time.sleep(1)
            xdotool(env, "keyup", "ctrl+v")

        paste_and_check(owner, window, "Ctrl+V, then 12+3= typed during the wait", press_and_type)
        paste_and_check(owner, window, "Ctrl+V held for 1 s", hold)
        xdotool(env, "key", "ctrl+c")
        if owner.next(5) != "lost":
            d.fail("Ctrl+C did not take the clipboard")
        shown = owner.read_clipboard()
        if shown != "15":
            d.fail(f"the keys typed during the wait left \"{shown}\" in the display, not 15")
        print("the keys typed during the wait acted afterwards, in order: the display shows 15")
    finally:
        calculator.kill()
        calculator.wait()
        owner.stop()
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main()
