#!/bin/bash
# End to end on a private X display with a real notification area: the icon
# appears, a real right click opens the menu, "Activer" switches the icon,
# "Quitter" ends the program and writes Plimex.ini with the state of that
# moment. Usage: e2e_tray_test.sh PATH_TO_PLIMEX
set -euo pipefail
program=$(realpath "$1")

scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
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

# A display of our own: other runs may hold any fixed number.
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1024x768x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 10 -u "$displayfd" number || fail "Xvfb did not start"
export DISPLAY=":$number"

trayer --edge bottom --align right --widthtype pixel --width 200 --height 24 \
    >"$scratch/trayer.log" 2>&1 &
pids+=($!)
tray_x=$((1024 - 14)); tray_y=$((768 - 12))

mkdir -p "$scratch/home" "$scratch/run" "$scratch/pictures" "$scratch/cwd"
chmod 700 "$scratch/run"
for colour in red green blue; do
    convert -size 64x48 "xc:$colour" "BMP3:$scratch/pictures/$colour.bmp"
done
printf '[options]\r\nRep=%s/\r\nTps=3\r\nEtat=0\r\n' "$scratch/pictures" >"$scratch/cwd/Plimex.ini"

pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -1; }
icon_signature() {
    import -window root -crop "20x20+$((tray_x - 10))+$((tray_y - 10))" -depth 8 rgb:- 2>/dev/null | md5sum
}
wait_for() {  # seconds, command...
    local deadline=$((SECONDS + $1)); shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}
tray_ready() { xwininfo -root -tree 2>/dev/null | grep -q '"trayer"'; }
wait_for 10 tray_ready || fail "trayer did not start"
sleep 0.5
empty_tray=$(icon_signature)

(
    cd "$scratch/cwd"
    unset XDG_CURRENT_DESKTOP DESKTOP_SESSION
    export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" \
        XDG_DATA_HOME="$scratch/home/.local/share" XDG_CACHE_HOME="$scratch/home/.cache" \
        XDG_RUNTIME_DIR="$scratch/run" DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/no-bus" \
        QT_QPA_PLATFORM=xcb
    exec "$program"
) >"$scratch/plimex.log" 2>&1 &
plimex=$!
pids+=($plimex)

icon_shown() { [ "$(icon_signature)" != "$empty_tray" ]; }
wait_for 15 icon_shown || fail "the tray icon did not appear"
sleep 0.5
off_icon=$(icon_signature)

# The icon is a window of the program too: the menu is one more.
visible_windows() { xdotool search --onlyvisible --class plimex 2>/dev/null | wc -l; }
icon_windows=$(visible_windows)
menu_open() { (($(visible_windows) > icon_windows)); }
open_menu() {
    xdotool mousemove "$tray_x" "$tray_y" click 3
    wait_for 5 menu_open || fail "a right click on the icon opened no menu"
    sleep 0.3
}

open_menu
xdotool key a
on_icon_shown() { [ "$(icon_signature)" != "$off_icon" ] && ! menu_open; }
wait_for 5 on_icon_shown || fail "Activer did not switch the tray icon"
[ "$(icon_signature)" != "$empty_tray" ] || fail "the icon vanished after Activer"

open_menu
xdotool key q
program_ended() { ! kill -0 "$plimex" 2>/dev/null; }
wait_for 10 program_ended || fail "Quitter did not end the program"
wait "$plimex" || fail "the program ended with status $?"

ini=$(cat "$scratch/cwd/Plimex.ini")
expected=$(printf '[options]\r\nRep=%s/\r\nTps=3\r\nEtat=1\r\n' "$scratch/pictures")
[ "$ini" == "$expected" ] || fail "Plimex.ini holds: $ini"
echo "PASS: icon shown, menu opened by a right click, Activer switched the icon, Quitter saved"
