"""A CalDAV/CardDAV server for the sync tests, on 127.0.0.1 at a free port.

Started by the tests themselves with a temporary storage folder and one test user, and stopped by
them, so that the tests pass on a fresh machine. Run as a program it starts the server, prints
"URL USER PASSWORD" on one line and serves until its standard input closes (a C++ test starts it
this way and ends it by closing the pipe).
"""

import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.request

USER = "tester"
PASSWORD = "s3cret:pass"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class RadicaleServer:
    """The server: start() returns its URL; stop() ends it and removes its folder."""

    def __init__(self, folder=None, port=None):
        self.folder = folder or tempfile.mkdtemp(prefix="koret-radicale-")
        self.own_folder = folder is None
        self.port = port or free_port()
        self.process = None

    @property
    def url(self):
        return "http://127.0.0.1:%d/" % self.port

    def start(self):
        users = os.path.join(self.folder, "users")
        with open(users, "w") as f:
            f.write("%s:%s\n" % (USER, PASSWORD))
        config = os.path.join(self.folder, "config")
        with open(config, "w") as f:
            f.write(
                "[server]\nhosts = 127.0.0.1:%d\n"
                "[auth]\ntype = htpasswd\nhtpasswd_filename = %s\nhtpasswd_encryption = plain\n"
                "[storage]\nfilesystem_folder = %s\n"
                "[logging]\nlevel = warning\n" % (self.port, users, os.path.join(self.folder, "collections")))
        self.process = subprocess.Popen(
            ["/usr/bin/python3", "-m", "radicale", "--config", config],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=open(os.path.join(self.folder, "log"), "w"))
        deadline = time.time() + 20
        while time.time() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError("the server ended at once: " + open(os.path.join(self.folder, "log")).read())
            try:
                urllib.request.urlopen(self.url, timeout=1)
                return self.url
            except urllib.error.HTTPError:
                return self.url  # it answers
            except OSError:
                time.sleep(0.1)
        self.stop()
        raise RuntimeError("the server did not answer on " + self.url)

    def stop(self):
        if self.process is not None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
            self.process = None

    def remove(self):
        self.stop()
        if self.own_folder:
            shutil.rmtree(self.folder, ignore_errors=True)

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.remove()


if __name__ == "__main__":
    server = RadicaleServer()
    try:
        server.start()
        print(server.url, USER, PASSWORD, flush=True)
        sys.stdin.read()
    finally:
        server.remove()
