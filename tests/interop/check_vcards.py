#!/usr/bin/env python3
"""Checks that an independent vCard reader (python3-vobject) takes the cards the writer wrote.

    check_vcards.py INTEROP_TESTS EXPORT_FILE

Runs the test program to write EXPORT_FILE and EXPORT_FILE.expected (one tab-separated line per
contact: full name, last name, first name, phone count, e-mail, note length in UTF-8 bytes), reads
the cards back and compares. Exits 1 on any difference.
"""
import os
import subprocess
import sys

import vobject


def main():
    program, export = sys.argv[1], sys.argv[2]
    subprocess.run([program, "--gtest_filter=VCardContacts.WritesTheExportForAnIndependentReader"],
                   check=True, env=dict(os.environ, KORET_VCARD_EXPORT=export), stdout=subprocess.DEVNULL)
    with open(export + ".expected", encoding="utf-8") as lines:
        expected = [line.rstrip("\n").split("\t") for line in lines]
    with open(export, encoding="utf-8", newline="") as text:
        cards = list(vobject.readComponents(text.read()))
    failures = []
    if len(cards) != len(expected):
        failures.append(f"{len(cards)} cards read, {len(expected)} written")
    for card, (full, last, first, phones, email, note) in zip(cards, expected):
        found = (card.fn.value, card.n.value.family, card.n.value.given, str(len(card.contents.get("tel", []))),
                 card.email.value, str(len(card.note.value.encode("utf-8"))))
        if found != (full, last, first, phones, email, note):
            failures.append(f"read {found}, written {(full, last, first, phones, email, note)}")
    for failure in failures:
        print(failure)
    print(f"{len(cards)} cards read back" if not failures else f"{len(failures)} difference(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
