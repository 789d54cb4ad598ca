#!/usr/bin/env python3
"""The real window on Wayland, in a headless sway with a virtual pointer:
clicks 7 + 8 = and reads 15 through the replay program, pastes 1,5 and reads
1.5, hovers "Sin" and sees its hover ring on a grim screenshot, then leaves
the window in one motion and sees the ring gone. Sway refuses to run as root, so as root everything runs as
a system user made for the purpose.

Usage: wayland_sway.py REPLAY_PROGRAM VPOINTER_PROGRAM SOURCE_DIR"""
import glob
import json
import os
import pwd
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktoprun as d  # noqa: E402

USER = "hitungrama-wl"
OUTPUT = (1280, 800)
SWAY_CONFIG = f"""output HEADLESS-1 resolution {OUTPUT[0]}x{OUTPUT[1]} position 0 0 scale 1
default_border none
default_floating_border none
focus_follows_mouse no
xwayland disable
"""


def account():
    """The uid, gid and home of the user to run as (made when running as root)."""
    if os.geteuid() != 0:
        return None
    try:
        entry = pwd.getpwnam(USER)
    except KeyError:
        # Another run may make the same user at the same time: only the
        # user's existence afterwards counts.
        subprocess.run(["useradd", "--system", "--no-create-home", "--home-dir", "/nonexistent",
                        "--shell", "/usr/sbin/nologin", USER], stderr=subprocess.DEVNULL)
        try:
            entry = pwd.getpwnam(USER)
        except KeyError:
            d.fail(f"cannot make the user {USER} to run sway as")
    return entry.pw_uid, entry.pw_gid


class Session:
    def __init__(self, runtime, ids):
        self.runtime, self.ids = runtime, ids
        self.env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": runtime,
                    "XDG_RUNTIME_DIR": runtime, "LANG": "C.UTF-8"}
        for key in ("LSAN_OPTIONS", "ASAN_OPTIONS", "UBSAN_OPTIONS"):
            if key in os.environ:
                self.env[key] = os.environ[key]
        self.processes = []

    def copy_suppressions(self):
        """The leak checker's suppressions, copied in where the user can read them."""
        options = self.env.get("LSAN_OPTIONS", "")
        if "suppressions=" in options:
            listed = options.split("suppressions=", 1)[1].split(":", 1)[0]
            shutil.copy(listed, os.path.join(self.runtime, "lsan.supp"))
            self.env["LSAN_OPTIONS"] = options.replace(listed, os.path.join(self.runtime, "lsan.supp"))

    def own(self):
        """Gives the folder and what it holds to the user."""
        if self.ids:
            for path in [self.runtime] + glob.glob(os.path.join(self.runtime, "**"), recursive=True):
                os.chown(path, *self.ids)
        os.chmod(self.runtime, 0o700)

    def start_sway(self, vpointer_program):
        """Starts sway and the virtual pointer, which is copied in."""
        shutil.copy(vpointer_program, self.runtime)
        self.copy_suppressions()
        with open(os.path.join(self.runtime, "sway.config"), "w") as f:
            f.write(SWAY_CONFIG)
        self.own()
        sway_log = open(os.path.join(self.runtime, "sway.log"), "w")
        self.popen(["sway", "-c", os.path.join(self.runtime, "sway.config")],
                   env={"WLR_BACKENDS": "headless", "WLR_LIBINPUT_NO_DEVICES": "1",
                        "WLR_RENDERER": "pixman", "WLR_HEADLESS_OUTPUTS": "1"},
                   stdout=sway_log, stderr=subprocess.STDOUT)
        socket = wait_for(lambda: [p for p in glob.glob(os.path.join(self.runtime, "wayland-*"))
                                   if not p.endswith(".lock")], 10, "the sway socket")[0]
        swaysock = wait_for(lambda: glob.glob(os.path.join(self.runtime, "sway-ipc.*.sock")), 10,
                            "sway's IPC socket")[0]
        self.env.update({"WAYLAND_DISPLAY": os.path.basename(socket), "SWAYSOCK": swaysock})
        self.pointer = self.popen([os.path.join(self.runtime, os.path.basename(vpointer_program))],
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.point(f"extent {OUTPUT[0]} {OUTPUT[1]}")

    def point(self, command):
        self.pointer.stdin.write(command + "\n")
        self.pointer.stdin.flush()
        if self.pointer.stdout.readline().strip() != "ok":
            d.fail(f"the virtual pointer did not take \"{command}\"")

    def popen(self, command, env=None, **kwargs):
        extra = {"user": self.ids[0], "group": self.ids[1], "extra_groups": []} if self.ids else {}
        process = subprocess.Popen(command, env=dict(self.env, **(env or {})), **extra, **kwargs)
        self.processes.append(process)
        return process

    def run(self, command, env=None):
        process = self.popen(command, env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        out, err = process.communicate(timeout=30)
        if process.returncode != 0:
            d.fail(f"{command[0]} failed: {err.strip()}")
        return out

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()


def wait_for(condition, seconds, what):
    deadline = time.time() + seconds
    while time.time() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    d.fail(f"timed out waiting for {what}")


def find_window(tree):
    if tree.get("name") == d.TITLE:
        return tree
    for child in tree.get("nodes", []) + tree.get("floating_nodes", []):
        found = find_window(child)
        if found:
            return found
    return None


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    if not shutil.which("sway"):
        d.skip("sway is not installed")
    replay_program, vpointer_program, source = sys.argv[1:]
    if not vpointer_program or not os.path.exists(vpointer_program):
        d.fail("the virtual pointer client was not built (it needs libwayland-dev)")
    for tool in ("grim", "swaymsg"):
        if not shutil.which(tool):
            d.fail(f"{tool} is not installed")
    runtime = tempfile.mkdtemp(prefix="hitungrama-wayland-")
    session = Session(runtime, account())
    try:
        # Programs the user runs are copied in: the build tree may lie in a
        # folder only root can enter.
        shutil.copy(replay_program, runtime)
        session.start_sway(vpointer_program)
        point = session.point
        point("move 2 2")

        replay = d.Replay(session.popen([os.path.join(runtime, os.path.basename(replay_program))],
                                        env={"QT_QPA_PLATFORM": "wayland",
                                             "QT_WAYLAND_DISABLE_WINDOWDECORATION": "1"},
                                        **d.Replay.pipes()), runtime)
        replay.send("state")

        def window():
            # Sway floats the fixed-size window and centres it; until then
            # its rectangle is not yet the window's own.
            node = find_window(json.loads(session.run(["swaymsg", "-r", "-t", "get_tree"])))
            if node and node.get("type") == "floating_con" and node.get("visible") \
                    and (node["window_rect"]["width"], node["window_rect"]["height"]) == (304, 318):
                return node
            return None
        node = wait_for(window, 10, "the window in sway's tree")
        origin = (node["rect"]["x"] + node["window_rect"]["x"], node["rect"]["y"] + node["window_rect"]["y"])
        rects = d.button_rects(source)

        def centre_of(caption):
            return d.centre(d.device_rect(rects[caption], 1, origin))

        shot = os.path.join(runtime, "shot.png")

        def top_line(caption):
            """The colour of a button's top line, where the hover ring shows."""
            x, y, w, _ = d.device_rect(rects[caption], 1, origin)
            replay.settle()
            session.run(["grim", shot])
            return d.read_png(shot).pixel(x + w // 4, y + 1)

        def hover(caption):
            x, y = centre_of(caption)
            point(f"move {x} {y}")
            steps = iter(range(1 << 30))

            def nudge_and_look():
                # A window that has only just been mapped may miss the first
                # motions: each look comes after one more motion.
                point(f"move {x + 1 + next(steps) % 2} {y}")
                return top_line(caption)
            return d.poll(nudge_and_look, d.HOVER_TOP, 15)

        # The first hover also shows that pointer input reaches the window.
        for caption in ("7", "+", "8", "="):
            colour = hover(caption)
            if colour != d.HOVER_TOP:
                d.fail(f"hovering \"{caption}\" shows {colour} on its top line, not the hover ring {d.HOVER_TOP}")
            point("down")
            replay.settle()
            point("up")
            replay.settle()
        shown = replay.wait_display("15", seconds=15)
        if shown != "15":
            d.fail(f"7 + 8 = shows \"{shown}\" on Wayland")
        # The paste reads the clipboard through Qt's Wayland plugin.
        pasted = replay.send("paste 1,5")
        if (pasted["display"], pasted["beeps"]) != ("1.5", 0):
            d.fail(f"a paste of 1,5 shows \"{pasted['display']}\" with {pasted['beeps']} beeps on Wayland")

        colour = hover("Sin")
        if colour != d.HOVER_TOP:
            d.fail(f"hovering \"Sin\" shows {colour} on its top line, not the hover ring {d.HOVER_TOP}")

        point("move 2 2")  # out of the window in one motion
        colour = d.poll(lambda: top_line("Sin"), (255, 255, 255), 15)
        if colour != (255, 255, 255):
            d.fail(f"after leaving the window \"Sin\" still shows {colour} on its top line")
        replay.close()
        print("Wayland: 7 + 8 = shows 15; a paste of 1,5 shows 1.5; hovering \"Sin\" shows its ring; leaving the window clears it")
    finally:
        session.stop()
        shutil.rmtree(runtime, ignore_errors=True)


if __name__ == "__main__":
    main()
