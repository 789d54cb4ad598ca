"""The real screen reader: Orca, headless under Xvfb with its own session bus,
accessibility bus and registry, speech and braille off and key echo off. It
still records every utterance in its debug file, which it writes through a
buffer: it is read only after Orca has shut down on SIGTERM and ended.
Types a session with xdotool into the real program and checks what Orca
said: each result, the division-by-zero message, the memory's changes and a
box's text, each once and in order, and nothing for typed digits.

Usage: screenreader_orca.py PROGRAM id|en   (run inside dbus-run-session)"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktoprun import fail, skip, start_xvfb  # noqa: E402  (puts testsupport/ on the path)
from xdesktop import find_window  # noqa: E402

# What is typed, and what is heard of it, per language.
# Results closer than the announcer's 150 ms replace each other: the steps
# that must each be heard are typed apart.
STEPS = [
    ("type", "12+3*"),
    ("type", "4="),
    ("type", "9r"),
    ("type", "5/0="),
    ("type", "12"),
    ("key", "ctrl+m"),
    ("key", "ctrl+l"),
    ("type", "7g"),
    ("key", "ctrl+i"),
    ("key", "Return"),
]
HEARD = {
    "id": ["15", "60", "3", "Tidak ada pembagian dengan nol", "Memori 12", "Memori kosong",
           "Tabel perkalian 7"],
    "en": ["15", "60", "3", "Cannot divide by zero", "Memory 12", "Memory empty",
           "Multiplication table of 7"],
}
BOX = {"id": "Kalkulator ilmiah oleh Quodrel Zodir", "en": "Scientific calculator by Quodrel Zodir"}
PROFILE = """{"general": {"enableKeyEcho": false, "enableEchoByCharacter": false,
 "enableEchoByWord": false, "enableSpeech": false, "enableBraille": false},
 "keybindings": {}, "pronunciations": {},
 "profiles": {"default": {"profile": ["Default", "default"], "enableKeyEcho": false,
 "enableEchoByCharacter": false, "enableEchoByWord": false}}}"""


def libexec(name):
    for folder in ("/usr/libexec", "/usr/lib/at-spi2-core"):
        path = os.path.join(folder, name)
        if os.access(path, os.X_OK):
            return path
    skip(f"no {name}")


def utterances(debug_file):
    """The texts Orca spoke, in order; an utterance may span lines."""
    with open(debug_file, errors="replace") as f:
        log = f.read()
    spoken = re.findall(r"SPEECH OUTPUT: '(.*?)'\{'established'", log, re.DOTALL)
    return [re.sub(r"\n {18}", "\n", text) for text in spoken]


def stop(process, seconds=15):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(seconds)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
    return process.returncode


def stop_orca(orca, env):
    """Ends Orca the way that writes out its debug file. Its handler of
    SIGTERM runs only when an event wakes its main loop: a Shift press
    does."""
    orca.send_signal(signal.SIGTERM)
    for _ in range(30):
        try:
            return orca.wait(0.5)
        except subprocess.TimeoutExpired:
            subprocess.run(["xdotool", "key", "shift"], env=env)
    return stop(orca)


def main():
    program, language = sys.argv[1], sys.argv[2]
    for tool in ("Xvfb", "xdotool", "orca"):
        if shutil.which(tool) is None:
            skip(f"no {tool}")
    if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        fail("run me inside dbus-run-session")
    # Orca refuses to start beside another Orca of the same user.
    for _ in range(120):
        if subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                          stdout=subprocess.DEVNULL).returncode != 0:
            break
        time.sleep(0.5)
    work = tempfile.mkdtemp(prefix="hitungrama-orca-")
    children = []
    try:
        server, display = start_xvfb("1024x768x24", "-noreset")
        children.append(server)
        env = dict(os.environ, DISPLAY=display, HOME=work, LANG="C.UTF-8", LC_ALL="C.UTF-8",
                   XDG_RUNTIME_DIR=work, XDG_DATA_HOME=os.path.join(work, "data"),
                   XDG_CONFIG_HOME=os.path.join(work, "config"))
        env.pop("LANGUAGE", None)
        os.chmod(work, 0o700)
        prefs = os.path.join(work, "orca")
        os.makedirs(prefs)
        with open(os.path.join(prefs, "user-settings.conf"), "w") as f:
            f.write(PROFILE)
        quiet = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}
        children.append(subprocess.Popen([libexec("at-spi-bus-launcher"), "--launch-immediately",
                                          "--a11y=1"], env=env, **quiet))
        time.sleep(0.5)
        children.append(subprocess.Popen([libexec("at-spi2-registryd")], env=env, **quiet))
        debug_file = os.path.join(work, "orca-debug.out")
        orca = subprocess.Popen(["orca", "--disable", "speech", "--disable", "braille", "-u", prefs,
                                 "--debug-file", debug_file], env=env, stdout=subprocess.DEVNULL,
                                stderr=open(os.path.join(work, "orca.err"), "w"))
        children.append(orca)
        time.sleep(3)
        calculator = subprocess.Popen([program], env=dict(env, LANGUAGE=language), **quiet)
        children.append(calculator)
        window = find_window(env, visible=True)
        time.sleep(1.5)
        subprocess.run(["xdotool", "windowfocus", "--sync", window], env=env, check=True)
        time.sleep(1)
        for kind, keys in STEPS:
            command = ["xdotool", kind, "--delay", "250", keys] if kind == "type" else ["xdotool", "key", keys]
            subprocess.run(command, env=env, check=True)
            time.sleep(1.2)
        # Orca shuts down cleanly (and writes out what it said) only with a
        # window of the program it reads active: the main window again, now
        # that the box has closed, and a focus change in it.
        subprocess.run(["xdotool", "windowfocus", "--sync", window], env=env, check=True)
        subprocess.run(["xdotool", "key", "Tab"], env=env, check=True)
        time.sleep(1)
        if stop_orca(orca, env) != 0:
            with open(os.path.join(work, "orca.err"), errors="replace") as err:
                sys.stderr.write(err.read()[-3000:])
            fail(f"orca ended with {orca.returncode}")
        stop(calculator)
        said = utterances(debug_file)
        notes = [s[len("notification "):].rstrip(".") for s in said if s.startswith("notification ")]
        if notes != HEARD[language]:
            fail(f"heard {notes}, expected {HEARD[language]}; all that was said: {said}")
        if not any(BOX[language] in s for s in said):
            fail(f"the ABOUT box's text was not read; all that was said: {said}")
        print(f"OK: {language}: {notes}")
    finally:
        for child in reversed(children):
            stop(child, 5)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
