#!/usr/bin/python3
"""Prints the names of the buttons of the window titled argv[1], as the accessibility
bus shows them to assistive technologies, sorted and separated by "|"; with "texts" as
argv[2], what its text fields hold instead, in the window's order."""
import sys

import pyatspi


def buttons(node):
    names = [node.name] if node.getRoleName() == "push button" else []
    for child in node:
        names += buttons(child)
    return names


def texts(node):
    shown = [node.queryText().getText(0, -1)] if node.getRoleName() == "text" else []
    for child in node:
        shown += texts(child)
    return shown


for application in pyatspi.Registry.getDesktop(0):
    for window in application:
        if window and window.name == sys.argv[1]:
            if sys.argv[2:] == ["texts"]:
                print("|".join(texts(window)))
            else:
                print("|".join(sorted(buttons(window))))
