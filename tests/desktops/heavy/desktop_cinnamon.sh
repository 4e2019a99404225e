#!/bin/bash
# Cinnamon 5.6 on Xvfb (software GL): cinnamon-session starts the session as
# at a login; csd-background draws org.cinnamon.desktop.background on the
# root window, which cinnamon (muffin) shows; xapp-sn-watcher hands the
# program's StatusNotifierItem to the panel's XApp status applet. Heavy: run by tools/test-desktops, not tools/test.
# Usage: desktop_cinnamon.sh PATH_TO_PLIMEX
source "$(dirname "${BASH_SOURCE[0]}")/../desktop_session.sh"
export XDG_CURRENT_DESKTOP=X-Cinnamon DESKTOP_SESSION=cinnamon XDG_SESSION_TYPE=x11 \
    LIBGL_ALWAYS_SOFTWARE=1

# csd-background draws only once cinnamon-session says the session runs, so
# the session manager itself is started, not its parts one by one.
background_drawn() { xprop -root _XROOTPMAP_ID 2>/dev/null | grep -q 'pixmap id'; }
panel_tray_ready() { grep -q 'Loaded applet xapp-status@cinnamon.org' "$scratch/cinnamon-session.log"; }

start_cinnamon() {
    start_xvfb
    # The session manager and the settings daemons ask logind and the like.
    start_system_bus
    tell_bus_the_session
    start_helper cinnamon-session cinnamon-session --session cinnamon
    wait_for 60 background_drawn || fail "csd-background drew no background"
    wait_for 30 window_manager_running || fail "cinnamon did not take the display"
}

set_background() {  # path
    gsettings set org.cinnamon.desktop.background picture-options zoom
    gsettings set org.cinnamon.desktop.background picture-uri "file://$1"
}

# The default panel along the bottom: its status icons, left of the printer
# and network icons and the clock, which the new icon does not move.
tray="416x40+500+728"

# The user's own wallpaper first, then the program's; its icon in the panel,
# and a real left click on it opens the window, which Cacher hides again. A
# real right click shows the program's menu as the panel draws it, whose
# items work.
ordinary() {
    start_cinnamon
    set_background "$scratch/start.bmp"
    expect_screen_shows "$start_colour" "Cinnamon did not draw the starting wallpaper" 20
    wait_for 30 panel_tray_ready || fail "the panel loaded no status applet"
    wait_for_still "$tray"
    take_screenshot "$scratch/before.png"
    expect_program_sets_picture 20
    expect_icon_in "$scratch/before.png" "$tray" "Cinnamon's panel"
    expect_left_click_opens_window $icon_spot
    expect_cacher_hides
    expect_host_drawn_menu $icon_spot "624x328+400+400"
}

# A fresh home: Cinnamon's own default background, then the program.
first_run() {
    start_cinnamon
    expect_program_sets_picture 20
}

run_cases ordinary first_run
