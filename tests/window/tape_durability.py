#!/usr/bin/env python3
"""The tape survives kill -9: the replay program makes lines (calculations
typed, each followed by "state") and is killed with SIGKILL at a random
moment, 20 times, each time started again on the same tape. After each kill
the file must pass SQLite's and the text index's integrity checks and hold
every line a report had shown, in its place; the lines the round wrote must
be the start of those it was asked for, whole and none doubled.

Usage: tape_durability.py REPLAY_PROGRAM [ROUNDS]
Run it with data and settings folders of its own (tests/own-home.sh). The
random seed is printed; HITUNGRAMA_DURABILITY_SEED repeats a run."""
import json
import os
import random
import signal
import sqlite3
import subprocess
import sys
import threading
import time

SEED = int(os.environ.get("HITUNGRAMA_DURABILITY_SEED", random.SystemRandom().randrange(1 << 32)))
CALCULATIONS_PER_ROUND = 150
# A kill comes this long after the first report, or after the start for
# every fifth round, so that some hit the opening of the tape.
KILL_WITHIN_S = 2.0


def fail(message):
    print(f"tape_durability: {message} (seed {SEED})", file=sys.stderr)
    sys.exit(1)


def read_tape(path):
    """The texts of the file's lines in id order, after the integrity checks;
    [] when there is no tape yet."""
    if not os.path.exists(path):
        return []
    db = sqlite3.connect(path)
    try:
        if not db.execute("SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = 'line'").fetchall():
            return []
        check = db.execute("PRAGMA integrity_check").fetchall()
        if check != [("ok",)]:
            fail(f"integrity_check: {check}")
        try:
            # Rank 1: the index must also match the rows of the table.
            db.execute("INSERT INTO line_text(line_text, rank) VALUES ('integrity-check', 1)")
        except sqlite3.DatabaseError as error:
            fail(f"the text index does not match the lines: {error}")
        texts = []
        for expression, result in db.execute("SELECT expression, result FROM line ORDER BY id"):
            if not expression or not result:
                fail(f"a line is half there: {expression!r} = {result!r}")
            texts.append(f"{expression} = {result}")
        return texts
    finally:
        db.close()


def run_round(program, rng, actions, from_start):
    """Starts the program, feeds it the actions and kills it; returns the
    reports it wrote before dying."""
    process = subprocess.Popen([program], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    reports = []
    first = threading.Event()

    def read():
        for raw in process.stdout:
            try:
                reports.append(json.loads(raw))
            except ValueError:
                break  # the last line, cut by the kill
            first.set()
        first.set()

    reader = threading.Thread(target=read)
    reader.start()
    process.stdin.write(actions.encode())
    process.stdin.flush()
    if not from_start:
        first.wait(30)
    time.sleep(rng.uniform(0, KILL_WITHIN_S))
    process.send_signal(signal.SIGKILL)
    process.wait()
    reader.join()
    process.stdin.close()
    return reports


def main():
    program = sys.argv[1]
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    if not os.environ.get("XDG_DATA_HOME"):
        fail("XDG_DATA_HOME is not set: run through tests/own-home.sh")
    tape = os.path.join(os.environ["XDG_DATA_HOME"], "Hitungrama", "riwayat.sqlite")
    rng = random.Random(SEED)
    kept = read_tape(tape)
    in_flight = 0
    for round_number in range(rounds):
        # Each line of the run its own: "n + 1 = n+1", after ON.
        first_n = 1000 * round_number + 1
        steps = [(f"key Escape\ntype {n}+1=", f"{n} + 1 = {n + 1}")
                 for n in range(first_n, first_n + CALCULATIONS_PER_ROUND)]
        actions = "state\n" + "".join(f"{line}\nstate\n" for line, _ in steps)
        reports = run_round(program, rng, actions, round_number % 5 == 0)
        texts = read_tape(tape)
        where = f"round {round_number + 1}"
        if texts[:len(kept)] != kept:
            fail(f"{where}: lines kept before are gone or changed")
        added = texts[len(kept):]
        if added != [text for _, text in steps][:len(added)]:
            fail(f"{where}: the new lines are not the start of those calculated: {added[:5]}...")
        if reports and reports[0]["tape"]["lines"] != len(kept):
            fail(f"{where}: the first report shows {reports[0]['tape']['lines']} lines, the file held {len(kept)}")
        for report in reports:
            shown, last = report["tape"]["lines"], report["tape"]["last"]
            if shown > len(texts) or texts[shown - len(last):shown] != last:
                fail(f"{where}: a report showed {shown} lines ending {last}, the file has "
                     f"{len(texts)} ending {texts[-3:]}")
        in_flight += bool(reports) and len(texts) > reports[-1]["tape"]["lines"]
        kept = texts
    print(f"tape_durability: {rounds} kills, {len(kept)} lines kept; {in_flight} kills came with lines "
          f"committed after the last report (seed {SEED})")


if __name__ == "__main__":
    main()
