#!/bin/bash
# The program's memory while it waits hidden in the tray, beside a bare Qt
# tray program (tray_floor: a QApplication, one tray icon and its menu) on
# the same private Xvfb with an XEmbed tray, at each screen size: after the
# start-up wallpaper (a 3840x2160 24-bit BMP), with the rotation off, and
# after many timed rotations (idle_memory_bench). Resident (RSS),
# proportional (PSS) and peak resident sizes in KiB, from /proc. Not a test:
# nothing fails on a figure.
#
# Usage: idle_memory_bench.sh [--brief] [--against OTHER_BUILD_DIR] [BUILD_DIR]
# BUILD_DIR: build/linux. --brief: the 1920x1080 screen only, 20 rotations
# instead of 100. --against: the plimex of another build (another branch's,
# say) is measured beside, as "other".
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/bench_session.sh"

read_bench_arguments "$@"
other=${against:+$against/plimex}
benches="$build/tests/qt/bench"
require_built "$build/plimex" "$benches/tray_floor" "$benches/idle_memory_bench" $other
sizes=(3840x2160 1920x1080)
rotations=100
((brief)) && sizes=(1920x1080) rotations=20

make_4k_picture "$scratch/pictures/a.bmp"
convert "$scratch/pictures/a.bmp" -flop -type TrueColor "BMP3:$scratch/pictures/b.bmp"

# A program of ours in a folder of its own, on the bare X11 desktop.
start_in() {  # folder, interval (Tps), state (Etat), program...
    local folder=$scratch/$1
    mkdir -p "$folder"
    printf '[options]\r\nRep=%s/\r\nTps=%s\r\nEtat=%s\r\n' "$scratch/pictures" "$2" "$3" \
        >"$folder/Plimex.ini"
    shift 3
    (cd "$folder" && on_bare_x11 "$@") 2>>"$scratch/errors.log" &
    started=$!
    pids+=("$started")
}

memory() {  # label, pid
    printf '  %-34s RSS %7s  PSS %7s  peak RSS %7s\n' "$1" \
        "$(awk '/^Rss:/ {print $2}' "/proc/$2/smaps_rollup")" \
        "$(awk '/^Pss:/ {print $2}' "/proc/$2/smaps_rollup")" \
        "$(awk '/^VmHWM:/ {print $2}' "/proc/$2/status")"
}

rss() { awk '/^Rss:/ {print $2}' "/proc/$1/smaps_rollup"; }

for size in "${sizes[@]}"; do
    start_private_xvfb "$size" "$scratch/xvfb.log"
    pids+=("$xvfb_pid")
    start_xembed_tray
    echo "Screen $size, tray program's memory in KiB, hidden in the tray after 5 s:"
    start_in floor 5 0 "$benches/tray_floor"
    floor=$started
    start_in on 5 1 "$build/plimex"
    on=$started
    start_in off 5 0 "$build/plimex"
    off=$started
    others=()
    if [ -n "$other" ]; then
        start_in other-on 5 1 "$other"
        others+=("$started")
        start_in other-off 5 0 "$other"
        others+=("$started")
    fi
    sleep 5
    memory "bare Qt tray program (floor)" "$floor"
    memory "plimex, after start-up wallpaper" "$on"
    memory "plimex, Etat=0 (nothing applied)" "$off"
    if [ -n "$other" ]; then
        memory "other, after start-up wallpaper" "${others[0]}"
        memory "other, Etat=0 (nothing applied)" "${others[1]}"
    fi
    awk -v on="$(rss "$on")" -v floor="$(rss "$floor")" \
        'BEGIN {printf "  plimex above the floor: %.1f MiB\n", (on - floor) / 1024}'
    kill "$on" "$off" "${others[@]}"
    start_in bench 1 1 "$benches/idle_memory_bench" "$rotations"
    wait "$started" || echo "  idle_memory_bench failed: see below"
    kill "$floor" "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null || true
done
[ ! -s "$scratch/errors.log" ] || { echo "The programs said:"; cat "$scratch/errors.log"; }
