#!/usr/bin/env python3
"""Windows programs under Wine, each under the Wine of its machine type (wine for a 32-bit exe,
wine64 otherwise), with no display or on a desktop a person would see: a virtual X display
(Xvfb) with openbox, started in that order before any Wine process, windows found by title,
screenshots once the screen has settled.

    desktop.py wine EXE [ARG...]          runs EXE with no display in QUENLIT_WINEPREFIX (made on
                                          first use) and passes on its output and exit status
    desktop.py prefix BITS                makes QUENLIT_WINEPREFIX for 32- or 64-bit programs
    desktop.py --work DIR start --prefix P --for EXE [--current-display]
                                          starts a session (Xvfb, openbox, the prefix P made for
                                          EXE's machine type); with --current-display, the prefix
                                          alone on DISPLAY. Prints the display.
    desktop.py --work DIR run LOG EXE [ARG...]
                                          runs EXE on the session's display to its end, its output
                                          in LOG; prints the clock just before the start
                                          (launch_unix_us=...) and exits with its status
    desktop.py --work DIR window TITLE    prints the id of the visible window with this exact title
    desktop.py --work DIR screenshot FILE the whole display, once two in a row are the same
    desktop.py --work DIR stop            ends what the session started

A session keeps what it started in DIR/session.json and ends exactly that, by process id and
start time: a process id that has since gone to another process is left alone. Its display takes
only clients that hold its cookie (DIR/Xauthority).

Run by root, every Wine process runs under setpriv without the capability to override file
permissions, as a user's would: a file without write permission, a read-only Flag.txt among them,
refuses writes. The caller's own Wine variables are not passed on; Wine's menu builder is off.
"""

import argparse
import functools
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

WINE32 = "/usr/lib/wine/wine"
WINE64 = shutil.which("wine64") or "/usr/lib/wine/wine64"
WINESERVER = shutil.which("wineserver") or "/usr/lib/wine/wineserver"
# A server that no program uses any more ends this long after the last one.
SERVER_LINGER_SECONDS = 60
SCREEN = "1024x768x24"
POLL_SECONDS = 0.1
DEADLINE_SECONDS = 30


class Failure(AssertionError):
    pass


def wait_for(what, check, deadline=DEADLINE_SECONDS):
    """Polls check() until it returns something true and returns that; fails at the deadline."""
    end = time.monotonic() + deadline
    while True:
        result = check()
        if result:
            return result
        if time.monotonic() > end:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(POLL_SECONDS)


def start_time(pid):
    """The process's start time in clock ticks since boot, or None when it has ended."""
    try:
        fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    except FileNotFoundError:
        return None
    return None if fields[0] == "Z" else int(fields[19])


def process(pid):
    """What a session keeps of a process it started: its id and start time."""
    return [pid, start_time(pid)]


def is_running(pid, started):
    """Whether the process that started at `started` runs under this id still; one that has
    ended but was never waited for counts as ended."""
    return started is not None and start_time(pid) == started


def machine_bits(exe):
    """32 or 64: the machine type in a Windows executable's header."""
    with open(exe, "rb") as file:
        header = file.read(4096)
    pe = int.from_bytes(header[0x3C:0x40], "little")
    return {0x14C: 32, 0x8664: 64}[int.from_bytes(header[pe + 4:pe + 6], "little")]


def wine_for_bits(bits):
    return WINE32 if bits == 32 else WINE64


def windows_path(path):
    """The path as Wine's drive Z: shows it."""
    return "Z:" + str(path).replace("/", "\\")


def wine_env(prefix, display=None):
    """Wine's environment: the caller's own Wine variables left out. Without a display (the test
    suites) Wine says nothing; on a session's display its errors go to the program's log."""
    env = {name: value for name, value in os.environ.items()
           if name not in ("WINEARCH", "WINESERVER", "WINELOADER", "WINEDLLPATH", "DISPLAY")}
    env.update(WINEPREFIX=str(prefix), WINEDEBUG="fixme-all" if display else "-all",
               # There is no network: never offer to download Mono or Gecko. Nor is there a
               # Wayland display: Wine 10 tries one when X is not there and says so on stderr.
               WINEDLLOVERRIDES="mscoree,mshtml=;winewayland.drv=d;winemenubuilder.exe=d")
    if display:
        env["DISPLAY"] = display
    return env


@functools.cache
def wine_start():
    """What goes before a Wine program's command: for root, setpriv without the capability to
    write files that lack write permission (root keeps reading and searching every folder),
    checked once. Dropping it needs CAP_SETPCAP, which containers grant by default."""
    if os.geteuid() != 0:
        return []
    drop = ["setpriv", "--bounding-set=-dac_override", "--inh-caps=-dac_override"]
    if subprocess.run([*drop, "true"], capture_output=True).returncode != 0:
        raise Failure("root cannot keep Wine from writing read-only files here: it lacks"
                      " CAP_SETPCAP; run as another user or grant that capability")
    return drop


def wine_run(command, env, **streams):
    return subprocess.run([*wine_start(), *command], env=env, **streams)


def quiet(command, env):
    """Runs a command with no input or output: a Wine server it starts keeps what it inherits."""
    return wine_run(command, env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)


def background(command, log, env=None):
    """Starts a process that may outlive this one, with its output in a file: Wine's helper
    processes keep inherited output open, and nobody must wait on a pipe they hold."""
    with open(log, "ab") as out:
        return subprocess.Popen([*wine_start(), *command], stdin=subprocess.DEVNULL, stdout=out,
                                stderr=subprocess.STDOUT, env=env, start_new_session=True)


def ensure_prefix(env, bits, log):
    """Makes the prefix once (a 32-bit one for 32-bit programs, as on 32-bit Windows) and keeps
    one server alive between launches: one that wineboot started ends soon after the last
    program, and the next start then waits for Wine's desktop process again."""
    prefix = Path(env["WINEPREFIX"])
    if not (prefix / "drive_c" / "windows" / "system32").is_dir():
        prefix.mkdir(parents=True, exist_ok=True)
        arch = {"WINEARCH": "win32"} if bits == 32 else {}
        # On a loaded emulated machine wineboot has been seen to give up once (status 53) and
        # make the prefix on a second try.
        for attempt in (1, 2):
            with open(log, "ab") as out:
                status = wine_run([wine_for_bits(bits), "wineboot", "-i"],
                                  env=dict(env, **arch), stdin=subprocess.DEVNULL, stdout=out,
                                  stderr=subprocess.STDOUT).returncode
            quiet([WINESERVER, "-w"], env)
            if status == 0:
                break
            if attempt == 2:
                tail = Path(log).read_text(errors="replace").splitlines()[-20:]
                raise Failure(f"wineboot failed with status {status}:\n" + "\n".join(tail))
    quiet([WINESERVER, f"-p{SERVER_LINGER_SECONDS}"], env)


def run_without_display(exe, args):
    """For the cross-built test suites: nothing of the run stays behind unless
    QUENLIT_WINE_KEEP_SERVER=1 (the emulated machine, where each fresh start of Wine costs
    seconds, keeps one server for all its runs)."""
    env = wine_env(os.environ["QUENLIT_WINEPREFIX"])
    bits = machine_bits(exe)
    ensure_prefix(env, bits, env["WINEPREFIX"] + ".boot.log")
    with tempfile.TemporaryFile() as log:
        status = wine_run([wine_for_bits(bits), exe, *args], env, stdin=subprocess.DEVNULL,
                          stdout=log, stderr=subprocess.STDOUT).returncode
        log.seek(0)
        shutil.copyfileobj(log, sys.stdout.buffer)
    if os.environ.get("QUENLIT_WINE_KEEP_SERVER") != "1":
        quiet([WINESERVER, "-k"], env)
    return status


def write_cookie(path):
    """An X authority file of one random cookie for any display, readable by its owner alone."""
    def field(data):
        return len(data).to_bytes(2, "big") + data
    family_wild = (0xFFFF).to_bytes(2, "big")
    path.touch(mode=0o600)
    path.write_bytes(family_wild + field(b"") + field(b"") + field(b"MIT-MAGIC-COOKIE-1")
                     + field(os.urandom(16)))


class Session:
    def __init__(self, work):
        self.work = Path(work)
        self.file = self.work / "session.json"

    def start(self, prefix, bits, current_display=False):
        """Starts the display and the window manager (or takes DISPLAY), then the prefix, whose
        Wine desktop must start on this display: what ran in it before is ended."""
        self.stop()
        self.work.mkdir(parents=True, exist_ok=True)
        state = {"processes": [], "prefix": str(prefix), "display": os.environ.get("DISPLAY")}
        self._save(state)
        if not current_display:
            # Another program starting a display at the same moment can take ours: try again.
            for _ in range(3):
                if self._start_display(state):
                    break
                self._end(state["processes"])
                state["processes"] = []
            else:
                raise Failure("the virtual display or window manager did not start; see the logs")
        env = self.env()
        quiet([WINESERVER, "-k"], env)
        ensure_prefix(env, bits, self.work / "wineboot.log")
        return state["display"]

    def _start_display(self, state):
        """Starts Xvfb on a free display, taking clients with a fresh cookie alone, then openbox;
        true when both serve."""
        state["auth"] = str(self.work / "Xauthority")
        write_cookie(Path(state["auth"]))
        read_end, write_end = os.pipe()
        with open(self.work / "xvfb.log", "ab") as out:
            xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN, "-nolisten", "tcp",
                 "-auth", state["auth"]],
                stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                pass_fds=[write_end], start_new_session=True)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        state["processes"].append(process(xvfb.pid))
        self._save(state)
        if not number:
            return False
        state["display"] = ":" + number
        env = dict(os.environ, DISPLAY=state["display"], XAUTHORITY=state["auth"])
        openbox = background(["openbox", "--sm-disable"], self.work / "openbox.log", env)
        state["processes"].append(process(openbox.pid))
        self._save(state)
        wait_for("the window manager", lambda: openbox.poll() is not None or subprocess.run(
            ["wmctrl", "-m"], env=env, capture_output=True).returncode == 0)
        return openbox.poll() is None

    @staticmethod
    def _end(processes):
        for pid, started in reversed(processes):
            if is_running(pid, started):
                os.kill(pid, signal.SIGTERM)
        # The next session may start at once: let the display go first.
        for pid, started in processes:
            wait_for(f"process {pid} to end", lambda: not is_running(pid, started))

    def _save(self, state):
        """Written whole or not at all: a stop after an interrupted write still finds it."""
        partial = self.file.with_suffix(".partial")
        partial.write_text(json.dumps(state))
        partial.replace(self.file)

    def state(self):
        return json.loads(self.file.read_text())

    def env(self, **extra):
        state = self.state()
        auth = {"XAUTHORITY": state["auth"]} if state.get("auth") else {}
        return dict(wine_env(state["prefix"], state["display"]), **auth, **extra)

    @property
    def prefix(self):
        return Path(self.state()["prefix"])

    def stop(self):
        """Ends the prefix's processes, then openbox and Xvfb."""
        if not self.file.exists():
            return
        quiet([WINESERVER, "-k"], self.env())
        self._end(self.state().get("processes", []))
        self.file.unlink()

    def launch(self, exe, args, log, env=None):
        """Starts a Windows program on the display in the background."""
        return background([wine_for_bits(machine_bits(exe)), str(exe), *args], log,
                          env or self.env())

    def xdotool(self, *args):
        result = subprocess.run(["xdotool", *args], env=self.env(), capture_output=True,
                                text=True, errors="replace")
        return result.stdout.strip()

    def window(self, title):
        """The X window id of the visible top-level window with this exact title."""
        return wait_for(f"window {title!r}", lambda: self.xdotool(
            "search", "--onlyvisible", "--name", f"^{title}$").split("\n")[0])

    def screenshot(self, path):
        quiet(["import", "-window", "root", str(path)], self.env())

    def settled_screenshot(self, path):
        """Screenshots of the whole display until two in a row are the same; keeps the last."""
        previous = Path(f"{path}.previous.png")
        self.screenshot(previous)

        def settled():
            time.sleep(POLL_SECONDS)
            self.screenshot(path)
            same = quiet(["compare", "-metric", "AE", str(previous), str(path), "null:"],
                         self.env()).returncode == 0
            shutil.copyfile(path, previous)
            return same

        try:
            wait_for("the screen to settle", settled)
        except Failure:
            print("The screen did not settle; keeping the last screenshot.", file=sys.stderr)
        previous.unlink()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--work")
    commands = parser.add_subparsers(dest="command", required=True)
    wine = commands.add_parser("wine")
    commands.add_parser("prefix").add_argument("bits", type=int, choices=[32, 64])
    start = commands.add_parser("start")
    start.add_argument("--prefix", required=True)
    start.add_argument("--for", dest="exe", required=True)
    start.add_argument("--current-display", action="store_true")
    run = commands.add_parser("run")
    run.add_argument("log")
    for command in wine, run:
        command.add_argument("exe")
        command.add_argument("args", nargs=argparse.REMAINDER)
    commands.add_parser("window").add_argument("title")
    commands.add_parser("screenshot").add_argument("file")
    commands.add_parser("stop")
    args = parser.parse_args()

    if args.command == "wine":
        return run_without_display(args.exe, args.args)
    if args.command == "prefix":
        env = wine_env(os.environ["QUENLIT_WINEPREFIX"])
        ensure_prefix(env, args.bits, env["WINEPREFIX"] + ".boot.log")
        quiet([WINESERVER, "-k"], env)
        return 0
    session = Session(args.work)
    if args.command == "start":
        print(session.start(args.prefix, machine_bits(args.exe), args.current_display))
    elif args.command == "run":
        print(f"launch_unix_us={time.time_ns() // 1000}", flush=True)
        program = session.launch(args.exe, args.args, args.log)
        # Ended by a time-out, it takes the program with it.
        signal.signal(signal.SIGTERM, lambda *_: (program.kill(), sys.exit(128 + signal.SIGTERM)))
        return program.wait()
    elif args.command == "window":
        print(session.window(args.title))
    elif args.command == "screenshot":
        session.settled_screenshot(args.file)
    else:
        session.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
