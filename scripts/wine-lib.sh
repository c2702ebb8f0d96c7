# Helpers for running Permora under Wine; sourced by the other scripts.
# Callers set WINEPREFIX first.

export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

# Creates the prefix once (under a lock, since test runs may start in parallel)
# with the settings without which Wine waits for clicks or window managers.
wine_ensure_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [ -f "$WINEPREFIX/.permora-ready" ] && exit 0
        "$WINE" wineboot -i </dev/null >/dev/null 2>&1
        "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
        "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
        "$WINESERVER" -w
        touch "$WINEPREFIX/.permora-ready"
    ) 9>"$WINEPREFIX.lock"
}

# The wineserver and Wine's services must not inherit a caller's output pipe,
# or ctest waits for them to close it.
wine_start_services() {
    "$WINESERVER" -p30 </dev/null >/dev/null 2>&1 || true
    "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Starts Xvfb on a free display when there is no display; sets XVFB_PID.
XVFB_PID=
wine_ensure_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$fifo" </dev/null >/dev/null 2>&1 &
    XVFB_PID=$!
    local num
    read -r num <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$num"
}

wine_stop_display() {
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}
