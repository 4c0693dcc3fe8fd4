#!/usr/bin/env python3
"""count_opens.py [--times] FILE SECONDS: how many times any process opens FILE
within SECONDS, from the kernel's inotify events. The clock opens its event
file once at each repaint, so this counts the repaints of a program that
tells nothing about them, bursts of identical ones included. With --times,
prints instead the system clock's time at which each open was seen, one a
line, in seconds since the epoch.

Also a module: open_times(path, seconds) yields those times (tests/x11/lib)."""
import ctypes
import os
import select
import struct
import sys
import time

IN_CLOSE_NOWRITE = 0x10
IN_OPEN = 0x20
IN_Q_OVERFLOW = 0x4000
EVENT_HEADER = struct.Struct("iIII")  # watch, mask, cookie, name length


def open_times(path, seconds=None):
    """The time.time() at which each open of PATH is read, for SECONDS or for
    as long as the caller takes them. The kernel merges an event into an
    identical one still unread, so two opens in a row would count once: the
    closes are watched too, so that no two events in a row are alike."""
    libc = ctypes.CDLL("libc.so.6", use_errno=True)
    fd = libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
    if fd < 0 or libc.inotify_add_watch(fd, os.fsencode(path), IN_OPEN | IN_CLOSE_NOWRITE) < 0:
        sys.exit("count_opens.py: cannot watch %s: %s" % (path, os.strerror(ctypes.get_errno())))
    end = None if seconds is None else time.monotonic() + float(seconds)
    try:
        while end is None or (left := end - time.monotonic()) > 0:
            if not select.select([fd], [], [], None if end is None else left)[0]:
                continue
            seen = time.time()
            data = os.read(fd, 65536)
            offset = 0
            while offset < len(data):
                _, mask, _, length = EVENT_HEADER.unpack_from(data, offset)
                offset += EVENT_HEADER.size + length
                if mask & IN_Q_OVERFLOW:
                    sys.exit("count_opens.py: the kernel's event queue overflowed; opens were lost")
                if mask & IN_OPEN:
                    yield seen
    finally:
        os.close(fd)


def main(args):
    times = args[:1] == ["--times"]
    args = args[1:] if times else args
    if len(args) != 2:
        sys.exit("usage: count_opens.py [--times] FILE SECONDS")
    if not times:
        print(sum(1 for _ in open_times(args[0], args[1])))
        return
    for seen in open_times(args[0], args[1]):
        print("%.6f" % seen, flush=True)


if __name__ == "__main__":
    main(sys.argv[1:])
