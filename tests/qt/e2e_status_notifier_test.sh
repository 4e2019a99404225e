#!/bin/bash
# End to end where the notification area speaks StatusNotifierItem (a private
# session bus with a stand-in watcher): the program registers its item and
# stays hidden; the item's one activation opens the main window, as the
# double click does elsewhere; its context request opens the popup menu, and
# "Quitter" from it ends the program and saves.
# Usage: e2e_status_notifier_test.sh PATH_TO_PLIMEX PATH_TO_FAKE_WATCHER
source "$(dirname "$0")/x11_session.sh"
program=$(realpath "$1")
watcher=$(realpath "$2")

start_display
bus_address=$(dbus-daemon --session --fork --nopidfile --print-address=1 \
    --print-pid=2 2>"$scratch/bus.pid" | head -1)
[ -n "$bus_address" ] || fail "no session bus"
helper_pids+=($(cat "$scratch/bus.pid"))
export DBUS_SESSION_BUS_ADDRESS="$bus_address"
"$watcher" >"$scratch/items.txt" 2>"$scratch/watcher.log" &
helper_pids+=($!)
watcher_ready() { dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher 2>/dev/null |
    grep -q 'boolean true'; }
wait_for 10 watcher_ready || fail "the watcher did not start"

prepare_options 2 0
program_bus=$bus_address
start_program "$program"
item_registered() { [ -s "$scratch/items.txt" ]; }
wait_for 15 item_registered || fail "the program registered no item with the watcher"
item=$(head -1 "$scratch/items.txt")

sleep 0.5
! main_window_shown || fail "the window showed at start-up although a notification area exists"

call_item() {  # method
    dbus-send --session --type=method_call --dest="$item" /StatusNotifierItem \
        "org.kde.StatusNotifierItem.$1" int32:500 int32:400
}
call_item Activate
wait_for 5 main_window_shown || fail "the item's activation did not open the main window"

windows_before=$(visible_windows)
menu_open() { (($(visible_windows) > windows_before)); }
call_item ContextMenu
wait_for 5 menu_open || fail "the item's context request opened no menu"
sleep 0.3
xdotool key q
expect_clean_exit
expect_options 2 0
echo "PASS: item registered, activation opened the window, context menu's Quitter saved"
