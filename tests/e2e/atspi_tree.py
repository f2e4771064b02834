#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader finds of the running program over the accessibility
# bus, and what it hears while the program changes. The whole tree of each
# page of the main window and of the fire key dialog is written out and must
# equal the expected one; meanwhile a listener on the bus checks that a page
# switch, a list opening and closing and a dialog's result arrive as the
# events a reader keeps its objects up to date by, and that an object it saw
# never comes to stand for another element.
#   atspi_tree.py APP_NAME EXPECTED_FILE OUT_FILE
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

app_name, expected_file, out_file = sys.argv[1], sys.argv[2], sys.argv[3]
events = []


def listen(event):
    try:
        source = f'{event.source.getRoleName()} "{event.source.name}"'
    except Exception:  # the object may be gone already
        source = "gone"
    events.append((event.type, event.detail1, event.source, source))


def pump():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def poll(find, what, seconds=60):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        pump()
        found = find()
        if found:
            return found
        time.sleep(0.1)
    require(False, what)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == app_name:
            return app
    return None


def shown_window(app, role):
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        if (window is not None and window.getRoleName() == role and
                window.getState().contains(pyatspi.STATE_SHOWING) and window.childCount > 0):
            return window
    return None


STATES = (("focusable", pyatspi.STATE_FOCUSABLE), ("focused", pyatspi.STATE_FOCUSED),
          ("checkable", pyatspi.STATE_CHECKABLE), ("checked", pyatspi.STATE_CHECKED),
          ("selected", pyatspi.STATE_SELECTED), ("expandable", pyatspi.STATE_EXPANDABLE),
          ("expanded", pyatspi.STATE_EXPANDED), ("collapsed", pyatspi.STATE_COLLAPSED),
          ("sensitive", pyatspi.STATE_SENSITIVE))


def line(element):
    text = f'{element.getRoleName()} "{element.name}"'
    for relation in element.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            targets = [relation.getTarget(i) for i in range(relation.getNTargets())]
            text += "".join(f' labelled by "{target.name}"' for target in targets)
    if element.description:
        text += f' description "{element.description}"'
    if element.getRoleName() in ("text", "entry"):
        content = element.queryText()
        text += f' = "{content.getText(0, content.characterCount)}"'
    states = element.getState()
    flags = [name for name, state in STATES if states.contains(state)]
    if flags:
        text += f" [{' '.join(flags)}]"
    try:
        action = element.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if names:
            text += f" {{{','.join(names)}}}"
    except NotImplementedError:
        pass
    return text


def tree(element, depth=0):
    lines = ["  " * depth + line(element)]
    for i in range(element.childCount):
        child = element.getChildAtIndex(i)
        if child is not None:
            lines += tree(child, depth + 1)
    return lines


def child(window, role, name=None, label=None):
    for i in range(window.childCount):
        element = window.getChildAtIndex(i)
        if element is None or element.getRoleName() != role:
            continue
        if name is not None and element.name != name:
            continue
        if label is not None and not any(
                relation.getRelationType() == pyatspi.RELATION_LABELLED_BY and relation.getTarget(0).name == label
                for relation in element.getRelationSet()):
            continue
        return element
    return None


def press(element):
    action = element.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def heard(kind, source=None, detail=None):
    return [e for e in events if e[0].startswith(kind) and (source is None or e[2] == source) and
            (detail is None or e[1] == detail)]


def defunct(element):
    try:
        return element.getState().contains(pyatspi.STATE_DEFUNCT) or element.getRoleName() != "combo box"
    except Exception:
        return True


def require(condition, what):
    if not condition:
        sys.exit(f"FAIL: {what}\nevents heard:\n" + "\n".join(f"{e[0]} {e[1]} {e[3]}" for e in events))


pyatspi.Registry.registerEventListener(listen, "object:children-changed", "object:property-change:accessible-name",
                                       "object:property-change:accessible-value",
                                       "object:state-changed", "object:selection-changed", "focus:")
looks = []


def main_window_stays(app):
    """The main window, once it is shown on three looks in a row: the
    start-up's own show, which the window takes back at once, does not count."""
    window = shown_window(app, "frame") or shown_window(app, "window")
    looks.append(window)
    if window is None or len(looks) < 3 or any(look != window for look in looks[-3:]):
        return None
    return window


app = poll(application, f"{app_name} is not on the accessibility bus")
window = poll(lambda: main_window_stays(app), "no main window on the bus")
report = ["# the key page"] + tree(window)

# A dialog's result: Fire Key chosen for the right button's box (a click on the list's
# entry), the dialog confirmed; the box is the same object with a new name.
right_box = child(window, "combo box", label="Key matrix 1 Right button")
require(right_box is not None and right_box.name == "Right Click", "the right button's box is not named by its value")
press(right_box)
entries = poll(lambda: child(window, "list", "Key matrix 1 Right button"), "the right button's box opened no list")
fire_key = poll(lambda: next((entries.getChildAtIndex(i) for i in range(entries.childCount)
                              if entries.getChildAtIndex(i).name == "Fire Key"), None),
                "the right button's list has no Fire Key entry:\n" + "\n".join(tree(window)), seconds=10)
x, y, width, height = fire_key.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2), "click", "1"], check=True)
dialog = poll(lambda: shown_window(app, "dialog"), "choosing Fire Key opened no dialog on the bus")
poll(lambda: child(dialog, "combo box", label="Key"), "the fire key dialog shows no box")
report += ["# the fire key dialog"] + tree(dialog)
events.clear()
press(child(dialog, "push button", "Apply"))
poll(lambda: right_box.name.startswith("Fire Key"), "the right button's box does not read the dialog's result")
poll(lambda: heard("object:property-change:accessible-name", right_box), "no name change for the right button's box")
require(child(window, "combo box", label="Key matrix 1 Right button") == right_box,
        "the right button's box is another object after the dialog")
report += ["# the key page after the fire key dialog"] + tree(window)

# A page switch: the key page's boxes go with their page and the stage boxes
# come as objects of their own; the tab kept is the same object.
apply_button = child(window, "push button", "Apply")
events.clear()
press(child(window, "page tab", "DPI"))
poll(lambda: child(window, "combo box", label="Stage 1"), "the DPI tab's action did not show the DPI page")
poll(lambda: heard("object:children-changed:add"), "no children-changed add for the DPI page")
require(heard("object:children-changed:remove"), "no children-changed remove for the key page's boxes")
require(defunct(right_box), "the key page's right button box still answers as a box on the DPI page")
require(child(window, "push button", "Apply") == apply_button, "Apply is another object after the page switch")
stage = child(window, "combo box", label="Stage 1")
require(stage.name != "" and not stage.description, "the first stage box is not named by its value")
report += ["# the DPI page"] + tree(window)

# A list opening and closing: the list comes and goes as a child of the window.
events.clear()
press(stage)
poll(lambda: child(window, "list", "Stage 1"), "pressing the stage box did not open its list")
poll(lambda: heard("object:children-changed:add"), "no children-changed add for the open list")
require(stage.getState().contains(pyatspi.STATE_EXPANDED), "the open box is not expanded")
report += ["# the DPI page, the first stage's list open"] + tree(window)
events.clear()
press(stage)
poll(lambda: child(window, "list") is None, "pressing the stage box again did not close its list")
poll(lambda: heard("object:children-changed:remove"), "no children-changed remove for the closed list")
require(not stage.getState().contains(pyatspi.STATE_EXPANDED), "the closed box is still expanded")

press(child(window, "page tab", "Rate · Lighting"))
poll(lambda: child(window, "page tab", "Rate · Lighting").getState().contains(pyatspi.STATE_SELECTED) and
     child(window, "combo box") is None, "the third tab's action did not show its page")
report += ["# the report rate and lighting page"] + tree(window)

with open(out_file, "w", encoding="utf-8") as out:
    out.write("\n".join(report) + "\n")
with open(expected_file, encoding="utf-8") as expected:
    if expected.read() != "\n".join(report) + "\n":
        subprocess.run(["diff", "-u", expected_file, out_file])
        sys.exit(f"FAIL: the trees on the bus differ from {expected_file}")
print("the trees on the bus are the expected ones; page switch, list and dialog were heard as they happened")
