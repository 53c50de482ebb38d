#!/usr/bin/python3
"""Reads a calendar file with an independent reader and prints, per event and task, its kind,
summary, description, location and start (local time of TZ) on one line, newlines shown as \\n and \\r.

    read_ics.py FILE
"""
import datetime
import sys

import icalendar


def shown(text):
    return str(text).replace("\r", "\\r").replace("\n", "\\n")


def start_of(component):
    value = component.get("DTSTART") or component.get("DUE")
    if value is None:
        return ""
    moment = value.dt
    if isinstance(moment, datetime.datetime):
        if moment.tzinfo is not None:
            moment = moment.astimezone()  # to the local zone of TZ
        return moment.strftime("%Y-%m-%d %H:%M")
    return moment.strftime("%Y-%m-%d")


with open(sys.argv[1], "rb") as file:
    calendar = icalendar.Calendar.from_ical(file.read())
for component in calendar.walk():
    if component.name in ("VEVENT", "VTODO"):
        print("|".join([component.name, shown(component.get("SUMMARY", "")), shown(component.get("DESCRIPTION", "")),
                        shown(component.get("LOCATION", "")), start_of(component), component.get("RRULE").to_ical().decode() if component.get("RRULE") else ""]))
