#!/usr/bin/env python3
"""The floor for --takeout on a share: 16 threads, each given a photo of
the folder, open its sidecar (the form it does not have first, for half
of them, as velmora finds it), read it, and set the photo's time from
photoTakenTime. The folder is listed on the main thread, as velmora's
walk does. With --look, each thread also looks at the photo (lstat)
before it sets it, as a run that keeps a journal reads the time it
replaces. Threads wait on the share, not on Python: each call releases
the interpreter's lock."""

import json
import os
import sys
from concurrent.futures import ThreadPoolExecutor


LOOK = "--look" in sys.argv[1:]


def stamp(name):
    for suffix in (".supplemental-metadata.json", ".json"):
        try:
            with open(name + suffix, "rb") as f:
                text = f.read()
            break
        except FileNotFoundError:
            continue
    else:
        return False
    taken = int(json.loads(text)["photoTakenTime"]["timestamp"])
    if LOOK:
        os.lstat(name)
    os.utime(name, ns=(taken * 10**9, taken * 10**9))
    return True


def main():
    with os.scandir(".") as entries, ThreadPoolExecutor(16) as pool:
        photos = (e.name for e in entries if e.name.endswith(".jpg"))
        if not all(pool.map(stamp, photos)):
            sys.exit("takeout_floor: a photo without its sidecar")


if __name__ == "__main__":
    main()
