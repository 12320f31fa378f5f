"""Runs a build of Quenlit.exe under Wine on a virtual X display and looks at it as a person
and the companion application would: the windows on screen (through the probe helper), the shared
files in C:\\KelvoTemp and the simulated sensor's trace of driver calls. The desktop session comes
from scripts/desktop.py: the setup starts it and the probe, every case reuses it, the cleanup ends
it. The prefix is QUENLIT_WINEPREFIX when that is set, made by the first session that needs it and
then kept; otherwise each session makes a fresh one in its work directory.
"""

import os
import shutil
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts"))

import desktop  # noqa: E402
from desktop import Failure as CaseFailure, machine_bits, wait_for, windows_path  # noqa: E402
from shared_folders import write_folder  # noqa: E402

DIALOG_TITLE = "Brightness Control"


def process_bits(pid):
    """32 or 64: the word size of a running Linux process, from its executable's ELF class; None
    when it has ended."""
    try:
        with open(f"/proc/{pid}/exe", "rb") as file:
            return {1: 32, 2: 64}[file.read(5)[4]]
    except (FileNotFoundError, ProcessLookupError):
        return None


def ask_probe(probes, deadline=desktop.DEADLINE_SECONDS):
    """The report of the probe serving in the folder `probes`, as a dict."""
    request, reply = probes / "request", probes / "reply"
    reply.unlink(missing_ok=True)
    request.write_text("report")
    text = wait_for("the probe's report", lambda: reply.exists() and reply.read_text(
        errors="replace"), deadline)
    reply.unlink()
    return dict(line.split("=", 1) for line in text.splitlines() if "=" in line)


class Session(desktop.Session):
    def __init__(self, work):
        super().__init__(work)
        # Where the session's probe takes requests and leaves its reports.
        self.probes = self.work / "probe"

    def setup(self, probe):
        given = os.environ.get("QUENLIT_WINEPREFIX")
        prefix = given or self.work / "prefix"
        if not given:
            self.stop()
            shutil.rmtree(prefix, ignore_errors=True)
        self.start(prefix, machine_bits(probe))
        # The probe serves every case of the session from one process: a start costs seconds on
        # an emulated machine. As the first program in the prefix it also starts Wine's desktop
        # and service processes. The server ends it.
        self.probes.mkdir(exist_ok=True)
        self.launch(probe, ["--serve", windows_path(self.probes)], self.work / "probe.log")
        ask_probe(self.probes, deadline=120)


class Tool:
    """One run of Quenlit.exe with a prepared C:\\KelvoTemp."""

    def __init__(self, session, dist, case_dir):
        self.session = session
        self.dist = Path(dist)
        self.case_dir = Path(case_dir)
        self.shared = session.prefix / "drive_c" / "KelvoTemp"
        self.trace_file = self.case_dir / "trace.txt"
        self.process = None
        # The word sizes the tool's processes were seen running with.
        self.bits_seen = set()

    # The shared directory ------------------------------------------------------------------

    def lay_out(self, files):
        shutil.rmtree(self.shared, ignore_errors=True)
        write_folder(files, self.shared)

    def make_read_only(self, name):
        """Makes a shared file read-only; Wine runs without the capability that lets root write
        it all the same (scripts/desktop.py)."""
        (self.shared / name).chmod(0o444)

    def flag(self):
        path = self.shared / "Flag.txt"
        return path.read_bytes() if path.exists() else None

    def shared_names(self):
        return sorted(p.name for p in self.shared.iterdir())

    # The process -----------------------------------------------------------------------------

    def start(self, args=(), fail_init=0):
        shutil.rmtree(self.case_dir, ignore_errors=True)
        self.case_dir.mkdir(parents=True)
        env = self.session.env(QXSIM_TRACE=windows_path(self.trace_file))
        env.pop("QXSIM_FAIL_INIT", None)
        if fail_init:
            env["QXSIM_FAIL_INIT"] = str(fail_init)
        self.process = self.session.launch(self.dist / "Quenlit.exe", args,
                                           self.case_dir / "wine.log", env)

    def wait_exit(self):
        wait_for("the tool to end", lambda: self.process.poll() is not None)

    def kill(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    # What the sensor saw ---------------------------------------------------------------------

    def trace(self):
        """The driver calls written so far. Each line ends in CR LF, as Windows text files do; a
        last line still without its line end is not yet written."""
        if not self.trace_file.exists():
            return []
        *lines, unfinished = self.trace_file.read_bytes().decode("ascii").split("\r\n")
        bare = [line for line in lines + [unfinished] if "\n" in line]
        if bare:
            raise CaseFailure(f"trace lines ending in LF alone: {bare[0]!r}")
        return lines

    def wait_trace(self, count):
        """Waits until the trace holds `count` lines and returns them."""
        return wait_for(f"{count} driver calls (have {len(self.trace())})",
                        lambda: len(self.trace()) >= count and self.trace())

    # What a person sees ----------------------------------------------------------------------

    def probe(self):
        state = ask_probe(self.session.probes)
        # Only once the dialog shows: until the launcher's exec, the process is a copy of this one.
        if self.process and state.get("dialog") == "1":
            self.bits_seen.add(process_bits(self.process.pid))
        return state

    def wait_state(self, what, **expected):
        """Polls the probe until every expected key has its value; returns the last state."""
        last = {}

        def matches():
            nonlocal last
            last = self.probe()
            return all(last.get(k) == str(v) for k, v in expected.items()) and last

        try:
            return wait_for(what, matches)
        except CaseFailure as failure:
            seen = {k: v for k, v in last.items() if k != "readout_box"}
            raise CaseFailure(f"{failure}: expected {expected}, saw {seen}") from None

    def xdotool(self, *args):
        return self.session.xdotool(*args)

    def activate(self, title=DIALOG_TITLE):
        window = self.session.window(title)
        self.xdotool("windowactivate", "--sync", window)
        return window

    def key(self, *keys):
        self.xdotool("key", "--delay", "50", *keys)

    def drag(self, start, end, steps=10):
        """Presses the left button at `start` (x, y on the screen), moves to `end` in steps and
        lets go there."""
        (x0, y0), (x1, y1) = start, end
        moves = []
        for step in range(1, steps + 1):
            moves += ["mousemove", str(x0 + (x1 - x0) * step // steps),
                      str(y0 + (y1 - y0) * step // steps), "sleep", "0.05"]
        self.xdotool("mousemove", str(x0), str(y0), "mousedown", "1", *moves, "mouseup", "1")

    def close_box(self):
        subprocess.run(["wmctrl", "-c", DIALOG_TITLE], env=self.session.env(), capture_output=True)
