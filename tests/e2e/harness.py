"""Runs a build of Quenlit.exe under Wine on a virtual X display and looks at it as a person
and the companion application would: the windows on screen (through the probe helper), the shared
files in C:\\KelvoTemp and the simulated sensor's trace of driver calls. Each Windows program runs
under the Wine loader of its own machine type: 32-bit ones under wine, 64-bit ones under wine64.

A session (setup) starts Xvfb, then openbox, then makes the Wine prefix, in that order, and
writes what it started to session.json; every case reuses it; cleanup stops it all. The prefix is
QUENLIT_WINEPREFIX when that is set, made by the first session that needs it and then kept;
otherwise each session makes a fresh one in its work directory.
"""

import json
import os
import shutil
import signal
import subprocess
import time
from pathlib import Path

WINE32 = "/usr/lib/wine/wine"
WINE64 = shutil.which("wine64") or "/usr/lib/wine/wine64"
WINESERVER = shutil.which("wineserver") or "/usr/lib/wine/wineserver"
DIALOG_TITLE = "Brightness Control"
POLL_SECONDS = 0.1
DEADLINE_SECONDS = 30


class CaseFailure(AssertionError):
    pass


def wait_for(what, check, deadline=DEADLINE_SECONDS):
    """Polls check() until it returns something true; fails with `what` at the deadline."""
    end = time.monotonic() + deadline
    while True:
        result = check()
        if result:
            return result
        if time.monotonic() > end:
            raise CaseFailure(f"timed out waiting for {what}")
        time.sleep(POLL_SECONDS)


def has_ended(pid):
    """Whether the process is gone; one that has ended but was never waited for counts."""
    try:
        return Path(f"/proc/{pid}/stat").read_text().split(")")[-1].split()[0] == "Z"
    except FileNotFoundError:
        return True


def pe_bits(exe):
    """32 or 64: the machine type in a Windows executable's header."""
    with open(exe, "rb") as file:
        header = file.read(4096)
    pe = int.from_bytes(header[0x3C:0x40], "little")
    machine = int.from_bytes(header[pe + 4:pe + 6], "little")
    return {0x14C: 32, 0x8664: 64}[machine]


def wine_for(exe):
    return WINE32 if pe_bits(exe) == 32 else WINE64


def process_bits(pid):
    """32 or 64: the word size of a running Linux process, from its executable's ELF class; None
    when it has ended."""
    try:
        with open(f"/proc/{pid}/exe", "rb") as file:
            return {1: 32, 2: 64}[file.read(5)[4]]
    except (FileNotFoundError, ProcessLookupError):
        return None


def windows_path(path):
    """The path as Wine's drive Z: shows it."""
    return "Z:" + str(path).replace("/", "\\")


def ask_probe(probes, deadline=DEADLINE_SECONDS):
    """The report of the probe serving in the folder `probes`, as a dict."""
    request, reply = probes / "request", probes / "reply"
    reply.unlink(missing_ok=True)
    request.write_text("report")
    text = wait_for("the probe's report", lambda: reply.exists() and reply.read_text(
        errors="replace"), deadline)
    reply.unlink()
    return dict(line.split("=", 1) for line in text.splitlines() if "=" in line)


def wine_env(prefix, display):
    env = dict(os.environ)
    env.update(WINEPREFIX=str(prefix), DISPLAY=display, WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=")
    return env


def background(command, log, env=None):
    """Starts a process that outlives this one, with its output in a file so that nobody waits
    on an inherited pipe."""
    with open(log, "ab") as out:
        return subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=out,
                                stderr=subprocess.STDOUT, env=env, start_new_session=True)


class Session:
    def __init__(self, work):
        self.work = Path(work)
        self.file = self.work / "session.json"
        # Where the session's probe takes requests and leaves its reports.
        self.probes = self.work / "probe"

    def setup(self, probe):
        self.cleanup()
        self.work.mkdir(parents=True, exist_ok=True)
        given = os.environ.get("QUENLIT_WINEPREFIX")
        state = {"pids": [], "prefix": given or str(self.work / "prefix")}
        # Another program starting a display at the same moment can take ours: try again.
        for _ in range(3):
            if self.start_desktop(state):
                break
            self.stop_processes(state)
            state["pids"] = []
        else:
            raise CaseFailure("the virtual display or window manager did not start; see the logs")
        display = state["display"]

        prefix = Path(state["prefix"])
        env = wine_env(prefix, display)
        wine = wine_for(probe)
        if given:
            # Wine's desktop must start on this session's display: end what runs in the prefix.
            subprocess.run([WINESERVER, "-k"], env=env, stdin=subprocess.DEVNULL,
                           capture_output=True)
        else:
            shutil.rmtree(prefix, ignore_errors=True)
        if not (prefix / "drive_c" / "windows").is_dir():
            # A 32-bit build runs in a 32-bit prefix, as on 32-bit Windows.
            arch = {"WINEARCH": "win32"} if wine == WINE32 else {}
            with open(self.work / "wineboot.log", "ab") as out:
                subprocess.run([wine, "wineboot", "-i"], env=dict(env, **arch),
                               stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                               check=True)
        # Keep one server for the whole session: one that wineboot started ends soon after the
        # last program, and the next start then waits for Wine's desktop process again.
        subprocess.run([WINESERVER, "-w"], env=env, stdin=subprocess.DEVNULL, capture_output=True)
        background([WINESERVER, "-p"], self.work / "wineserver.log", env).wait()
        # The probe serves every case of the session from one process: a start costs seconds on
        # an emulated machine. As the first program in the prefix it also starts Wine's desktop
        # and service processes, which keep its output open: give it a file. The server ends it.
        self.probes.mkdir(exist_ok=True)
        background([wine, str(probe), "--serve", windows_path(self.probes)],
                   self.work / "probe.log", env)
        ask_probe(self.probes, deadline=120)

    def start_desktop(self, state):
        """Starts Xvfb on a free display, then openbox; true when both serve."""
        read_end, write_end = os.pipe()
        with open(self.work / "xvfb.log", "ab") as out:
            xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                 "-nolisten", "tcp"],
                stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                pass_fds=[write_end], start_new_session=True)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        state["pids"].append(xvfb.pid)
        if not number:
            return False
        state["display"] = ":" + number
        self.file.write_text(json.dumps(state))

        env = dict(os.environ, DISPLAY=state["display"])
        openbox = background(["openbox"], self.work / "openbox.log", env)
        state["pids"].append(openbox.pid)
        self.file.write_text(json.dumps(state))
        wait_for("the window manager", lambda: openbox.poll() is not None or subprocess.run(
            ["wmctrl", "-m"], env=env, capture_output=True).returncode == 0)
        return openbox.poll() is None

    def stop_processes(self, state):
        for pid in reversed(state["pids"]):
            try:
                os.kill(pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        # The next session may start at once: let the display go first.
        for pid in state["pids"]:
            wait_for(f"process {pid} to end", lambda: has_ended(pid))

    def load(self):
        return json.loads(self.file.read_text())

    def cleanup(self):
        if not self.file.exists():
            return
        state = self.load()
        env = wine_env(state["prefix"], state.get("display", ""))
        subprocess.run([WINESERVER, "-k"], env=env, stdin=subprocess.DEVNULL, capture_output=True)
        self.stop_processes(state)
        self.file.unlink()


class Tool:
    """One run of Quenlit.exe with a prepared C:\\KelvoTemp."""

    def __init__(self, session, dist, case_dir):
        state = session.load()
        self.display = state["display"]
        self.prefix = Path(state["prefix"])
        self.dist = Path(dist)
        self.probes = session.probes
        self.case_dir = Path(case_dir)
        self.shared = self.prefix / "drive_c" / "KelvoTemp"
        self.trace_file = self.case_dir / "trace.txt"
        self.process = None
        # The word sizes the tool's processes were seen running with.
        self.bits_seen = set()

    # The shared directory ------------------------------------------------------------------

    def lay_out(self, files):
        if (self.shared / "Flag.txt").exists():
            subprocess.run(["chattr", "-i", str(self.shared / "Flag.txt")], capture_output=True)
        shutil.rmtree(self.shared, ignore_errors=True)
        self.shared.mkdir(parents=True)
        for name, content in files.items():
            (self.shared / name).write_bytes(content)

    def make_read_only(self, name):
        """Makes a shared file read-only, for root too: root opens a file without write
        permission for writing, but not one that is immutable."""
        path = self.shared / name
        path.chmod(0o444)
        if os.geteuid() == 0:
            subprocess.run(["chattr", "+i", str(path)], check=True, capture_output=True)

    def flag(self):
        path = self.shared / "Flag.txt"
        return path.read_bytes() if path.exists() else None

    def shared_names(self):
        return sorted(p.name for p in self.shared.iterdir())

    # The process -----------------------------------------------------------------------------

    def env(self, fail_init=0):
        env = wine_env(self.prefix, self.display)
        env["QXSIM_TRACE"] = windows_path(self.trace_file)
        env.pop("QXSIM_FAIL_INIT", None)
        if fail_init:
            env["QXSIM_FAIL_INIT"] = str(fail_init)
        return env

    def start(self, args=(), fail_init=0):
        shutil.rmtree(self.case_dir, ignore_errors=True)
        self.case_dir.mkdir(parents=True)
        exe = self.dist / "Quenlit.exe"
        self.process = background([wine_for(exe), str(exe), *args],
                                  self.case_dir / "wine.log", self.env(fail_init))

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
        state = ask_probe(self.probes)
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
        result = subprocess.run(["xdotool", *args], env=self.env(), capture_output=True,
                                text=True, errors="replace")
        return result.stdout.strip()

    def window(self, title):
        """The X window id of the visible top-level window with this exact title."""
        return wait_for(f"window {title!r}", lambda: self.xdotool(
            "search", "--onlyvisible", "--name", f"^{title}$").split("\n")[0])

    def activate(self, title=DIALOG_TITLE):
        window = self.window(title)
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
        subprocess.run(["wmctrl", "-c", DIALOG_TITLE], env=self.env(), capture_output=True)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", str(path)], env=self.env(),
                       capture_output=True)
