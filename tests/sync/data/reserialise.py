#!/usr/bin/python3
"""Writes event.ics, task.ics and card.vcf again through independent readers and writers
(python3-icalendar, python3-vobject), as a server might store them: the re-serialised-*.ics/.vcf
files beside them. Run it again after changing the originals."""
import pathlib

import icalendar
import vobject

here = pathlib.Path(__file__).parent
for name in ("event.ics", "task.ics"):
    calendar = icalendar.Calendar.from_ical((here / name).read_bytes())
    (here / ("reserialised-" + name)).write_bytes(calendar.to_ical())
card = vobject.readOne((here / "card.vcf").read_text(encoding="utf-8"))
(here / "reserialised-card.vcf").write_bytes(card.serialize().encode("utf-8"))
