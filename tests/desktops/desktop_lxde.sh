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

# A panel along the bottom holding only the notification area, whose icons
# start at its left end.
panel="${screen_width}x26+0+$((screen_height - 26))"
configure_panel() {
    mkdir -p "$XDG_CONFIG_HOME/lxpanel/plimex/panels"
    printf 'Global {\nedge=bottom\nheight=26\nwidthtype=percent\nwidth=100\n}\nPlugin {\ntype=tray\n}\n' \
        >"$XDG_CONFIG_HOME/lxpanel/plimex/panels/panel"
}

# The user's own wallpaper first, then the program's in the user's own
# placement; its icon in the panel, and a real right click on it opens the
# menu.
ordinary() {
    configure_panel
    mkdir -p "$XDG_CONFIG_HOME/pcmanfm/LXDE"
    printf '[*]\nwallpaper_mode=center\nwallpaper=%s\n' "$scratch/start.bmp" \
        >"$XDG_CONFIG_HOME/pcmanfm/LXDE/desktop-items-0.conf"
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

# The panel's left end, where the icon sits, against its empty middle.
panel_shows_icon() {
    local y=$((screen_height - 25))
    take_screenshot "$scratch/panel.png"
    [ "$(convert "$scratch/panel.png" -crop "24x24+0+$y" +repage rgb:- | md5sum)" != \
        "$(convert "$scratch/panel.png" -crop "24x24+$((screen_width / 2))+$y" +repage rgb:- | md5sum)" ]
}

# The login race: the program starts before lxpanel, the only notification
# area. Its window shows for lack of one; the icon comes as soon as the panel
# does, and again when the panel is restarted; the window stays.
panel_after_program() {
    configure_panel
    start_lxde
    start_program
    wait_for 10 main_window_shown || fail "the window did not show without a notification area"
    sleep 1
    start_helper lxpanel lxpanel --profile plimex
    wait_for 10 panel_shows_icon || fail "no icon appeared in lxpanel started after the program"
    main_window_shown || fail "the window shown for lack of a notification area went away"
    kill "${helper_pids[-1]}"
    panel_gone() { ! panel_shows_icon; }
    wait_for 5 panel_gone || fail "lxpanel did not end"
    start_helper lxpanel-again lxpanel --profile plimex
    wait_for 10 panel_shows_icon || fail "no icon appeared in lxpanel started again"
    expect_right_click_opens_menu 12 $((screen_height - 13))
}

bad_files() {
    local settings=$XDG_CONFIG_HOME/pcmanfm/LXDE/desktop-items-0.conf
    mkdir -p "${settings%/*}"
    printf '[*]\nwallpaper_mode=center\nwallpaper=%s\n' "$scratch/start.bmp" >"$settings"
    start_lxde
    expect_screen_shows "$start_colour" "pcmanfm did not draw the starting wallpaper"
    expect_bad_files_refused text header-only line-break
    ! grep -q '^wallpaper_mode=color' "$settings" || fail "a file name became a pcmanfm setting"
}

run_cases ordinary first_run panel_after_program bad_files
