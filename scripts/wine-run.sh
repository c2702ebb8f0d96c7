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
# 32-bit Wine under emulation: let the tests start the native interpreter.
[ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && export PERMORA_TEST_COMSPEC='C:\windows\sysnative\cmd.exe'

exe=$(realpath "$1")
shift
timeout -k 10 "${PERMORA_TEST_TIMEOUT:-600}" "$WINE" start /wait /b /unix "$exe" "$@"
