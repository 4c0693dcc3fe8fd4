#!/usr/bin/python3
"""window_changes.py WINDOW SECONDS: for SECONDS, the system clock's time at
which the X server changed WINDOW's pixels, one a line (seconds since the
epoch), from the DAMAGE extension: what a screen copied every millisecond
would show, without copying it. A burst of drawing reads as one change."""
import select
import sys
import time

from Xlib import display
from Xlib.ext import damage


def main(args):
    if len(args) != 2:
        sys.exit("usage: window_changes.py WINDOW SECONDS")
    d = display.Display()
    window = d.create_resource_object("window", int(args[0], 0))
    d.damage_query_version()  # the extension answers nothing else before it
    watch = window.damage_create(damage.DamageReportNonEmpty)
    d.sync()
    end = time.monotonic() + float(args[1])
    while (left := end - time.monotonic()) > 0:
        if not d.pending_events() and not select.select([d], [], [], left)[0]:
            continue
        seen = time.time()
        changed = False
        while d.pending_events():
            if d.next_event().type == d.extension_event.DamageNotify:
                changed = True
        if changed:
            # Reported again only once the damage so far is taken away.
            d.damage_subtract(watch)
            d.flush()
            print("%.6f" % seen, flush=True)

main(sys.argv[1:])
