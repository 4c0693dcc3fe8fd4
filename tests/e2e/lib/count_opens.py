#!/usr/bin/env python3
"""count_opens.py [--times] FILE SECONDS: how many times any process opens FILE
within SECONDS, from the kernel's inotify events. The clock opens its event
file once at each repaint, so this counts the repaints of a program that
tells nothing about them, bursts of identical ones included.

With --times, prints the system clock's times instead, in seconds since the
epoch: "from T" once the watch is set, "open T" as each open is seen, "to T"
when the watch ends.

Also a module: OpenWatch(path).times(seconds) yields those times (tests/x11/lib)."""
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


class OpenWatch:
    """The opens of one file, watched from the moment this is made. The kernel
    merges an event into an identical one still unread, so two opens in a row
    would count once: the closes are watched too, so that no two events in a
    row are alike."""

    def __init__(self, path):
        libc = ctypes.CDLL("libc.so.6", use_errno=True)
        self.fd = libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
        if self.fd < 0 or libc.inotify_add_watch(self.fd, os.fsencode(path), IN_OPEN | IN_CLOSE_NOWRITE) < 0:
            sys.exit("count_opens.py: cannot watch %s: %s" % (path, os.strerror(ctypes.get_errno())))

    def times(self, seconds=None):
        """The time.time() at which each open is read, for SECONDS or for as long as the caller takes them."""
        end = None if seconds is None else time.monotonic() + float(seconds)
        while end is None or (left := end - time.monotonic()) > 0:
            if not select.select([self.fd], [], [], None if end is None else left)[0]:
                continue
            seen = time.time()
            data = os.read(self.fd, 65536)
            offset = 0
            while offset < len(data):
                _, mask, _, length = EVENT_HEADER.unpack_from(data, offset)
                offset += EVENT_HEADER.size + length
                if mask & IN_Q_OVERFLOW:
                    sys.exit("count_opens.py: the kernel's event queue overflowed; opens were lost")
                if mask & IN_OPEN:
                    yield seen


def main(args):
    times = args[:1] == ["--times"]
    args = args[1:] if times else args
    if len(args) != 2:
        sys.exit("usage: count_opens.py [--times] FILE SECONDS")
    watch = OpenWatch(args[0])
    if not times:
        print(sum(1 for _ in watch.times(args[1])))
        return
    print("from %.6f" % time.time(), flush=True)
    for seen in watch.times(args[1]):
        print("open %.6f" % seen, flush=True)
    print("to %.6f" % time.time())


if __name__ == "__main__":
    main(sys.argv[1:])
