#!/usr/bin/env python3
"""Writes rule_vectors.txt: the example recurrences of RFC 5545 with the starts an independent
walker places for them, for test_rule_vectors.cpp. Run by hand (not at test time):

    python3 make_rule_vectors.py

The oracle is python3-dateutil's rrulestr on a start in America/New_York from zoneinfo, as the
standard's examples are zoned; UNTIL in UTC is compared as the moment it names. Two points where
the walker differs from the standard are set right here:
  - the start is always the first occurrence (and counts towards COUNT), matched by the rule or not;
  - each line holds at most LIMIT starts, and none after END.
Each line: name, start stamp, rule, and the starts as clock stamps of the zone, tab-separated.
"""

import os
from datetime import datetime
from zoneinfo import ZoneInfo

from dateutil.rrule import rrulestr

ZONE = ZoneInfo("America/New_York")
LIMIT = 20
END = datetime(2030, 1, 1, tzinfo=ZONE)
HERE = os.path.dirname(os.path.abspath(__file__))

EXAMPLES = [
    ("daily for 10", "19970902T090000", "FREQ=DAILY;COUNT=10"),
    ("daily until 24 Dec 1997", "19970902T090000", "FREQ=DAILY;UNTIL=19971224T000000Z"),
    ("every other day", "19970902T090000", "FREQ=DAILY;INTERVAL=2"),
    ("every 10 days, 5 times", "19970902T090000", "FREQ=DAILY;INTERVAL=10;COUNT=5"),
    ("every day in January for 3 years, yearly", "19980101T090000",
     "FREQ=YEARLY;UNTIL=20000131T140000Z;BYMONTH=1;BYDAY=SU,MO,TU,WE,TH,FR,SA"),
    ("every day in January for 3 years, daily", "19980101T090000", "FREQ=DAILY;UNTIL=20000131T140000Z;BYMONTH=1"),
    ("weekly for 10", "19970902T090000", "FREQ=WEEKLY;COUNT=10"),
    ("weekly until 24 Dec 1997", "19970902T090000", "FREQ=WEEKLY;UNTIL=19971224T000000Z"),
    ("every other week", "19970902T090000", "FREQ=WEEKLY;INTERVAL=2;WKST=SU"),
    ("weekly TU,TH for five weeks, until", "19970902T090000",
     "FREQ=WEEKLY;UNTIL=19971007T000000Z;WKST=SU;BYDAY=TU,TH"),
    ("weekly TU,TH for five weeks, count", "19970902T090000", "FREQ=WEEKLY;COUNT=10;WKST=SU;BYDAY=TU,TH"),
    ("every other week MO,WE,FR until 24 Dec 1997", "19970901T090000",
     "FREQ=WEEKLY;INTERVAL=2;UNTIL=19971224T000000Z;WKST=SU;BYDAY=MO,WE,FR"),
    ("every other week TU,TH for 8", "19970902T090000", "FREQ=WEEKLY;INTERVAL=2;COUNT=8;WKST=SU;BYDAY=TU,TH"),
    ("monthly first Friday for 10", "19970905T090000", "FREQ=MONTHLY;COUNT=10;BYDAY=1FR"),
    ("monthly first Friday until 24 Dec 1997", "19970905T090000", "FREQ=MONTHLY;UNTIL=19971224T000000Z;BYDAY=1FR"),
    ("every other month first and last Sunday for 10", "19970907T090000",
     "FREQ=MONTHLY;INTERVAL=2;COUNT=10;BYDAY=1SU,-1SU"),
    ("monthly second-to-last Monday for 6", "19970922T090000", "FREQ=MONTHLY;COUNT=6;BYDAY=-2MO"),
    ("monthly third-to-last day", "19970928T090000", "FREQ=MONTHLY;BYMONTHDAY=-3"),
    ("monthly 2nd and 15th for 10", "19970902T090000", "FREQ=MONTHLY;COUNT=10;BYMONTHDAY=2,15"),
    ("monthly first and last day for 10", "19970930T090000", "FREQ=MONTHLY;COUNT=10;BYMONTHDAY=1,-1"),
    ("every 18 months 10th to 15th for 10", "19970910T090000",
     "FREQ=MONTHLY;INTERVAL=18;COUNT=10;BYMONTHDAY=10,11,12,13,14,15"),
    ("every Tuesday every other month", "19970902T090000", "FREQ=MONTHLY;INTERVAL=2;BYDAY=TU"),
    ("yearly June and July for 10", "19970610T090000", "FREQ=YEARLY;COUNT=10;BYMONTH=6,7"),
    ("every other year Jan to Mar for 10", "19970310T090000", "FREQ=YEARLY;INTERVAL=2;COUNT=10;BYMONTH=1,2,3"),
    ("every third year days 1, 100, 200 for 10", "19970101T090000",
     "FREQ=YEARLY;INTERVAL=3;COUNT=10;BYYEARDAY=1,100,200"),
    ("every 20th Monday of the year", "19970519T090000", "FREQ=YEARLY;BYDAY=20MO"),
    ("Monday of week 20", "19970512T090000", "FREQ=YEARLY;BYWEEKNO=20;BYDAY=MO"),
    ("every Thursday in March", "19970313T090000", "FREQ=YEARLY;BYMONTH=3;BYDAY=TH"),
    ("every Thursday in June to August", "19970605T090000", "FREQ=YEARLY;BYDAY=TH;BYMONTH=6,7,8"),
    ("every Friday the 13th", "19970902T090000", "FREQ=MONTHLY;BYDAY=FR;BYMONTHDAY=13"),
    ("first Saturday after the first Sunday", "19970913T090000", "FREQ=MONTHLY;BYDAY=SA;BYMONTHDAY=7,8,9,10,11,12,13"),
    ("election day every 4 years", "19961105T090000",
     "FREQ=YEARLY;INTERVAL=4;BYMONTH=11;BYDAY=TU;BYMONTHDAY=2,3,4,5,6,7,8"),
    ("third TU, WE or TH for 3 months", "19970904T090000", "FREQ=MONTHLY;COUNT=3;BYDAY=TU,WE,TH;BYSETPOS=3"),
    ("second-to-last weekday", "19970929T090000", "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-2"),
    # The standard prints 09:00, 12:00 and 15:00 here, but its UNTIL (17:00 UTC, 13:00 in New York)
    # ends the series before 15:00: the vectors follow the rule, as the standard's text on UNTIL says.
    ("every 3 hours 9 to 5", "19970902T090000", "FREQ=HOURLY;INTERVAL=3;UNTIL=19970902T170000Z"),
    ("every 15 minutes for 6", "19970902T090000", "FREQ=MINUTELY;INTERVAL=15;COUNT=6"),
    ("every 90 minutes for 4", "19970902T090000", "FREQ=MINUTELY;INTERVAL=90;COUNT=4"),
    ("every 20 minutes 9 to 16:40, daily", "19970902T090000", "FREQ=DAILY;BYHOUR=9,10,11,12,13,14,15,16;BYMINUTE=0,20,40"),
    ("every 20 minutes 9 to 16:40, minutely", "19970902T090000",
     "FREQ=MINUTELY;INTERVAL=20;BYHOUR=9,10,11,12,13,14,15,16"),
    ("week start Monday", "19970805T090000", "FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=MO"),
    ("week start Sunday", "19970805T090000", "FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=SU"),
    ("30 February left out", "20070115T090000", "FREQ=MONTHLY;BYMONTHDAY=15,30;COUNT=5"),
]


def starts(start_text, rule_text):
    start = datetime.strptime(start_text, "%Y%m%dT%H%M%S").replace(tzinfo=ZONE)
    rule = rrulestr(rule_text, dtstart=start)
    count = rule._count
    found = []
    for moment in rule:
        if moment > END or len(found) >= LIMIT + 1:
            break
        found.append(moment)
    if not found or found[0] != start:
        found.insert(0, start)
        if count is not None:
            found = found[:count]
    return [m.strftime("%Y%m%dT%H%M%S") for m in found[:LIMIT]]


def main():
    lines = ["# Generated by make_rule_vectors.py: do not edit.",
             "# name<TAB>start<TAB>rule<TAB>starts on the clock of America/New_York"]
    for name, start, rule in EXAMPLES:
        lines.append("\t".join([name, start, rule, " ".join(starts(start, rule))]))
    with open(os.path.join(HERE, "rule_vectors.txt"), "w") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
