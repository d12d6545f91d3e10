#!/usr/bin/env python3
"""The floor for --recursive over a tree on a share: 16 threads, each
given a folder of the tree, list it and set each photo's time from its
name. The top folder is listed on the main thread; the folders are taken
in no order but the pool's. Threads wait on the share, not on Python:
each call releases the interpreter's lock.

    tree_floor.py [THREADS]   (16 if not given: velmora's default jobs)"""

import os
import sys
from concurrent.futures import ThreadPoolExecutor
from datetime import datetime, timezone


def stamp_folder(folder):
    count = 0
    with os.scandir(folder) as entries:
        for e in entries:
            if not e.name.endswith(".jpg"):
                continue
            taken = datetime.strptime(e.name[:-4], "%Y-%m-%d %H.%M").replace(tzinfo=timezone.utc)
            ns = int(taken.timestamp()) * 10**9
            os.utime(e.path, ns=(ns, ns), follow_symlinks=False)
            count += 1
    return count


def main():
    threads = int(sys.argv[1]) if len(sys.argv) > 1 else 16
    with os.scandir(".") as entries, ThreadPoolExecutor(threads) as pool:
        folders = [e.name for e in entries if e.is_dir(follow_symlinks=False)]
        if sum(pool.map(stamp_folder, folders)) == 0:
            sys.exit("tree_floor: no photo in the folders")


if __name__ == "__main__":
    main()
