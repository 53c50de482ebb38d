#!/usr/bin/env python3
"""Writes the planner model's oracle vectors, computed with the date arithmetic of Python's
datetime and the recurrence rules of python3-dateutil, independently of the planner's own code.

    python3 make_vectors.py        (writes recurrence_vectors.txt and date_vectors.txt here)

The output is deterministic (fixed seed); rerunning it reproduces the committed files.

Repeat codes and the rules they map to, for an event starting on day S and recurring up to the day
of its range end U (inclusive; a range end of 0 means no repetition):
  1 daily                rrule(DAILY)
  2 weekly               rrule(WEEKLY)
  3 monthly by day       rrule(MONTHLY, byweekday=WD(+w)), w = week of month of S (days 1-7 are
                         week 1, ..., 29-31 week 5); a fifth week means the last: WD(-1)
  4 monthly by date      rrule(MONTHLY, bymonthday=day of S)
  5 yearly by day        rrule(YEARLY, bymonth=month of S, byweekday as for 3)
  6 yearly by date       rrule(YEARLY, bymonth=month of S, bymonthday=day of S)
  7 custom               rrule(DAILY, interval=CustomInterval); an interval below 1 never repeats
The start day itself is left out of the occurrence lists (it falls on its day by its start).
"""

import calendar
import os
import random
from datetime import date, datetime, timedelta

from dateutil.rrule import DAILY, MONTHLY, WEEKLY, YEARLY, rrule, MO, TU, WE, TH, FR, SA, SU

EPOCH = date(1899, 12, 30)
WEEKDAYS = [MO, TU, WE, TH, FR, SA, SU]
HERE = os.path.dirname(os.path.abspath(__file__))


def day_number(d):
    return (d - EPOCH).days


def nth_weekday(start):
    week = (start.day + 6) // 7
    weekday = WEEKDAYS[start.weekday()]
    return weekday(-1) if week == 5 else weekday(+week)


def occurrences(code, start, until, interval):
    if until is None or code == 0:
        return []
    common = dict(dtstart=datetime(start.year, start.month, start.day),
                  until=datetime(until.year, until.month, until.day))
    if code == 1:
        rule = rrule(DAILY, **common)
    elif code == 2:
        rule = rrule(WEEKLY, **common)
    elif code == 3:
        rule = rrule(MONTHLY, byweekday=nth_weekday(start), **common)
    elif code == 4:
        rule = rrule(MONTHLY, bymonthday=start.day, **common)
    elif code == 5:
        rule = rrule(YEARLY, bymonth=start.month, byweekday=nth_weekday(start), **common)
    elif code == 6:
        rule = rrule(YEARLY, bymonth=start.month, bymonthday=start.day, **common)
    elif code == 7:
        if interval < 1:
            return []
        rule = rrule(DAILY, interval=interval, **common)
    else:
        raise ValueError(code)
    return [o.date() for o in rule if o.date() > start]


# How far a range may reach, in days, so that each code sees several occurrences while the
# vectors stay small.
REACH = {0: 60, 1: 120, 2: 730, 3: 2200, 4: 2200, 5: 6000, 6: 6000, 7: 400}


def random_start(rng):
    kind = rng.random()
    if kind < 0.25:  # the end of a month: days 28 to 31
        while True:
            y, m = rng.randint(1950, 2095), rng.randint(1, 12)
            last = calendar.monthrange(y, m)[1]
            d = rng.randint(max(28, last - 3), last)
            return date(y, m, d)
    if kind < 0.35:  # 29 February, including years near 2000 and 2100
        y = rng.choice([1952, 1996, 2000, 2024, 2028, 2092, 2096])
        return date(y, 2, 29)
    if kind < 0.55:  # a weekday in the fifth week: days 29 to 31
        while True:
            y, m = rng.randint(1950, 2095), rng.randint(1, 12)
            last = calendar.monthrange(y, m)[1]
            if last >= 29:
                return date(y, m, rng.randint(29, last))
    if kind < 0.65:  # a weekday in the fourth week (days 22 to 28)
        return date(rng.randint(1950, 2095), rng.randint(1, 12), rng.randint(22, 28))
    return EPOCH + timedelta(days=rng.randint(day_number(date(1950, 1, 1)),
                                              day_number(date(2095, 12, 31))))


def recurrence_vectors(rng, count):
    lines = []
    for i in range(count):
        code = i % 8
        start = random_start(rng)
        start_minute = rng.randint(0, 1439)
        interval = 0
        if code == 7:
            interval = rng.choice([-2, 0]) if rng.random() < 0.05 else rng.randint(1, 45)
        roll = rng.random()
        if roll < 0.05:
            until, until_minute = None, 0  # RepeatRangeEnd 0: never recurs
        elif roll < 0.10 and start_minute < 1439:  # later on the start day: no repetition
            until, until_minute = start, rng.randint(start_minute + 1, 1439)
        else:
            until = start + timedelta(days=rng.randint(1, REACH[code]))
            until_minute = rng.randint(0, 1439)
        occ = occurrences(code, start, until, interval)
        s = day_number(start)
        u = day_number(until) if until else 0
        first, last = s - 3, (u if until else s) + 3
        deltas = " ".join(str(day_number(o) - s) for o in occ)
        lines.append(f"{code} {s} {start_minute} {u} {until_minute} {interval} {first} {last} :"
                     + (" " + deltas if deltas else ""))
    return lines


def months_later(count, d):
    years = int(count / 12)  # toward zero
    months = count - 12 * years
    y, m = d.year + years, d.month + months
    if m > 12:
        m, y = m - 12, y + 1
    elif m < 1:
        m, y = m + 12, y - 1
    return date(y, m, min(d.day, calendar.monthrange(y, m)[1]))


def date_vectors(rng, count):
    lines = []
    for _ in range(count):
        d = EPOCH + timedelta(days=rng.randint(day_number(date(1601, 1, 1)),
                                               day_number(date(3998, 12, 31))))
        weekday = d.isoweekday() % 7 + 1  # 1 Sunday to 7 Saturday
        lines.append(f"D {day_number(d)} {d.year} {d.month} {d.day} {weekday}")
    for _ in range(count):
        d = EPOCH + timedelta(days=rng.randint(day_number(date(1700, 1, 1)),
                                               day_number(date(3900, 12, 31))))
        if rng.random() < 0.4:
            last = calendar.monthrange(d.year, d.month)[1]
            d = date(d.year, d.month, rng.randint(max(1, last - 3), last))
        n = rng.choice([rng.randint(-30, 30), rng.randint(-1300, 1300)])
        lines.append(f"M {n} {day_number(d)} {day_number(months_later(n, d))}")
    for _ in range(count // 4):
        d = EPOCH + timedelta(days=rng.randint(0, 80000))
        first = rng.randint(0, 6)  # 0 Sunday to 6 Saturday
        weekday = d.isoweekday() % 7 + 1
        result = d - timedelta(days=weekday) + timedelta(days=first + 1)
        lines.append(f"W {day_number(d)} {first} {day_number(result)}")
    return lines


def write(name, header, lines):
    with open(os.path.join(HERE, name), "w") as out:
        out.write(header)
        out.write("\n".join(lines) + "\n")


def check_mapping():
    """The mapping above against hand-worked cases of the repetition rules."""
    def days(code, start, until, interval=0):
        return occurrences(code, start, until, interval)

    d = date
    assert days(1, d(2024, 3, 1), d(2024, 3, 5)) == [d(2024, 3, k) for k in (2, 3, 4, 5)]
    assert days(2, d(2024, 3, 6), d(2024, 3, 31)) == [d(2024, 3, k) for k in (13, 20, 27)]
    fifth_tuesday = days(3, d(2024, 4, 30), d(2024, 12, 31))
    assert d(2024, 5, 28) in fifth_tuesday and d(2024, 7, 30) in fifth_tuesday
    assert d(2024, 7, 23) not in fifth_tuesday
    fourth_thursday = days(3, d(2024, 5, 23), d(2026, 12, 31))
    assert all(22 <= o.day <= 28 and o.weekday() == 3 for o in fourth_thursday)
    assert len(fourth_thursday) == 31
    thirty_first = days(4, d(2024, 1, 31), d(2024, 12, 31))
    assert [o.month for o in thirty_first] == [3, 5, 7, 8, 10, 12]
    assert days(6, d(2024, 2, 29), d(2030, 12, 31)) == [d(2028, 2, 29)]
    assert days(6, d(2096, 2, 29), d(2105, 12, 31)) == [d(2104, 2, 29)]  # 2100 is not leap
    assert days(5, d(2024, 10, 14), d(2026, 12, 31)) == [d(2025, 10, 13), d(2026, 10, 12)]
    assert days(7, d(2024, 5, 1), d(2024, 5, 10), 3) == [d(2024, 5, k) for k in (4, 7, 10)]
    assert days(1, d(2024, 3, 1), None) == []


def main():
    check_mapping()
    rng = random.Random(20240503)
    write("recurrence_vectors.txt",
          "# Generated by make_vectors.py: do not edit.\n"
          "# code startDay startMinute rangeEndDay rangeEndMinute customInterval firstDay lastDay :"
          " occurrence days after the start day, as offsets from it, for days firstDay..lastDay\n",
          recurrence_vectors(rng, 2400))
    write("date_vectors.txt",
          "# Generated by make_vectors.py: do not edit.\n"
          "# D dayNumber year month day weekday(1 Sunday)\n"
          "# M months dayNumber resultDayNumber   (MonthsLater)\n"
          "# W dayNumber firstWeekday(0 Sunday) resultDayNumber   (WeekStartFor)\n",
          date_vectors(rng, 600))


if __name__ == "__main__":
    main()
