#!/bin/bash
# End to end on a private X display with a real notification area: the icon
# appears, GIO is not loaded, a second start in the same folder shows the
# running copy instead of running, a real right click opens the menu,
# "Activer" switches the icon, "Quitter" ends the program and writes
# Plimex.ini with the state of that moment. Usage: e2e_tray_test.sh PATH_TO_PLIMEX
source "$(dirname "$0")/x11_session.sh"
program=$(realpath "$1")

start_display
start_trayer

prepare_options 3 0
start_program "$program"

icon_shown() { [ "$(icon_signature)" != "$empty_tray" ]; }
wait_for 15 icon_shown || fail "the tray icon did not appear"
sleep 0.5
off_icon=$(icon_signature)

# Only the desktops that keep their wallpaper in GSettings need GIO.
! grep -q 'libgio-2\.0' "/proc/$program_pid/maps" || fail "GIO is loaded on the bare X11 desktop"

# A second start in the same folder shows the running copy's window and ends,
# so that it never writes its own settings over the first one's.
! main_window_shown || fail "the window was shown at start-up"
first_pid=$program_pid
start_program "$program" second
expect_clean_exit
program_pid=$first_pid
wait_for 5 main_window_shown || fail "the second start did not show the running copy's window"

# The icon is a window of the program too: the menu is one more.
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
expect_clean_exit
expect_options 3 1
echo "PASS: icon shown, no GIO, a second start showed the window, menu opened by a right click, Activer switched the icon, Quitter saved"
