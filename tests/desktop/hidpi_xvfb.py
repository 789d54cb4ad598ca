#!/usr/bin/env python3
"""The real window under Xvfb at QT_SCALE_FACTOR 2 and 1.5: clicks 7 + 8 = at
device coordinates with xdotool and reads 15 through the replay program;
then, on the X screen itself, the hovered "=" key shows every frame and ring
line at one device width on every side, and every key's frame is that wide.

Usage: hidpi_xvfb.py REPLAY_PROGRAM SOURCE_DIR [SCREENSHOT_DIR]"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktoprun as d  # noqa: E402  (puts testsupport/ on the path)
from xdesktop import find_window  # noqa: E402


def window_geometry(env):
    out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", find_window(env)], env=env,
                         capture_output=True, text=True).stdout
    values = dict(re.findall(r"(\w+)=(\d+)", out))
    return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


def run(program, source, scale, display, fbdir, scratch, shots):
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", QT_SCALE_FACTOR=str(scale))
    env.pop("WAYLAND_DISPLAY", None)
    replay = d.Replay.start(program, env, scratch)
    try:
        replay.send("state")
        x, y, width, height = window_geometry(env)
        if (width, height) != (round(304 * scale), round(318 * scale)):
            d.fail(f"{scale}: the window is {width}x{height} device pixels")
        rects = d.button_rects(source)
        for caption in ("7", "+", "8", "="):
            cx, cy = d.centre(d.device_rect(rects[caption], scale, (x, y)))
            subprocess.run(["xdotool", "mousemove", str(cx), str(cy), "click", "1"], env=env, check=True)
            replay.settle()
        shown = replay.wait_display("15")
        if shown != "15":
            d.fail(f"{scale}: 7 + 8 = shows \"{shown}\"")
        replay.settle()
        time.sleep(0.3)
        screen = d.read_xwd(os.path.join(fbdir, "Xvfb_screen0"))
        edge = max(1, int(scale + 0.5))
        hovered = d.line_widths(screen, d.device_rect(rects["="], scale, (x, y)))
        for side, widths in hovered.items():
            if widths != [edge] * len(widths):
                d.fail(f"{scale}: the hovered \"=\" has {side} lines {widths} device pixels wide, not {edge}")
        for caption, rect in rects.items():
            dx, dy, dw, dh = d.device_rect(rect, scale, (x, y))
            if dx + dw > x + width or dy + dh > y + height:
                continue  # in the hidden table panel
            # A quarter in, clear of the caption and of the pointer on "=".
            frames = [screen.runs(dx, dy + dh // 4, 1, 0, 1), screen.runs(dx + dw - 1, dy + dh // 4, -1, 0, 1),
                      screen.runs(dx + dw // 4, dy, 0, 1, 1), screen.runs(dx + dw // 4, dy + dh - 1, 0, -1, 1)]
            if screen.pixel(dx, dy + dh // 4) not in (d.FRAME, d.DISABLED_FRAME) or any(f != [edge] for f in frames):
                d.fail(f"{scale}: the frame of \"{caption}\" is {frames} device pixels wide, not {edge}")
        if shots:
            screen.crop(x, y, width, height).save_png(os.path.join(shots, f"screenshot-{round(scale * 100)}.png"))
        print(f"{scale}: 7 + 8 = shows 15; every frame and ring line is {edge} device pixels wide")
    finally:
        replay.close()


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    if not shutil.which("Xvfb") or not shutil.which("xdotool"):
        d.skip("Xvfb or xdotool is not installed")
    program, source = sys.argv[1], sys.argv[2]
    shots = sys.argv[3] if len(sys.argv) > 3 else None
    with tempfile.TemporaryDirectory() as scratch:
        fbdir = os.path.join(scratch, "fb")
        os.mkdir(fbdir)
        server, display = d.start_xvfb("1600x1200x24", "-fbdir", fbdir)
        try:
            for scale in (2, 1.5):
                run(program, source, scale, display, fbdir, scratch, shots)
        finally:
            server.terminate()
            server.wait()


if __name__ == "__main__":
    main()
