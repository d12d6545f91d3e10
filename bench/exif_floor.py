#!/usr/bin/env python3
"""The floor for --exif on a share: 16 threads, each given a photo of the
folder, open it, read its first 64 KiB (where a camera writes its EXIF
block), find the time taken in it and set the photo's time from it. The
folder is listed on the main thread, as velmora's walk does. With
--look, each thread also looks at the photo (lstat) before it sets it,
as a run that keeps a journal reads the time it replaces. Threads wait
on the share, not on Python: each call releases the interpreter's lock."""

import os
import re
import sys
from concurrent.futures import ThreadPoolExecutor
from datetime import datetime, timezone

LOOK = "--look" in sys.argv[1:]
TAKEN = re.compile(rb"(\d{4}):(\d\d):(\d\d) (\d\d):(\d\d):(\d\d)\0")


def stamp(name):
    with open(name, "rb") as f:
        head = f.read(64 * 1024)
    found = TAKEN.search(head)
    if found is None:
        return False
    taken = datetime(*(int(g) for g in found.groups()), tzinfo=timezone.utc)
    ns = int(taken.timestamp()) * 10**9
    if LOOK:
        os.lstat(name)
    os.utime(name, ns=(ns, ns), follow_symlinks=False)
    return True


def main():
    with os.scandir(".") as entries, ThreadPoolExecutor(16) as pool:
        photos = (e.name for e in entries if e.name.endswith(".JPG"))
        if not all(pool.map(stamp, photos)):
            sys.exit("exif_floor: a photo without its time")


if __name__ == "__main__":
    main()
