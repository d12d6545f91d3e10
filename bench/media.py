"""Files whose time is inside them, for --exif: copies of one camera-like
JPEG (EXIF with a thumbnail) and one MP4 (its movie header), made with
ffmpeg and exiftool, timed against exiftool setting the same times."""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile

TAKEN = "2019:07:04 18:30:12"  # inside every photo and video, UTC


def _run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def available():
    return all(shutil.which(t) for t in ("ffmpeg", "exiftool"))


def make_media(parent, jpegs, videos):
    """A folder of jpegs photos and videos videos; removed again if making it fails."""
    folder = tempfile.mkdtemp(prefix="velmora-bench-exif-", dir=parent)
    try:
        photo, video = os.path.join(folder, "photo.jpg"), os.path.join(folder, "video.mp4")
        _run("ffmpeg", "-y", "-f", "lavfi", "-i", "testsrc=s=1024x768", "-frames:v", "1", photo)
        _run("exiftool", "-q", "-overwrite_original", f"-DateTimeOriginal={TAKEN}",
             f"-CreateDate={TAKEN}", "-Make=Bench", "-Model=Camera 1", "-SubSecTimeOriginal=25",
             photo)
        _run("ffmpeg", "-y", "-f", "lavfi", "-i", "testsrc=s=640x480:d=1", "-movflags",
             "+faststart", "-metadata", "creation_time=2019-07-04T18:30:12Z", video)
        for i in range(jpegs):
            shutil.copyfile(photo, os.path.join(folder, f"DSC_{i:05d}.JPG"))
        for i in range(videos):
            shutil.copyfile(video, os.path.join(folder, f"MVI_{i:04d}.MP4"))
        os.remove(photo)
        os.remove(video)
        return folder
    except BaseException:
        shutil.rmtree(folder, ignore_errors=True)
        raise


def check_taken(folder):
    """Every file carries the time inside it: the run really did its work."""
    want = 1562265012  # 2019-07-04 18:30:12 UTC
    for name in ("DSC_00000.JPG", "MVI_0000.MP4"):
        if not os.path.exists(os.path.join(folder, name)):
            continue
        got = int(os.stat(os.path.join(folder, name)).st_mtime)
        if got != want:
            sys.exit(f"bench: {name} has mtime {got}, not {want}")


def bench_exif(where, jpegs, videos, runs, velmora, timed, peak_rss_kib):
    """velmora --exif against exiftool on the same files; memory at all and at a tenth."""
    folder = make_media(where, jpegs, videos)
    small = None
    try:
        small = make_media(where, max(jpegs // 10, 1), max(videos // 10, 1))
        n = jpegs + videos
        velmora_exif = [velmora, "--no-journal", "--exif", "--utc"]
        # Later assignments win: DateTimeOriginal for photos, CreateDate for videos.
        exiftool = ["exiftool", "-q", "-q", "-m", "-api", "QuickTimeUTC",
                    "-FileModifyDate<CreateDate", "-FileModifyDate<DateTimeOriginal", "."]
        seconds = {"velmora --exif": [], "velmora --exif --jobs 1": []}
        for _ in range(runs):
            seconds["velmora --exif"].append(timed(velmora_exif, folder))
            seconds["velmora --exif --jobs 1"].append(timed(velmora_exif + ["--jobs", "1"], folder))
        check_taken(folder)
        os.utime(os.path.join(folder, "DSC_00000.JPG"), (0, 0))
        seconds["exiftool -FileModifyDate<DateTimeOriginal (once)"] = [timed(exiftool, folder)]
        check_taken(folder)
        velmora_median = statistics.median(seconds["velmora --exif"])
        rows = []
        for name, s in seconds.items():
            median = statistics.median(s)
            rss = peak_rss_kib(velmora_exif, folder) if name == "velmora --exif" else None
            rss_small = peak_rss_kib(velmora_exif, small) if name == "velmora --exif" else None
            rows.append((name, n / median, median / velmora_median, rss, rss_small))
        return rows
    finally:
        shutil.rmtree(folder, ignore_errors=True)
        if small:
            shutil.rmtree(small, ignore_errors=True)
