#!/bin/bash
# How fast a 3840x2160 24-bit BMP becomes the bare X11 wallpaper: the whole
# process of show_root_wallpaper (the program's own setter) beside hsetroot
# -fill and feh --bg-scale, run in turn on the same private Xvfb, at each
# screen size. Prints the wall time (min, median, max of several runs), the
# instructions of one run of each, and how close the picture shown is to the
# file: the same pixels on a screen of its size, the PSNR against
# ImageMagick's own resize on a smaller one. Not a test: nothing fails on a
# figure.
#
# Usage: apply_bench.sh [--brief] [--against OTHER_BUILD_DIR] [BUILD_DIR]
# BUILD_DIR: build/linux. --brief: the 1920x1080 screen only, three runs
# each, no instruction count. --against: the show_root_wallpaper of another
# build (another branch's, say) runs beside, as "other".
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../qt/bench/bench_session.sh"

read_bench_arguments "$@"
ours="$build/tests/linux_desktop/show_root_wallpaper"
other=${against:+$against/tests/linux_desktop/show_root_wallpaper}
require_built "$ours" $other
sizes=(3840x2160 1920x1080)
runs=7
((brief)) && sizes=(1920x1080) runs=3

picture="$scratch/picture.bmp"
make_4k_picture "$picture"

setters=(
    "plimex|$ours $picture"
    "hsetroot|hsetroot -fill $picture"
    "feh|feh --no-fehbg --bg-scale $picture"
)
[ -z "$other" ] || setters+=("other|$other $picture")

# perf where the machine has instruction counters (a virtual machine often
# has none), callgrind's count otherwise.
perf_counts() { perf stat -x, -e instructions:u true 2>&1 | grep -q '^[0-9]'; }
instructions() {  # command...
    if perf_counts; then
        perf stat -x, -e instructions:u "$@" 2>&1 >/dev/null | awk -F, '/instructions/ {print $1}'
    else
        valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
            awk '/Collected/ {print $4}'
    fi
}
counter() { perf_counts && echo "perf stat" || echo "callgrind, perf has no counters here"; }

for size in "${sizes[@]}"; do
    start_private_xvfb "$size" "$scratch/xvfb.log"
    pids+=("$xvfb_pid")
    # feh's wallpaper goes when the server resets, which it does when its
    # last client leaves: one client stays.
    xprop -root -spy >/dev/null 2>&1 &
    pids+=($!)

    declare -A wall=() cpu=()
    time_in_turn "$runs" "${setters[@]}"
    echo "Screen $size, picture 3840x2160 24-bit BMP, $runs runs each, whole process," \
        "load $(cut -d' ' -f1 /proc/loadavg):"
    printf '  %-9s %24s %24s' "" "wall ms: min median max" "cpu ms: min median max"
    ((brief)) || printf '   instructions (%s)' "$(counter)"
    echo
    for setter in "${setters[@]}"; do
        name=${setter%%|*}
        # shellcheck disable=SC2086  # the figures and the command are words
        printf '  %-9s %24s %24s' "$name" "$(spread ${wall[$name]})" "$(spread ${cpu[$name]})"
        # shellcheck disable=SC2086
        ((brief)) || printf '   %6.0f M' "$(echo "$(instructions ${setter#*|}) / 1000000" | bc -l)"
        echo
    done
    unset wall cpu

    [ "$size" == 3840x2160 ] || convert "$picture" -resize "$size!" "$scratch/resized.png"
    for setter in "plimex|$ours" ${other:+"other|$other"}; do
        "${setter#*|}" "$picture"
        import -window root "$scratch/shown.png"
        if [ "$size" == 3840x2160 ]; then
            echo "  ${setter%%|*}'s picture: $(compare -metric AE "$picture" "$scratch/shown.png" null: 2>&1)" \
                "pixels differ from the file"
        else
            echo "  ${setter%%|*}'s picture: PSNR" \
                "$(compare -metric PSNR "$scratch/resized.png" "$scratch/shown.png" null: 2>&1) dB" \
                "against ImageMagick's resize"
        fi
    done
    kill "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null || true
done
