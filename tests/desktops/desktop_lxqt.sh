#!/bin/bash
# LXQt: openbox, and pcmanfm-qt drawing the desktop.
# Usage: desktop_lxqt.sh PATH_TO_PLIMEX
source "$(dirname "${BASH_SOURCE[0]}")/desktop_session.sh"
# As startlxqt sets them: pcmanfm-qt finds its LXQt profile under /usr/share.
export XDG_CURRENT_DESKTOP=LXQt DESKTOP_SESSION=lxqt XDG_CONFIG_DIRS=/etc:/etc/xdg:/usr/share

start_lxqt() {
    start_xvfb
    tell_bus_the_session
    start_window_manager openbox
    start_helper pcmanfm-qt pcmanfm-qt --desktop --profile=lxqt
    wait_for 10 desktop_window_shown pcmanfm-qt || fail "pcmanfm-qt drew no desktop"
}

write_settings() {  # wallpaper mode
    settings=$XDG_CONFIG_HOME/pcmanfm-qt/lxqt/settings.conf
    mkdir -p "$(dirname "$settings")"
    printf '[Desktop]\nWallpaperMode=%s\nWallpaper=%s\nBgColor=#000000\n' "$1" "$scratch/start.bmp" \
        >"$settings"
}

expect_mode() {  # wallpaper mode
    grep -qx "WallpaperMode=$1" "$settings" ||
        fail "the wallpaper mode is $(grep WallpaperMode "$settings"), not $1"
}

# A panel along the top holding only the status notifier area.
panel="${screen_width}x32+0+0"
configure_panel() {
    mkdir -p "$XDG_CONFIG_HOME/lxqt"
    printf '[General]\n__userfile__=true\n[panel1]\nplugins=statusnotifier\nposition=Top\npanelSize=32\n[statusnotifier]\ntype=statusnotifier\nalignment=Left\n' \
        >"$XDG_CONFIG_HOME/lxqt/panel.conf"
}

# The user's own wallpaper first, then the program's, in the user's own
# placement; its icon in lxqt-panel (a StatusNotifierItem host), whose real
# right click shows the program's menu as the panel draws it.
ordinary() {
    write_settings center
    configure_panel
    start_lxqt
    start_helper lxqt-panel lxqt-panel
    expect_screen_shows "$start_colour" "pcmanfm-qt did not draw the starting wallpaper"
    wait_for_still "$panel"
    take_screenshot "$scratch/before.png"
    expect_program_sets_picture
    expect_mode center
    expect_icon_in "$scratch/before.png" "$panel" "lxqt-panel"
    expect_host_drawn_menu $icon_spot "400x300+0+32"
}

# A desktop that shows only its colour would hide the picture: it is
# stretched instead. (pcmanfm-qt 1.2 applies a mode given on its command line
# but saves the old one, so the file is not checked.)
colour_only() {
    write_settings none
    start_lxqt
    expect_screen_shows "#000000" "pcmanfm-qt did not draw the plain colour"
    expect_program_sets_picture
}

# A fresh home: LXQt's own defaults, then the program.
first_run() {
    start_lxqt
    expect_program_sets_picture
}

run_cases ordinary first_run colour_only
