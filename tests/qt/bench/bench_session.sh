# Shared by the benchmark scripts: their arguments, Xvfb's helpers, a
# scratch folder with a home, a private runtime folder and a pictures folder
# (removed at the end with every process recorded in pids), and the timing
# of whole processes. Source it after set -euo pipefail.
source "$(dirname "${BASH_SOURCE[0]}")/../../../tools/xvfb.sh"

# [--brief] [--against OTHER_BUILD_DIR] [BUILD_DIR] -> brief (0 or 1),
# against (the other build's folder, or empty) and build (build/linux by
# default), all absolute.
read_bench_arguments() {
    brief=0 against=""
    while [ $# -gt 0 ]; do
        case "$1" in
            --brief) brief=1 ;;
            --against) against=$(cd "$2" && pwd) && shift ;;
            *) break ;;
        esac
        shift
    done
    build=$(cd "${1:-$(dirname "${BASH_SOURCE[0]}")/../../../build/linux}" && pwd)
}

# Stops the script unless each program has been built.
require_built() {  # program...
    local program
    for program; do
        [ -x "$program" ] || { echo "build $(basename "$program") first ($program)" >&2; exit 1; }
    done
}

# A picture with detail at every scale, the same on every run.
make_4k_picture() {  # file
    convert -seed 7 -size 3840x2160 plasma:fractal -type TrueColor "BMP3:$1"
}

# Runs a program of ours on the bare X11 desktop of the private server:
# no desktop named, no session bus, the scratch home.
on_bare_x11() {  # program...
    unset XDG_CURRENT_DESKTOP DESKTOP_SESSION
    export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" \
        XDG_RUNTIME_DIR="$scratch/run" DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/no-bus" \
        QT_QPA_PLATFORM=xcb
    exec "$@"
}

start_xembed_tray() {
    trayer --edge bottom --align right --widthtype pixel --width 200 --height 24 >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
}

# Wall and processor (user + system) milliseconds of one run: on a loaded
# machine the second says more.
milliseconds() {  # command...
    local TIMEFORMAT='%R %U %S' times
    times=$({ time "$@" >/dev/null 2>&1; } 2>&1)
    awk '{printf "%.0f %.0f", $1 * 1000, ($2 + $3) * 1000}' <<<"$times"
}

spread() {  # figures... -> "min median max"
    printf '%s\n' "$@" | sort -g |
        awk '{v[NR] = $1} END {printf "%6d %6d %6d", v[1], v[int((NR + 1) / 2)], v[NR]}'
}

# Runs each "name|command" in turn, runs times over, into the associative
# arrays wall and cpu (name -> its figures), which the caller declares.
time_in_turn() {  # runs, "name|command"...
    local runs=$1 run entry w c
    shift
    for ((run = 0; run < runs; run++)); do
        for entry; do
            # shellcheck disable=SC2086  # the command is words
            read -r w c <<<"$(milliseconds ${entry#*|})"
            wall[${entry%%|*}]+="$w " cpu[${entry%%|*}]+="$c "
        done
    done
}

scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
mkdir -p "$scratch/pictures" "$scratch/home" "$scratch/run"
chmod 700 "$scratch/run"
