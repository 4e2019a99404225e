#!/bin/bash
# End to end on a private X display without a notification area: the window
# shows at start-up (it could not be reached from a tray), the saved active
# state changes the wallpaper at once, and SIGTERM ends the program through
# the same unload as Quitter, saving the options. Then, on a desktop whose
# wallpaper tool is missing, the failure leaves its one line on stderr.
# Usage: e2e_no_tray_test.sh PATH_TO_PLIMEX
source "$(dirname "$0")/x11_session.sh"
program=$(realpath "$1")

start_display
prepare_options 1 1
start_program "$program"

wait_for 15 main_window_shown || fail "the main window did not show without a notification area"

# The window sits in the middle; the corner shows the wallpaper.
wallpaper_set() { [[ "$(pixel 5 5)" =~ ^#(FF0000|00FF00|0000FF)$ ]]; }
wait_for 10 wallpaper_set || fail "the start-up rotation set no wallpaper: $(pixel 5 5)"

kill -TERM "$program_pid"
expect_clean_exit
expect_options 1 1

# LXDE's pcmanfm, nowhere on the PATH.
printf '#!/bin/sh\nXDG_CURRENT_DESKTOP=LXDE PATH=/nonexistent exec %q\n' "$program" \
    >"$scratch/lxde-without-pcmanfm"
chmod +x "$scratch/lxde-without-pcmanfm"
start_program "$scratch/lxde-without-pcmanfm"
failure_said() {
    grep -qE "^plimex: pcmanfm wallpaper: $scratch/pictures/[a-z]+\.bmp: pcmanfm is not installed$" \
        "$scratch/plimex.log"
}
wait_for 15 failure_said || fail "the failing wallpaper tool left no line on stderr"
kill -TERM "$program_pid"
expect_clean_exit
echo "PASS: window shown without a tray, wallpaper set at start-up, SIGTERM saved and ended;" \
    "a missing wallpaper tool said so on stderr"
