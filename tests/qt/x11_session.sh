# Shared by the end-to-end tests: a private X display, the program started in
# a scratch working folder with a scratch home, and small waiting helpers.
# Source it, then call start_display.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/xvfb.sh"

scratch=$(mktemp -d)
helper_pids=()
cleanup() {
    for pid in "${helper_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    import -window root "${TMPDIR:-/tmp}/plimex-e2e-failure.png" 2>/dev/null &&
        echo "screen at the failure: ${TMPDIR:-/tmp}/plimex-e2e-failure.png" >&2
    for log in "$scratch"/*.log; do echo "--- $log" && tail -20 "$log"; done >&2
    exit 1
}

wait_for() {  # seconds, command...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# A display of our own: other runs may hold any fixed number.
start_display() {
    start_private_xvfb 1024x768 "$scratch/xvfb.log" || fail "Xvfb did not start"
    helper_pids+=("$xvfb_pid")
}

# trayer, an XEmbed notification area, along the bottom right; the program's
# icon sits at (tray_x, tray_y), and icon_signature tells whether the pixels
# there changed from $empty_tray. The wait is long: on a loaded machine
# trayer alone took over 10 s to start.
tray_x=$((1024 - 14))
tray_y=$((768 - 12))
icon_signature() {
    import -window root -crop "20x20+$((tray_x - 10))+$((tray_y - 10))" -depth 8 rgb:- 2>/dev/null |
        md5sum
}
tray_ready() { xwininfo -root -tree 2>/dev/null | grep -q '"trayer"'; }
start_trayer() {
    trayer --edge bottom --align right --widthtype pixel --width 200 --height 24 \
        >"$scratch/trayer.log" 2>&1 &
    helper_pids+=($!)
    wait_for 30 tray_ready || fail "trayer did not start"
    sleep 0.5
    empty_tray=$(icon_signature)
}

# The options file naming $scratch/pictures with the given interval and state.
options_text() {  # interval, state
    printf '[options]\r\nRep=%s/\r\nTps=%s\r\nEtat=%s\r\n' "$scratch/pictures" "$1" "$2"
}

# Bitmaps of one colour each in $scratch/pictures, and the options file.
prepare_options() {  # interval, state
    mkdir -p "$scratch/home" "$scratch/run" "$scratch/pictures" "$scratch/cwd"
    chmod 700 "$scratch/run"
    for colour in red lime blue; do
        convert -size 64x48 "xc:$colour" "BMP3:$scratch/pictures/$colour.bmp"
    done
    options_text "$1" "$2" >"$scratch/cwd/Plimex.ini"
}

expect_options() {  # interval, state
    local written expected
    written=$(cat "$scratch/cwd/Plimex.ini")
    expected=$(options_text "$1" "$2")
    [ "$written" == "$expected" ] || fail "Plimex.ini holds: $written"
}

# The program, on the bare X11 desktop, on the session bus in $program_bus
# (none unless a test sets it).
program_bus="unix:path=$scratch/no-bus"
start_program() {  # path [log name]
    (
        cd "$scratch/cwd"
        unset XDG_CURRENT_DESKTOP DESKTOP_SESSION
        export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" \
            XDG_DATA_HOME="$scratch/home/.local/share" XDG_CACHE_HOME="$scratch/home/.cache" \
            XDG_RUNTIME_DIR="$scratch/run" DBUS_SESSION_BUS_ADDRESS="$program_bus" \
            QT_QPA_PLATFORM=xcb
        exec "$1"
    ) >"$scratch/${2:-plimex}.log" 2>&1 &
    program_pid=$!
    helper_pids+=($program_pid)
}

# A private session bus, the program's too.
start_session_bus() {
    local address
    address=$(dbus-daemon --session --fork --nopidfile --print-address=1 \
        --print-pid=2 2>"$scratch/bus.pid" | head -1)
    [ -n "$address" ] || fail "no session bus"
    helper_pids+=($(cat "$scratch/bus.pid"))
    export DBUS_SESSION_BUS_ADDRESS="$address"
    program_bus=$address
}

# A stand-in StatusNotifierWatcher with a host; the items that register with
# it are written to $scratch/items.txt.
start_fake_watcher() {  # path
    "$1" >"$scratch/items.txt" 2>"$scratch/watcher.log" &
    helper_pids+=($!)
    watcher_ready() { dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher 2>/dev/null |
        grep -q 'boolean true'; }
    wait_for 10 watcher_ready || fail "the watcher did not start"
}
item_registered() { [ -s "$scratch/items.txt" ]; }

# The program's shown windows: its tray icon and popup menu count too.
visible_windows() { xdotool search --onlyvisible --class plimex 2>/dev/null | wc -l; }
main_window_shown() { xdotool search --onlyvisible --name '^Plimex 2000$' >/dev/null 2>&1; }

program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }

expect_clean_exit() {
    wait_for 10 program_ended || fail "the program did not end"
    wait "$program_pid" || fail "the program ended with status $?"
}

pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -1; }
