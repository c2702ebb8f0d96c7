#!/usr/bin/env bash
# Builds the shipped 32-bit Permora and starts it under Wine in a run folder of
# its own (run/), with the development stand-in xcacls.vbs beside it.
#   With an X display (DISPLAY set) the window opens there.
#   Without one it runs on a virtual display, saves a PNG screenshot of the main
#   window to run/permora.png, says so and keeps running until interrupted;
#   --screenshot exits right after the screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${PERMORA_BUILD_DIR:-$root/build}
screenshot_only=
[ "${1:-}" = "--screenshot" ] && screenshot_only=1

bash scripts/install-deps.sh
cmake -S . -B "$build/i686" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" \
    -DPERMORA_WINEPREFIX="$build/wine" >/dev/null
cmake --build "$build/i686" --target permora -j"$(nproc)" >/dev/null

run="$root/run"
mkdir -p "$run"
cp "$build/i686/app/permora.exe" "$run/"
cp scripts/standin/xcacls.vbs "$run/"

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
    id=$(xwininfo -root -tree 2>/dev/null | awk '/"Permora": \(/ {print $1; exit}')
    [ -n "$id" ] && break
    kill -0 "$app" 2>/dev/null || { echo "Permora ended before its window appeared"; exit 1; }
    sleep 0.5
done
[ -n "$id" ] || { echo "The main window did not appear"; exit 1; }
xdotool mousemove 0 0  # away from the window: a pointer resting on a control raises its hint
sleep 2                # let the first paint finish
import -display "$DISPLAY" -window "$id" "$run/permora.png"
echo "Screenshot of the main window: $run/permora.png"
[ -n "$screenshot_only" ] && exit 0
echo "Permora is running; press Ctrl+C to stop it."
wait "$app"
