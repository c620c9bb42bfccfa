#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A meter on a pseudo-terminal that reports a low battery once, then floods the line with
frame-like noise (0xAA 0xDD and 17 random bytes) at about 2 KB/s. Run km905 against it under
Xvfb and watch its windows and resident memory:

    KM905_DEV_DIR=/tmp/flood xvfb-run -a build/km905 &
    bench/message_flood.py /tmp/flood 60 <pid of km905>

Prints the program's resident memory each 10 s and, at the end, how many windows it shows
titled "KM905" (the main window and its message boxes)."""
import os, pty, random, subprocess, sys, time, tty

folder, seconds = sys.argv[1], float(sys.argv[2])
pid = sys.argv[3] if len(sys.argv) > 3 else None
os.makedirs(folder, exist_ok=True)
master, slave = pty.openpty()
tty.setraw(slave)
link = os.path.join(folder, "ttyUSB0")
if os.path.lexists(link):
    os.remove(link)
os.symlink(os.ttyname(slave), link)


def rss():
    if not pid:
        return 0
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) // 1024
    return 0


# Wait for the first poll (0x11), answer with a live frame whose status B has the low bit.
os.set_blocking(master, False)
deadline = time.time() + 30
while time.time() < deadline:
    try:
        if b"\x11" in os.read(master, 64):
            break
    except BlockingIOError:
        time.sleep(0.01)
frame = bytes([0xAA, 0xDD, 0x00, 0x26, 0x02, 0x12, 0x08, 0x09, 0x30, 0x45, 25, 0, 25, 0,
               0x02, 0x20, 0, 0, 0x05])
os.write(master, frame)
time.sleep(1)
before = rss()
print(f"resident before the flood: {before} MB", flush=True)
rng = random.Random(905)
start = time.time()
next_report = start + 10
while time.time() - start < seconds:
    chunk = bytes([0xAA, 0xDD]) + bytes(rng.randrange(256) for _ in range(17))
    try:
        os.write(master, chunk)
    except BlockingIOError:
        pass
    try:
        os.read(master, 4096)  # whatever the program sends
    except BlockingIOError:
        pass
    time.sleep(19 / 2000)
    if time.time() >= next_report:
        print(f"{time.time() - start:5.0f} s: resident {rss()} MB", flush=True)
        next_report += 10
after = rss()
print(f"resident after {seconds:.0f} s: {after} MB ({after - before:+d} MB)")
try:
    shown = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^KM905$"],
                           capture_output=True, text=True).stdout.split()
    print("windows shown titled KM905:", len(shown))
except FileNotFoundError:
    pass
