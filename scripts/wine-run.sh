#!/usr/bin/env bash
# Runs one Windows program under Wine and passes its exit code through.
# Usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]   (ctest's cross-compiling emulator)
set -u
export WINEPREFIX=$(realpath -m "$1")
shift
. "$(dirname "$(realpath "$0")")/wine-lib.sh"

wine_ensure_prefix
own_display=
if [ -z "${DISPLAY:-}" ]; then
    wine_ensure_display
    own_display=1
fi
trap '[ -n "$own_display" ] && { "$WINESERVER" -k 2>/dev/null || true; wine_stop_display; }' EXIT
wine_start_services

# Through `start /wait` a crash reliably shows as a non-zero exit code; the
# timeout keeps a stuck program from hanging the whole run.
exe=$(realpath "$1")
shift

# A 32-bit program where 32-bit Wine runs under emulation: the tests start the
# native interpreter and leave out the file dialog, which crashes the emulator.
pe=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$exe" | tr -d ' ')
if [ "$machine" = 014c ] && [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    export PERMORA_TEST_COMSPEC='C:\windows\sysnative\cmd.exe' GTEST_FILTER='*-TmainDialogTest.*:WizardDialogTest.*'
fi
out=$(mktemp)
timeout -k 10 "${PERMORA_TEST_TIMEOUT:-600}" "$WINE" start /wait /b /unix "$exe" "$@" 2>&1 | tee "$out"
rc=${PIPESTATUS[0]}
# Under emulation a crash can still end with status 0: a crash report from Wine,
# or a test program that started but never finished, fails the run as well.
# A client error after every test passed is Wine's shutdown, not the program's.
if grep -q 'wine: Unhandled' "$out" || { grep -q 'wine client error' "$out" && ! grep -q '^\[  PASSED  \]' "$out"; }; then
    echo "wine-run: the program crashed" >&2
    [ "$rc" -eq 0 ] && rc=1
elif grep -q '^\[==========\] Running' "$out" && ! grep -q '^\[==========\] .* ran\.' "$out"; then
    echo "wine-run: the test program ended before its tests finished" >&2
    [ "$rc" -eq 0 ] && rc=1
fi
rm -f "$out"
exit "$rc"
