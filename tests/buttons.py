#!/usr/bin/python3
"""Prints the names of the buttons of the window titled argv[1], as the accessibility
bus shows them to assistive technologies, sorted and separated by "|"."""
import sys

import pyatspi


def buttons(node):
    names = [node.name] if node.getRoleName() == "push button" else []
    for child in node:
        names += buttons(child)
    return names


for application in pyatspi.Registry.getDesktop(0):
    for window in application:
        if window and window.name == sys.argv[1]:
            print("|".join(sorted(buttons(window))))
