#!/usr/bin/env bash
# Checks one release package (permora-VERSION-x86.zip or -x64.zip) for what a
# Windows machine needs: the program for the named architecture, stripped,
# importing Windows system DLLs only, carrying the version resource with the
# version of the package's name; and the README. Exit status 0 when it holds.
set -uo pipefail
zip=$1
name=$(basename "$zip" .zip)
fail() { echo "$name: $*"; exit 1; }

[[ $name =~ ^permora-([0-9]+)\.([0-9]+)\.([0-9]+)\.([0-9]+)-(x86|x64)$ ]] || fail "not a package name"
version="${BASH_REMATCH[1]}.${BASH_REMATCH[2]}.${BASH_REMATCH[3]}.${BASH_REMATCH[4]}"
numbers="${BASH_REMATCH[1]}, ${BASH_REMATCH[2]}, ${BASH_REMATCH[3]}, ${BASH_REMATCH[4]}"
case ${BASH_REMATCH[5]} in
    x86) triple=i686-w64-mingw32 format=pei-i386 ;;
    x64) triple=x86_64-w64-mingw32 format=pei-x86-64 ;;
esac

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
python3 -m zipfile -e "$zip" "$dir" || fail "cannot be unpacked"
exe="$dir/$name/permora.exe"
readme="$dir/$name/README.txt"
[ -f "$exe" ] || fail "no $name/permora.exe"
[ -f "$readme" ] || fail "no $name/README.txt"
grep -q "xcacls.vbs" "$readme" && grep -q "Permora.ini" "$readme" || fail "README.txt does not say what the program needs"

"$triple-objdump" -f "$exe" 2>/dev/null | grep -q "file format $format\$" || fail "permora.exe is not a $format program"
"$triple-nm" "$exe" 2>&1 | grep -q "no symbols" || fail "permora.exe is not stripped"
dlls=$("$triple-objdump" -p "$exe" | sed -n 's/.*DLL Name: //p')
[ -n "$dlls" ] || fail "permora.exe imports nothing"
for dll in $dlls; do
    echo "$dll" | grep -qixE '(KERNEL32|USER32|GDI32|COMCTL32|comdlg32|msvcrt|VERSION|SHELL32|ADVAPI32|ole32|UxTheme)\.dll' \
        || fail "permora.exe needs $dll, which Windows does not ship"
done

rc=$("$triple-windres" -J coff -O rc -i "$exe" 2>/dev/null) || fail "permora.exe has no resources"
expect() { grep -qF -- "$1" <<<"$rc" || fail "version resource: no $1"; }
expect "FILEVERSION $numbers"
expect 'BLOCK "040904E4"'
expect "VALUE \"FileVersion\", \"$version\""
expect 'VALUE "Translation", 0x409, 1252'
grep -qE 'VALUE "LegalCopyright", "Copyright .+"' <<<"$rc" || fail "version resource: no copyright"
echo "$name: ok"
