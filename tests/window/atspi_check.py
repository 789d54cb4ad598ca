#!/usr/bin/python3
"""Drives the real program through the AT-SPI accessibility tree, as a screen
reader does: finds the 41 buttons by name in the language given, presses
2 + 3 * 4 = through their actions, reads 20 from the display's text, checks
a tooltip reaches the reader as the button's description and that every
press action carries its key binding; then presses 2 + 3 =, opens the tape
window with Ctrl+H (synthesised through AT-SPI) and finds the new line in its
list by its accessible name, "2 + 3 = 5, <time>".

Usage: atspi_check.py PROGRAM [id|en]   (with DISPLAY and a session bus set up)
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

KEPT = ["0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "+", "-", "*", "/", "=", "x^y", "mod",
        "ON", "OFF", "CE", "Back-Space", "ABOUT", "M+", "M-", "MRC", "Sin", "x^2", "x^3", "Tan",
        "Cos", "Sqrt", "!", "Tbl", "Prm", "+/-", "%", "log", ".", "BIN", "->"]
# Per language: the captions that are words, the description of x^2 and the
# tape window's title.
LANGUAGES = {"id": (["Desimal"], "AKAR PANGKAT DUA", "Riwayat"), "en": (["Decimal"], "SQUARE", "History")}
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


def check(app, language):
    words, square_description, tape_title = LANGUAGES[language]
    captions = KEPT + words
    buttons = {}
    display = None
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        buttons, display = {}, None
        for node in walk(app):
            role = node.getRole()
            if role == pyatspi.ROLE_PUSH_BUTTON and node.name in captions:
                buttons[node.name] = node
            elif role in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY) and display is None:
                display = node
        if len(buttons) == len(captions) and display is not None:
            break
        time.sleep(0.3)
    missing = sorted(set(captions) - set(buttons))
    if missing:
        return fail(f"buttons not found by accessible name: {missing}")
    if display is None:
        return fail("no display text in the accessibility tree")
    if buttons["x^2"].description != square_description:
        return fail(f'x^2 is described as "{buttons["x^2"].description}", not "{square_description}"')

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
    line = find_tape_line(app, tape_title, "2 + 3 = 5, ")
    if line is None:
        return fail(f'no line named "2 + 3 = 5, <time>" in the window "{tape_title}" after Ctrl+H')
    for window in app:
        if window is not None and window.getRole() != pyatspi.ROLE_FRAME:
            return fail(f'the window "{window.name}" reports the role {window.getRoleName()}, not frame')
    for node in walk(app):
        if node.getRole() == pyatspi.ROLE_LABEL and node.name == "x  1 =" \
                and node.getState().contains(pyatspi.STATE_SHOWING):
            return fail('the table label "x  1 =" reports showing beyond the narrow window')
    focused = focus_events_of_background_tape(app, tape_title, buttons)
    if focused:
        return fail(f'a line added to the tape window in the background moved the focus: {focused}')
    print(f'ok ({language}): {len(buttons)} buttons, display 20, every press action has a key binding, '
          f'the tape shows "{line}", both windows are frames, a background line takes no focus')
    return 0


def window_of(node):
    while node is not None and node.getRole() not in (pyatspi.ROLE_FRAME, pyatspi.ROLE_FILLER,
                                                       pyatspi.ROLE_WINDOW, pyatspi.ROLE_APPLICATION):
        node = node.parent
    return node.name if node is not None else ""


def focus_events_of_background_tape(app, tape_title, buttons):
    """Gives the keyboard back to the main window, adds a line to the tape
    window behind it and returns the focus events that came from the tape
    window meanwhile."""
    main_window = next(w for w in app if w is not None and w.name != tape_title)
    main_window.queryComponent()  # the window is on screen
    subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{main_window.name}$",
                    "windowfocus", "--sync"], check=True)
    from gi.repository import GLib
    context = GLib.MainContext.default()
    events = []

    def note(event):
        try:
            if event.type.startswith("focus") or event.detail1 == 1:
                events.append((event.type, event.source.getRoleName(), event.source.name,
                               window_of(event.source)))
        except Exception:
            pass

    pyatspi.Registry.registerEventListener(note, "object:state-changed:focused", "focus:")

    def pump(seconds):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            while context.iteration(False):
                pass
            time.sleep(0.02)

    pump(1)
    events.clear()
    for caption in ["4", "+", "5", "="]:
        press(buttons[caption].queryAction())
    pump(3)
    pyatspi.Registry.deregisterEventListener(note, "object:state-changed:focused", "focus:")
    return [event for event in events if event[3] == tape_title]


def ctrl_h():
    # X keycodes of the default keymap: Control_L and h.
    control, h = 37, 43
    pyatspi.Registry.generateKeyboardEvent(control, None, pyatspi.KEY_PRESS)
    pyatspi.Registry.generateKeyboardEvent(h, None, pyatspi.KEY_PRESSRELEASE)
    pyatspi.Registry.generateKeyboardEvent(control, None, pyatspi.KEY_RELEASE)


def find_tape_line(app, title, prefix, seconds=15):
    """Ctrl+H, then the name of the line that starts with prefix in the tape
    window, which has the title given."""
    ctrl_h()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for window in app:
            if window is None or window.name != title:
                continue
            for node in walk(window):
                if node.getRole() in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL) \
                        and node.name.startswith(prefix):
                    return node.name
        time.sleep(0.3)
    return None


def main():
    language = sys.argv[2] if len(sys.argv) > 2 else "id"
    if language not in LANGUAGES:
        return fail(f"unknown language {language}")
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                       QT_QPA_PLATFORM="xcb", NO_AT_BRIDGE="0", LANGUAGE=language)
    program = subprocess.Popen([sys.argv[1]], env=environment)
    try:
        app = find_application(program.pid)
        if app is None:
            return fail("the program did not appear on the accessibility bus")
        return check(app, language)
    finally:
        program.kill()
        program.wait()


if __name__ == "__main__":
    sys.exit(main())
