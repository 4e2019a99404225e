#!/bin/bash
# The shipped program is a GUI executable of the expected width that needs no
# DLL but the system's own: mingw's runtime is linked in. Its manifest names
# the program with the image's own processor and asks for Common-Controls of
# the process's width: a 64-bit program bound to the x86 assembly does not
# start on 64-bit Windows, whatever the build host's Wine can show.
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
declare -A manifest_arch=([pei-i386]=x86 [pei-x86-64]=amd64)
own=${manifest_arch[$format]}
if ! manifest=$(wrestool -x --raw --type=24 "$exe") || [ -z "$manifest" ]; then
    echo "FAIL $exe carries no manifest"
    status=1
fi
# Each assembly identity as "name architecture": the program's own first.
identities=$(python3 -c '
import sys, xml.etree.ElementTree as tree
ns = "{urn:schemas-microsoft-com:asm.v1}"
for identity in tree.fromstring(sys.stdin.buffer.read()).iter(ns + "assemblyIdentity"):
    print(identity.get("name"), identity.get("processorArchitecture"))' <<<"$manifest") || status=1
read -r _ program_arch <<<"$identities"
if [ "$program_arch" != "$own" ]; then
    echo "FAIL $exe is $format but its manifest says processorArchitecture=\"$program_arch\""
    status=1
fi
while read -r name arch; do
    if [ "$arch" != "*" ] && [ "$arch" != "$own" ]; then
        echo "FAIL $exe ($format) asks for $name of processorArchitecture=\"$arch\""
        status=1
    fi
done < <(tail -n +2 <<<"$identities")

# Hardening: stack canaries (libssp, linked in), and an image that Windows
# may load anywhere (ASLR: relocations kept, the full 64-bit range in a
# PE32+) with no code run from data pages (DEP).
hardening=(DYNAMIC_BASE NX_COMPAT)
[ "$format" == pei-x86-64 ] && hardening+=(HIGH_ENTROPY_VA)
characteristics=$(sed -n '/^DllCharacteristics/,/^SizeOfStackReserve/p' <<<"$headers")
for flag in "${hardening[@]}"; do
    if ! grep -qw "$flag" <<<"$characteristics"; then
        echo "FAIL $exe is not $flag: $characteristics"
        status=1
    fi
done
if ! grep -q 'Base Relocation Directory \[\.reloc\]' <<<"$headers"; then
    echo "FAIL $exe has no relocations: it loads only at its preferred address"
    status=1
fi
# The canary's failure handler, by its message: a stripped program has no symbols.
if ! grep -qa 'stack smashing detected' "$exe"; then
    echo "FAIL $exe has no stack protector"
    status=1
fi

[ $status -eq 0 ] && echo "ok   $exe: $format, GUI, system DLLs only, manifest for $own," \
    "${hardening[*]}, stack protector"
exit $status
