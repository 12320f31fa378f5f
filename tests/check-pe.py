#!/usr/bin/python3
"""Static checks of the built Quenlit.exe files: the shipped 32-bit build is PE32 and the 64-bit
build PE32+, both are GUI programs, and both import from system DLLs and from QXBaseIF.dll only,
from the latter exactly the three driver calls, by name. The shipped 32-bit build is at most 64 KB.
The quenlit-inspect.exe beside each is a console program of the same kind that imports from
KERNEL32 and msvcrt only. The 32-bit files' headers ask for Windows NT 4.0.

The files are read by their fields with pefile, not through a tool's printed text, which differs
between binutils versions; Debian's own Python runs it, for Debian's pefile. A file that cannot be
read, or that imports nothing, fails.
"""

import os
import sys
import tempfile
from pathlib import Path

import pefile

SYSTEM_DLLS = {"comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll",
               "user32.dll"}
INSPECTOR_DLLS = {"kernel32.dll", "msvcrt.dll"}
DRIVER_DLL = "qxbaseif.dll"
DRIVER_CALLS = ["FinishDriver", "InitQXDriver", "WriteRegister"]
SHIPPED_EXE = Path("dist/win32/Quenlit.exe")
SHIPPED_EXE_BUDGET = 65536

PE32, PE32_PLUS = 0x10B, 0x20B
GUI, CONSOLE = 2, 3


def imports(pe):
    """{dll: [function, ...]}, the DLL's name in lower case; a function imported by ordinal is
    named by its number."""
    found = {}
    for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
        names = found.setdefault(entry.dll.decode("ascii", "replace").lower(), [])
        for function in entry.imports:
            names.append(function.name.decode("ascii", "replace") if function.name
                         else f"#{function.ordinal}")
    return found


def faults(path, magic, subsystem, allowed_dlls, driver_calls=None):
    """What is wrong with one file, one text per fault."""
    if not path.is_file():
        return ["missing"]
    try:
        pe = pefile.PE(str(path), fast_load=True)
        pe.parse_data_directories(
            directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"]])
    except pefile.PEFormatError as error:
        return [f"not a PE file: {error}"]
    header = pe.OPTIONAL_HEADER
    found = []
    if header.Magic != magic:
        found.append(f"PE magic is {header.Magic:03x}, not {magic:03x}")
    if header.Subsystem != subsystem:
        found.append(f"subsystem is {header.Subsystem}, not {subsystem}")
    # The Windows a PE32 file asks for: its operating system and subsystem versions, 4.0 for NT 4.0.
    if magic == PE32:
        for field in "OperatingSystem", "Subsystem":
            version = (getattr(header, f"Major{field}Version"),
                       getattr(header, f"Minor{field}Version"))
            if version != (4, 0):
                found.append(f"{field}Version is {version[0]}.{version[1]}, not 4.0"
                             " (Windows NT 4.0)")
    dlls = imports(pe)
    if not dlls:
        found.append("imports nothing")
    driver = {DRIVER_DLL} if driver_calls else set()
    for dll in sorted(set(dlls) - allowed_dlls - driver):
        found.append(f"imports from {dll}, which is not one of {' '.join(sorted(allowed_dlls))}"
                     + (" or the driver" if driver else ""))
    if driver and sorted(dlls.get(DRIVER_DLL, [])) != driver_calls:
        found.append(f"imports {' '.join(sorted(dlls.get(DRIVER_DLL, [])))!r} from QXBaseIF.dll"
                     f" instead of {' '.join(driver_calls)!r}")
    return found


def tool_faults(path, magic):
    return faults(path, magic, GUI, SYSTEM_DLLS, DRIVER_CALLS)


def inspector_faults(path, magic):
    return faults(path, magic, CONSOLE, INSPECTOR_DLLS)


def unreadable_files_fail():
    """The check itself: an empty file and a text file each give a fault."""
    with tempfile.TemporaryDirectory() as folder:
        for name, data in ("empty.exe", b""), ("text.exe", b"MZ is not enough\n"):
            path = Path(folder, name)
            path.write_bytes(data)
            if not tool_faults(path, PE32) or not inspector_faults(path, PE32):
                return [f"{name}: the check finds no fault in it"]
    return []


def main():
    os.chdir(Path(__file__).resolve().parents[1])
    checks = [
        ("check-pe", unreadable_files_fail()),
        (SHIPPED_EXE, tool_faults(SHIPPED_EXE, PE32)),
        ("dist/win64/Quenlit.exe", tool_faults(Path("dist/win64/Quenlit.exe"), PE32_PLUS)),
        ("dist/win32/quenlit-inspect.exe",
         inspector_faults(Path("dist/win32/quenlit-inspect.exe"), PE32)),
        ("dist/win64/quenlit-inspect.exe",
         inspector_faults(Path("dist/win64/quenlit-inspect.exe"), PE32_PLUS)),
    ]
    if SHIPPED_EXE.is_file() and SHIPPED_EXE.stat().st_size > SHIPPED_EXE_BUDGET:
        checks.append((SHIPPED_EXE, [f"{SHIPPED_EXE.stat().st_size} bytes, over the budget of"
                                     f" {SHIPPED_EXE_BUDGET}"]))
    failed = False
    for name, found in checks:
        for fault in found:
            print(f"check-pe: {name}: {fault}", file=sys.stderr)
            failed = True
    if failed:
        return 1
    print("check-pe: Quenlit.exe (win32 PE32, win64 PE32+): GUI, system DLLs and the three driver"
          f" calls only; the win32 one {SHIPPED_EXE.stat().st_size} bytes, within"
          f" {SHIPPED_EXE_BUDGET}")
    print("check-pe: quenlit-inspect.exe (win32 PE32, win64 PE32+): console, KERNEL32 and msvcrt"
          " only")
    print("check-pe: the win32 files ask for Windows NT 4.0; an empty or text file fails the check")
    return 0


if __name__ == "__main__":
    sys.exit(main())
