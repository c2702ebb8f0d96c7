#!/usr/bin/env bash
# Builds files_bench natively, generates large files, and prints each file
# operation against cat or cp of the same file in the same run (best of REPS).
# Usage: bench/run.sh            (REPS=10, BUILD_DIR=build/bench-native by default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/bench-native}
reps=${REPS:-10}
work=$(mktemp -d "${TMPDIR:-/tmp}/permora-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DPERMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target files_bench -j2 >/dev/null
bench=$build/bench/files_bench

# Best wall time, in seconds, of REPS runs of a program, from its start to its exit.
best_of() { "$bench" command "$reps" "$@" | cut -d' ' -f1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
row() { printf '%-34s %10s s %10s s %8s  %s\n' "$@"; }

"$bench" generate "$work/lines.txt" 1000000 100 "04.02.2006|23:09|SUCCEED: "
mkdir "$work/hist" "$work/log"
"$bench" generate "$work/hist/Permora.hist" 100000 30 "hist-user = DOM\\"
"$bench" generate "$work/log/Permora.log" 1000000 100 "04.02.2006|23:09|SUCCEED: "
size_kb=$(( $(stat -c %s "$work/lines.txt") / 1024 ))

row "operation" "ours" "baseline" "ratio" "baseline command"

read -r load_s load_kb < <("$bench" load "$work/lines.txt" "$reps")
cat_s=$(best_of cat "$work/lines.txt")
row "LineStore load, 1M lines" "$load_s" "$cat_s" "$(ratio "$load_s" "$cat_s")" "cat file >/dev/null"

read -r save_s save_kb < <("$bench" save "$work/lines.txt" "$work/saved.txt" "$reps")
cp_s=$(best_of cp "$work/lines.txt" "$work/copy.txt")
row "LineStore save, 1M lines" "$save_s" "$cp_s" "$(ratio "$save_s" "$cp_s")" "cp file copy"
cmp -s "$work/lines.txt" "$work/saved.txt" || echo "saved file differs from the loaded one" >&2

read -r hist_s hist_kb < <("$bench" add-history "$work/hist/" "$reps")
cph_s=$(best_of cp "$work/hist/Permora.hist" "$work/hist.copy")
row "AddHistory, 100k-line history" "$hist_s" "$cph_s" "$(ratio "$hist_s" "$cph_s")" "cp Permora.hist"

read -r log_s log_kb < <("$bench" save-log "$work/log/" "$reps")
cpl_s=$(best_of cp "$work/log/Permora.log" "$work/log.copy")
row "SaveLog, 1M-line log" "$log_s" "$cpl_s" "$(ratio "$log_s" "$cpl_s")" "cp Permora.log"

echo
printf 'file %d KB; peak memory of the process: load %d KB (%.2fx file), save %d KB (%.2fx file)\n' \
    "$size_kb" "$load_kb" "$(ratio "$load_kb" "$size_kb")" "$save_kb" "$(ratio "$save_kb" "$size_kb")"
echo "Our times are in-process; baseline times include starting cat or cp ($(best_of true) s for true)."
