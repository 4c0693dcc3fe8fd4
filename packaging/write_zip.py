#!/usr/bin/env python3
"""Writes a zip whose bytes depend only on the files put in it and on one
time stamp, so that the same source always gives the same archive.

    write_zip.py ZIP EPOCH FOLDER FILE...

The archive holds the folder FOLDER/ and, in it, each FILE under its own
base name, in the order given. Every entry gets the time EPOCH (seconds since
1970, shown in UTC) and MS-DOS attributes (a plain file, or a folder) instead
of whatever the build machine's file system holds; the files are deflated at
the highest level.
"""
import os
import sys
import time
import zipfile

MSDOS = 0
DIRECTORY_ATTRIBUTE = 0x10
NO_ATTRIBUTES = 0
EARLIEST_ZIP_TIME = (1980, 1, 1, 0, 0, 0)


def entry(name, date_time, attributes, compression):
    info = zipfile.ZipInfo(name, date_time)
    info.create_system = MSDOS
    info.external_attr = attributes
    info.compress_type = compression
    return info


def main(argv):
    if len(argv) < 5:
        sys.exit("usage: write_zip.py ZIP EPOCH FOLDER FILE...")
    zip_path, epoch, folder, files = argv[1], int(argv[2]), argv[3], argv[4:]
    date_time = max(time.gmtime(epoch)[:6], EARLIEST_ZIP_TIME)
    with zipfile.ZipFile(zip_path, "w") as archive:
        archive.writestr(entry(folder + "/", date_time, DIRECTORY_ATTRIBUTE, zipfile.ZIP_STORED), b"")
        for path in files:
            with open(path, "rb") as source:
                data = source.read()
            name = folder + "/" + os.path.basename(path)
            archive.writestr(entry(name, date_time, NO_ATTRIBUTES, zipfile.ZIP_DEFLATED), data, compresslevel=9)


if __name__ == "__main__":
    main(sys.argv)
