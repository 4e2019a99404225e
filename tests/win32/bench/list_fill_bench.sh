#!/bin/bash
# How long the Windows program takes to list a folder of many bitmaps in
# LstFic, beside the least such a fill can do, at each width under Wine of
# that width (see list_fill_bench.cpp). The 32-bit one is skipped, and said
# so, on a host that cannot run 32-bit programs. Not a test: nothing fails on
# a figure.
#
# Usage: list_fill_bench.sh [--brief]
# --brief: three runs of 10,000 names; otherwise seven runs of 10,000 and 100,000.
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
cd "$root"
counts=(10000 100000)
runs=7
if [ "${1:-}" = --brief ]; then
    counts=(10000) runs=3
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Names of the kinds a real folder holds, written by the host: mixed case,
# accents, digits, and names that differ only in case.
folders=()
for count in "${counts[@]}"; do
    python3 - "$scratch/$count" "$count" <<'PYTHON'
import os, random, sys
folder, count = sys.argv[1], int(sys.argv[2])
os.mkdir(folder)
generator = random.Random(count)
stems = ["Vacances", "photo", "Paysage", "IMG", "fond", "Été"]
written = 0
while written < count:
    name = f"{generator.choice(stems)}_{generator.randrange(1000000)}_{written}"
    name += ".BMP" if written % 7 == 0 else ".bmp"
    for twin in [name, name.swapcase()] if written % 50 == 0 else [name]:
        if written < count:
            open(os.path.join(folder, twin), "w").close()
            written += 1
PYTHON
    folders+=("Z:${scratch//\//\\}\\$count\\")
done

status=0
for width in win32 win64; do
    preset=windows
    [ "$width" = win64 ] && preset=windows-x64
    if [ "$width" = win32 ] && ! reason=$(tools/host-runs-ia32); then
        echo "SKIPPED the 32-bit Windows list fill: $reason"
        continue
    fi
    cmake --preset "$preset" >/dev/null
    cmake --build "build/$preset" --target win32_list_fill_bench >/dev/null
    PLIMEX_WINE_ARCH=$width bash tests/win32/with_display.sh tools/wine-run \
        "build/$preset/tests/win32/win32_list_fill_bench.exe" --runs "$runs" \
        "${folders[@]}" || status=1
    # Wine's own processes outlive the program a moment, bound to this display:
    # let them end before the display may go.
    if [ -n "${DISPLAY:-}" ]; then
        prefix=build/wine-prefix
        [ "$width" = win64 ] && prefix=build/wine64-prefix
        WINEPREFIX=${PLIMEX_WINEPREFIX:-$(pwd)/$prefix} wineserver -w
    fi
done
exit "$status"
