"""What the end-to-end sync checks work with: program folders driven through koret-cli, and
another client of the server (python3-caldav) that makes, changes and reads items there.

Items of both are compared by their mapped fields only (what the organizer keeps), read with
independent readers (python3-icalendar, python3-vobject).
"""
import datetime
import http.client
import http.server
import logging
import os
import subprocess
import tempfile
import threading
import urllib.parse

import caldav
import icalendar
import vobject

from radicale_server import PASSWORD, USER

# The client library warns of each search it retries another way.
logging.getLogger().setLevel(logging.ERROR)

# Local times of the records are in this zone: the times of the items that carry a zone are read
# into it.
ZONE = "Europe/Berlin"


def moment(value):
    """A date stays a date; a date-time becomes its UTC moment."""
    if isinstance(value, datetime.datetime):
        return value.astimezone(datetime.timezone.utc) if value.tzinfo else value
    return value


def event_fields(item):
    alarms = [str(alarm.get("TRIGGER").to_ical(), "ascii") for alarm in item.walk("VALARM")]
    rule = item.get("RRULE")
    return (str(item.get("SUMMARY", "")), str(item.get("DESCRIPTION", "")), moment(item.decoded("DTSTART")),
            moment(item.decoded("DTEND")), str(item.get("CATEGORIES").to_ical(), "utf-8") if "CATEGORIES" in item
            else "", tuple(alarms), "%s/%s" % (rule["FREQ"][0], rule.get("INTERVAL", [1])[0]) if rule else "")


def task_fields(item):
    due = item.decoded("DUE") if "DUE" in item else None
    return (str(item.get("SUMMARY", "")), str(item.get("DESCRIPTION", "")), due, int(item.get("PRIORITY", 0)),
            str(item.get("STATUS", "NEEDS-ACTION")))


def card_fields(card):
    def value(name):
        found = card.contents[name][0].value if name in card.contents else ""
        return ";".join(found) if isinstance(found, list) else str(found)

    phones = sorted((",".join(tel.params.get("TYPE", [])).upper(), tel.value) for tel in card.contents.get("tel", []))
    name = card.n.value
    address = card.contents["adr"][0].value if "adr" in card.contents else None
    return (name.family, name.given, value("org"), value("email"), tuple(phones),
            (address.street, address.city, address.code, address.country) if address else None, value("bday"))


class Content:
    """Events, tasks and contacts by UID, each as its mapped fields; every UID once."""

    def __init__(self, calendars=(), cards=()):
        self.events, self.tasks, self.contacts = {}, {}, {}
        for calendar in calendars:
            for kind, fields, into in (("VEVENT", event_fields, self.events), ("VTODO", task_fields, self.tasks)):
                for item in calendar.walk(kind):
                    uid = str(item.get("UID"))
                    assert uid not in into, "the UID %s is there twice" % uid
                    into[uid] = fields(item)
        for card in cards:
            uid = card.uid.value
            assert uid not in self.contacts, "the UID %s is there twice" % uid
            self.contacts[uid] = card_fields(card)

    def __eq__(self, other):
        return (self.events, self.tasks, self.contacts) == (other.events, other.tasks, other.contacts)

    def __repr__(self):
        return "events %r\ntasks %r\ncontacts %r" % (self.events, self.tasks, self.contacts)

    def subjects(self):
        return sorted(fields[0] for fields in list(self.events.values()) + list(self.tasks.values()))


class Folder:
    """A fresh program folder, changed only through koret-cli."""

    def __init__(self, cli, top, name, umask=None):
        """umask: the one koret-cli runs with on this folder (else the test's own)."""
        self.cli, self.top, self.umask = cli, top, umask
        self.data = os.path.join(top, name, "Data")
        self.run("create-tables")

    def run(self, *args, password=PASSWORD, expect=0, typed=None):
        """Runs koret-cli on the folder; typed: what is typed on a terminal as its input, else it
        has none. password None: none in the environment."""
        env = dict(os.environ, TZ=ZONE)
        if password is not None:
            env["KORET_SYNC_PASSWORD"] = password
        if typed is None:
            return self.ran(args, env, subprocess.DEVNULL, expect)
        controller, line = os.openpty()
        try:
            os.write(controller, typed.encode())
            return self.ran(args, env, line, expect)
        finally:
            os.close(controller)
            os.close(line)

    def ran(self, args, env, stdin, expect):
        done = subprocess.run([self.cli, *args, "--data", self.data], capture_output=True, text=True, env=env,
                              stdin=stdin, preexec_fn=None if self.umask is None else lambda: os.umask(self.umask))
        assert expect is None or done.returncode == expect, "koret-cli %s ended with %d: %s%s" % (
            " ".join(args), done.returncode, done.stdout, done.stderr)
        return done

    def sync(self, *args, **options):
        return self.run("sync", *args, **options)

    def set_up(self, server, *args, **options):
        return self.sync("--url", server.url, "--user", USER, *args, **options)

    def take(self, text, suffix=".ics"):
        """Imports a calendar or address-book text: new UIDs are added, known ones changed."""
        with tempfile.NamedTemporaryFile("w", suffix=suffix, dir=self.top, delete=False) as file:
            file.write(text)
        self.run("import", file.name)

    def edit(self, uid, change):
        """Changes the event or task of the UID as the organizer has it (change gets the icalendar
        item) and imports it back, so that its other fields stay as they are."""
        ics = os.path.join(self.top, "edit.ics")
        self.run("export", "--ics", ics)
        with open(ics, "rb") as file:
            calendar = icalendar.Calendar.from_ical(file.read())
        kept = [item for item in calendar.subcomponents if item.name == "VTIMEZONE" or item.get("UID") == uid]
        calendar.subcomponents[:] = kept
        for item in kept:
            if item.name != "VTIMEZONE":
                change(item)
        self.take(calendar.to_ical().decode())

    def edit_card(self, uid, change):
        """Changes the contact of the UID as the organizer has it (change gets the vobject card)
        and imports it back."""
        vcf = os.path.join(self.top, "edit.vcf")
        self.run("export", "--vcf", vcf)
        with open(vcf, encoding="utf-8") as file:
            found = [card for card in vobject.readComponents(file.read()) if card.uid.value == uid]
        change(found[0])
        self.take(found[0].serialize(), ".vcf")

    def delete(self, uid):
        self.run("delete", "--uid", uid)

    def content(self):
        ics, vcf = os.path.join(self.top, "out.ics"), os.path.join(self.top, "out.vcf")
        self.run("export", "--ics", ics)
        self.run("export", "--vcf", vcf)
        with open(ics, "rb") as file:
            calendar = icalendar.Calendar.from_ical(file.read())
        with open(vcf, encoding="utf-8") as file:
            cards = list(vobject.readComponents(file.read()))
        return Content([calendar], cards)

    def files(self):
        """Every data file's bytes, by name."""
        found = {}
        for name in sorted(os.listdir(self.data)):
            with open(os.path.join(self.data, name), "rb") as file:
                found[name] = file.read()
        return found


def renamed(summary, start=None, end=None):
    """A change of an icalendar item: its summary, and its times when given."""
    def change(item):
        for name, value in (("SUMMARY", summary), ("DTSTART", start), ("DTEND", end)):
            if value is not None:
                del item[name]
                item.add(name, value)
    return change


def calendar_text(*items):
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//the other client//EN\r\n%sEND:VCALENDAR\r\n" % "".join(items)


def event(uid, summary, start, end, *lines):
    """A VEVENT; start and end are UTC moments written 20261210T090000Z, or VALUE=DATE days."""
    def when(name, value):
        return "%s;VALUE=DATE:%s" % (name, value) if len(value) == 8 else "%s:%s" % (name, value)

    body = [when("DTSTART", start), when("DTEND", end), "SUMMARY:" + summary, *lines]
    return "BEGIN:VEVENT\r\nUID:%s\r\nDTSTAMP:20261201T000000Z\r\n%s\r\nEND:VEVENT\r\n" % (uid, "\r\n".join(body))


def task(uid, summary, *lines):
    body = "".join(line + "\r\n" for line in ("SUMMARY:" + summary, *lines))
    return "BEGIN:VTODO\r\nUID:%s\r\nDTSTAMP:20261201T000000Z\r\n%sEND:VTODO\r\n" % (uid, body)


def card(uid, family, given, *lines):
    body = "".join(line + "\r\n" for line in lines)
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:%s\r\nN:%s;%s;;;\r\nFN:%s %s\r\n%sEND:VCARD\r\n" % (
        uid, family, given, given, family, body)


ADDRESS_BOOK_BODY = (
    '<?xml version="1.0" encoding="utf-8"?><D:mkcol xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:carddav">'
    "<D:set><D:prop><D:resourcetype><D:collection/><C:addressbook/></D:resourcetype>"
    "<D:displayname>%s</D:displayname></D:prop></D:set></D:mkcol>")


class OtherClient:
    """Another program using the same account: makes collections and items, reads them."""

    def __init__(self, url):
        self.url = url
        self.client = caldav.DAVClient(url, username=USER, password=PASSWORD)
        self.principal = self.client.principal()

    def make_calendar(self, name):
        return self.principal.make_calendar(name=name, cal_id=name.lower())

    def make_address_book(self, name):
        url = urllib.parse.urljoin(str(self.principal.url), name.lower() + "/")
        self.client.mkcol(url, ADDRESS_BOOK_BODY % name)
        return url

    def calendar(self, name):
        return self.principal.calendar(cal_id=name.lower())

    def put(self, collection_url, uid, text, suffix):
        url = urllib.parse.urljoin(str(collection_url), uid + suffix)
        response = self.client.put(url, text, {"Content-Type": "text/calendar" if suffix == ".ics" else "text/vcard"})
        assert response.status in (201, 204), response.status

    def change(self, calendar, uid, change):
        """Applies change to the icalendar item of the UID and stores it back."""
        found = calendar.object_by_uid(uid)
        found.load()
        component = found.icalendar_instance
        for item in component.walk():
            if item.name in ("VEVENT", "VTODO"):
                change(item)
        found.data = component.to_ical().decode()
        found.save()

    def remove(self, calendar, uid):
        calendar.object_by_uid(uid).delete()

    def texts(self, collection_url):
        """The texts of every item of the collection, by href."""
        listing = self.client.propfind(str(collection_url), '<?xml version="1.0"?><D:propfind xmlns:D="DAV:">'
                                       "<D:prop><D:getetag/></D:prop></D:propfind>", depth=1)
        found = {}
        own = urllib.parse.urlparse(str(collection_url)).path
        for href in listing.find_objects_and_props():
            if urllib.parse.urlparse(href).path != own:
                text = self.client.request(urllib.parse.urljoin(self.url, href)).raw
                found[href] = text.decode() if isinstance(text, bytes) else text
        return found

    def content(self, calendar_url, address_book_url=None):
        calendars = [icalendar.Calendar.from_ical(text) for text in self.texts(calendar_url).values()]
        cards = []
        if address_book_url:
            cards = [vobject.readOne(text) for text in self.texts(address_book_url).values()]
        return Content(calendars, cards)


class HoldingProxy:
    """A proxy in front of the server on 127.0.0.1 at a free port. While holding, it keeps the
    answer to the next write (PUT or DELETE) that the server has carried out until released: the
    moment a test kills the syncing program, after the server stored its upload and before the
    program heard of it."""

    def __init__(self, server_url):
        target = urllib.parse.urlparse(server_url)
        proxy = self
        self.holding = False
        self.stored = threading.Event()
        self.released = threading.Event()

        class Handler(http.server.BaseHTTPRequestHandler):
            def forward(self):
                body = self.rfile.read(int(self.headers.get("Content-Length", 0) or 0))
                connection = http.client.HTTPConnection(target.hostname, target.port, timeout=60)
                headers = {name: value for name, value in self.headers.items() if name.lower() != "host"}
                connection.request(self.command, self.path, body, headers)
                answer = connection.getresponse()
                data = answer.read()
                if proxy.holding and self.command in ("PUT", "DELETE"):
                    proxy.holding = False
                    proxy.stored.set()
                    proxy.released.wait(60)
                    self.close_connection = True
                    return
                self.send_response(answer.status, answer.reason)
                for name, value in answer.getheaders():
                    if name.lower() not in ("transfer-encoding", "connection", "content-length"):
                        self.send_header(name, value)
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.wfile.write(data)

            do_GET = do_PUT = do_DELETE = do_PROPFIND = do_REPORT = do_OPTIONS = do_MKCOL = do_POST = forward

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.url = "http://127.0.0.1:%d/" % self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def hold_next_write(self):
        self.stored.clear()
        self.released.clear()
        self.holding = True

    def release(self):
        self.released.set()

    def close(self):
        self.released.set()
        self.httpd.shutdown()
        self.httpd.server_close()
