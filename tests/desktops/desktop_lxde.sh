#!/bin/bash
# LXDE: openbox, and pcmanfm drawing the desktop; lxpanel's notification area
# holds the icon. Usage: desktop_lxde.sh PATH_TO_PLIMEX
source "$(dirname "${BASH_SOURCE[0]}")/desktop_session.sh"
export XDG_CURRENT_DESKTOP=LXDE DESKTOP_SESSION=LXDE

start_lxde() {
    start_xvfb
    tell_bus_the_session
    start_window_manager openbox
    start_helper pcmanfm pcmanfm --desktop --profile LXDE
    wait_for 10 desktop_window_shown pcmanfm || fail "pcmanfm drew no desktop"
}

panel="${screen_width}x26+0+$((screen_height - 26))"

# The user's own wallpaper first, then the program's in the user's own
# placement; its icon in the panel, and a real right click on it opens the
# menu.
ordinary() {
    mkdir -p "$XDG_CONFIG_HOME/pcmanfm/LXDE" "$XDG_CONFIG_HOME/lxpanel/plimex/panels"
    printf '[*]\nwallpaper_mode=center\nwallpaper=%s\n' "$scratch/start.bmp" \
        >"$XDG_CONFIG_HOME/pcmanfm/LXDE/desktop-items-0.conf"
    # A panel along the bottom holding only the notification area.
    printf 'Global {\nedge=bottom\nheight=26\nwidthtype=percent\nwidth=100\n}\nPlugin {\ntype=tray\n}\n' \
        >"$XDG_CONFIG_HOME/lxpanel/plimex/panels/panel"
    start_lxde
    start_helper lxpanel lxpanel --profile plimex
    expect_screen_shows "$start_colour" "pcmanfm did not draw the starting wallpaper"
    wait_for_still "$panel"
    take_screenshot "$scratch/before.png"
    expect_program_sets_picture
    expect_icon_in "$scratch/before.png" "$panel" "lxpanel"
    expect_right_click_opens_menu $icon_spot
    grep -qx wallpaper_mode=center "$XDG_CONFIG_HOME/pcmanfm/LXDE/desktop-items-0.conf" ||
        fail "the user's wallpaper mode was not kept"
}

# A fresh home: pcmanfm's own defaults, then the program.
first_run() {
    start_lxde
    expect_program_sets_picture
}

run_cases ordinary first_run
