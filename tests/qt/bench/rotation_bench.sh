#!/bin/bash
# One rotation inside the running program (rotation_bench: tick to new root
# pixmap, wall and processor time, peak resident size above idle, and the X
# server's processor time for it) on a private Xvfb at each screen size, a
# 3840x2160 24-bit BMP each time; beside
# it, on the same server in the same run, the same apply by a whole process:
# show_root_wallpaper (the program's own setter, short-lived) and hsetroot
# -fill. Not a test: nothing fails on a figure.
#
# Usage: rotation_bench.sh [--brief] [--against OTHER_BUILD_DIR] [BUILD_DIR]
# BUILD_DIR: build/linux. --brief: the 1920x1080 screen only, fewer runs.
# --against: the rotation_bench of another build (another branch's, say) is
# measured beside, as "other".
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/bench_session.sh"

read_bench_arguments "$@"
bench="$build/tests/qt/bench/rotation_bench"
setter="$build/tests/linux_desktop/show_root_wallpaper"
other=${against:+$against/tests/qt/bench/rotation_bench}
require_built "$bench" "$setter" $other
sizes=(3840x2160 1920x1080)
rotations=15 runs=7
((brief)) && sizes=(1920x1080) rotations=5 runs=3

make_4k_picture "$scratch/pictures/a.bmp"
convert "$scratch/pictures/a.bmp" -flop -type TrueColor "BMP3:$scratch/pictures/b.bmp"
picture="$scratch/pictures/a.bmp"

# The program in a folder of its own, on the bare X11 desktop, rotating
# every minute.
rotate() {  # label, program
    local folder=$scratch/$1
    mkdir -p "$folder"
    printf '[options]\r\nRep=%s/\r\nTps=1\r\nEtat=1\r\n' "$scratch/pictures" >"$folder/Plimex.ini"
    echo "  $1, one rotation inside the running program ($rotations rotations):"
    (cd "$folder" && export PLIMEX_BENCH_X_SERVER="$xvfb_pid" && on_bare_x11 "$2" "$rotations") \
        2>>"$scratch/errors.log" ||
        echo "  $2 failed: see below"
}

# The same apply by a whole process, run in turn.
anchors() {
    local -A wall=() cpu=()
    local name
    local setters=("show_root_wallpaper|$setter $picture" "hsetroot -fill|hsetroot -fill $picture")
    time_in_turn "$runs" "${setters[@]}"
    echo "  the same apply by a whole process ($runs runs each):"
    for entry in "${setters[@]}"; do
        name=${entry%%|*}
        # shellcheck disable=SC2086  # the figures are words
        printf '  %-28s %s\n  %-28s %s\n' "$name, wall ms" "$(spread ${wall[$name]})" \
            "$name, cpu ms" "$(spread ${cpu[$name]})"
    done
}

for size in "${sizes[@]}"; do
    start_private_xvfb "$size" "$scratch/xvfb.log"
    pids+=("$xvfb_pid")
    # The server resets when its last client leaves: one client stays.
    xprop -root -spy >/dev/null 2>&1 &
    pids+=($!)
    echo "Screen $size, picture 3840x2160 24-bit BMP, load $(cut -d' ' -f1 /proc/loadavg):"
    rotate plimex "$bench"
    [ -z "$other" ] || rotate other "$other"
    anchors
    kill "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null || true
done
[ ! -s "$scratch/errors.log" ] || { echo "The programs said:"; cat "$scratch/errors.log"; }
