# Reads the program's accessibility tree over AT-SPI as a screen reader does, and presses keys through it. A
# JSON list a line in, a JSON line out: ["tree", WINDOW] gives its shown nodes, ["find", WINDOW, PATTERN] the
# first named to match, ["focus", WINDOW] the innermost focused one's name (a focus scope reads focused too),
# ["press", PATTERN] does the first action of the first shown node whose whole name matches that has one, ["walk", WINDOW, KEY] presses
# KEY (Tab or shift+Tab) until the focus comes back to a node it reached, and ["texts", WINDOW] reads every
# piece of every shown text as a screen reader does at a caret, and each field's first character box and
# attribute run.
import json
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

focus_moves = []
pyatspi.Registry.registerEventListener(
    lambda event: event.detail1 and focus_moves.append(event.source), "object:state-changed:focused")


def states(node):
    return [pyatspi.stateToString(state) for state in node.getState().getStates()]


def nodes(node, path=""):
    entry = {"path": path, "id": node.path, "role": node.getRoleName(), "name": node.name,
             "description": node.description, "node": node, "states": states(node)}
    value = node.get_value_iface()
    entry["range"] = [value.get_minimum_value(), value.get_maximum_value()] if value else None
    yield entry
    for index, child in enumerate(node):
        if child is not None:
            yield from nodes(child, path + "/" + str(index))


def shown(app, window=None, everything=False):
    return [entry for top in app if top is not None and window in (None, top.name) for entry in nodes(top)
            if everything or "showing" in entry["states"]]


def drawn(node):  # a hidden node has no place on the screen
    try:
        return node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width > 0
    except NotImplementedError:
        return False


# What Tab should stop at, by id: what shows, or with `scrolled` what is drawn in an area that scrolls,
# shown or scrolled out of sight. Qt calls every label and scroll bar focusable for its role alone, and a
# disabled control says so only in its description.
def tab_stops(app, window, scrolled=False):
    found = shown(app, window, scrolled)
    areas = [entry["path"].rpartition("/")[0] + "/" for entry in found
             if entry["role"] == "scroll bar" and "showing" in entry["states"]]
    return {entry["id"]: entry["role"] + " " + entry["name"] for entry in found
            if "focusable" in entry["states"] and entry["role"] not in ("label", "scroll bar")
            and entry["description"] not in ("Unavailable", "不可用")
            and (not scrolled or any(map(entry["path"].startswith, areas)) and drawn(entry["node"]))}


# Whether `node` shows whole inside the nearest area that holds it: its scrolling pane, or its window.
def in_view(node):
    area = node.parent
    while area.getRoleName() not in ("panel", "frame"):
        area = area.parent
    inner, outer = (item.queryComponent().getExtents(pyatspi.DESKTOP_COORDS) for item in (node, area))
    return ("showing" in states(node) and outer.x <= inner.x and outer.y <= inner.y
            and inner.x + inner.width <= outer.x + outer.width
            and inner.y + inner.height <= outer.y + outer.height)


# Presses `key` and gives the node the focus moves to, or None when it stays.
def next_focus(key):
    while GLib.MainContext.default().iteration(False):
        pass
    focus_moves.clear()
    subprocess.run(["xdotool", "key", key], check=True)
    deadline = time.monotonic() + 20
    while not focus_moves and time.monotonic() < deadline:
        GLib.MainContext.default().iteration(False) or time.sleep(0.01)
    while GLib.MainContext.default().iteration(False):
        pass
    return focus_moves[-1] if focus_moves else None


# The names reached in order, those that did not show whole when reached, whether the focus stayed, and
# the stops never reached among those that show after the walk or that are drawn before it in an area that
# scrolls. A stop gone meanwhile (a layer that fades out as the screen changes) is not waited for.
def walk(app, window, key):
    unreached = tab_stops(app, window, scrolled=True)
    reached, hidden, node = {}, [], next_focus(key)
    while node is not None and node.path not in reached and len(reached) < 400:
        reached[node.path] = node.name
        hidden += [] if in_view(node) else [node.name]
        node = next_focus(key)
    unreached.update(tab_stops(app, window))
    return {"reached": list(reached.values()), "hidden": hidden,
            "stuck": node is None or node.path not in reached,
            "unreached": [name for id, name in unreached.items() if id not in reached]}


# A question the program does not answer in time fails instead of waiting with it.
Atspi.set_timeout(3000, 3000)
PIECES = [pyatspi.TEXT_BOUNDARY_CHAR, pyatspi.TEXT_BOUNDARY_WORD_START, pyatspi.TEXT_BOUNDARY_WORD_END,
          pyatspi.TEXT_BOUNDARY_SENTENCE_START, pyatspi.TEXT_BOUNDARY_SENTENCE_END,
          pyatspi.TEXT_BOUNDARY_LINE_START, pyatspi.TEXT_BOUNDARY_LINE_END]


# The names of the texts that hold some, and what failed: a piece not answered in time, or one that is
# not the text between the offsets it gives.
def read_texts(app, window):
    read, failed = [], []
    for entry in shown(app, window):
        try:
            text = entry["node"].queryText()
        except NotImplementedError:
            continue
        whole, count = text.getText(0, -1), 0
        for offset in range(text.characterCount + 1):
            for boundary in PIECES:
                for ask in (text.getTextBeforeOffset, text.getTextAtOffset, text.getTextAfterOffset):
                    try:
                        piece, start, end = ask(offset, boundary)
                        count += 1
                        if piece != whole[start:end]:
                            failed.append(f"{entry['name']} {ask.__name__} {offset} {boundary}: {piece!r}")
                    except Exception as error:
                        return {"read": read, "failed": failed + [f"{entry['name']} {offset} {boundary}: {error}"]}
        # A screen reader keeps a field's text only with its place on the screen and its attributes.
        if whole and "editable" in entry["states"]:
            box, run = text.getCharacterExtents(0, pyatspi.DESKTOP_COORDS), text.getAttributes(0)
            if box[2] <= 0 or box[3] <= 0 or run[2] <= run[1] or not run[0]:
                failed.append(f"{entry['name']}: character box {box}, attribute run {run}")
        read.append(entry["name"]) if whole else None
    return {"read": read, "failed": failed}


# Does a node's first action, the one a screen reader's "activate" does.
def press(entry):
    actions = entry["node"].queryAction()
    return actions.nActions > 0 and actions.doAction(0)


def answer(verb, argument, key=None):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Quorvane":
            # Read afresh at every question: the test waits on changes that a cache would hide.
            app.set_cache_mask(Atspi.Cache.NONE)
            if verb == "walk":
                return walk(app, argument, key)
            if verb == "texts":
                return read_texts(app, argument)
            found = shown(app, None if verb == "press" else argument)
            if verb == "press":
                return any(press(entry) for entry in found if re.fullmatch(argument, entry["name"]))
            found = [{name: value for name, value in entry.items() if name != "node"} for entry in found]
            if verb == "find":
                return next((entry for entry in found if re.search(key, entry["name"])), None)
            if verb == "focus":
                return next((entry["name"] for entry in reversed(found)
                             if "focused" in entry["states"] and entry["path"]), "")
            return found
    return None


for line in sys.stdin:
    try:
        result = answer(*json.loads(line))
    except Exception as error:  # a node that went away while it was read: the test asks again
        result = {"error": str(error)}
    print(json.dumps(result, ensure_ascii=False), flush=True)
