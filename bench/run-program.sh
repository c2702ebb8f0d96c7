#!/usr/bin/env bash
# Whole-program benchmarks of permora.exe under Wine, in one table: start-up to
# an idle main window and one Execute at 10k, 100k and 1M log lines (history a
# tenth of that), each against its floor in the same run (a bare window with
# as many controls; the same command line through cmd /c), and the history
# fill of the two combo boxes. A few minutes with the default PAIRS.
# Usage: bench/run-program.sh   (PAIRS=5, ARCH=x86_64, PROGRAM_BUILD_DIR=build/bench-ARCH,
#                                 WINEPREFIX=PROGRAM_BUILD_DIR/wine by default)
# x86_64 by default: where 32-bit Wine runs under user-mode emulation
# (scripts/enable-i386.sh), the i686 build would time the emulator.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${ARCH:-x86_64}
build=${PROGRAM_BUILD_DIR:-$root/build/bench-$arch}
pairs=${PAIRS:-5}
prefix=${WINEPREFIX:-$build/wine}

bash "$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DPERMORA_BUILD_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-w64-mingw32.cmake" >/dev/null
cmake --build "$build" --target permora program_bench bare_window -j2 >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/permora-program-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Wine sees the Unix root as drive Z:.
win() { local path; path=$(realpath "$1"); printf 'Z:%s' "${path//\//\\}"; }

echo "Program benchmarks: the $arch build under Wine ($pairs pairs a row)."
PERMORA_TEST_TIMEOUT=3600 "$root/scripts/wine-run.sh" "$prefix" "$build/bench/program_bench.exe" \
    "$(win "$work")" "$(win "$build/app/permora.exe")" "$(win "$build/bench/bare_window.exe")" \
    "$(win "$root/scripts/standin/xcacls.vbs")" "$pairs"
