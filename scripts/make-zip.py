#!/usr/bin/env python3
"""Writes FOLDER into a zip archive whose bytes depend only on the files' names and contents.

    make-zip.py --date SECONDS ARCHIVE FOLDER

The archive holds FOLDER itself as its top folder. Every entry gets the time SECONDS (since
1970, taken as UTC; zip times start in 1980), a fixed mode and the same compression, and the
entries come in sorted order, so building a package twice gives the same bytes. Names that
are not ASCII are stored as UTF-8 with the zip's UTF-8 flag set.
"""

import argparse
import os
import stat
import sys
import time
import zipfile

ZIP_EPOCH = 315532800  # 1980-01-01 00:00:00 UTC, the earliest time a zip entry can hold
UNIX = 3  # "made by" system: the mode bits below are Unix modes
DIR_MODE = stat.S_IFDIR | 0o755
FILE_MODE = stat.S_IFREG | 0o644
MSDOS_DIRECTORY = 0x10


def entries(folder):
    """Yields (archive name, path or None for a folder), sorted by archive name."""
    top = os.path.basename(os.path.normpath(folder))
    found = [(top + "/", None)]
    for parent, dirs, files in os.walk(folder):
        rel = os.path.relpath(parent, folder)
        prefix = top + "/" if rel == "." else top + "/" + rel.replace(os.sep, "/") + "/"
        for d in dirs:
            path = os.path.join(parent, d)
            if os.path.islink(path):
                sys.exit(f"make-zip: {path} is a symbolic link; only files and folders go in")
            found.append((prefix + d + "/", None))
        for f in files:
            path = os.path.join(parent, f)
            if os.path.islink(path) or not os.path.isfile(path):
                sys.exit(f"make-zip: {path} is not a regular file")
            found.append((prefix + f, path))
    return sorted(found)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--date", type=int, required=True, help="seconds since 1970 (UTC)")
    parser.add_argument("archive")
    parser.add_argument("folder")
    args = parser.parse_args()
    if not os.path.isdir(args.folder):
        sys.exit(f"make-zip: no folder {args.folder}")

    date_time = time.gmtime(max(args.date, ZIP_EPOCH))[:6]
    partial = args.archive + ".partial"
    with zipfile.ZipFile(partial, "w") as archive:
        for name, path in entries(args.folder):
            info = zipfile.ZipInfo(name, date_time)
            info.create_system = UNIX
            if path is None:
                info.external_attr = (DIR_MODE << 16) | MSDOS_DIRECTORY
                archive.writestr(info, b"")
            else:
                info.external_attr = FILE_MODE << 16
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(path, "rb") as f:
                    archive.writestr(info, f.read(), compresslevel=9)
    # Replaced only when complete: an interrupted run leaves no half-written package behind.
    os.replace(partial, args.archive)


if __name__ == "__main__":
    main()
