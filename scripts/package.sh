#!/usr/bin/env bash
# Builds the release packages for Windows users into $build/packages:
# permora-VERSION-x86.zip and permora-VERSION-x64.zip, each with the stripped
# permora.exe and a README.txt for administrators. The version is project()'s.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${PERMORA_BUILD_DIR:-$root/build}
out="$build/packages"

bash scripts/install-deps.sh

rm -rf "$out"
mkdir -p "$out"
for arch in i686 x86_64; do
    cmake -S . -B "$build/$arch" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-w64-mingw32.cmake" \
        >"$build/$arch.package.log" 2>&1 || { cat "$build/$arch.package.log"; exit 1; }
    cmake --build "$build/$arch" --target permora -j"$(nproc)" >>"$build/$arch.package.log" 2>&1 \
        || { grep -E 'error|Error' "$build/$arch.package.log" | head -40; exit 1; }
    (cd "$build/$arch" && cpack -G ZIP -B "$out" >>"$build/$arch.package.log" 2>&1) \
        || { tail -20 "$build/$arch.package.log"; exit 1; }
done
rm -rf "$out/_CPack_Packages"
ls "$out"/*.zip
