#!/usr/bin/env bash
# Builds the 64-bit tool and runs it under Wine with the simulated sensor, on demo shared files.
# With a reachable display (DISPLAY) the tool runs there until you close it. Without one it runs
# on a virtual display: the slider is moved a few steps, screenshots are taken, and the tool is
# closed with Escape. Either way the sensor trace and the flag file's bytes are printed at the end.
# When the tool fails, or cannot be driven, the script shows its Wine log and exits non-zero.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
start_run NATIVE WINDOWS RUN -- "$@"

build_preset win64 -- --target Quenlit QXBaseIF

prefix=$PWD/build/win64/wine-run
out=$PWD/build/win64/run
shared=$prefix/drive_c/KelvoTemp
trace=$out/sensor-trace.txt
exe=dist/win64/Quenlit.exe
desktop() { python3 scripts/desktop.py --work "$out" "$@"; }

mkdir -p "$out"
rm -f "$out"/*.png "$trace" "$out/wine.log"
# Whatever ended the run early, the tool's own log says most.
ended() {
    local status=$?
    set +e
    desktop stop
    if [ "$status" != 0 ] && [ -s "$out/wine.log" ]; then
        echo "run: failed; the end of Quenlit's Wine log ($out/wine.log):" >&2
        tail -n 30 "$out/wine.log" >&2
    fi
}
trap ended EXIT
# The simulated sensor appends one line per driver call to this file (a Windows path).
export QXSIM_TRACE="Z:$trace"

if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
    desktop start --prefix "$prefix" --for "$exe" --current-display >/dev/null
    python3 scripts/shared_folders.py demo "$shared"
    echo "Quenlit runs on $DISPLAY; close it to finish."
    desktop run "$out/wine.log" "$exe" >/dev/null
else
    DISPLAY=$(desktop start --prefix "$prefix" --for "$exe")
    export DISPLAY XAUTHORITY=$out/Xauthority
    python3 scripts/shared_folders.py demo "$shared"
    desktop run "$out/wine.log" "$exe" >/dev/null &
    tool=$!
    xdotool windowactivate --sync "$(desktop window "Brightness Control")"
    desktop screenshot "$out/start.png"
    # The focus is on the slider: two steps up, three pages down (4 each), one step down.
    xdotool key --delay 100 Right Right Prior Prior Prior Left
    desktop screenshot "$out/moved.png"
    convert "$out/moved.png" -trim +repage "$out/window.png"
    xdotool key Escape
    timeout 30 tail --pid="$tool" -f /dev/null
    wait "$tool"
    echo "Screenshots: $out/start.png, $out/moved.png, $out/window.png (the window alone)"
fi

desktop stop
echo "Sensor trace ($trace):"
cat "$trace"
echo "Flag.txt ($shared/Flag.txt):"
od -A d -t x1z "$shared/Flag.txt"
