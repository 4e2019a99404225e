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
start_session_bus
start_fake_watcher "$watcher"

prepare_options 2 0
start_program "$program"
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
