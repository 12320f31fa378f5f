#!/usr/bin/env python3
"""End-to-end tests of the real dialog under Wine: the 64-bit build under wine64, the shipped 32-bit
build under 32-bit Wine.

    e2e.py --work DIR --probe P setup        start the display, window manager, Wine prefix and
                                             the probe, which serves every case of the session
    e2e.py --work DIR cleanup                stop them
    e2e.py --work DIR --dist D run CASE

The readout is checked by the probe helper, which draws the expected text itself with the same
CreateFontA arguments into a bitmap and compares it pixel for pixel with the cells of the three
characters the dialog shows at (30, 30). Both renderings come from the same Wine font engine in
the same prefix, so the check is exact and needs no stored reference pictures, which would break
with any change of fonts, nor OCR, which reads a substituted display font unreliably. The probe
also hands over the pixels of the whole box any readout can cover, which a case compares with a
fresh start's. A failing case leaves a screenshot of the display in its directory under DIR.
Every case also checks that the processes that ran Quenlit.exe had the word size of its machine
type: a 32-bit exe ran as 32-bit code.
"""

import argparse
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).parent))

from cases import CASES  # noqa: E402
from harness import CaseFailure, Session, Tool, machine_bits  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--work", required=True)
    parser.add_argument("--dist")
    parser.add_argument("--probe")
    parser.add_argument("action", choices=["setup", "cleanup", "run"])
    parser.add_argument("case", nargs="?", choices=sorted(CASES))
    args = parser.parse_args()

    session = Session(args.work)
    if args.action == "setup":
        session.setup(args.probe)
        return
    if args.action == "cleanup":
        session.stop()
        return

    case_dir = Path(args.work) / "cases" / args.case
    tool = Tool(session, args.dist, case_dir)
    try:
        CASES[args.case](tool)
    except Exception:
        session.screenshot(case_dir / "failure.png")
        raise
    finally:
        tool.kill()
    bits = machine_bits(Path(args.dist) / "Quenlit.exe")
    seen = tool.bits_seen - {None}
    if seen != {bits}:
        raise CaseFailure(f"Quenlit.exe is {bits}-bit but ran as {sorted(seen)}-bit processes")
    print(f"{args.case}: passed; Quenlit.exe ran as a {bits}-bit process")


if __name__ == "__main__":
    main()
