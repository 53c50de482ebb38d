#!/usr/bin/python3
"""Imports each sample calendar file with koret-cli into a fresh folder and exports the folder
again; an independent reader (python3-icalendar, dateutil for the repeats) then checks, event by
event, that the export says what the file said, property by property (stamps and PRODID aside,
moments compared as moments, lists as sets), and that the agenda shows exactly the occurrences the
file places (in Berlin's local time, over the file's first 400 days).

    check_round_trip.py KORET_CLI SAMPLES_FOLDER
"""
import datetime
import os
import subprocess
import sys
import tempfile
import zoneinfo

import icalendar
from dateutil import rrule

cli, samples = sys.argv[1], sys.argv[2]
LOCAL = zoneinfo.ZoneInfo("Europe/Berlin")
ENV = dict(os.environ, TZ="Europe/Berlin")
STAMPS = {"DTSTAMP", "CREATED", "LAST-MODIFIED"}
DAYS = 400

# Events whose occurrences the independent reader places otherwise, by UID, with the reason.
OTHER_OCCURRENCES = {
    # The file's zone description ends daylight-saving time on the first Sunday of April, as the
    # zone data does for 2009; the independent reader keeps it a year longer.
    "040000008200E00074C5B7101A82E008000000002079F2E4D4A3C9010000000000000000100000006C4B4F5EBD28AD43BB7F772276780C54":
        "the independent reader misplaces the change of its zone's clocks",
}

# Events that cannot come back exactly, by UID, with the reason.
EXCEPTIONS = {
    # The file describes its zone under a name that stands for another zone: the organizer takes
    # the moment from the file's description and keeps the zone the name stands for, where the
    # independent reader takes the zone of the name alone.
    "PERSOYPOYGVR55JMICVAFVDWWBIKPC9PTAG6SN4B2YT": "its zone's description contradicts the zone's name",
}


def run(*args):
    done = subprocess.run([cli, *args], capture_output=True, text=True, env=ENV)
    if done.returncode != 0:
        sys.exit("koret-cli %s failed: %s" % (" ".join(args), done.stderr))
    return done.stdout


def moment(value):
    """A date, a floating time or a moment, as a comparable key."""
    if isinstance(value, tuple):  # a period
        return ("period", moment(value[0]), str(value[1]))
    if isinstance(value, datetime.datetime):
        if value.tzinfo is not None:
            return ("at", value.astimezone(datetime.timezone.utc).replace(tzinfo=None).isoformat())
        return ("floating", value.isoformat())
    return ("date", value.isoformat())


def listed(component, name):
    value = component.get(name)
    if value is None:
        return []
    return value if isinstance(value, list) else [value]


def end_of(event):
    start = event["DTSTART"].dt
    if "DTEND" in event:
        return event["DTEND"].dt
    if "DURATION" in event:
        return start + event["DURATION"].dt
    return start + datetime.timedelta(days=1) if not isinstance(start, datetime.datetime) else start


def rule_key(recur):
    rule = {key.upper(): list(values) for key, values in recur.items()}
    if rule.get("INTERVAL") == [1]:
        del rule["INTERVAL"]
    if "UNTIL" in rule:
        rule["UNTIL"] = [moment(until) for until in rule["UNTIL"]]
    return sorted((key, [str(v) for v in values]) for key, values in rule.items())


def alarm_key(alarm):
    return sorted((name, str(value.to_ical()), sorted(value.params.items())) for name, value in alarm.property_items()
                  if name not in ("BEGIN", "END"))


def shape(event):
    """What an event says, property by property, in comparable form."""
    said = {"END": moment(end_of(event))}
    for name in event.keys():
        if name in STAMPS or name in ("DTEND", "DURATION"):
            continue
        # An empty text says nothing: the organizer holds it as no text at all.
        values = [value for value in listed(event, name) if not isinstance(value, str) or str(value) != ""]
        if not values:
            continue
        if name in ("DTSTART", "RECURRENCE-ID"):
            said[name] = moment(values[0].dt)
        elif name in ("EXDATE", "RDATE"):
            said[name] = sorted({moment(date.dt) for value in values for date in value.dts})
        elif name == "RRULE":
            said[name] = sorted(str(rule_key(value)) for value in values)
        elif name == "CATEGORIES":
            said[name] = sorted({str(c) for value in values for c in getattr(value, "cats", [value])})
        else:
            said[name] = sorted((value.to_ical().decode(), sorted(getattr(value, "params", {}).items()))
                                for value in values)
    said["VALARM"] = sorted(str(alarm_key(alarm)) for alarm in event.walk("VALARM"))
    return said


def key_of(event):
    rid = event.get("RECURRENCE-ID")
    return (str(event.get("UID", "")), moment(rid.dt) if rid is not None else None)


def local(value):
    if isinstance(value, datetime.datetime):
        return value.astimezone(LOCAL).replace(tzinfo=None) if value.tzinfo else value
    return datetime.datetime.combine(value, datetime.time())


def starts(master, first, last):
    """The starts the master places from first to last (local), before its changed occurrences."""
    start = master["DTSTART"].dt
    timed = isinstance(start, datetime.datetime)
    anchor = start if timed else datetime.datetime.combine(start, datetime.time())
    found = rrule.rruleset()
    found.rdate(anchor)
    for value in listed(master, "RRULE"):
        text = value.to_ical().decode()
        if anchor.tzinfo is not None and "UNTIL" in value:
            until = value["UNTIL"][0]
            if not isinstance(until, datetime.datetime):
                until = datetime.datetime.combine(until, datetime.time(23, 59, 59))
            if until.tzinfo is None:
                until = until.replace(tzinfo=anchor.tzinfo)
            text = ";".join(part for part in text.split(";") if not part.startswith("UNTIL="))
            text += ";UNTIL=" + until.astimezone(datetime.timezone.utc).strftime("%Y%m%dT%H%M%SZ")
        found.rrule(rrule.rrulestr(text, dtstart=anchor))
    for value in listed(master, "RDATE"):
        for date in value.dts:
            if not isinstance(date.dt, tuple):
                found.rdate(date.dt if isinstance(date.dt, datetime.datetime) else
                            datetime.datetime.combine(date.dt, anchor.timetz()))
    whole_days = set()
    for value in listed(master, "EXDATE"):
        for date in value.dts:
            if isinstance(date.dt, datetime.datetime):
                found.exdate(date.dt)
            else:
                whole_days.add(date.dt)
    low = first - datetime.timedelta(days=2)
    high = last + datetime.timedelta(days=2)
    if anchor.tzinfo is not None:
        low, high = low.replace(tzinfo=LOCAL), high.replace(tzinfo=LOCAL)
    return [s for s in found.between(low, high, inc=True) if s.date() not in whole_days]


def agenda_lines(masters, overrides, first, last):
    """The lines the agenda must show: per event and day the latest occurrence reaching into it."""
    lines = []
    for uid, master in masters.items():
        start = master["DTSTART"].dt
        timed = isinstance(start, datetime.datetime)
        length = local(end_of(master)) - local(start) if timed else None
        occurrences = {}
        for s in starts(master, first, last):
            if timed:
                occurrences[moment(s)] = (local(s), local(s) + length, master)
            else:
                days = (end_of(master) - start).days
                occurrences[moment(s.date())] = (s, s + datetime.timedelta(days=max(days, 1)), master)
        for rid, change in overrides.get(uid, {}).items():
            occurrences.pop(rid, None)
            s = change["DTSTART"].dt
            occurrences[("changed", rid)] = (local(s), local(end_of(change)), change)
        by_day = {}
        for s, e, event in occurrences.values():
            day = s.date()
            while datetime.datetime.combine(day, datetime.time()) < e or day == s.date():
                if first.date() <= day <= last.date() and (day not in by_day or by_day[day][0] < s):
                    by_day[day] = (s, e, event)
                day += datetime.timedelta(days=1)
        for day, (s, e, event) in by_day.items():
            all_day = not isinstance(event["DTSTART"].dt, datetime.datetime)
            times = "00:00-23:59" if all_day else s.strftime("%H:%M") + "-" + e.strftime("%H:%M")
            subject = " ".join(str(event.get("SUMMARY", "")).split())
            if event.get("LOCATION"):
                subject += " (" + " ".join(str(event["LOCATION"]).split()) + ")"
            lines.append((day.isoformat(), times, subject))
    return sorted(lines)


def check(sample, folder):
    with open(sample, "rb") as file:
        try:
            original = icalendar.Calendar.from_ical(file.read().removeprefix(b"\xef\xbb\xbf"))
        except Exception as error:  # the independent reader refuses the file itself
            run("import", sample, "--data", folder)
            out = os.path.join(folder, "out.ics")
            run("export", "--ics", out, "--data", folder)
            with open(out, "rb") as written:
                icalendar.Calendar.from_ical(written.read())
            return ["%s: not compared, the independent reader cannot read it (%s)" % (os.path.basename(sample), error)]
    run("import", sample, "--data", folder)
    out = os.path.join(folder, "out.ics")
    run("export", "--ics", out, "--data", folder)
    with open(out, "rb") as file:
        exported = icalendar.Calendar.from_ical(file.read())
    faults = []
    theirs = {key_of(event): event for event in original.walk("VEVENT")}
    ours = {key_of(event): event for event in exported.walk("VEVENT")}
    for key, event in theirs.items():
        if key[0] in EXCEPTIONS:
            print("%s: %s left out of the comparison: %s" % (os.path.basename(sample), key[0], EXCEPTIONS[key[0]]))
            continue
        if key not in ours and key[1] is not None and key[1][0] == "at":
            # A changed occurrence of an all-day series named by a date-time comes back named by its
            # date, as the series names its occurrences.
            named = (key[0], ("date", key[1][1][:10]))
            if named in ours:
                ours[key] = ours[named]
        if key not in ours:
            faults.append("%s: %s is not in the export" % (os.path.basename(sample), key))
            continue
        want, got = shape(event), shape(ours[key])
        if key[1] is not None and got.get("RECURRENCE-ID", ("",))[0] == "date":
            want.pop("RECURRENCE-ID"), got.pop("RECURRENCE-ID")
        for name in sorted(set(want) | set(got)):
            if want.get(name) != got.get(name):
                faults.append("%s: %s %s: the file says %s, the export %s" %
                              (os.path.basename(sample), key[0], name, want.get(name), got.get(name)))
    written = len(exported.walk("VEVENT"))
    if written != len(theirs):
        faults.append("%s: %d events in the file, %d in the export" % (os.path.basename(sample), len(theirs), written))

    masters = {key[0]: event for key, event in theirs.items()
               if key[1] is None and key[0] not in EXCEPTIONS and key[0] not in OTHER_OCCURRENCES}
    for uid in set(OTHER_OCCURRENCES) & {key[0] for key in theirs}:
        print("%s: %s: occurrences not compared: %s" % (os.path.basename(sample), uid, OTHER_OCCURRENCES[uid]))
    overrides = {}
    for key, event in theirs.items():
        if key[1] is not None and key[0] in masters:
            overrides.setdefault(key[0], {})[key[1]] = event
    if masters:
        first = min(local(event["DTSTART"].dt) for event in masters.values())
        first = datetime.datetime.combine(first.date(), datetime.time())
        last = first + datetime.timedelta(days=DAYS - 1)
        shown = []
        hidden = {str(event.get("SUMMARY", "")) for uid, event in theirs.items() if uid[0] in OTHER_OCCURRENCES}
        for line in run("agenda", "--from", first.date().isoformat(), "--days", str(DAYS), "--data",
                        folder).splitlines():
            day, times, _, subject = line.split("\t")[:4]  # a fifth column marks a reminder
            if subject not in hidden:
                shown.append((day, times, " ".join(subject.split())))
        want = agenda_lines(masters, overrides, first, last)
        if sorted(shown) != want:
            missing = sorted(set(want) - set(shown))[:5]
            extra = sorted(set(shown) - set(want))[:5]
            faults.append("%s: the agenda differs: missing %s, extra %s" % (os.path.basename(sample), missing, extra))
    return faults


faults = []
checked = 0
for name in sorted(os.listdir(samples)):
    if not name.endswith(".ics"):
        continue
    with tempfile.TemporaryDirectory() as folder:
        run("create-tables", "--data", folder)
        found = check(os.path.join(samples, name), folder)
        for fault in found:
            print(fault)
        faults += [fault for fault in found if "not compared" not in fault]
        checked += 1
print("%d passed, %d failed" % (checked - len({f.split(":")[0] for f in faults}), len({f.split(":")[0] for f in faults})))
sys.exit(1 if faults or checked == 0 else 0)
