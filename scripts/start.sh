#!/usr/bin/env bash
# Builds the shipped 32-bit Permora and starts it under Wine in a fresh run
# folder (run/), with the development stand-in xcacls.vbs beside it.
#   By default the folder holds no configuration: Permora starts as it does the
#   first time, with the setup wizard.
#   --configured writes a ready configuration first, whose script path points at
#   the stand-in (commands shown for confirmation), so Execute works at once.
#   With an X display (DISPLAY set) the window opens there.
#   Without one it runs on a virtual display, saves a PNG screenshot of the
#   first window (the wizard, or the main window when configured) to
#   run/permora.png, says so and keeps running until interrupted;
#   --screenshot exits right after the screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${PERMORA_BUILD_DIR:-$root/build}
screenshot_only=
configured=
for arg in "$@"; do
    case "$arg" in
        --screenshot) screenshot_only=1 ;;
        --configured) configured=1 ;;
        *) echo "usage: $0 [--configured] [--screenshot]" >&2; exit 2 ;;
    esac
done

bash scripts/install-deps.sh
cmake -S . -B "$build/i686" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" \
    -DPERMORA_WINEPREFIX="$build/wine" >/dev/null
cmake --build "$build/i686" --target permora -j"$(nproc)" >/dev/null

# A first start gets a new folder each time; the configured folder keeps its
# log and history from one start to the next.
if [ -n "$configured" ]; then
    run="$root/run/configured"
else
    run="$root/run/first-start"
    rm -rf "$run"
fi
mkdir -p "$run/target dir"
cp "$build/i686/app/permora.exe" "$run/"
cp scripts/standin/xcacls.vbs "$run/"
if [ -n "$configured" ] && [ ! -e "$run/Permora.ini" ]; then
    # Wine shows the Unix root as drive Z:.
    win_run="Z:$(echo "$run" | tr / '\\')"
    printf 'Permora Config\r\nVersion = 1.2\r\nXCACLSPath = %s\\xcacls.vbs\r\noption_edit = true\r\noption_method = grant\r\ngui_F = false\r\ngui_M = false\r\ngui_X = false\r\ngui_R = true\r\ngui_L = true\r\ngui_W = false\r\nspec_7 = false\r\nShowCommand = true\r\n' \
        "$win_run" >"$run/Permora.ini"
    echo "Ready configuration written; a target to try: $win_run\\target dir"
fi

export WINEPREFIX="$build/wine"
. scripts/wine-lib.sh
wine_ensure_prefix

if [ -n "${DISPLAY:-}" ]; then
    echo "Starting Permora from $run on display $DISPLAY"
    cd "$run"
    exec "$WINE" permora.exe
fi

trap '"$WINESERVER" -k 2>/dev/null || true; wine_stop_display' EXIT
wine_ensure_display
wine_start_services
(cd "$run" && "$WINE" permora.exe </dev/null >/dev/null 2>&1) &
app=$!
echo "Permora is starting on virtual display $DISPLAY (32-bit under emulation can take a minute)..."
id=
for _ in $(seq 1 600); do
    id=$(xwininfo -root -tree 2>/dev/null | awk '/"(Permora|Setup Wizzard)": \(/ {print $1; exit}')
    [ -n "$id" ] && break
    kill -0 "$app" 2>/dev/null || { echo "Permora ended before its window appeared"; exit 1; }
    sleep 0.5
done
[ -n "$id" ] || { echo "No window of Permora appeared"; exit 1; }
xdotool mousemove 0 0  # away from the window: a pointer resting on a control raises its hint
sleep 2                # let the first paint finish
import -display "$DISPLAY" -window "$id" "$root/run/permora.png"
echo "Screenshot of the first window: $root/run/permora.png"
[ -n "$screenshot_only" ] && exit 0
echo "Permora is running; press Ctrl+C to stop it."
wait "$app"
