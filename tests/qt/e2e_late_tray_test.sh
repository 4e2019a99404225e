#!/bin/bash
# The login race on a desktop that offers both kinds of notification area
# (GNOME with the AppIndicator extension): the program starts first, then
# the desktop brings up its XEmbed tray a moment before its
# StatusNotifierItem host. The program must take the host, whose menu the
# desktop draws itself, not dock into the tray for the rest of the run.
# Usage: e2e_late_tray_test.sh PATH_TO_PLIMEX PATH_TO_FAKE_WATCHER
source "$(dirname "$0")/x11_session.sh"
program=$(realpath "$1")
watcher=$(realpath "$2")

start_display
start_session_bus
prepare_options 2 0
start_program "$program"
wait_for 15 main_window_shown || fail "the window did not show without a notification area"
trayer --edge bottom --align right --widthtype pixel --width 200 --height 24 \
    >"$scratch/trayer.log" 2>&1 &
helper_pids+=($!)
wait_for 30 tray_ready || fail "trayer did not start"
start_fake_watcher "$watcher"
wait_for 10 item_registered ||
    fail "the program docked into the XEmbed tray and never registered with the host that came next"
echo "PASS: the host that came a moment after the tray got the item"
