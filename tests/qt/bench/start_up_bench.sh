#!/bin/bash
# Start-up to the icon in an XEmbed tray (trayer on a private Xvfb), beside a
# bare Qt tray program (tray_floor) started the same way in the same run: the
# time to the icon being mapped in the tray, the time to idle and the CPU used
# by then (start_up_bench). The program starts on a folder of a few bitmaps
# with the rotation on and no start-up wallpaper. Not a test: nothing fails on
# a figure.
#
# Usage: start_up_bench.sh [--brief] [--against OTHER_BUILD_DIR] [BUILD_DIR]
# BUILD_DIR: build/linux. --brief: 5 runs instead of 20. --against: the plimex
# of another build (another branch's, say) is measured beside, as "other".
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/bench_session.sh"

read_bench_arguments "$@"
other=${against:+$against/plimex}
runs=20
((brief)) && runs=5
benches="$build/tests/qt/bench"
require_built "$build/plimex" "$benches/tray_floor" "$benches/start_up_bench" $other

for name in a b c; do
    convert -size 64x48 "plasma:" -type TrueColor "BMP3:$scratch/pictures/$name.bmp"
done
programs=(floor "$benches/tray_floor" plimex "$build/plimex")
[ -z "$other" ] || programs+=(other "$other")
# Each program runs from a copy, as a package installs it: the file the
# linker wrote starts a few milliseconds slower than a byte-identical copy of
# it (a large file's pages as the linker left them in the cache), which no
# user ever runs.
arguments=()
for ((i = 0; i < ${#programs[@]}; i += 2)); do
    folder=$scratch/${programs[i]}
    mkdir -p "$folder"
    printf '[options]\r\nRep=%s/\r\nTps=5\r\nEtat=0\r\n' "$scratch/pictures" >"$folder/Plimex.ini"
    cp "${programs[i + 1]}" "$folder/program"
    label="${programs[i]}"
    [ "$label" = floor ] && label="bare Qt tray program (floor)"
    arguments+=("$label" "$folder" "$folder/program")
done

start_private_xvfb 1920x1080 "$scratch/xvfb.log"
pids+=("$xvfb_pid")
start_xembed_tray
(on_bare_x11 "$benches/start_up_bench" "$runs" "${arguments[@]}") 2>"$scratch/errors.log" || status=$?
[ ! -s "$scratch/errors.log" ] || { echo "The programs said:"; cat "$scratch/errors.log"; }
exit "${status:-0}"
