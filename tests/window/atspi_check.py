#!/usr/bin/python3
"""Drives the real program through the AT-SPI accessibility tree, as a screen
reader does: finds the 41 buttons by name, presses 2 + 3 * 4 = through their
actions, reads 20 from the display's text and checks every press action
carries its key binding; then presses 2 + 3 =, opens the tape window with
Ctrl+H (synthesised through AT-SPI) and finds the new line in its list by
its accessible name, "2 + 3 = 5, <time>".

Usage: atspi_check.py PROGRAM   (with DISPLAY and a session bus set up)
Exit 0 on success, 1 on a failure, 77 when pyatspi is missing."""
import os
import subprocess
import sys
import time

try:
    import gi
    gi.require_version("Atspi", "2.0")
    import pyatspi
except (ImportError, ValueError) as missing:
    print(f"skipped: {missing}", file=sys.stderr)
    sys.exit(77)

CAPTIONS = ["0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "+", "-", "*", "/", "=", "x^y", "mod",
            "ON", "OFF", "CE", "Back-Space", "ABOUT", "M+", "M-", "MRC", "Sin", "x^2", "x^3", "Tan",
            "Cos", "Sqrt", "!", "Tbl", "Prm", "+/-", "%", "log", ".", "BIN", "->", "Desimal"]
# Key bindings that a screen reader must announce for some of the buttons.
BINDINGS = {"7": "7", "=": "=", "M+": "Ctrl+M", "ON": "Esc", "Back-Space": "Backspace", "Sin": "S",
            "log": "L", "CE": "Del"}


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    return 1


def find_application(pid, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                pass
        time.sleep(0.2)
    return None


def walk(node, depth=0):
    if node is None or depth > 30:
        return
    yield node
    for child in node:
        yield from walk(child, depth + 1)


def press(action):
    names = [action.getName(i).lower() for i in range(action.nActions)]
    for wanted in ("press", "click"):
        if wanted in names:
            return action.doAction(names.index(wanted))
    return action.doAction(0)


def check(app):
    buttons = {}
    display = None
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        buttons, display = {}, None
        for node in walk(app):
            role = node.getRole()
            if role == pyatspi.ROLE_PUSH_BUTTON and node.name in CAPTIONS:
                buttons[node.name] = node
            elif role in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY) and display is None:
                display = node
        if len(buttons) == len(CAPTIONS) and display is not None:
            break
        time.sleep(0.3)
    missing = sorted(set(CAPTIONS) - set(buttons))
    if missing:
        return fail(f"buttons not found by accessible name: {missing}")
    if display is None:
        return fail("no display text in the accessibility tree")

    for caption in ["2", "+", "3", "*", "4", "="]:
        if not press(buttons[caption].queryAction()):
            return fail(f'the press action of "{caption}" failed')
    text = display.queryText()
    shown = None
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        shown = text.getText(0, -1)
        if shown == "20":
            break
        time.sleep(0.1)
    if shown != "20":
        return fail(f'the display reads "{shown}" after 2 + 3 * 4 =, not "20"')

    for caption, node in buttons.items():
        action = node.queryAction()
        binding = action.getKeyBinding(0) if action.nActions > 0 else ""
        if not binding:
            return fail(f'"{caption}" has no key binding on its press action')
        expected = BINDINGS.get(caption)
        if expected is not None and binding.split(";")[0] != expected:
            return fail(f'"{caption}" announces "{binding}", not "{expected}"')
    for caption in ["ON", "2", "+", "3", "="]:
        if not press(buttons[caption].queryAction()):
            return fail(f'the press action of "{caption}" failed')
    line = find_tape_line(app, "2 + 3 = 5, ")
    if line is None:
        return fail('no line named "2 + 3 = 5, <time>" in the tape window after Ctrl+H')
    print(f'ok: {len(buttons)} buttons, display 20, every press action has a key binding, '
          f'the tape shows "{line}"')
    return 0


def ctrl_h():
    # X keycodes of the default keymap: Control_L and h.
    control, h = 37, 43
    pyatspi.Registry.generateKeyboardEvent(control, None, pyatspi.KEY_PRESS)
    pyatspi.Registry.generateKeyboardEvent(h, None, pyatspi.KEY_PRESSRELEASE)
    pyatspi.Registry.generateKeyboardEvent(control, None, pyatspi.KEY_RELEASE)


def find_tape_line(app, prefix, seconds=15):
    """Ctrl+H, then the name of the tape window's line that starts with prefix."""
    ctrl_h()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for window in app:
            if window is None or window.name != "Riwayat":
                continue
            for node in walk(window):
                if node.getRole() in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL) \
                        and node.name.startswith(prefix):
                    return node.name
        time.sleep(0.3)
    return None


def main():
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                       QT_QPA_PLATFORM="xcb", NO_AT_BRIDGE="0")
    program = subprocess.Popen([sys.argv[1]], env=environment)
    try:
        app = find_application(program.pid)
        if app is None:
            return fail("the program did not appear on the accessibility bus")
        return check(app)
    finally:
        program.kill()
        program.wait()


if __name__ == "__main__":
    sys.exit(main())
