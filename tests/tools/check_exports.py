#!/usr/bin/python3
"""Imports every sample calendar and address-book file with koret-cli into a fresh folder, exports
the folder, and reads the exports with independent readers: every item is there with its summary
or name, start and UID; the exported calendar imports back into another folder unchanged.

    check_exports.py KORET_CLI SAMPLES_FOLDER
"""
import os
import re
import subprocess
import sys
import tempfile

import icalendar
import vobject

cli, samples = sys.argv[1], sys.argv[2]


def run(*args):
    done = subprocess.run([cli, *args], capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit("koret-cli %s failed: %s" % (" ".join(args), done.stderr))
    return done.stdout


def exported_counts(summary):
    found = re.search(r"(\d+) events, (\d+) tasks, (\d+) contacts", summary)
    return tuple(int(n) for n in found.groups())


with tempfile.TemporaryDirectory() as top:
    first, second = os.path.join(top, "first"), os.path.join(top, "second")
    for data in (first, second):
        run("create-tables", "--data", data)
    for name in sorted(os.listdir(samples)):
        if name.endswith((".ics", ".vcf")):
            run("import", os.path.join(samples, name), "--data", first)
    ics, vcf = os.path.join(top, "out.ics"), os.path.join(top, "out.vcf")
    events, tasks, _ = exported_counts(run("export", "--ics", ics, "--data", first))
    _, _, contacts = exported_counts(run("export", "--vcf", vcf, "--data", first))

    with open(ics, "rb") as file:
        calendar = icalendar.Calendar.from_ical(file.read())
    read_events = calendar.walk("VEVENT")
    read_tasks = calendar.walk("VTODO")
    assert (len(read_events), len(read_tasks)) == (events, tasks), (len(read_events), len(read_tasks), events, tasks)
    assert events > 0
    for event in read_events:
        assert event.get("UID") and event.get("DTSTART") is not None and "SUMMARY" in event, event

    with open(vcf, encoding="utf-8") as file:
        cards = list(vobject.readComponents(file.read()))
    assert len(cards) == contacts and contacts > 0, (len(cards), contacts)
    for card in cards:
        assert card.uid.value and card.n.value is not None and card.fn is not None, card

    summary = run("import", ics, "--data", second)
    again = run("import", ics, "--data", second)
    assert " 0 added, 0 updated" in again, again
    print("%d events, %d tasks, %d contacts read back; %s" % (events, tasks, contacts, summary.splitlines()[0]))
