#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UBSan) and runs
# each one on RUNS new inputs (1,000,000 by default), starting from its seeds
# (tests/fuzz/corpus/NAME) and every input that once failed
# (tests/fuzz/regressions/NAME). A finding stops that target with a non-zero
# exit and is written to BUILD_DIR/findings/; once fixed, keep the input in
# tests/fuzz/regressions/NAME so that every test run tries it again.
# Usage: scripts/fuzz.sh [NAME...]       (RUNS=n, BUILD_DIR=build/fuzz)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/fuzz}
runs=${RUNS:-1000000}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(line_store config_lookup history_line check_result log_timestamp)

bash "$root/scripts/install-deps.sh" || exit 1
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ -DPERMORA_FUZZ=ON >"$build.configure.log" 2>&1 \
    || { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" >"$build.build.log" 2>&1 || { grep -E 'error' "$build.build.log" | head -40; exit 1; }

mkdir -p "$build/findings"
status=0
for name in "${targets[@]}"; do
    corpus=$build/corpus/$name
    mkdir -p "$corpus"
    inputs=("$corpus" "$root/tests/fuzz/corpus/$name")
    [ -d "$root/tests/fuzz/regressions/$name" ] && inputs+=("$root/tests/fuzz/regressions/$name")
    log=$build/findings/$name.log
    "$build/tests/fuzz/fuzz_$name" -runs="$runs" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$name-" "${inputs[@]}" >"$log" 2>&1
    rc=$?
    done_runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
    if [ "$rc" -eq 0 ]; then
        echo "$name: ${done_runs:-?} inputs, no finding"
    else
        echo "$name: FINDING after ${done_runs:-?} inputs (exit $rc); see $log"
        grep -E 'ERROR|runtime error|property broken|Test unit written' "$log" | head -5
        status=1
    fi
done
exit $status
