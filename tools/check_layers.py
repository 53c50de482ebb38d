#!/usr/bin/env python3
"""Checks the layer rule of the source tree.

Each layer folder may include only itself and the layers below it, and Qt (its headers, or a
folder that holds Qt code) only from app/ and the qt/ folders. Prints one line per breach and
exits 1 when there is any; run by the test suite.

    tools/check_layers.py [source root]
"""
import pathlib
import re
import sys

# Lowest first. A layer may include any layer at or before its own place.
LAYERS = ["platform", "xml", "model", "store", "interop", "sync", "views", "print", "dialogs",
          "app/core", "app", "tools"]
# Folders whose files may use Qt: every layer's qt/ folder and the desktop shell.
QT_ROOTS = ["app"]

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r"^Q[A-Za-z]+(/|$)|^Qt[A-Za-z]*/")


def layer_of(path):
    """The layer a path below the source root belongs to, or None."""
    text = path.as_posix()
    for layer in sorted(LAYERS, key=len, reverse=True):
        if text == layer or text.startswith(layer + "/"):
            return layer
    return None


def uses_qt(path):
    """Whether files at this path may use Qt."""
    parts = path.as_posix().split("/")
    if "qt" in parts[:-1]:
        return True
    return layer_of(path) in QT_ROOTS


def breaches(root):
    for layer in LAYERS:  # tests/, bench/ and fuzz/ may include anything
        folder = root / layer
        if not folder.is_dir():
            continue
        for source in sorted(folder.rglob("*")):
            if source.suffix not in (".h", ".cpp") or not source.is_file():
                continue
            relative = source.relative_to(root)
            own = layer_of(relative)
            if own != layer:
                continue  # app/core files are checked as app/core, not as app
            qt_allowed = uses_qt(relative)
            for number, line in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                bracket, target = match.groups()
                where = f"{relative}:{number}"
                if bracket == "<":
                    if QT_HEADER.match(target) and not qt_allowed:
                        yield f"{where}: Qt header <{target}> outside app/ and the qt/ folders"
                    continue
                included = pathlib.PurePosixPath(target)
                other = layer_of(included)
                if other is None:
                    continue  # a file beside it, or a generated header
                if LAYERS.index(other) > LAYERS.index(own):
                    yield f"{where}: {own}/ includes the higher layer {other}/ ({target})"
                elif uses_qt(included) and not qt_allowed:
                    yield f"{where}: includes the Qt code {target} outside app/ and the qt/ folders"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
    found = list(breaches(root.resolve()))
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} breach(es) of the layer rule")
        return 1
    print("layer rule holds")
    return 0


if __name__ == "__main__":
    sys.exit(main())
