"""Prints the AT-SPI tree of a running program as a screen reader gets it,
once it holds every line asked for.

    atspi_tree.py APPLICATION LINE...

Each object is one line, indented by its depth:
    role | name | description | state,state,...
A LINE is a regular expression that some line of the tree must match. The
tree is read again until all match (the program draws its screens from its
event loop), for up to 20 seconds; then it is printed, the lines that never
matched named on standard error with exit status 1.
"""

import re
import sys
import time

import pyatspi


def lines_of(accessible, depth, out):
    try:
        states = sorted(pyatspi.stateToString(s) for s in accessible.getState().getStates())
        out.append("%s%s | %s | %s | %s" % ("  " * depth, accessible.getRoleName(), accessible.name,
                                           accessible.description, ",".join(states)))
        for i in range(accessible.childCount):
            child = accessible.getChildAtIndex(i)
            if child is not None:
                lines_of(child, depth + 1, out)
    except Exception as error:  # an object gone while it was read
        out.append("%s(gone: %s)" % ("  " * depth, error))


def tree(name):
    out = []
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == name:
            lines_of(app, 0, out)
    return out


def main():
    name, wanted = sys.argv[1], [re.compile(w) for w in sys.argv[2:]]
    deadline = time.monotonic() + 20
    while True:
        try:
            lines = tree(name)
        except Exception as error:  # the registry not up yet
            lines = ["(no tree: %s)" % error]
        missing = [w.pattern for w in wanted if not any(w.search(line) for line in lines)]
        if not missing or time.monotonic() > deadline:
            break
        time.sleep(0.1)
    print("\n".join(lines))
    for pattern in missing:
        print("no line matches: %s" % pattern, file=sys.stderr)
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
