#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Walks what assistive technology sees of the running km905's main window (the AT-SPI tree)
and prints how many of its objects can take the keyboard focus and how many have a name.
Run by scripts/atspi-tree.sh, which starts the program with accessibility on.

    atspi-tree.py [--wait SECONDS] [--list] [--open-help]

--list prints every object (role, name, description, focusable); --open-help then opens the
help window through the Help > Contents menu entry, as a screen reader user would, and
--ctrl-q types Ctrl+Q into it (with xdotool)."""
import argparse
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def find_app(wait):
    deadline = time.time() + wait
    while True:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name().lower() == "km905":
                for j in range(app.get_child_count()):
                    w = app.get_child_at_index(j)
                    if w is not None and w.get_role() == Atspi.Role.FRAME:
                        return app, w
        if time.time() > deadline:
            sys.exit("km905 did not show its main window on the accessibility bus")
        time.sleep(0.5)


def walk(node, depth=0):
    yield node, depth
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child, depth + 1)


def find_by_name(root, role, name):
    for node, _ in walk(root):
        if node.get_role() == role and node.get_name() == name:
            return node
    return None


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--wait", type=float, default=20)
    ap.add_argument("--list", action="store_true")
    ap.add_argument("--open-help", action="store_true")
    ap.add_argument("--ctrl-q", action="store_true")
    args = ap.parse_args()
    app, frame = find_app(args.wait)
    time.sleep(2)  # the first frames of the meter fill the display
    total = focusable = named = 0
    unnamed_fields = 0
    for node, depth in walk(frame):
        if node is frame:
            continue
        role = node.get_role()
        # Menus and their entries are the menu bar's, the same before and after.
        if role in (Atspi.Role.MENU, Atspi.Role.MENU_ITEM, Atspi.Role.SEPARATOR):
            continue
        total += 1
        states = node.get_state_set()
        can_focus = states.contains(Atspi.StateType.FOCUSABLE)
        name = node.get_name() or ""
        focusable += can_focus
        named += bool(name.strip())
        if role == Atspi.Role.TEXT and not name.strip():
            unnamed_fields += 1
        if args.list:
            print(f"{'  ' * depth}{node.get_role_name()} name={name!r} "
                  f"description={node.get_description()!r}{' focusable' if can_focus else ''}")
    print(f"main window: {total} objects, {focusable} focusable, {named} named, "
          f"{unnamed_fields} text fields without a name")
    if args.open_help:
        entry = find_by_name(frame, Atspi.Role.MENU_ITEM, "Contents")
        if entry is None:
            sys.exit("no Help > Contents entry")
        entry.do_action(0)
        deadline = time.time() + 10
        while time.time() < deadline:
            for i in range(app.get_child_count()):
                w = app.get_child_at_index(i)
                if w is not None and w.get_name() == "KM905 Help":
                    print("help window open")
                    if args.ctrl_q:
                        # Without a window manager the help window is given the focus by hand.
                        subprocess.run(["xdotool", "search", "--sync", "--name", "KM905 Help",
                                        "windowfocus", "--sync", "key", "ctrl+q"], check=True)
                        print("Ctrl+Q typed")
                    return
            time.sleep(0.3)
        sys.exit("the help window did not open")


if __name__ == "__main__":
    main()
