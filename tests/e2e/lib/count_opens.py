#!/usr/bin/env python3
"""count_opens.py FILE SECONDS: how many times any process opens FILE within
SECONDS, from the kernel's inotify events. The clock opens its event file
once at each repaint, so this counts the repaints of a program that tells
nothing about them, bursts of identical ones included."""
import ctypes
import os
import select
import struct
import sys
import time

IN_OPEN = 0x20
EVENT_HEADER = struct.Struct("iIII")  # watch, mask, cookie, name length


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: count_opens.py FILE SECONDS")
    libc = ctypes.CDLL("libc.so.6", use_errno=True)
    fd = libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
    if fd < 0 or libc.inotify_add_watch(fd, os.fsencode(sys.argv[1]), IN_OPEN) < 0:
        sys.exit("count_opens.py: cannot watch %s: %s" % (sys.argv[1], os.strerror(ctypes.get_errno())))
    end = time.monotonic() + float(sys.argv[2])
    opens = 0
    while (left := end - time.monotonic()) > 0:
        if not select.select([fd], [], [], left)[0]:
            continue
        data = os.read(fd, 65536)
        offset = 0
        while offset < len(data):
            _, mask, _, length = EVENT_HEADER.unpack_from(data, offset)
            offset += EVENT_HEADER.size + length
            opens += bool(mask & IN_OPEN)
    print(opens)


main()
