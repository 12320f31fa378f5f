"""The end-to-end cases: each lays out C:\\KelvoTemp, runs the tool and checks what a person and
the companion application would see."""

from harness import CaseFailure
from shared_folders import E2E_TABLES

INIT_OK = "InitQXDriver 320 160 -> 0"
INIT_FAILED = "InitQXDriver 320 160 -> -1"
FINISH = "FinishDriver"
REGISTERS = (0x3A11, 0x3A0F, 0x3A1B, 0x3A10, 0x3A1E, 0x3A1F)
INIT_ERROR_BOX = "Quenlit|Initialize Error. Please Restart the program."
COMPANION_BYTES = b"\x31\x32"


def row(level, table="Brig.txt", times=1):
    """The driver calls that apply one level `times` over."""
    writes = [f"WriteRegister 0x6C 0x{register:04X} 0x{E2E_TABLES[table].value(level, column):02X}"
              for column, register in enumerate(REGISTERS)]
    return writes * times


def shared_files(flag=None, film_type=None):
    files = {name: table.text() for name, table in E2E_TABLES.items()}
    if flag is not None:
        files["Flag.txt"] = flag
    if film_type is not None:
        files["FilmType.txt"] = film_type
    return files


def flag(mark, level):
    return mark + bytes([0x41 + level]) + COMPANION_BYTES


def expect(what, actual, expected):
    if actual != expected:
        raise CaseFailure(f"{what}: expected {expected!r}, got {actual!r}")


def start_applied(tool, level, args=(), table="Brig.txt"):
    """Starts the tool with a stored level and waits until it has applied it; returns what the
    probe saw then."""
    tool.start(args)
    state = tool.wait_state("the dialog at the stored level", dialog=1, slider=level,
                            readout=level - 10)
    expect("start-up driver calls", tool.wait_trace(7), [INIT_OK] + row(level, table))
    return state


def end_with_escape(tool):
    tool.activate()
    tool.key("Escape")
    tool.wait_exit()


def stored_level_restored(tool):
    tool.lay_out(shared_files(flag=flag(b"n", 14)))
    start_applied(tool, 14)
    tool.activate()
    tool.wait_state("the focus on the slider", focus=1004)
    expect("flag after start-up", tool.flag(), flag(b"y", 14))
    end_with_escape(tool)
    expect("driver calls", tool.trace(), [INIT_OK] + row(14) + [FINISH])
    expect("flag after the end", tool.flag(), flag(b"n", 14))


def start_at_level_0_and_step(tool):
    """With no stored level the tool starts at level 0; one step right writes level 1."""
    start_applied(tool, 0)
    tool.activate()
    tool.key("Right")
    expect("driver calls", tool.wait_trace(19), [INIT_OK] + row(0) + row(1, times=2))
    tool.wait_state("the readout after a move", readout=-9)
    end_with_escape(tool)


def no_flag_file(tool):
    tool.lay_out(shared_files())
    start_at_level_0_and_step(tool)
    expect("shared files", tool.shared_names(), sorted(E2E_TABLES))
    expect("last driver call", tool.trace()[-1:], [FINISH])


def dismiss_error_box(tool):
    tool.wait_state("the error box", box=INIT_ERROR_BOX)
    tool.activate("Quenlit")
    tool.key("Return")


def driver_fails_at_start(tool):
    tool.lay_out(shared_files(flag=flag(b"n", 14)))
    tool.start(fail_init=1)
    tool.wait_state("the error box before the dialog", box=INIT_ERROR_BOX, dialog=0)
    expect("driver calls at the error box", tool.trace(), [INIT_FAILED])
    dismiss_error_box(tool)
    tool.wait_state("the dialog after the error", dialog=1, slider=14, readout=0, box="none")
    expect("flag after the failed start", tool.flag(), flag(b"n", 14))

    tool.activate()
    tool.key("Right")
    expect("driver calls", tool.wait_trace(14), [INIT_FAILED, INIT_OK] + row(15, times=2))
    tool.wait_state("the readout after the move", readout=5)
    expect("flag after the move", tool.flag(), flag(b"n", 15))
    end_with_escape(tool)
    expect("driver calls at the end", tool.trace(),
           [INIT_FAILED, INIT_OK] + row(15, times=2) + [FINISH])
    expect("flag at the end", tool.flag(), flag(b"n", 15))


def driver_fails_twice(tool):
    tool.lay_out(shared_files(flag=flag(b"n", 14)))
    tool.start(fail_init=2)
    dismiss_error_box(tool)
    tool.wait_state("the dialog after the error", dialog=1, slider=14, readout=0)

    tool.activate()
    tool.xdotool("keydown", "Right")
    tool.wait_state("the error box on the move", box=INIT_ERROR_BOX, enabled=0)
    tool.xdotool("keyup", "Right")
    expect("driver calls after the second failure", tool.trace(), [INIT_FAILED] * 2)
    dismiss_error_box(tool)
    tool.wait_state("the dialog after the second error", box="none", enabled=1, slider=15,
                    readout=0)
    expect("flag after two failures", tool.flag(), flag(b"n", 14))

    tool.activate()
    tool.key("Right")
    expect("driver calls", tool.wait_trace(15), [INIT_FAILED] * 2 + [INIT_OK] + row(16, times=2))
    tool.wait_state("the readout after the move", readout=6)
    end_with_escape(tool)
    expect("last driver call", tool.trace()[-1:], [FINISH])
    expect("flag at the end", tool.flag(), flag(b"n", 16))


def arrow_keys_notify_twice(tool):
    tool.lay_out(shared_files(flag=flag(b"n", 10)))
    start_applied(tool, 10)
    tool.activate()
    tool.key("Right")
    expect("driver calls after Right", tool.wait_trace(19), [INIT_OK] + row(10) + row(11, times=2))
    tool.wait_state("the readout after Right", readout=1)
    expect("flag after Right", tool.flag(), flag(b"y", 11))
    tool.key("Left")
    expect("driver calls after Left", tool.wait_trace(31)[19:], row(10, times=2))
    tool.wait_state("the readout after Left", readout=0)
    expect("flag after Left", tool.flag(), flag(b"y", 10))
    end_with_escape(tool)


def keys_reach_every_level(tool):
    tool.lay_out(shared_files(flag=flag(b"n", 10)))
    start_applied(tool, 10)
    tool.activate()
    steps = [("End", 20), ("Home", 0), ("Next", 4), ("Next", 8), ("Prior", 4)]
    calls = 7
    for key, level in steps:
        tool.key(key)
        calls += 12
        expect(f"driver calls after {key}", tool.wait_trace(calls)[calls - 12:],
               row(level, times=2))
        tool.wait_state(f"the slider after {key}", slider=level, readout=level - 10)
        expect(f"flag after {key}", tool.flag(), flag(b"y", level))
    end_with_escape(tool)


def readout_shows_each_value(tool):
    tool.lay_out(shared_files(flag=flag(b"n", 0)))
    start_applied(tool, 0)
    tool.activate()
    level = 0
    for presses, shown in [(5, -5), (5, 0), (4, 4)]:
        tool.key(*["Right"] * presses)
        level += presses
        tool.wait_state(f"the readout {shown}", slider=level, readout=shown)
    tool.key("End")
    tool.wait_state("the readout 10", slider=20, readout=10)
    end_with_escape(tool)


def applied_levels(calls):
    """The levels whose rows these driver calls write, one after another; fails on anything but
    whole rows."""
    rows = {tuple(row(level)): level for level in range(21)}
    levels = [rows.get(tuple(calls[i:i + 6])) for i in range(0, len(calls), 6)]
    if len(calls) % 6 or None in levels:
        raise CaseFailure(f"driver calls that are no whole rows: {calls}")
    return levels


def mouse_drag(tool):
    """The thumb dragged past the right end, then past the left end: every notification on the way
    writes one whole row, the levels follow the mouse, and the drag ends at the end it went to."""
    tool.lay_out(shared_files(flag=flag(b"n", 10)))
    state = start_applied(tool, 10)
    tool.activate()
    written = 7
    for end, level in [("right", 20), ("left", 0)]:
        x, y = (int(n) for n in state["thumb"].split(","))
        left, right = (int(n) for n in state["channel"].split(","))
        tool.drag((x, y), (right + 30 if end == "right" else left - 30, y))
        state = tool.wait_state(f"the slider dragged to the {end} end", slider=level,
                                readout=level - 10)
        expect(f"flag after the drag to the {end}", tool.flag(), flag(b"y", level))
        calls = tool.trace()[written:]
        written += len(calls)
        levels = applied_levels(calls)
        if levels != sorted(levels, reverse=end == "left") or levels[-1:] != [level]:
            raise CaseFailure(f"levels written while dragging to the {end}: {levels}")
    end_with_escape(tool)
    expect("last driver call", tool.trace()[-1:], [FINISH])


def read_only_flag(tool):
    """A Flag.txt that cannot be opened for writing keeps no level: the tool starts at level 0,
    writes the registers, and leaves the file as it was."""
    stored = flag(b"n", 14)
    tool.lay_out(shared_files(flag=stored))
    tool.make_read_only("Flag.txt")
    start_at_level_0_and_step(tool)
    expect("flag at the end", tool.flag(), stored)


def readout_box(state):
    """The probe's box around the readout: width, height and its pixels row by row."""
    size, pixels = state["readout_box"].split(":")
    width, height = (int(n) for n in size.split("x"))
    return width, height, [pixels[i:i + 6] for i in range(0, len(pixels), 6)]


def box_difference(actual, expected):
    """Where two readout boxes differ, in words; None when they are alike."""
    width, height, pixels = actual
    if (width, height) != expected[:2]:
        return f"a {width}x{height} box where a fresh start has {expected[0]}x{expected[1]}"
    differing = [i for i, (a, e) in enumerate(zip(pixels, expected[2])) if a != e]
    if not differing:
        return None
    columns = sorted({i % width for i in differing})
    rows = sorted({i // width for i in differing})
    return (f"{len(differing)} of the {width}x{height} pixels at (30, 30) differ from a fresh "
            f"start, in columns {columns[0]}..{columns[-1]}, rows {rows[0]}..{rows[-1]}")


def readout_clears_wider_value(tool):
    """A narrower readout after a wider one leaves nothing of the wider one beside it: the whole
    box looks as in a window that started at the new value."""
    faults = []
    for start, key, level in [(0, "Right", 1), (20, "Left", 19), (20, "Prior", 16)]:
        what = f"{key} from {start - 10} to {level - 10}"
        tool.lay_out(shared_files(flag=flag(b"n", start)))
        start_applied(tool, start)
        tool.activate()
        tool.key(key)
        tool.wait_trace(19)
        moved = tool.wait_state(f"the readout after {what}", slider=level, readout=level - 10)
        end_with_escape(tool)

        tool.lay_out(shared_files(flag=flag(b"n", level)))
        fresh = start_applied(tool, level)
        end_with_escape(tool)
        difference = box_difference(readout_box(moved), readout_box(fresh))
        if difference:
            faults.append(f"{what}: {difference}")
    if faults:
        raise CaseFailure("; ".join(faults))


def ending(keys=None, close_box=False):
    def case(tool):
        tool.lay_out(shared_files(flag=flag(b"n", 10)))
        start_applied(tool, 10)
        expect("flag while running", tool.flag(), flag(b"y", 10))
        tool.activate()
        if close_box:
            tool.close_box()
        else:
            tool.key(keys)
        tool.wait_exit()
        expect("driver calls", tool.trace(), [INIT_OK] + row(10) + [FINISH])
        expect("flag at the end", tool.flag(), flag(b"n", 10))
    return case


def media_types(tool):
    for text, table in [(None, "Brig.txt"), (b"Film", "Brigf.txt"), (b"mode B&W", "Brigf.txt"),
                        (b"Photo\r\n", "Brigp.txt"), (b"PhoBW", "Brigb.txt")]:
        tool.lay_out(shared_files(flag=flag(b"n", 12), film_type=text))
        start_applied(tool, 12, table=table)
        end_with_escape(tool)


def registration_switches(tool):
    for switch in ["/Automation", "-Embedding", "/embedding"]:
        tool.lay_out(shared_files(flag=flag(b"n", 3)))
        start_applied(tool, 3, args=[switch])
        end_with_escape(tool)
        expect(f"last driver call with {switch}", tool.trace()[-1:], [FINISH])


CASES = {
    "stored_level_restored": stored_level_restored,
    "no_flag_file": no_flag_file,
    "driver_fails_at_start": driver_fails_at_start,
    "driver_fails_twice": driver_fails_twice,
    "arrow_keys_notify_twice": arrow_keys_notify_twice,
    "keys_reach_every_level": keys_reach_every_level,
    "readout_shows_each_value": readout_shows_each_value,
    "readout_clears_wider_value": readout_clears_wider_value,
    "ends_with_enter": ending(keys="Return"),
    "ends_with_escape": ending(keys="Escape"),
    "ends_with_alt_f4": ending(keys="alt+F4"),
    "ends_with_close_box": ending(close_box=True),
    "mouse_drag": mouse_drag,
    "read_only_flag": read_only_flag,
    "media_types": media_types,
    "registration_switches": registration_switches,
}
