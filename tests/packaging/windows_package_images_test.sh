#!/bin/bash
# The Windows packages of one width, looked at without running them, so that
# every build host checks them alike: the program in the zip and the one the
# MSI installs pass the executable-image check of their width, and the MSI
# says it is a package of that width.
# Usage: windows_package_images_test.sh WIDTH(win32|win64) ZIP MSI SOURCE_DIR
set -uo pipefail
width=$1 zip=$2 msi=$(realpath "$3") source_dir=$4
case "$width" in
    win32) objdump=i686-w64-mingw32-objdump format=pei-i386 platform=Intel ;;
    win64) objdump=x86_64-w64-mingw32-objdump format=pei-x86-64 platform=x64 ;;
    *) echo "unknown width $width" >&2; exit 2 ;;
esac
scratch=$(mktemp -d /tmp/plimex-package-images.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
status=0
check() { bash "$source_dir/tests/win32/exe_image_test.sh" "$objdump" "$1" "$format" || status=1; }

mkdir "$scratch/zip" "$scratch/msi"
unzip -q -d "$scratch/zip" "$zip" 'Plimex 2000/plimex.exe' && check "$scratch/zip/Plimex 2000/plimex.exe" ||
    status=1
installed=$(cd "$scratch/msi" && msiextract "$msi" | grep -m1 '/plimex\.exe$')
[ -n "$installed" ] && check "$scratch/msi/$installed" || { echo "FAIL $msi installs no plimex.exe"; status=1; }

template=$(msiinfo suminfo "$msi" | sed -n 's/^Template: //p')
if [ "${template%%;*}" != "$platform" ]; then
    echo "FAIL $msi is a $width package but its summary's Template is \"$template\""
    status=1
fi
[ $status -eq 0 ] && echo "PASS: the $width zip's and MSI's programs and the MSI's platform ($template)"
exit $status
