#!/usr/bin/env bash
# Builds the 64-bit tool and runs it under Wine with the simulated sensor, on demo shared files.
# With a reachable display (DISPLAY) the tool runs there until you close it. Without one it runs
# on a virtual display: the slider is moved a few steps, screenshots are taken, and the tool is
# closed with Escape. Either way the sensor trace and the flag file's bytes are printed at the end.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh

ensure_packages "${NATIVE_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${RUN_PACKAGES[@]}"

cmake --preset win64 >/dev/null
cmake --build --preset win64 -j 2 --target Quenlit QXBaseIF

export WINEPREFIX=$PWD/build/win64/wine-run
out=$PWD/build/win64/run
shared=$WINEPREFIX/drive_c/KelvoTemp
trace=$out/sensor-trace.txt
title="Brightness Control"
source scripts/wine-env.sh
source scripts/desktop-session.sh
source scripts/demo-shared-files.sh

mkdir -p "$out"
rm -f "$out"/*.png "$trace"
trap stop_desktop_session EXIT
# The simulated sensor appends one line per driver call to this file (a Windows path).
export QXSIM_TRACE="Z:$trace"

if display_is_reachable; then
    ensure_wine_prefix
    write_demo_shared_files "$shared"
    echo "Quenlit runs on $DISPLAY; close it to finish."
    start_wine_program "$out/wine.log" dist/win64/Quenlit.exe
    wait "$WINE_PROGRAM_PID" || true
else
    # Display first, then the window manager, then Wine.
    start_xvfb "$out"
    start_openbox "$out"
    ensure_wine_prefix
    write_demo_shared_files "$shared"
    start_wine_program "$out/wine.log" dist/win64/Quenlit.exe
    window=$(wait_for_window "$title")
    xdotool windowactivate --sync "$window"
    screenshot_when_settled "$out/start.png"
    # The focus is on the slider: two steps up, three pages down (4 each), one step down.
    xdotool key --delay 100 Right Right Prior Prior Prior Left
    screenshot_when_settled "$out/moved.png"
    convert "$out/moved.png" -trim +repage "$out/window.png"
    xdotool key Escape
    wait_for_wine_program
    echo "Screenshots: $out/start.png, $out/moved.png, $out/window.png (the window alone)"
fi

stop_desktop_session
echo "Sensor trace ($trace):"
cat "$trace"
echo "Flag.txt ($shared/Flag.txt):"
od -A d -t x1z "$shared/Flag.txt"
