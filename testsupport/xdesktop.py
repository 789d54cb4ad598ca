"""The X side of the desktop tests and the benchmarks: a virtual X server on a
free display, the calculator's window found by its title, and the clipboard
owner that never answers (clipboardowner/), which also pings a window and
reads the clipboard. Each call takes the environment of the programs it
runs; without one they inherit this process's."""
import os
import queue
import subprocess
import sys
import threading
import time

TITLE = "Quodrel Zodir  Hitungrama"


def fail(reason):
    print(f"FAIL: {reason}", file=sys.stderr)
    sys.exit(1)


def start_xvfb(screen, *options):
    """A virtual X server on a free display: the process and the display name."""
    for number in range(140, 200):
        if not os.path.exists(f"/tmp/.X11-unix/X{number}") and not os.path.exists(f"/tmp/.X{number}-lock"):
            server = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", screen, "-nolisten", "tcp", *options],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for _ in range(100):
                if os.path.exists(f"/tmp/.X11-unix/X{number}"):
                    return server, f":{number}"
                time.sleep(0.05)
            server.kill()
    fail("no free X display")


def find_window(env=None, seconds=10, visible=False):
    """The id of the calculator's main window, once it is there (and mapped,
    with visible); fails after the time."""
    deadline = time.time() + seconds
    only_visible = ["--onlyvisible"] if visible else []
    while True:
        found = subprocess.run(["xdotool", "search", *only_visible, "--name", f"^{TITLE}$"], env=env,
                               capture_output=True, text=True).stdout.split()
        if found:
            return found[0]
        if time.time() >= deadline:
            fail("the window did not appear")
        time.sleep(0.1)


def focus(window, env=None):
    subprocess.run(["xdotool", "windowfocus", "--sync", window], env=env, check=True)


class SilentOwner:
    """The clipboard owner that never answers; its lines ("request NAME",
    "lost") are read as they come."""

    def __init__(self, path, env=None):
        self.path, self.env = path, env
        self.process = subprocess.Popen([path, "own"], env=env, stdout=subprocess.PIPE, text=True)
        self.lines = queue.Queue()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()
        if self.next(5) != "ready":
            self.stop()
            fail("the clipboard owner did not start")

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.strip())

    def next(self, seconds):
        """The next line within the time, or None."""
        try:
            return self.lines.get(timeout=seconds)
        except queue.Empty:
            return None

    def requests(self, seconds):
        """The names of the requests that come within the time."""
        seen, deadline = [], time.time() + seconds
        while (line := self.next(max(0.0, deadline - time.time()))) is not None:
            if line.startswith("request "):
                seen.append(line.split(" ", 1)[1])
        return seen

    def ping(self, window, seconds):
        """Whether the window answers the window manager's ping within the time."""
        return subprocess.run([self.path, "ping", window, str(seconds)], env=self.env,
                              capture_output=True).returncode == 0

    def read_clipboard(self):
        """The clipboard's text, read by a client of its own."""
        return subprocess.run([self.path, "read"], env=self.env, capture_output=True, text=True).stdout.strip()

    def stop(self):
        """Ends the owner; the lines it wrote stay to be read."""
        self.process.terminate()
        self.process.wait()
        self.reader.join()
