#!/usr/bin/python3
"""Prints the names of the buttons (or of the parts of role argv[2], such as "image") of
the window titled argv[1], as the accessibility bus shows them to assistive technologies,
sorted and separated by "|"; a part without a name by its role."""
import sys

import pyatspi


ROLE = sys.argv[2] if len(sys.argv) > 2 else "push button"


def buttons(node):
    names = [node.name or ROLE] if node.getRoleName() == ROLE else []
    for child in node:
        names += buttons(child)
    return names


for application in pyatspi.Registry.getDesktop(0):
    for window in application:
        if window and window.name == sys.argv[1]:
            print("|".join(sorted(buttons(window))))
