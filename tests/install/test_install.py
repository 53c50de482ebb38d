#!/usr/bin/python3
"""Installs the built organizer into temporary prefixes and checks what the desktop gets: the
program folder, the launchers, a valid desktop entry, the icons, a reinstall that keeps the user's
files, and an installed program that starts.

Usage: test_install.py SOURCE_DIR BUILD_DIR
"""
import os
import shlex
import struct
import subprocess
import sys
import tempfile
import time
import unittest

SOURCE, BUILD = sys.argv[1], sys.argv[2]
ICON_SIZES = {16, 22, 24, 32, 48, 64, 128, 256}


def install(prefix, build=BUILD):
    return subprocess.run([os.path.join(SOURCE, "build.sh"), "install", "--use-build", build, prefix],
                          capture_output=True, text=True, timeout=120)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        raise AssertionError(f"{path} is not a PNG file")
    return struct.unpack(">II", head[16:24])


def entry_values(path):
    with open(path, encoding="utf-8") as f:
        return dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


class Install(unittest.TestCase):
    def setUp(self):
        self.temp = tempfile.TemporaryDirectory()
        self.addCleanup(self.temp.cleanup)
        self.prefix = os.path.join(self.temp.name, "my prefix")  # home folders may hold spaces
        self.folder = os.path.join(self.prefix, "lib", "koret")

    def install(self):
        result = install(self.prefix)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_program_folder_launchers_and_icons(self):
        self.install()
        for program in ("koret", "koret-cli"):
            self.assertTrue(os.access(os.path.join(self.folder, program), os.X_OK), program)
            launcher = os.path.join(self.prefix, "bin", program)
            self.assertEqual(os.path.realpath(launcher), os.path.realpath(os.path.join(self.folder, program)))
        self.assertTrue(os.access(os.path.join(self.folder, "koret-cli-desktop"), os.X_OK))
        for name in ("Config/Localize.xml", "Data/resources.xml", "Data/events.xml", "Data/recordids.xml"):
            self.assertTrue(os.path.isfile(os.path.join(self.folder, name)), name)
        icons = os.path.join(self.prefix, "share", "icons", "hicolor")
        sizes = {int(d.split("x")[0]) for d in os.listdir(icons) if d != "scalable"}
        self.assertEqual(sizes, ICON_SIZES)
        for size in sizes:
            self.assertEqual(png_size(os.path.join(icons, f"{size}x{size}", "apps", "koret.png")), (size, size))
        self.assertIn("<svg", read(os.path.join(icons, "scalable", "apps", "koret.svg")))

    def test_desktop_entry_is_valid_and_names_the_installed_program(self):
        self.install()
        entry = os.path.join(self.prefix, "share", "applications", "koret.desktop")
        check = subprocess.run(["desktop-file-validate", entry], capture_output=True, text=True)
        self.assertEqual((check.returncode, check.stdout + check.stderr), (0, ""))
        values = entry_values(entry)
        launcher = os.path.join(self.prefix, "bin", "koret")
        self.assertEqual(shlex.split(values["Exec"]), [launcher])
        self.assertEqual(values["TryExec"], launcher)
        self.assertEqual(values["Icon"], "koret")
        self.assertIn("Calendar", values["Categories"].split(";"))

    def test_reinstall_keeps_data_and_config_and_restores_missing_files(self):
        self.install()
        events, config = os.path.join(self.folder, "Data/events.xml"), os.path.join(self.folder, "Config/Config.ini")
        localize = os.path.join(self.folder, "Config/Localize.xml")
        with open(events, "w", encoding="utf-8") as f:
            f.write("<events>mine</events>\n")
        with open(config, "w", encoding="utf-8") as f:
            f.write("[General]\nActTab=2\n")
        os.remove(localize)
        self.install()
        self.assertEqual(read(events), "<events>mine</events>\n")
        self.assertEqual(read(config), "[General]\nActTab=2\n")
        self.assertEqual(read(localize), read(os.path.join(SOURCE, "resources/Config/Localize.xml")))

    def test_installed_program_starts_from_the_desktop_entry(self):
        self.install()
        runtime = os.path.join(self.temp.name, "run")
        os.mkdir(runtime, 0o700)
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=runtime)
        command = shlex.split(entry_values(os.path.join(self.prefix, "share/applications/koret.desktop"))["Exec"])
        program = subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        resources = os.path.join(self.folder, "Data/resources.xml")
        try:
            for _ in range(100):
                if "KORET" in read(resources) or program.poll() is not None:
                    break
                time.sleep(0.05)
            self.assertIn("KORET", read(resources), "the installed program made no resource in its folder")
        finally:
            program.terminate()
            output = program.communicate(timeout=10)[0].decode(errors="replace")
        self.assertEqual(program.returncode, 0, output)
        self.assertIn("MFLeft=", read(os.path.join(self.folder, "Config/Config.ini")))
        cli = subprocess.run([os.path.join(self.prefix, "bin", "koret-cli"), "agenda", "--from", "2026-12-01"],
                             capture_output=True, text=True, timeout=30)
        self.assertEqual(cli.returncode, 0, cli.stdout + cli.stderr)

    def test_bad_input_is_refused_and_installs_nothing(self):
        quoted = os.path.join(self.temp.name, 'say "hi"')
        result = install(quoted)
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("a desktop entry cannot hold", result.stderr)
        self.assertFalse(os.path.exists(quoted))
        result = install(self.prefix, os.path.join(self.temp.name, "no build"))
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("is missing; build it first", result.stderr)
        self.assertFalse(os.path.exists(self.prefix))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
