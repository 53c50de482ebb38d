#!/usr/bin/python3
"""The organizer's first paint beside a bare Qt window's, whole processes on a running X display.

    DISPLAY=:97 bench/first_paint.py BUILD DATA_FOLDER [RUNS]

BUILD is a build folder (its program/koret and bench/qt/bench_bare_window); DATA_FOLDER a Data
folder of many events (bench_table_scale writes them as /tmp/koret-bench-N-5000-5000). The
organizer runs in a copy of the program folder with that Data folder, on the Events tab. For each
run: the time until the window is mapped, and until the screen there has changed from the empty
slots (today's events drawn; the bare window's label). A window manager should run on the display.
"""
import os, shutil, subprocess, sys, tempfile, time


def visible(name):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], capture_output=True, text=True)
    return found.stdout.split()


def mean(crop):
    shot = subprocess.run(["import", "-window", "root", "-crop", crop, "-format", "%[fx:mean]", "info:"],
                          capture_output=True, text=True)
    return float(shot.stdout or 0)


def run(command, cwd, name, crop, drawn):
    start = time.monotonic()
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while not visible(name):
        time.sleep(0.003)
    mapped = time.monotonic() - start
    painted = None
    while time.monotonic() - start < 10:
        if drawn(mean(crop)):
            painted = time.monotonic() - start
            break
    process.kill()
    process.wait()
    time.sleep(0.3)
    return mapped, painted


def median(values):
    values = sorted(v for v in values if v is not None)
    return values[len(values) // 2] if values else float("nan")


def main():
    build, data = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    with tempfile.TemporaryDirectory() as folder:
        shutil.copytree(source, folder, dirs_exist_ok=True)
        shutil.rmtree(os.path.join(folder, "Data"))
        shutil.copytree(data, os.path.join(folder, "Data"))
        shutil.copy(os.path.join(build, "program", "koret"), folder)
        with open(os.path.join(folder, "Config", "Config.ini"), "w") as ini:
            ini.write("[General]\nActTab=1\nMFLeft=0\nMFTop=0\nWidth=1000\nHeight=800\n")
        bare = [run([os.path.join(build, "bench", "qt", "bench_bare_window")], folder, "^Bare Window$",
                    "300x200+100+100", lambda m: m > 0.3) for _ in range(runs)]
        # Today's events break the white of the slots.
        koret = [run(["./koret"], folder, "^Koret Organizer$", "800x400+100+200", lambda m: 0.1 < m < 0.97)
                 for _ in range(runs)]
    print("%-10s %10s %10s" % ("", "mapped s", "painted s"))
    for label, times in (("bare", bare), ("organizer", koret)):
        print("%-10s %10.3f %10.3f" % (label, median(t[0] for t in times), median(t[1] for t in times)))
    print("painted: %.2fx the bare window" % (median(t[1] for t in koret) / median(t[1] for t in bare)))


if __name__ == "__main__":
    main()
