#!/usr/bin/python3
"""Two program folders synced with koret-cli to the same account on a CalDAV/CardDAV server (Radicale,
started here on 127.0.0.1), checked with another client of the server (python3-caldav): both
folders and the server end up with the same events, tasks and contacts after changes on every
side, with no item twice and every conflict kept; the other client reads every field the
organizer maps; faults (an invalidated sync token, the server gone in the middle, a wrong
password, a side that lost all its items) lose nothing.

    check_sync_end_to_end.py KORET_CLI [CASE ...]
"""
import datetime
import fcntl
import glob
import os
import re
import shutil
import stat
import subprocess
import sys
import tempfile
import time
import traceback
import urllib.parse

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from radicale_server import PASSWORD, RadicaleServer, USER  # noqa: E402
from sync_fixture import (Folder, HoldingProxy, OtherClient, ZONE, calendar_text, card, event, renamed,  # noqa: E402
                          task)

CLI = sys.argv[1]
CASES = []


def case(check):
    CASES.append(check)
    return check


MEETING = event("meeting@test", "Planning meeting", "20261210T080000Z", "20261210T093000Z",
                "DESCRIPTION:Room 2\\nbring the figures", "CATEGORIES:Category 3", "RRULE:FREQ=WEEKLY;COUNT=8",
                "BEGIN:VALARM", "ACTION:DISPLAY", "DESCRIPTION:Planning meeting", "TRIGGER:-PT15M", "END:VALARM")
HOLIDAYS = event("holidays@test", "Holidays", "20261224", "20261225")
REPORT = task("report@test", "Write the report", "DUE;VALUE=DATE:20261215", "PRIORITY:2", "DESCRIPTION:Quarterly")
FLIGHTS = task("flights@test", "Book flights", "STATUS:COMPLETED", "COMPLETED:20261205T100000Z", "PRIORITY:5")
ADA = card("ada@test", "Lovelace", "Ada", "ORG:Analytical Engines", "EMAIL;TYPE=INTERNET:ada@example.org",
           "TEL;TYPE=WORK:+44 20 1234", "TEL;TYPE=CELL:+44 77 5678",
           "ADR;TYPE=WORK:;;12 St James's Square;London;;SW1Y 4JH;United Kingdom", "BDAY:1815-12-10")
GRACE = card("grace@test", "Hopper", "Grace", "ORG:Navy", "TEL;TYPE=HOME:+1 555 0100")


class World:
    """A server with a calendar and an address book, the other client, and two fresh folders."""

    def __init__(self, top, server):
        self.server, self.top = server, top
        self.other = OtherClient(server.url)
        self.calendar = self.other.make_calendar("Home")
        self.address_book = self.other.make_address_book("Contacts")
        self.first = Folder(CLI, top, "first")
        self.second = Folder(CLI, top, "second")

    def on_server(self):
        return self.other.content(self.calendar.url, self.address_book)

    def fill_first(self):
        self.first.take(calendar_text(MEETING, HOLIDAYS, REPORT, FLIGHTS))
        self.first.take(ADA + GRACE, ".vcf")

    def both_synced(self):
        """The first folder filled and synced up, the second synced down."""
        self.fill_first()
        self.first.set_up(self.server)
        self.second.set_up(self.server)

    def all_equal(self):
        first, second, there = self.first.content(), self.second.content(), self.on_server()
        assert first == there, "first folder:\n%r\nserver:\n%r" % (first, there)
        assert second == there, "second folder:\n%r\nserver:\n%r" % (second, there)
        return there

    def quiet(self, folder):
        """A sync right after a sync changes nothing."""
        shown = folder.sync().stdout
        assert " 0 uploaded, 0 downloaded, 0 deleted here, 0 deleted on the server" in shown, shown
        assert "Address book: 0 uploaded, 0 downloaded" in shown, shown


def utc(*parts):
    return datetime.datetime(*parts, tzinfo=datetime.timezone.utc)


@case
def first_sync_up_into_an_empty_calendar_and_down_into_an_empty_folder(world):
    world.fill_first()
    world.first.run("add-event", "--start", "2026-12-11 14:00", "--end", "2026-12-11 15:00", "--subject", "Dentist")
    shown = world.first.set_up(world.server).stdout
    assert "Calendar: 5 uploaded, 0 downloaded" in shown and "Address book: 2 uploaded" in shown, shown
    there = world.on_server()
    assert there.events["meeting@test"] == (
        "Planning meeting", "Room 2\nbring the figures", utc(2026, 12, 10, 8), utc(2026, 12, 10, 9, 30),
        "Category 3", ("-PT15M",), "WEEKLY/1"), there.events["meeting@test"]
    assert there.events["holidays@test"][2:4] == (datetime.date(2026, 12, 24), datetime.date(2026, 12, 25)), \
        there.events["holidays@test"]
    assert there.tasks["report@test"] == ("Write the report", "Quarterly", datetime.date(2026, 12, 15), 2,
                                          "NEEDS-ACTION"), there.tasks["report@test"]
    assert there.tasks["flights@test"][3:] == (5, "COMPLETED"), there.tasks["flights@test"]
    assert there.contacts["ada@test"] == (
        "Lovelace", "Ada", "Analytical Engines", "ada@example.org", (("CELL", "+44 77 5678"), ("WORK", "+44 20 1234")),
        ("12 St James's Square", "London", "SW1Y 4JH", "United Kingdom"), "1815-12-10"), there.contacts["ada@test"]
    dentist = [fields for fields in there.events.values() if fields[0] == "Dentist"]
    # An event made here keeps its clock time wherever it is shown: it goes up floating.
    assert dentist and dentist[0][2] == datetime.datetime(2026, 12, 11, 14), dentist
    shown = world.second.set_up(world.server).stdout
    assert "Calendar: 0 uploaded, 5 downloaded" in shown, shown
    world.all_equal()
    world.quiet(world.first)
    world.quiet(world.second)


@case
def edits_moves_and_deletes_on_both_folders_and_on_the_server(world):
    world.both_synced()
    moved = MEETING.replace("20261210T080000Z", "20261211T120000Z").replace("20261210T093000Z", "20261211T130000Z")
    world.first.take(calendar_text(moved))
    world.first.delete("holidays@test")
    world.first.run("add-event", "--start", "2026-12-20 10:00", "--end", "2026-12-20 11:00", "--subject", "Choir")
    world.second.take(calendar_text(REPORT.replace("PRIORITY:2", "PRIORITY:1")))
    world.second.delete("grace@test")
    world.second.take(card("alan@test", "Turing", "Alan", "EMAIL;TYPE=INTERNET:alan@example.org"), ".vcf")
    world.other.change(world.calendar, "flights@test", renamed("Book the flights"))
    world.other.put(world.calendar.url, "party@test", calendar_text(
        event("party@test", "Party", "20261231T200000Z", "20261231T230000Z")), ".ics")
    world.other.put(world.address_book, "linus@test", card("linus@test", "Torvalds", "Linus"), ".vcf")
    for folder in (world.first, world.second, world.first):
        folder.sync()
    there = world.all_equal()
    assert there.subjects() == ["Book the flights", "Choir", "Party", "Planning meeting", "Write the report"], \
        there.subjects()
    assert there.events["meeting@test"][2] == utc(2026, 12, 11, 12), there.events["meeting@test"]
    assert there.tasks["report@test"][3] == 1
    assert sorted(there.contacts) == ["ada@test", "alan@test", "linus@test"], sorted(there.contacts)
    world.other.remove(world.calendar, "party@test")
    world.first.sync()
    world.second.sync()
    assert "Party" not in world.all_equal().subjects()
    world.quiet(world.first)


@case
def a_conflict_is_kept_under_each_policy(world):
    world.both_synced()
    # Keep both (the default): ours stays, the server's arrives beside it, on every side.
    world.first.take(calendar_text(MEETING.replace("SUMMARY:Planning meeting", "SUMMARY:Planning (ours)")))
    world.other.change(world.calendar, "meeting@test", renamed("Planning (theirs)"))
    shown = world.first.sync().stdout
    assert "1 conflict." in shown and "Conflict: \"Planning (ours)\" (meeting@test)" in shown, shown
    world.first.sync()
    world.second.sync()
    there = world.all_equal()
    assert there.events["meeting@test"][0] == "Planning (ours)"
    theirs = [fields[0] for uid, fields in there.events.items() if uid != "meeting@test" and "theirs" in fields[0]]
    assert len(theirs) == 1, there.events
    # The server's version wins.
    world.first.take(calendar_text(REPORT.replace("Write the report", "Report (ours)")))
    world.other.change(world.calendar, "report@test", renamed("Report (theirs)"))
    assert "1 conflict." in world.first.sync("--policy", "server-wins").stdout
    assert world.first.content().tasks["report@test"][0] == "Report (theirs)"
    assert world.on_server().tasks["report@test"][0] == "Report (theirs)"
    # Ours wins.
    world.first.take(calendar_text(FLIGHTS.replace("Book flights", "Flights (ours)")))
    world.other.change(world.calendar, "flights@test", renamed("Flights (theirs)"))
    assert "1 conflict." in world.first.sync("--policy", "ours-wins").stdout
    assert world.on_server().tasks["flights@test"][0] == "Flights (ours)"
    world.second.sync()
    world.all_equal()


@case
def what_another_client_stored_survives_an_edit_here(world):
    world.other.put(world.calendar.url, "visit@test", calendar_text(event(
        "visit@test", "Visit", "20261212T090000Z", "20261212T100000Z", "LOCATION:Museum",
        "ATTENDEE;CN=Bob:mailto:bob@example.org", "X-OTHER-CLIENT:kept")), ".ics")
    world.other.put(world.address_book, "eve@test", card("eve@test", "Example", "Eve", "NICKNAME:evie",
                                                         "X-OTHER-CLIENT:kept"), ".vcf")
    world.first.set_up(world.server)
    world.first.edit("visit@test", renamed("Visit (moved)", utc(2026, 12, 13, 9), utc(2026, 12, 13, 10)))
    world.first.edit_card("eve@test", lambda found: found.add("org").__setattr__("value", ["Acme"]))
    assert "Calendar: 1 uploaded" in world.first.sync().stdout
    texts = "".join(world.other.texts(world.calendar.url).values())
    for kept in ("LOCATION:Museum", "ATTENDEE;CN=Bob:mailto:bob@example.org", "X-OTHER-CLIENT:kept",
                 "SUMMARY:Visit (moved)"):
        assert kept in texts, (kept, texts)
    cards = "".join(world.other.texts(world.address_book).values())
    for kept in ("NICKNAME:evie", "X-OTHER-CLIENT:kept", "ORG:Acme"):
        assert kept in cards, (kept, cards)


@case
def a_series_with_a_cancelled_and_a_moved_occurrence_travels_whole(world):
    series = event("series@test", "Standup", "20261214T090000Z", "20261214T091500Z",
                   "RRULE:FREQ=WEEKLY;BYDAY=MO,WE,FR", "EXDATE:20261216T090000Z", "X-OTHER-CLIENT:kept")
    moved = ("BEGIN:VEVENT\r\nUID:series@test\r\nDTSTAMP:20261201T000000Z\r\nRECURRENCE-ID:20261218T090000Z\r\n"
             "DTSTART:20261219T130000Z\r\nDTEND:20261219T131500Z\r\nSUMMARY:Standup (moved)\r\nEND:VEVENT\r\n")
    world.other.put(world.calendar.url, "series@test", calendar_text(series, moved), ".ics")

    def agenda(client):
        shown = client.run("agenda", "--from", "2026-12-14", "--days", "7").stdout
        return [(day, times, subject) for day, times, _, subject in (line.split("\t")[:4] for line in shown.splitlines())]

    # Wednesday is cancelled, Friday's moved to Saturday afternoon: as the other client shows it.
    expected = [("2026-12-14", "10:00-10:15", "Standup"), ("2026-12-19", "14:00-14:15", "Standup (moved)")]
    world.first.set_up(world.server)
    assert agenda(world.first) == expected, agenda(world.first)

    def rename_series(item):
        if "RECURRENCE-ID" not in item:
            renamed("Standup (ours)")(item)

    world.first.edit("series@test", rename_series)
    assert "Calendar: 1 uploaded" in world.first.sync().stdout
    text = "".join(world.other.texts(world.calendar.url).values())
    for kept in ("SUMMARY:Standup (ours)", "RRULE:FREQ=WEEKLY;BYDAY=MO,WE,FR", "EXDATE:20261216T090000Z",
                 "RECURRENCE-ID:20261218T090000Z", "SUMMARY:Standup (moved)", "X-OTHER-CLIENT:kept"):
        assert kept in text, (kept, text)
    assert "EXDATE:20261218" not in text, text
    world.second.set_up(world.server)
    assert agenda(world.second) == [("2026-12-14", "10:00-10:15", "Standup (ours)"), expected[1]], agenda(world.second)


@case
def an_invalidated_sync_token_falls_back_to_the_full_listing(world):
    world.both_synced()
    for root, folders, _ in os.walk(world.server.folder):
        if ".Radicale.cache" in folders:
            shutil.rmtree(os.path.join(root, ".Radicale.cache"))
    world.other.put(world.calendar.url, "late@test", calendar_text(
        event("late@test", "Late", "20261214T090000Z", "20261214T100000Z")), ".ics")
    world.first.take(calendar_text(HOLIDAYS.replace("Holidays", "Long holidays")))
    world.first.sync()
    world.second.sync()
    assert "Late" in world.all_equal().subjects()
    world.quiet(world.second)


def many_events(count, prefix):
    return calendar_text(*(event("%s-%04d@test" % (prefix, n), "Event %d" % n, "2027%02d%02dT%02d0000Z" % (
        1 + n % 12, 1 + n % 28, 8 + n % 10), "2027%02d%02dT%02d3000Z" % (1 + n % 12, 1 + n % 28, 8 + n % 10))
        for n in range(count)))


def items_stored(world):
    return sum(len([name for name in names if name.endswith(".ics")])
               for folder, _, names in os.walk(world.server.folder) if ".Radicale.cache" not in folder)


@case
def the_server_stopped_in_the_middle_of_a_sync(world):
    world.first.take(many_events(400, "cut"))
    env = dict(os.environ, TZ="Europe/Berlin", KORET_SYNC_PASSWORD="s3cret:pass")
    running = subprocess.Popen([CLI, "sync", "--url", world.server.url, "--user", USER, "--data", world.first.data],
                               stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                               env=env)
    while items_stored(world) < 100 and running.poll() is None:
        time.sleep(0.02)
    world.server.stop()
    _, error = running.communicate(timeout=120)
    assert running.returncode == 1 and "Calendar: " in error, (running.returncode, error)
    cut_at = items_stored(world)
    assert 100 <= cut_at < 400, cut_at
    world.server.start()
    world.first.sync()
    world.second.set_up(world.server)
    there = world.all_equal()
    assert len(there.events) == 400, len(there.events)
    print("  the server stopped after %d of 400 uploads" % cut_at)


@case
def a_thousand_events_first_sync(world):
    world.first.take(many_events(1000, "many"))
    times = []
    for step in (lambda: world.first.set_up(world.server), lambda: world.second.set_up(world.server),
                 world.second.sync):
        start = time.monotonic()
        step()
        times.append(time.monotonic() - start)
    assert len(world.all_equal().events) == 1000
    print("  1,000 events: up %.1f s, down %.1f s, a sync after a sync %.1f s" % tuple(times))


@case
def a_wrong_password_changes_nothing(world):
    world.fill_first()
    done = world.first.sync(expect=1)
    assert "no sync account: set one up with --url URL --user NAME" in done.stderr, done.stderr
    before = world.first.files()
    done = world.first.set_up(world.server, password="wrong", expect=1)
    assert "user name or password" in done.stderr, done.stderr
    assert world.first.files() == before, "a refused set-up changed the files"
    fresh = world.second.files()
    world.second.set_up(world.server, password="wrong", expect=1)
    assert world.second.files() == fresh, "a refused set-up changed the files of a fresh folder"
    world.first.set_up(world.server)
    world.first.take(calendar_text(HOLIDAYS.replace("Holidays", "Changed here")))
    on_server = world.on_server()
    before = world.first.files()
    done = world.first.sync(password="wrong", expect=1)
    assert "user name or password" in done.stderr, done.stderr
    after = world.first.files()
    changed = [name for name in before if before[name] != after.get(name)]
    assert changed == ["syncaccounts.xml"], changed  # only the failure, recorded in the account
    assert b"user name or password" in after["syncaccounts.xml"]
    assert world.on_server() == on_server


@case
def a_side_that_lost_every_item_stops_the_sync(world):
    world.fill_first()
    world.first.set_up(world.server)
    for uid in ("meeting@test", "holidays@test", "report@test", "flights@test"):
        world.first.delete(uid)
    done = world.first.sync(expect=1)
    assert "--yes" in done.stderr, done.stderr
    done = world.first.sync(expect=1, typed="n\n")
    assert "Go on? [y/N]" in done.stderr and "Stopped before deleting" in done.stdout, done.stdout + done.stderr
    assert len(world.on_server().events) == 2, "nothing is deleted on the server"
    world.first.sync("--yes")
    assert not world.on_server().events and not world.on_server().tasks


@case
def a_second_sync_of_a_resource_at_once_is_refused(world):
    world.fill_first()
    world.first.set_up(world.server)
    [lock] = glob.glob(os.path.join(world.first.data, "sync-*.lock"))
    before = world.first.files()
    with open(lock) as held:
        fcntl.flock(held, fcntl.LOCK_EX)
        done = world.first.sync(expect=1)
    assert "Another sync of this resource is running" in done.stderr, done.stderr
    assert world.first.files() == before, "a sync that did not run changed the files"
    world.first.sync()


@case
def collections_are_chosen_by_name(world):
    world.other.make_calendar("Work")
    world.other.put(world.other.calendar("Work").url, "work@test", calendar_text(
        event("work@test", "At work", "20261214T090000Z", "20261214T100000Z")), ".ics")
    done = world.first.set_up(world.server, "--calendar", "Holidays", expect=1)
    assert 'no calendar named "Holidays" (it has ' in done.stderr, done.stderr
    assert '"Home"' in done.stderr and '"Work"' in done.stderr, done.stderr
    world.first.set_up(world.server, "--calendar", "Work")
    assert world.first.content().subjects() == ["At work"]
    # Changing to another calendar starts its status afresh: nothing here is taken for deleted there.
    world.first.set_up(world.server, "--calendar", "Home")
    assert world.other.content(world.calendar.url).subjects() == ["At work"]
    assert world.first.content().subjects() == ["At work"]


def set_calendar_url(folder, url):
    """Points the folder's account at another calendar, as an edited settings file would."""
    path = os.path.join(folder.data, "syncaccounts.xml")
    with open(path, encoding="utf-8") as file:
        text = file.read()
    with open(path, "w", encoding="utf-8") as file:
        file.write(re.sub(r'CalendarUrl="[^"]*"', 'CalendarUrl="%s"' % url, text))


def records(folder):
    """The folder's tables and sync status, without the account (which records each outcome)."""
    return {name: data for name, data in folder.files().items() if name != "syncaccounts.xml"}


@case
def a_calendar_that_is_missing_or_no_calendar_stops_the_sync_and_changes_nothing(world):
    world.both_synced()
    gone = world.other.make_calendar("Gone")
    gone_url = str(gone.url)
    gone.delete()
    home = urllib.parse.urljoin(str(world.calendar.url), "..")
    on_server = world.on_server()
    before = records(world.first)
    for url, what in ((home, " is not a calendar (it is a plain folder)"),
                      (gone_url, " is not a calendar (there is nothing at that address"),
                      (world.address_book, " is not a calendar (it is an address book)")):
        set_calendar_url(world.first, url)
        done = world.first.sync("--yes", expect=1)
        assert url + what in done.stderr, (url, done.stderr)
        # The addresses go first: the server's port may hold the digits 403 too.
        told = re.sub(r"https?://\S+", "", done.stderr)
        assert "cannot be read" not in told and "403" not in told, done.stderr
        assert records(world.first) == before, "a refused sync changed the records of " + url
        assert world.on_server() == on_server, "a refused sync changed the server through " + url
    set_calendar_url(world.first, world.calendar.url)
    world.quiet(world.first)


@case
def most_items_deleted_elsewhere_asks_first_and_the_server_can_be_restored(world):
    world.first.take(many_events(34, "few"))
    world.first.set_up(world.server)
    for n in range(30):
        world.other.remove(world.calendar, "few-%04d@test" % n)
    before = records(world.first)
    done = world.first.sync(expect=1)
    assert "lost 30 of the 34 items here" in done.stderr and "--yes" in done.stderr, done.stderr
    assert "--restore-server" in done.stdout, done.stdout
    assert records(world.first) == before, "a refused mass deletion changed the records"
    assert len(world.on_server().events) == 4
    shown = world.first.sync("--restore-server").stdout
    assert "Calendar: 30 uploaded, 0 downloaded, 0 deleted here" in shown, shown
    assert world.first.content() == world.on_server() and len(world.on_server().events) == 34
    world.quiet(world.first)


@case
def a_sync_killed_after_an_upload_neither_brings_back_nor_doubles(world):
    proxy = HoldingProxy(world.server.url)
    try:
        world.first.take(calendar_text(HOLIDAYS))
        world.first.sync("--url", proxy.url, "--user", USER)
        env = dict(os.environ, TZ=ZONE, KORET_SYNC_PASSWORD=PASSWORD)

        def killed_after_first_upload(*uids):
            """Imports events of the UIDs, then kills a sync once the server stored the first of them."""
            world.first.take(calendar_text(*(event(uid, uid, "20261214T090000Z", "20261214T100000Z") for uid in uids)))
            proxy.hold_next_write()
            running = subprocess.Popen([CLI, "sync", "--data", world.first.data], env=env,
                                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            assert proxy.stored.wait(60), "no upload"
            running.kill()
            running.wait()
            proxy.release()
            return [uid for uid in world.on_server().events if uid in uids]

        [stored] = killed_after_first_upload("new-1@test", "new-2@test")
        world.first.delete(stored)
        shown = world.first.sync().stdout
        assert "1 uploaded, 0 downloaded, 0 deleted here, 1 deleted on the server" in shown, shown
        assert sorted(world.on_server().events) == sorted(world.first.content().events), shown
        assert stored not in world.on_server().events and len(world.on_server().events) == 2
        # Changed here instead of deleted: an upload of the change, no conflict copy.
        [stored] = killed_after_first_upload("new-3@test")
        world.first.take(calendar_text(event(stored, "Three (changed)", "20261214T090000Z", "20261214T100000Z")))
        shown = world.first.sync().stdout
        assert "1 uploaded, 0 downloaded" in shown and "0 conflicts" in shown, shown
        there = world.on_server()
        assert there.events[stored][0] == "Three (changed)" and len(there.events) == 3, there
        assert there == world.first.content()
    finally:
        proxy.close()


@case
def credentials_in_the_address_stay_secret_and_files_stay_private(world):
    private = Folder(CLI, world.top, "private", umask=0o077)
    private.take(calendar_text(MEETING, REPORT))
    private.take(ADA, ".vcf")
    secret = "s3cret-in-the-url"
    address = world.server.url.replace("http://", "http://%s:%s@" % (USER, urllib.parse.quote(secret)))
    done = private.sync("--url", address, password=None, expect=1)  # the server refuses that password
    assert secret not in done.stdout + done.stderr and "user name or password" in done.stderr, done.stderr
    address = world.server.url.replace("http://", "http://%s:%s@" % (USER, urllib.parse.quote(PASSWORD, safe="")))
    done = private.sync("--url", address, password=None)
    assert "Calendar: 2 uploaded" in done.stdout, done.stdout + done.stderr
    assert PASSWORD not in done.stdout + done.stderr and urllib.parse.quote(PASSWORD) not in done.stderr
    private.content()  # exports too
    for folder, _, names in os.walk(os.path.dirname(private.data)):
        for name in names:
            path = os.path.join(folder, name)
            with open(path, "rb") as file:
                assert PASSWORD.encode() not in file.read(), path
            assert stat.S_IMODE(os.stat(path).st_mode) & 0o077 == 0, (path, oct(os.stat(path).st_mode))
    for name in ("out.ics", "out.vcf"):
        assert stat.S_IMODE(os.stat(os.path.join(world.top, name)).st_mode) & 0o077 == 0, name


def main():
    chosen = [check for check in CASES if len(sys.argv) < 3 or check.__name__ in sys.argv[2:]]
    failed = []
    for check in chosen:
        top = tempfile.mkdtemp(prefix="koret-sync-")
        server = RadicaleServer()
        try:
            server.start()
            check(World(top, server))
            print("ok  ", check.__name__, flush=True)
        except Exception:
            failed.append(check.__name__)
            print("FAIL", check.__name__, flush=True)
            traceback.print_exc()
        finally:
            server.remove()
            shutil.rmtree(top, ignore_errors=True)
    if failed:
        sys.exit("%d of %d failed: %s" % (len(failed), len(chosen), ", ".join(failed)))


main()
