# Reads the program's accessibility tree over AT-SPI, as a screen reader does. One command a line on
# standard input, one JSON line in answer: "tree" gives every node of every window of the program,
# "press NAME" runs the Press action of the first shown node named NAME that has one.
import json
import sys

import pyatspi
from gi.repository import Atspi


def nodes(node, window, path):
    entry = {"window": window, "path": path, "role": node.getRoleName(), "name": node.name,
             "description": node.description, "node": node,
             "states": [pyatspi.stateToString(state) for state in node.getState().getStates()]}
    try:
        value = node.queryValue()
        entry["range"] = [value.minimumValue, value.maximumValue]
    except NotImplementedError:
        pass
    if entry["role"] == "text":
        entry["text"] = node.queryText().getText(0, -1)
    yield entry
    for index, child in enumerate(node):
        if child is not None:
            yield from nodes(child, window, path + "/" + str(index))


def answer(verb, argument):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Quorvane":
            # Read afresh at every question: the test waits on changes that a cache would hide.
            app.set_cache_mask(Atspi.Cache.NONE)
            found = [entry for window in app if window is not None for entry in nodes(window, window.name, "")]
            if verb == "tree":
                return [{key: value for key, value in entry.items() if key != "node"} for entry in found]
            for entry in found:
                if entry["name"] == argument and "showing" in entry["states"]:
                    actions = entry["node"].queryAction()
                    names = [actions.getName(index) for index in range(actions.nActions)]
                    if "Press" in names:
                        return actions.doAction(names.index("Press"))
            return False
    return None


for line in sys.stdin:
    verb, _, argument = line.strip().partition(" ")
    try:
        result = answer(verb, argument)
    except Exception as error:  # a node that went away while it was read: the test asks again
        result = {"error": str(error)}
    print(json.dumps(result, ensure_ascii=False), flush=True)
