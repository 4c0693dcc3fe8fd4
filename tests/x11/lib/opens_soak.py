#!/usr/bin/python3
"""opens_soak.py FILE WINDOW PID N: counts a program's repaints by its opens of
FILE (the clock reads its event file at every repaint, whatever kind of
window it has) and prints "REPAINTS RSS_KIB X_RESOURCES" after N/10 and after
N of them: the resident memory of PID and the X resources of WINDOW's client.
Fails when no repaint comes for STALL_SECONDS: the clock has stopped. How
fast the repaints come depends on the machine and is not held to a bound."""
import os
import signal
import sys

from Xlib import display

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "e2e", "lib"))
from count_opens import OpenWatch  # noqa: E402
from xprobe import rss_kib  # noqa: E402

STALL_SECONDS = 30


def main(args):
    if len(args) != 4:
        sys.exit("usage: opens_soak.py FILE WINDOW PID N")
    path, window, pid, total = args[0], int(args[1], 0), int(args[2]), int(args[3])
    d = display.Display()
    repaints = 0
    signal.signal(signal.SIGALRM, lambda *_: sys.exit("no repaint for %d s after %d" % (STALL_SECONDS, repaints)))
    signal.alarm(STALL_SECONDS)
    for _ in OpenWatch(path).times():
        repaints += 1
        signal.alarm(STALL_SECONDS)
        if repaints in (total // 10, total):
            resources = sum(t.count for t in d.res_query_client_resources(window).types)
            print(repaints, rss_kib(pid), resources, flush=True)
        if repaints == total:
            return


main(sys.argv[1:])
