#!/usr/bin/env python3
"""Packs a directory into a zip archive that depends on nothing but the files' contents and names:
entries in sorted order, every entry with the same time, plain file attributes, no extra fields.

    make-zip.py ARCHIVE DIRECTORY EPOCH

EPOCH (seconds since 1970, UTC) gives the entries' time, for example the last commit's. An empty
folder is refused; the archive is written under another name, then renamed, never left truncated.
"""

import os
import sys
import time
import zipfile
from pathlib import Path

# A zip entry time cannot lie before 1980.
EARLIEST = (1980, 1, 1, 0, 0, 0)
# A regular file, readable by all, writable by its owner, as Unix tools read the attributes.
FILE_ATTRIBUTES = (0o100644 << 16)


def main():
    archive, directory, epoch = sys.argv[1], Path(sys.argv[2]), int(sys.argv[3])
    stamp = max(EARLIEST, time.gmtime(epoch)[:6])
    files = sorted(p for p in directory.rglob("*") if p.is_file())
    if not files:
        sys.exit(f"make-zip: {directory} holds no file")
    partial = archive + ".partial"
    with zipfile.ZipFile(partial, "w") as out:
        for path in files:
            entry = zipfile.ZipInfo(path.relative_to(directory).as_posix(), stamp)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 3
            entry.external_attr = FILE_ATTRIBUTES
            out.writestr(entry, path.read_bytes(), compresslevel=9)
    os.replace(partial, archive)


if __name__ == "__main__":
    main()
