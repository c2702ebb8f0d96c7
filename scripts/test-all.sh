#!/usr/bin/env bash
# Installs what is missing, builds the native, i686 and x86_64 configurations and
# runs every test: natively (with sanitizers) and under Wine for both Windows builds.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${PERMORA_BUILD_DIR:-$root/build}

bash scripts/install-deps.sh || exit 1

jobs=$(nproc)
configure_and_build() {  # name, extra cmake args...
    local name=$1
    shift
    cmake -S . -B "$build/$name" -DCMAKE_BUILD_TYPE=Release "$@" >"$build/$name.configure.log" 2>&1 \
        || { cat "$build/$name.configure.log"; return 1; }
    cmake --build "$build/$name" -j"$jobs" >"$build/$name.build.log" 2>&1 \
        || { grep -E 'error|Error' "$build/$name.build.log" | head -40; return 1; }
}

mkdir -p "$build"
san="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
configure_and_build native "-DCMAKE_CXX_FLAGS=$san" "-DCMAKE_EXE_LINKER_FLAGS=$san" || exit 1
# The fuzz targets (clang): each test runs the seeds and every input that once
# failed, then new inputs for a few seconds. scripts/fuzz.sh runs them long.
configure_and_build fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPERMORA_FUZZ=ON || exit 1
for arch in i686 x86_64; do
    configure_and_build "$arch" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-w64-mingw32.cmake" \
        -DPERMORA_WINEPREFIX="$build/wine" || exit 1
    objdump_out=$("$arch-w64-mingw32-objdump" -p "$build/$arch/app/permora.exe" 2>/dev/null | grep 'DLL Name' || true)
    if [ -n "$objdump_out" ] && echo "$objdump_out" | grep -viqE 'DLL Name: (KERNEL32|USER32|GDI32|COMCTL32|comdlg32|msvcrt|VERSION|SHELL32|ADVAPI32|ole32|UxTheme)\.dll'; then
        echo "permora.exe ($arch) needs a DLL that Windows does not ship:"; echo "$objdump_out"; exit 1
    fi
done

# One display and one wineserver for the whole run, so tests share them.
export WINEPREFIX="$build/wine"
. scripts/wine-lib.sh
wine_ensure_prefix
cleanup() { "$WINESERVER" -k 2>/dev/null || true; wine_stop_display; }
trap cleanup EXIT
wine_ensure_display
wine_start_services

passed=0 failed=0
run_ctest() {  # name
    local out
    out=$(ctest --test-dir "$build/$1" --output-on-failure -j"$jobs" 2>&1)
    echo "$out" | sed "s/^/[$1] /"
    local line
    line=$(echo "$out" | grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' | tail -1)
    if [ -z "$line" ]; then
        failed=$((failed + 1))
        return
    fi
    local total bad
    total=$(echo "$line" | sed -E 's/.*out of ([0-9]+).*/\1/')
    bad=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed.*/\1/')
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}
run_ctest native
run_ctest fuzz
run_ctest x86_64
run_ctest i686

# The release packages, made as scripts/package.sh makes them; each one a test.
if PERMORA_BUILD_DIR="$build" bash scripts/package.sh >"$build/package.log" 2>&1; then
    zips=("$build"/packages/permora-*.zip)
    [ ${#zips[@]} -eq 2 ] || { echo "[package] expected two packages: ${zips[*]}"; failed=$((failed + 1)); }
    for zip in "${zips[@]}"; do
        if bash scripts/check-package.sh "$zip" | sed 's/^/[package] /'; then
            passed=$((passed + 1))
        else
            failed=$((failed + 1))
        fi
    done
else
    sed 's/^/[package] /' "$build/package.log"
    failed=$((failed + 1))
fi

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
