"""Walks the window's accessibility tree through AT-SPI, as a screen reader does.

Usage: accessibility_tree.py TARVOCONFIG FILE.par...

For each parameter file: starts the window on it, opens the channel sheet from the menu, then the
channel copy dialog from the sheet's button, and checks that every control shown in either (cell,
check box, list, button, tab) has a name. Prints one line per dialog; exits 1 on any nameless
control or when a dialog does not appear.
"""

import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

APPLICATION = "TarvoConfig"
CHANNELS_COMMAND = "Параметры каналов учета..."
SHEET_TITLE = "Параметры каналов учета (трубопроводов)"
COPY_BUTTON = "Копирование параметров канала"
COPY_TITLE = "Копирование параметров 1-го канала учета"
# What a user works with; each must be named.
WORKED_ROLES = {
    Atspi.Role.TEXT,
    Atspi.Role.ENTRY,
    Atspi.Role.CHECK_BOX,
    Atspi.Role.COMBO_BOX,
    Atspi.Role.PUSH_BUTTON,
    Atspi.Role.SPIN_BUTTON,
    Atspi.Role.PAGE_TAB,
}


def wait_for(find, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    return None


def children(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield child


def walk(node):
    yield node
    for child in children(node):
        yield from walk(child)


def application():
    desktop = Atspi.get_desktop(0)
    return next((a for a in children(desktop) if a.get_name() == APPLICATION), None)


def top_level(app, title):
    return next((w for w in children(app) if w.get_name() == title), None)


def press(node):
    # The press runs the dialog's modal loop inside the call, so its answer comes only when the
    # dialog closes: the call times out while the dialog goes on serving the tree.
    try:
        node.do_action(0)
    except GLib.Error:
        pass


def find_named(root, role, name):
    return next(
        (n for n in walk(root) if n.get_role() == role and n.get_name() == name), None)


def nameless(dialog):
    """The shown controls a user works with that have no name, and how many there are."""
    missing, count = [], 0
    for node in walk(dialog):
        if node.get_role() not in WORKED_ROLES:
            continue
        if not node.get_state_set().contains(Atspi.StateType.SHOWING):
            continue
        count += 1
        if not node.get_name().strip():
            missing.append(node.get_role_name())
    return missing, count


def check_dialog(app, title, where):
    dialog = wait_for(lambda: top_level(app, title))
    if dialog is None:
        print(f"{where}: the dialog «{title}» did not appear")
        return None
    missing, count = nameless(dialog)
    if missing:
        print(f"{where}: «{title}»: {len(missing)} of {count} controls have no name: "
              + ", ".join(missing))
        return None
    print(f"{where}: «{title}»: all {count} controls named")
    return dialog


def check_file(program, path, env):
    where = os.path.basename(path)
    window = subprocess.Popen([program, path], env=env)
    try:
        app = wait_for(application)
        if app is None:
            print(f"{where}: the window does not appear in the accessibility tree")
            return False
        Atspi.set_timeout(1000, 1000)
        command = wait_for(lambda: find_named(app, Atspi.Role.MENU_ITEM, CHANNELS_COMMAND))
        if command is None:
            print(f"{where}: no menu item «{CHANNELS_COMMAND}»")
            return False
        press(command)
        sheet = check_dialog(app, SHEET_TITLE, where)
        if sheet is None:
            return False
        copy = find_named(sheet, Atspi.Role.PUSH_BUTTON, COPY_BUTTON)
        if copy is None:
            print(f"{where}: no button «{COPY_BUTTON}»")
            return False
        press(copy)
        return check_dialog(app, COPY_TITLE, where) is not None
    finally:
        window.kill()
        window.wait()


def main():
    program, files = sys.argv[1], sys.argv[2:]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    results = [check_file(program, path, env) for path in files]
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main())
