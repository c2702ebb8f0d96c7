#!/usr/bin/env bash
# Builds files_bench natively (no sanitizers) and prints one table: each file
# operation at 10k, 100k and 1M lines against a plain tool on the same file,
# in the same run (PAIRS runs of each, taken in turn; about a minute).
# Usage: bench/run.sh            (PAIRS=7, BUILD_DIR=build/bench-native by default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/bench-native}
pairs=${PAIRS:-7}
work=$(mktemp -d "${TMPDIR:-/tmp}/permora-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DPERMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target files_bench -j2 >/dev/null
"$build/bench/files_bench" table "$work" "$pairs"
"$root/bench/run-program.sh"
