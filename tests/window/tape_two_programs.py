#!/usr/bin/env python3
"""Two replay programs on one tape (one XDG_DATA_HOME): with the tape window
open in the first, a line made in the second appears in it within 2 s.

Usage: tape_two_programs.py REPLAY   (XDG_DATA_HOME and XDG_CONFIG_HOME set)
Exit 0 on success, 1 on a failure."""
import json
import os
import subprocess
import sys
import time

WITHIN_S = 2.0


class Replay:
    def __init__(self, program):
        environment = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        self.process = subprocess.Popen([program], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        env=environment, text=True, bufsize=1)

    def send(self, line):
        """Performs a line of one result and returns it."""
        self.process.stdin.write(line + "\n")
        self.process.stdin.flush()
        result = json.loads(self.process.stdout.readline())
        if "error" in result:
            raise RuntimeError(f'"{line}": {result["error"]}')
        return result

    def close(self):
        self.process.stdin.close()
        self.process.wait(timeout=30)


def main():
    first = Replay(sys.argv[1])
    second = Replay(sys.argv[1])
    try:
        first.send("tape open")
        second.send("type 12+30=")
        # A tape action returns once the lines queued before it are written.
        second.send("tape open")
        made = time.monotonic()
        while True:
            lines = first.send("state")["tapeWindow"]["lines"]
            waited = time.monotonic() - made
            if "12 + 30 = 42" in lines:
                print(f"ok: the other program's line appeared after {waited:.2f} s")
                return 0
            if waited > WITHIN_S:
                print(f"FAIL: after {waited:.2f} s the tape window shows {lines}", file=sys.stderr)
                return 1
            time.sleep(0.05)
    finally:
        first.close()
        second.close()


if __name__ == "__main__":
    sys.exit(main())
