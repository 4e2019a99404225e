#!/bin/bash
# The shipped program is a GUI executable of the expected width that needs no
# DLL but the system's own: mingw's runtime is linked in.
#
# Usage: exe_image_test.sh OBJDUMP PLIMEX_EXE EXPECTED_FORMAT
set -uo pipefail
objdump=$1 exe=$2 format=$3
headers=$("$objdump" -p "$exe") || exit 1
status=0
if ! grep -q "file format $format\$" <<<"$headers"; then
    echo "FAIL $exe is not $format: $(grep -m1 'file format' <<<"$headers")"
    status=1
fi
if ! grep -qE '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$headers"; then
    echo "FAIL $exe is not a GUI program: $(grep -m1 '^Subsystem' <<<"$headers")"
    status=1
fi
system_dlls='^(ADVAPI32|COMCTL32|GDI32|KERNEL32|msvcrt|SHELL32|USER32)\.dll$'
while read -r dll; do
    if ! grep -qiE "$system_dlls" <<<"$dll"; then
        echo "FAIL $exe needs $dll, which Windows does not provide"
        status=1
    fi
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
[ $status -eq 0 ] && echo "ok   $exe: $format, GUI, system DLLs only"
exit $status
