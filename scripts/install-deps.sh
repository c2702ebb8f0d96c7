#!/usr/bin/env bash
# Installs what building and testing Permora needs on Debian 12, as root.
# Only missing packages are installed, so a second run returns at once.
set -euo pipefail

native=(cmake g++ make libgtest-dev libbenchmark-dev python3 clang libclang-rt-14-dev)
cross=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64)
wine=(wine64 wine32:i386 xvfb fonts-wine imagemagick x11-utils xdotool)

missing=()
for p in "${native[@]}" "${cross[@]}" "${wine[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "install-deps: missing packages: ${missing[*]} (run as root to install them)" >&2
        exit 1
    fi
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

bash "$(dirname "$0")/enable-i386.sh"
