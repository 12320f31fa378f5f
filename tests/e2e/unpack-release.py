#!/usr/bin/env python3
"""Takes the demo folder's Quenlit.exe and simulated QXBaseIF.dll out of a release zip, after
checking that this Quenlit.exe is byte for byte the one at the zip's top level, which users run.

    unpack-release.py ZIP DIR
"""

import shutil
import sys
import zipfile
from pathlib import Path


def main():
    archive, out = Path(sys.argv[1]), Path(sys.argv[2])
    if not archive.is_file():
        sys.exit(f"no release zip at {archive}: make one with ./release.sh")
    with zipfile.ZipFile(archive) as zip_file:
        if zip_file.read("Quenlit.exe") != zip_file.read("demo/Quenlit.exe"):
            sys.exit(f"{archive}: demo/Quenlit.exe differs from the Quenlit.exe users run")
        shutil.rmtree(out, ignore_errors=True)
        out.mkdir(parents=True)
        for name in ("Quenlit.exe", "QXBaseIF.dll"):
            (out / name).write_bytes(zip_file.read("demo/" + name))
    print(f"{out}: Quenlit.exe and QXBaseIF.dll of {archive.name}")


if __name__ == "__main__":
    main()
