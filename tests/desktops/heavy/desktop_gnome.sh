#!/bin/bash
# GNOME Shell 43 on Xvfb (software GL) draws the background from
# org.gnome.desktop.background. Heavy: run by tools/test-desktops, not
# tools/test. Usage: desktop_gnome.sh PATH_TO_PLIMEX
source "$(dirname "${BASH_SOURCE[0]}")/../desktop_session.sh"
export XDG_CURRENT_DESKTOP=GNOME DESKTOP_SESSION=gnome XDG_SESSION_TYPE=x11 LIBGL_ALWAYS_SOFTWARE=1
# Stock GNOME has no notification area, so the window shows: the check point
# under the middle of the screen sits below the window's drop shadow, which
# reaches it while the window has the focus.
check_points[3]="512,740"

start_gnome() {  # [what to do before the shell starts]
    start_xvfb
    # The shell asks logind for itself on the system bus.
    start_system_bus
    tell_bus_the_session
    "${@:-true}"
    start_shell gnome-shell
}

start_shell() {  # name of its log
    local log=$scratch/$1.log
    start_helper "$1" gnome-shell --x11 --replace --sm-disable
    shell_started() { grep -q "GNOME Shell started" "$log"; }
    wait_for 60 shell_started || fail "GNOME Shell did not start"
    # It starts in the overview.
    sleep 1
    xdotool key Escape
}

# The AppIndicator extension (what Ubuntu's GNOME has) gives the shell a
# StatusNotifierItem host; it shows an item only once it has a menu.
use_appindicator_extension() {
    gsettings set org.gnome.shell enabled-extensions "['ubuntu-appindicators@ubuntu.com']"
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

# A fresh home: GNOME's own default background, then the program. Stock
# GNOME has no notification area: the window shows, and Cacher minimizes it.
first_run() {
    start_gnome
    expect_program_sets_picture 40
    expect_cacher_minimizes
}

# The right of the top bar, where the extension puts the icons; the clock in
# the middle changes by itself.
top_bar_right="400x30+$((screen_width - 400))+0"

# The icon's own picture where it was before the restart (the extension shows
# three dots there for an item it does not count as ready).
icon_back_at() {  # x, y
    take_screenshot "$scratch/back.png"
    [ -z "$(changed_box "$scratch/icon.png" "$scratch/back.png" "20x20+$(($1 - 10))+$(($2 - 10))")" ]
}

# With the extension: the icon in the top bar; after a restart of the shell
# it comes back. A real right click then shows the program's menu as the
# shell draws it, whose items work.
appindicator() {
    start_gnome use_appindicator_extension
    wait_for_still "$top_bar_right"
    take_screenshot "$scratch/before.png"
    expect_program_sets_picture 40
    expect_icon_in "$scratch/before.png" "$top_bar_right" "the top bar"
    cp "$scratch/after.png" "$scratch/icon.png"
    start_shell gnome-shell-again
    wait_for 20 icon_back_at $icon_spot || fail "the icon did not come back after a restart of the shell"
    wait_for_still "$top_bar_right"
    # Right of the notifications that the shell shows at the top.
    expect_host_drawn_menu $icon_spot "260x300+$((screen_width - 260))+30"
}

# The login race: the program starts before the shell; its window shows for
# lack of a notification area, the icon comes once the shell is up, and
# Cacher then hides the window; the shell draws the program's menu.
program_before_shell() {
    start_xvfb
    start_system_bus
    tell_bus_the_session
    use_appindicator_extension
    start_program
    wait_for 10 main_window_shown || fail "the window did not show without a notification area"
    start_shell gnome-shell
    wait_for 20 colourful_spot_in_top_bar || fail "no icon of the program's in the top bar"
    expect_cacher_hides
    wait_for_still "$top_bar_right"
    expect_host_drawn_menu $icon_spot "260x300+$((screen_width - 260))+30"
}

# The bar and the shell's own icons are grey; the program's icon is not.
colourful_spot_in_top_bar() {
    local box
    take_screenshot "$scratch/bar.png"
    box=$(convert "$scratch/bar.png" -crop "$top_bar_right" +repage -colorspace HSL -channel G \
        -separate +channel -threshold 50% -format '%@' info:)
    [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] && ((BASH_REMATCH[1] > 0)) || return 1
    icon_spot="$((screen_width - 400 + BASH_REMATCH[3] + BASH_REMATCH[1] / 2)) $((BASH_REMATCH[4] + BASH_REMATCH[2] / 2))"
}

run_cases ordinary first_run appindicator program_before_shell
