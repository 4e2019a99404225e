#!/bin/bash
# MATE: marco, and caja drawing the desktop from org.mate.background (dconf).
# Usage: desktop_mate.sh PATH_TO_PLIMEX
source "$(dirname "${BASH_SOURCE[0]}")/desktop_session.sh"
export XDG_CURRENT_DESKTOP=MATE DESKTOP_SESSION=mate

start_mate() {
    start_xvfb
    tell_bus_the_session
    # marco first: caja covers the screen only under a window manager.
    start_window_manager marco --sm-disable
    # caja draws no desktop for root unless forced to.
    start_helper caja caja -n --force-desktop
    wait_for 10 desktop_window_shown caja || fail "caja drew no desktop"
}

# The user's own wallpaper first, then the program's in the user's own
# placement.
ordinary() {
    start_mate
    gsettings set org.mate.background picture-options centered
    gsettings set org.mate.background picture-filename "$scratch/start.bmp"
    expect_screen_shows "$start_colour" "caja did not draw the starting wallpaper"
    expect_program_sets_picture
    [ "$(gsettings get org.mate.background picture-options)" == "'centered'" ] ||
        fail "the user's placement was not kept"
}

# A fresh home: MATE's own gradient, then the program.
first_run() {
    start_mate
    expect_program_sets_picture
}

run_cases ordinary first_run
