#!/usr/bin/env python3
"""The keyboard after starts that reopen the tape window. The tape window is
opened with Ctrl+H and the program ends; then come five starts in a row, each
reopening it. At each start the main window has the keyboard: 3+3= typed at
once puts its line on the tape. Then a click on the tape window and one on
the main window: 4+4= puts its line on the tape. Under X11 (Xvfb with openbox,
keys from xdotool) Pakai is checked too: Enter on a tape line gives the
keyboard back to the main window, where +1= puts a line on the tape. A
headless sway (keys from wtype) is not asked that: on Wayland the compositor
decides whether a program's window may take the keyboard.

Usage: tape_focus.py x11 PROGRAM
       tape_focus.py sway PROGRAM VPOINTER_PROGRAM"""
import json
import os
import re
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktoprun as d  # noqa: E402
import wayland_sway as wl  # noqa: E402

TAPE_TITLE = "Riwayat"
STARTS = 5
wait_for = wl.wait_for


class X11:
    """Xvfb with openbox; input through XTEST, as a user's."""

    def __init__(self, scratch):
        for tool in ("Xvfb", "xdotool", "openbox"):
            if not shutil.which(tool):
                d.skip(f"{tool} is not installed")
        self.data = os.path.join(scratch, "data")
        self.env = dict(os.environ, QT_QPA_PLATFORM="xcb", LANGUAGE="id", XDG_DATA_HOME=self.data,
                        XDG_CONFIG_HOME=os.path.join(scratch, "config"))
        self.env.pop("WAYLAND_DISPLAY", None)
        self.processes = []

    def open(self):
        # Without -noreset the server resets when its last client leaves, and a
        # client that comes during the reset finds no display.
        server, self.env["DISPLAY"] = d.start_xvfb("1280x1024x24", "-noreset")
        self.processes.append(server)
        self.processes.append(subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.xprop_root(), 10, "openbox")

    def xprop_root(self):
        return subprocess.run(["xprop", "-root"], env=self.env, capture_output=True, text=True).stdout

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True).stdout

    def start(self, program):
        process = subprocess.Popen([program], env=self.env, stdout=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def rect(self, title):
        """The window's client rectangle on the screen, once it is shown."""
        found = self.xdotool("search", "--onlyvisible", "--name", f"^{title}$").split()
        if not found:
            return None
        values = dict(re.findall(r"(\w+)=(\d+)", self.xdotool("getwindowgeometry", "--shell", found[0])))
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def focused(self):
        return self.xdotool("getactivewindow", "getwindowname").strip()

    def click(self, x, y):
        self.xdotool("mousemove", str(x), str(y), "click", "1")

    def type(self, text):
        self.xdotool("type", "--delay", "30", text)

    def key(self, keys):
        self.xdotool("key", keys)

    stop = wl.Session.stop


class Sway(wl.Session):
    """A headless sway with a virtual pointer and wtype's virtual keyboards;
    as root everything runs as the user of the Wayland test."""

    def __init__(self, scratch, vpointer):
        if not shutil.which("sway"):
            d.skip("sway is not installed")
        if not vpointer or not os.path.exists(vpointer):
            d.fail("the virtual pointer client was not built (it needs libwayland-dev)")
        for tool in ("swaymsg", "wtype"):
            if not shutil.which(tool):
                d.fail(f"{tool} is not installed")
        super().__init__(scratch, wl.account())
        self.data = os.path.join(scratch, "data")
        self.env.update(XDG_DATA_HOME=self.data, XDG_CONFIG_HOME=os.path.join(scratch, "config"),
                        LANGUAGE="id")
        self.vpointer = vpointer

    def open(self):
        self.start_sway(self.vpointer)

    def start(self, program):
        # Qt's Wayland plugin leaves its activation tokens and some of
        # libwayland's objects to the end of the process: under the leak
        # checker only the other sanitizers' reports count here.
        options = ":".join(filter(None, [self.env.get("ASAN_OPTIONS"), "detect_leaks=0"]))
        return self.popen([program], env={"QT_QPA_PLATFORM": "wayland", "ASAN_OPTIONS": options},
                          stdout=subprocess.DEVNULL)

    def nodes(self):
        pending = [json.loads(self.run(["swaymsg", "-r", "-t", "get_tree"]))]
        while pending:
            node = pending.pop()
            yield node
            pending += node.get("nodes", []) + node.get("floating_nodes", [])

    def rect(self, title):
        for node in self.nodes():
            if node.get("name") == title and node.get("visible"):
                outer, inner = node["rect"], node["window_rect"]
                return (outer["x"] + inner["x"], outer["y"] + inner["y"], inner["width"], inner["height"])
        return None

    def focused(self):
        return next((node.get("name") for node in self.nodes() if node.get("focused")), None)

    def click(self, x, y):
        for command in (f"move {x} {y}", "down", "up"):
            self.point(command)

    # Each wtype is a new keyboard: what it sends before sway has given the
    # window that keyboard is lost, so it waits a moment first.
    WTYPE = ["wtype", "-s", "150"]

    def type(self, text):
        self.run(self.WTYPE + ["-d", "30", text])

    def key(self, keys):
        *modifiers, name = keys.split("+")
        command = list(self.WTYPE)
        for modifier in modifiers:
            command += ["-M", modifier]
        command += ["-k", name]
        for modifier in modifiers:
            command += ["-m", modifier]
        self.run(command)


def newest_line(data):
    """The newest line's expression on the tape, or None."""
    path = os.path.join(data, "Hitungrama", "riwayat.sqlite")
    if not os.path.exists(path):
        return None
    connection = sqlite3.connect(f"file:{path}?mode=ro", uri=True)
    try:
        row = connection.execute("SELECT id, expression FROM line ORDER BY id DESC LIMIT 1").fetchone()
        return row and tuple(row)
    finally:
        connection.close()


def expect_line(desk, keys, expression, where):
    """Types the keys, which must put a new line of the expression on the tape."""
    before = newest_line(desk.data)
    desk.type(keys)
    line = before
    deadline = time.time() + 5
    while line == before and time.time() < deadline:
        time.sleep(0.05)
        line = newest_line(desk.data)
    if line == before or line[1] != expression:
        d.fail(f"{where}: {keys} typed made no line \"{expression}\" on the tape (the newest is "
               f"{line and line[1]!r}); the keyboard is in \"{desk.focused()}\"")


def end(process):
    """Ends the program as a session does; it must end cleanly (a sanitizer's
    report makes the exit code not 0)."""
    process.send_signal(signal.SIGTERM)
    try:
        code = process.wait(timeout=20)
    except subprocess.TimeoutExpired:
        process.kill()
        d.fail("the program did not end on SIGTERM")
    if code != 0:
        d.fail(f"the program ended with exit code {code} on SIGTERM")


def in_list(tape):
    """A point in the tape window's list, left in it: on sway the tape window
    fills the screen, under the main window's middle."""
    x, y, _, h = tape
    return x + 20, y + h // 2


def above_display(main):
    """A point of the main window's picture above the display: no control."""
    x, y, w, _ = main
    return x + w // 2, y + 12


def run(desk, program, check_use):
    process = desk.start(program)
    wait_for(lambda: desk.rect(d.TITLE), 10, "the main window")
    wait_for(lambda: desk.focused() == d.TITLE, 10, "the main window to take the keyboard")
    desk.key("ctrl+h")
    wait_for(lambda: desk.rect(TAPE_TITLE), 10, "the tape window after Ctrl+H")
    end(process)
    for start in range(1, STARTS + 1):
        process = desk.start(program)
        main = wait_for(lambda: desk.rect(d.TITLE), 10, "the main window")
        tape = wait_for(lambda: desk.rect(TAPE_TITLE), 10, "the reopened tape window")
        time.sleep(0.3)
        expect_line(desk, "3+3=", "3 + 3", f"start {start}")
        desk.click(*in_list(tape))
        wait_for(lambda: desk.focused() == TAPE_TITLE, 5, "the tape window to take the keyboard")
        desk.click(*above_display(main))
        expect_line(desk, "4+4=", "4 + 4", f"start {start}, a click on the main window")
        if check_use:
            desk.click(*in_list(tape))
            wait_for(lambda: desk.focused() == TAPE_TITLE, 5, "the tape window to take the keyboard")
            # Pakai on the newest line, 4 + 4 = 8.
            desk.key("End")
            desk.key("Return")
            expect_line(desk, "+1=", "8 + 1", f"start {start}, after Pakai")
        end(process)
    print(f"{STARTS} starts reopening the tape window: the main window had the keyboard at each, "
          f"and after a click on it{' and after Pakai' if check_use else ''}")


def main():
    if len(sys.argv) < 3 or sys.argv[1] not in ("x11", "sway"):
        sys.exit(__doc__)
    if sys.argv[1] == "sway" and len(sys.argv) != 4:
        sys.exit(__doc__)
    scratch = tempfile.mkdtemp(prefix="hitungrama-focus-")
    desk = X11(scratch) if sys.argv[1] == "x11" else Sway(scratch, sys.argv[3])
    try:
        desk.open()
        program = sys.argv[2]
        if sys.argv[1] == "sway":
            # Copied in: the build tree may lie in a folder only root can enter.
            program = os.path.join(scratch, "app", "bin", "hitungrama")
            os.makedirs(os.path.dirname(program))
            shutil.copy(sys.argv[2], program)
            desk.own()
        run(desk, program, check_use=sys.argv[1] == "x11")
    finally:
        desk.stop()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
