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

# mate-panel's default layout: a panel along the top whose notification
# area (an XEmbed tray and a StatusNotifierItem host) sits at its right end.
panel="${screen_width}x24+0+0"

# The user's own wallpaper first, then the program's in the user's own
# placement; its icon in mate-panel's notification area, whose real right
# click shows the program's menu as the panel draws it.
ordinary() {
    start_mate
    gsettings set org.mate.background picture-options centered
    gsettings set org.mate.background picture-filename "$scratch/start.bmp"
    start_helper mate-panel mate-panel
    expect_screen_shows "$start_colour" "caja did not draw the starting wallpaper"
    wait_for_still "$panel"
    take_screenshot "$scratch/before.png"
    expect_program_sets_picture
    expect_icon_in "$scratch/before.png" "$panel" "mate-panel"
    expect_host_drawn_menu $icon_spot "400x300+$((screen_width - 400))+24"
    [ "$(gsettings get org.mate.background picture-options)" == "'centered'" ] ||
        fail "the user's placement was not kept"
}

# A fresh home: MATE's own gradient, then the program.
first_run() {
    start_mate
    expect_program_sets_picture
}

run_cases ordinary first_run
