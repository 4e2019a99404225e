#!/bin/bash
# GNOME Shell 43 on Xvfb (software GL) draws the background from
# org.gnome.desktop.background. Heavy: run by tools/test-desktops, not
# tools/test. Usage: desktop_gnome.sh PATH_TO_PLIMEX
source "$(dirname "${BASH_SOURCE[0]}")/../desktop_session.sh"
export XDG_CURRENT_DESKTOP=GNOME DESKTOP_SESSION=gnome XDG_SESSION_TYPE=x11 LIBGL_ALWAYS_SOFTWARE=1

shell_started() { grep -q "GNOME Shell started" "$scratch/gnome-shell.log"; }

start_gnome() {
    start_xvfb
    # The shell asks logind for itself on the system bus.
    start_system_bus
    tell_bus_the_session
    start_helper gnome-shell gnome-shell --x11 --replace --sm-disable
    wait_for 60 shell_started || fail "GNOME Shell did not start"
    # It starts in the overview.
    sleep 1
    xdotool key Escape
}

set_background() {  # path
    gsettings set org.gnome.desktop.background picture-options zoom
    gsettings set org.gnome.desktop.background picture-uri "file://$1"
    gsettings set org.gnome.desktop.background picture-uri-dark "file://$1"
}

# The user's own wallpaper first, then the program's.
ordinary() {
    start_gnome
    set_background "$scratch/start.bmp"
    expect_screen_shows "$start_colour" "GNOME Shell did not draw the starting wallpaper" 20
    expect_program_sets_picture 40
}

# A fresh home: GNOME's own default background, then the program.
first_run() {
    start_gnome
    expect_program_sets_picture 40
}

run_cases ordinary first_run
