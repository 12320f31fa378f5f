# shellcheck shell=bash
# A desktop for running Windows programs under Wine as a person would: a virtual X display with
# openbox, Wine programs started in the background, windows found by title, screenshots once the
# screen has settled. Sourced; uses WINE64 and WINESERVER from wine-env.sh. Everything started is
# recorded by process id, and stop_desktop_session ends exactly that.

DESKTOP_POLL_SECONDS=0.1
DESKTOP_DEADLINE_SECONDS=30

XVFB_PID=
OPENBOX_PID=
WINE_PROGRAM_PID=

# Polls the command until it succeeds; fails after the deadline.
poll_until() {
    local deadline=$((SECONDS + DESKTOP_DEADLINE_SECONDS))
    until "$@"; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "Timed out waiting for: $*" >&2
            return 1
        fi
        sleep "$DESKTOP_POLL_SECONDS"
    done
}

# Whether DISPLAY names an X display that answers.
display_is_reachable() {
    [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1
}

# Starts Xvfb on a free display number and exports DISPLAY. Logs go to <dir>/xvfb.log.
start_xvfb() {
    local dir=$1 number_file=$1/xvfb.display
    rm -f "$number_file"
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$number_file" </dev/null \
        >"$dir/xvfb.log" 2>&1 &
    XVFB_PID=$!
    poll_until test -s "$number_file"
    DISPLAY=":$(head -n 1 "$number_file")"
    export DISPLAY
}

# Starts openbox on DISPLAY and returns once it manages windows. Start it before any Wine process.
start_openbox() {
    local dir=$1 ready=$1/openbox.ready
    rm -f "$ready"
    openbox --sm-disable --startup "touch $ready" </dev/null >"$dir/openbox.log" 2>&1 &
    OPENBOX_PID=$!
    poll_until test -e "$ready"
}

# Starts a Windows program under wine64 in the background, with no input and its output in <log>.
start_wine_program() {
    local log=$1
    shift
    "$WINE64" "$@" </dev/null >"$log" 2>&1 &
    WINE_PROGRAM_PID=$!
}

wine_program_has_ended() {
    ! kill -0 "$WINE_PROGRAM_PID" 2>/dev/null
}

# Waits for the program started last to end; fails if it is still running at the deadline.
wait_for_wine_program() {
    poll_until wine_program_has_ended || return 1
    wait "$WINE_PROGRAM_PID" 2>/dev/null || true
}

visible_window() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

window_is_shown() {
    [ -n "$(visible_window "$1")" ]
}

# Prints the id of the visible window with this exact title, once there is one.
wait_for_window() {
    local title="^$1\$"
    poll_until window_is_shown "$title" && visible_window "$title"
}

# Takes screenshots of the whole display until two in a row are the same, and keeps the last.
screenshot_when_settled() {
    local file=$1 previous=$1.previous.png current=$1.current.png
    import -window root "$previous"
    local deadline=$((SECONDS + DESKTOP_DEADLINE_SECONDS))
    while :; do
        sleep "$DESKTOP_POLL_SECONDS"
        import -window root "$current"
        if compare -metric AE "$previous" "$current" null: 2>/dev/null; then
            break
        fi
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "The screen did not settle; keeping the last screenshot." >&2
            break
        fi
        mv "$current" "$previous"
    done
    mv "$current" "$file"
    rm -f "$previous"
}

# Ends the Wine prefix's processes, then openbox and Xvfb if this session started them.
stop_desktop_session() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
    fi
    local pid
    for pid in "$OPENBOX_PID" "$XVFB_PID"; do
        if [ -n "$pid" ]; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    OPENBOX_PID=
    XVFB_PID=
}
