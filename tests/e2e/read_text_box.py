#!/usr/bin/python3
"""Reads, through AT-SPI as a screen reader does, the text of Orvane's text box (the object
named "Document") and prints it. Waits up to 20 s for the program to appear on the bus."""

import sys
import time

import pyatspi


def find(obj, depth=0):
    if obj is None or depth > 12:
        return None
    try:
        if obj.name == "Document" and obj.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY):
            return obj
        for child in obj:
            found = find(child, depth + 1)
            if found is not None:
                return found
    except Exception:  # an object that went away while it was read
        return None
    return None


deadline = time.time() + 20
while time.time() < deadline:
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name.lower() == "orvane":
            box = find(app)
            if box is not None:
                text = box.queryText()
                sys.stdout.write(text.getText(0, -1))
                sys.exit(0)
    time.sleep(0.2)
sys.stderr.write("read_text_box: no text box named Document on the accessibility bus\n")
sys.exit(1)
