#!/usr/bin/python3
"""Lists what a screen reader finds in a running program's windows, through
AT-SPI as Orca reads it: each accessible object's role, name, description
and whether the keyboard reaches it. Fails (exit 1) where a control the
keyboard reaches has no name, and (exit 2) where the program never shows up.

    list_names.py タベンコ
"""
import sys
import time

import pyatspi

# Parts of a control read as the control itself: a combo box's list and its
# items, a table's cells.
PARTS_OF = {"combo box", "table"}


def find_application(name, timeout):
    end = time.time() + timeout
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            # The program is there once its window has its controls.
            if app is not None and app.name == name and app.childCount and app[0].childCount:
                return app
        time.sleep(0.2)
    return None


def walk(node, depth, unnamed, inside_part=False):
    role = node.getRoleName()
    focusable = node.getState().contains(pyatspi.STATE_FOCUSABLE)
    print("%s%s「%s」%s%s" % ("  " * depth, role, node.name,
                              "（%s）" % node.description if node.description else "",
                              " *" if focusable else ""))
    if focusable and not inside_part and not node.name.strip() and role not in ("filler", "panel"):
        unnamed.append("%s at depth %d" % (role, depth))
    for child in node:
        if child is not None:
            walk(child, depth + 1, unnamed, inside_part or role in PARTS_OF)


def main():
    app = find_application(sys.argv[1], float(sys.argv[2]) if len(sys.argv) > 2 else 30)
    if app is None:
        print("%s never appeared on the accessibility bus" % sys.argv[1], file=sys.stderr)
        return 2
    unnamed = []
    walk(app, 0, unnamed)
    print("(* : reached by the keyboard)")
    for control in unnamed:
        print("no name: " + control, file=sys.stderr)
    return 1 if unnamed else 0


if __name__ == "__main__":
    sys.exit(main())
