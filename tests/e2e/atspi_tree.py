#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader finds of the running program over the accessibility
# bus: the main window's tree (role, name, value, states), and a page tab's
# default action, which must switch the page as a click does.
#   atspi_tree.py APP_NAME OUT_FILE
import sys
import time

import pyatspi

app_name, out_file = sys.argv[1], sys.argv[2]


def poll(find, what, seconds=60):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    sys.exit(f"FAIL: {what}")


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == app_name:
            return app
    return None


def main_window(app):
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        if window is not None and window.getState().contains(pyatspi.STATE_SHOWING) and window.childCount > 0:
            return window
    return None


def line(element):
    states = element.getState()
    flags = [name for name, state in (("checked", pyatspi.STATE_CHECKED), ("selected", pyatspi.STATE_SELECTED),
                                      ("expanded", pyatspi.STATE_EXPANDED), ("focusable", pyatspi.STATE_FOCUSABLE))
             if states.contains(state)]
    text = f'{element.getRoleName()} "{element.name}"'
    if element.description:
        text += f' = "{element.description}"'
    return text + (f" [{' '.join(flags)}]" if flags else "")


def tree(window):
    lines = [line(window)]
    for i in range(window.childCount):
        lines.append("  " + line(window.getChildAtIndex(i)))
    return lines


def child(window, role, name):
    for i in range(window.childCount):
        element = window.getChildAtIndex(i)
        if element.getRoleName() == role and element.name == name:
            return element
    return None


app = poll(application, f"{app_name} is not on the accessibility bus")
window = poll(lambda: main_window(app), "no main window on the bus")
before = tree(window)
for expected in ('page tab "Buttons" [selected focusable]', 'push button "Apply" [focusable]',
                 'combo box "Key matrix 1 Left button" = "Left Click"', 'link "http://www.kx507-gaming.example/" [focusable]'):
    if not any(entry.strip().startswith(expected) for entry in before):
        sys.exit(f"FAIL: {expected} is not in the tree:\n" + "\n".join(before))

tab = child(window, "page tab", "DPI")
if tab is None:
    sys.exit("FAIL: no DPI tab")
action = tab.queryAction()
names = [action.getName(i) for i in range(action.nActions)]
action.doAction(names.index("press") if "press" in names else 0)
poll(lambda: child(window, "combo box", "Stage 1"), "the DPI tab's action did not show the DPI page")
stage = child(window, "combo box", "Stage 1")
if not stage.description:
    sys.exit("FAIL: the first stage box tells no value")
after = tree(window)
if not any(entry.strip().startswith('page tab "DPI" [selected') for entry in after):
    sys.exit("FAIL: the DPI tab is not selected:\n" + "\n".join(after))
with open(out_file, "w", encoding="utf-8") as out:
    out.write("\n".join(before + ["# after the DPI tab's action"] + after) + "\n")
print("the tree is on the bus and the tab's action switched the page")
