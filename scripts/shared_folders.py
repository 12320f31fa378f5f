#!/usr/bin/env python3
"""The shared folders (C:\\KelvoTemp's FilmType.txt, the four table files, Flag.txt) that the demo,
the tests and the benchmarks run the tool on, by name, and their one writer.

    shared_folders.py NAME DIR    writes folder NAME into DIR, replacing the files it names

Names: demo (run.sh and the release zip), bench (the benchmarks) and golden/<case> (the
inspector's golden-output cases). The end-to-end cases build theirs from the tables here.
"""

import os
import sys
from pathlib import Path

TABLE_NAMES = ("Brig.txt", "Brigf.txt", "Brigp.txt", "Brigb.txt")
# Stand-ins for what is not a regular file.
FIFO, DIRECTORY = object(), object()


class Table:
    """21 rows of six values in the fixed-column format ("0x28,0x20,0x20,0x10,0x10,0x08", CR LF):
    the value at (level, column) is base + row_step * level + column_step * column, modulo 256."""

    def __init__(self, base, row_step, column_step):
        self.base, self.row_step, self.column_step = base, row_step, column_step

    def value(self, level, column):
        return (self.base + self.row_step * level + self.column_step * column) & 0xFF

    def text(self):
        return b"".join(b",".join(b"0x%02X" % self.value(level, column) for column in range(6))
                        + b"\r\n" for level in range(21))


def tables(row_step, column_step, bases):
    return {name: Table(base, row_step, column_step) for name, base in zip(TABLE_NAMES, bases)}


# Each end-to-end table holds values of its own, so the driver calls tell which file was read.
E2E_TABLES = tables(3, 1, (0x00, 0x40, 0x80, 0xC0))
DEMO_TABLES = tables(8, -4, (0x20, 0x30, 0x28, 0x18))


def files_of(tables_by_name):
    return {name: table.text() for name, table in tables_by_name.items()}


# Slides, the four tables, and Flag.txt "n", level letter "O" = level 14, two companion bytes "12".
DEMO = {"FilmType.txt": b"Media: Slide\r\n", **files_of(DEMO_TABLES), "Flag.txt": b"nO12"}


def bench_film_type():
    """512 bytes whose only keyword, "Film", stands at their end."""
    line, last = b"Scanner=1 Resolution=3600 Mode=Colour\r\n", b"Media=Film\r\n"
    text = line * ((512 - len(last)) // len(line))
    return text.ljust(512 - len(last)) + last


# The film table's 21 rows all differ from the built-in ones; Flag.txt holds "y", the letter of
# level 10, CR and LF.
BENCH = {"FilmType.txt": bench_film_type(), "Brigf.txt": Table(0x11, 8, 1).text(),
         "Flag.txt": b"yK\r\n"}

# The inspector's cases: files, then the modes to set, the folder's (".") last.
GOLDEN = {
    "clean": DEMO,
    "lf_only_table": {
        "FilmType.txt": b"Media: Film\r\n",
        "Brigf.txt": b"0x40,0x38,0x38,0x28,0x28,0x20\n0x48,0x40,0x40,0x30,0x30,0x28\n"
                     b"0x50,0x48,0x48,0x38,0x38,0x30\n",
        "Flag.txt": b"yK12"},
    "non_hex_and_end_mark": {
        "FilmType.txt": b"Slide",
        "Brig.txt": b"0x 8,0x20,0x20,0x10,0x10,0x08\r\n0x30,0x28,0xzz,0x18,0x18,0x1G\r\n"
                    b"0x38,0x30,0x30,0x20,0x20,0x18\r\n# the rest are the built-in rows\r\n"
                    b"0x40,0x38,0x38,0x28,0x28,0x20\r\n",
        "Flag.txt": b"nC12"},
    "keyword_order_and_zero_byte": {
        "FilmType.txt": b"Photo PhoBW B&W\0 Slide\r\n",
        "Brigf.txt": b"0x11,0x12,0x13,0x14,0x15,0x16\r\n0x21,0x22,0x23,0x24,0x25,0x26\r\n",
        "Flag.txt": b"nU12"},
    "letter_out_of_range_in_short_flag": {"FilmType.txt": b"photo\r\n", "Flag.txt": b"yZ1"},
    "lower_case_film_lf_row_empty_flag": {
        "FilmType.txt": b"film", "Brig.txt": b"0x30,0x28,0x28,0x18,0x18,0x10\n", "Flag.txt": b""},
    "no_shared_files": {},
    "read_only_flag": dict(DEMO, modes={"Flag.txt": 0o444}),
    "read_only_out_of_range_letter": {"Flag.txt": b"nZ12", "modes": {"Flag.txt": 0o444}},
    # Neither opening nor reading may wait for a writer.
    "fifos": {"FilmType.txt": FIFO, "Brig.txt": FIFO, "Flag.txt": FIFO},
    "directories": {"FilmType.txt": DIRECTORY, "Brig.txt": DIRECTORY, "Flag.txt": DIRECTORY},
    # The tool opens its files by name: a folder it can search but not list serves it whole.
    "search_only_folder": dict(DEMO, modes={"Flag.txt": 0o666, ".": 0o311}),
    # Listed but not searched by anyone but root.
    "list_only_folder": dict(DEMO, modes={".": 0o644}),
    # Windows only: the clean folder given in quotes with its last backslash.
    "quoted_backslash": DEMO,
}

FOLDERS = {"demo": DEMO, "bench": BENCH, **{"golden/" + name: f for name, f in GOLDEN.items()}}


def write_folder(files, folder):
    """Writes the files into the folder, made if need be, then sets the modes given."""
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    for name, content in files.items():
        path = folder / name
        if content is FIFO:
            os.mkfifo(path)
        elif content is DIRECTORY:
            path.mkdir()
        elif name != "modes":
            path.write_bytes(content)
    for name, mode in files.get("modes", {}).items():
        (folder / name).chmod(mode)


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in FOLDERS:
        sys.exit(f"usage: shared_folders.py {{{','.join(FOLDERS)}}} DIR")
    write_folder(FOLDERS[sys.argv[1]], sys.argv[2])
