#!/bin/bash
# KDE Plasma 5.27 on Xvfb (software GL): kwin_x11 and plasmashell draw the
# wallpaper that the program hands to plasmashell's scripting interface;
# Plasma's system tray holds the icon. Heavy: run by tools/test-desktops, not
# tools/test. Usage: desktop_plasma.sh PATH_TO_PLIMEX
source "$(dirname "${BASH_SOURCE[0]}")/../desktop_session.sh"
export XDG_CURRENT_DESKTOP=KDE DESKTOP_SESSION=plasma XDG_SESSION_TYPE=x11 \
    KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 LIBGL_ALWAYS_SOFTWARE=1

shell_script() { qdbus org.kde.plasmashell /PlasmaShell org.kde.PlasmaShell.evaluateScript "$1" 2>/dev/null; }
desktop_ready() { (($(shell_script 'print(desktops().length)' || echo 0) >= 1)); }

start_plasma() {
    start_xvfb
    tell_bus_the_session
    # Without compositing the panel is opaque, so the icon is the only change
    # in it when the wallpaper changes under it.
    KWIN_COMPOSE=N start_window_manager kwin_x11 --replace
    start_helper plasmashell plasmashell --no-respawn
    wait_for 60 desktop_ready || fail "plasmashell did not make its desktop"
}

# The default panel along the bottom: its system tray left of the keyboard
# layout indicator, which the new icon pushes aside by a pixel.
tray="300x44+530+724"

# The user's own wallpaper, set with Plasma's own tool, then the program's; its
# icon in the system tray (a StatusNotifierItem host); a real left click on
# it opens the window, which Cacher hides again; a real right click shows the
# program's menu as Plasma draws it from the exported one, whose items work.
ordinary() {
    start_plasma
    plasma-apply-wallpaperimage "$scratch/start.bmp" >"$scratch/apply.log" 2>&1 ||
        fail "plasma-apply-wallpaperimage failed"
    expect_screen_shows "$start_colour" "Plasma did not draw the starting wallpaper"
    wait_for_still "$tray"
    take_screenshot "$scratch/before.png"
    expect_program_sets_picture 40
    expect_icon_in "$scratch/before.png" "$tray" "Plasma's system tray"
    expect_left_click_opens_window $icon_spot
    expect_cacher_hides
    expect_host_drawn_menu $icon_spot "500x330+524+394"
}

# A fresh home: Plasma's own default wallpaper, then the program.
first_run() {
    start_plasma
    expect_program_sets_picture 40
}

run_cases ordinary first_run
