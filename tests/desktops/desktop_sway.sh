#!/bin/bash
# sway, headless: sway runs swaybg for the wallpaper; swaybar hosts the
# StatusNotifierItems itself, so the icon takes its real D-Bus path.
# sway refuses to run as root: the cases run as nobody.
# Usage: desktop_sway.sh PATH_TO_PLIMEX
source "$(dirname "${BASH_SOURCE[0]}")/desktop_session.sh"
run_as_nobody
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION DISPLAY
export QT_QPA_PLATFORM=wayland

# sway with the given configuration file, or the system's one (a user's
# first start) without.
start_sway() {  # [configuration file]
    local config=(${1:+-c "$1"})
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        start_helper sway sway "${config[@]}"
    sway_ready() {
        compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock" >/dev/null &&
            compgen -G "$XDG_RUNTIME_DIR/wayland-[0-9]" >/dev/null
    }
    wait_for 10 sway_ready || fail "sway did not start"
    SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock")
    WAYLAND_DISPLAY=$(basename "$(compgen -G "$XDG_RUNTIME_DIR/wayland-[0-9]")")
    export SWAYSOCK WAYLAND_DISPLAY
    tell_bus_the_session
    screenshot_command=(grim)
    read -r screen_width screen_height < <(swaymsg -t get_outputs -r | python3 -c \
        'import json, sys; mode = json.load(sys.stdin)[0]["current_mode"]; print(mode["width"], mode["height"])')
    check_points=("40,$((screen_height / 2))" "$((screen_width / 2)),120"
        "$((screen_width - 40)),$((screen_height / 2))" "$((screen_width / 2)),$((screen_height - 100))")
}

write_config() {  # bar: sway starts swaybar; late-bar: the test starts it; waybar: no swaybar
    {
        echo "output HEADLESS-1 resolution ${screen_width}x${screen_height}"
        echo "output * bg $scratch/start.bmp stretch"
        if [ "${1:-}" != "waybar" ]; then
            printf 'bar {\n  id top\n  position top\n  tray_output *\n'
            [ "${1:-}" != "late-bar" ] || echo "  swaybar_command true"
            echo "}"
        fi
    } >"$scratch/config"
}

bar="${screen_width}x24+0+0"

# Headless sway has no pointer: wayvnc (listening on a socket of this case
# only) gives the seat a virtual one, which sway's own cursor commands move
# and click, so the bar gets a real click.
pointer_click() {  # button, x, y
    if ! seat_has_pointer; then
        start_helper wayvnc wayvnc --unix-socket "$XDG_RUNTIME_DIR/vnc.sock"
        wait_for 10 seat_has_pointer || fail "wayvnc gave the seat no pointer"
    fi
    swaymsg -q "seat - cursor set $2 $3" && sleep 0.2 && swaymsg -q "seat - cursor press button$1" &&
        swaymsg -q "seat - cursor release button$1"
}
seat_has_pointer() { swaymsg -t get_seats -r | grep -q '"type": "pointer"'; }
click_at() { pointer_click 1 "$@"; }

# The user's own wallpaper first, then the program's; its icon in swaybar. A
# real right click on it opens the program's menu, which a click beside it
# closes; a real left click opens the window; Quitter picked from the menu
# quits.
ordinary() {
    write_config
    start_sway "$scratch/config"
    expect_screen_shows "$start_colour" "swaybg did not draw the starting wallpaper"
    wait_for_still "$bar"
    take_screenshot "$scratch/before.png"
    expect_program_sets_picture
    expect_icon_in "$scratch/before.png" "$bar" "swaybar"
    ! window_shown || fail "the window showed before the click"
    expect_own_menu_floats $icon_spot
    pointer_click 1 100 $((screen_height - 100))
    menu_gone() { [ -z "$(floating_menu)" ]; }
    wait_for 5 menu_gone || fail "a click beside the menu did not close it"
    click_at $icon_spot
    wait_for 5 window_shown || fail "a left click on the icon at $icon_spot opened no window"
    expect_own_menu_floats $icon_spot
    pointer_click 1 $((menu[0] + menu[2] / 2)) $((menu[1] + menu[3] * 5 / 6))
    wait_for 5 program_ended || fail "Quitter picked from the program's menu did not end it"
}

# The program's own menu, as a window of the program's that sway floats:
# "X Y WIDTH HEIGHT" of its content on the screen.
floating_menu() {
    swaymsg -t get_tree -r | PID=$program_pid python3 -c 'import json, os, sys
def menus(node, floating):
    if node.get("pid") == int(os.environ["PID"]) and node.get("name") != "Plimex 2000":
        r, w = node["rect"], node["window_rect"]
        yield floating, r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"]
    for child in node.get("nodes", []):
        yield from menus(child, floating)
    for child in node.get("floating_nodes", []):
        yield from menus(child, True)
for floating, x, y, width, height in menus(json.load(sys.stdin), False):
    print(x, y, width, height) if floating else print("tiled", width, height)'
}

# swaybar asks the item itself for its menu (ContextMenu): a real right click
# on the icon opens the program's own menu, not tiled over the workspace but
# floating at its own size, at the click as a popup menu would be: within
# 50 px of it, below the bar. Its place on the screen is kept in menu.
menu=()
expect_own_menu_floats() {  # x, y of the icon
    pointer_click 3 "$1" "$2"
    menu_shown() { read -r -a menu < <(floating_menu) && ((${#menu[@]} > 0)); }
    wait_for 5 menu_shown || fail "a right click on the icon at $1,$2 opened no menu"
    [ "${menu[0]}" != tiled ] || fail "the menu was tiled over the workspace (${menu[*]})"
    ((menu[2] < 300 && menu[3] < 200)) || fail "the menu is ${menu[2]}x${menu[3]}"
    # sway places it once it knows its size.
    local placed=""
    menu_placed() { [ "$placed" == "${menu[*]}" ] || { placed=${menu[*]} && sleep 0.2 && menu_shown && false; }; }
    wait_for 5 menu_placed || fail "the menu kept moving"
    local dx=$((menu[0] > $1 ? menu[0] - $1 : $1 - menu[0] - menu[2]))
    local dy=$((menu[1] > $2 ? menu[1] - $2 : $2 - menu[1] - menu[3]))
    echo "menu at ${menu[*]} for a click at $1,$2" >&2
    ((dx <= 50 && dy <= 50 && menu[1] >= 24)) || fail "the menu (${menu[*]}) is not at the click at $1,$2"
}

# waybar instead of swaybar: a bar along the top holding only its tray (a
# StatusNotifierItem host and watcher that draws the item's exported menu);
# a real right click shows the program's menu as waybar draws it.
waybar_tray() {
    write_config waybar
    mkdir -p "$XDG_CONFIG_HOME/waybar"
    echo '{"layer": "top", "position": "top", "height": 24, "modules-left": ["tray"]}' \
        >"$XDG_CONFIG_HOME/waybar/config"
    # Opaque: the default style lets the wallpaper through.
    echo '* { background: #404040; }' >"$XDG_CONFIG_HOME/waybar/style.css"
    start_sway "$scratch/config"
    start_helper waybar waybar

    expect_screen_shows "$start_colour" "swaybg did not draw the starting wallpaper"
    wait_for_still "$bar"
    take_screenshot "$scratch/before.png"
    expect_program_sets_picture
    expect_icon_in "$scratch/before.png" "$bar" "waybar"
    expect_host_drawn_menu $icon_spot "400x300+0+24"
}

# A fresh home: the system's sway configuration, then the program.
first_run() {
    start_sway
    sleep 1
    expect_program_sets_picture
}

# A home whose name holds '@', as accounts of SSSD or Active Directory have:
# sway would expand such a path, so the program's link must live elsewhere.
home_with_at() {
    use_home "$scratch/user@example.org"
    write_config
    start_sway "$scratch/config"
    expect_screen_shows "$start_colour" "swaybg did not draw the starting wallpaper"
    expect_program_sets_picture
}

# The bar's right end, where its tray draws the icon, against its empty middle.
bar_shows_icon() {
    take_screenshot "$scratch/bar.png"
    [ "$(convert "$scratch/bar.png" -crop "24x24+$((screen_width - 26))+0" +repage rgb:- | md5sum)" != \
        "$(convert "$scratch/bar.png" -crop "24x24+$((screen_width / 2))+0" +repage rgb:- | md5sum)" ]
}

window_shown() {
    swaymsg -t get_tree -r | python3 -c 'import json, sys
def shown(node):
    return (node.get("name") == "Plimex 2000" and node.get("visible")) or any(
        shown(child) for child in node.get("nodes", []) + node.get("floating_nodes", []))
sys.exit(0 if shown(json.load(sys.stdin)) else 1)'
}

main_window_shown() { window_shown; }

# The login race: the program starts before swaybar, the only notification
# area. Its window shows for lack of one; the icon comes as soon as swaybar
# does, and again when swaybar is restarted; the window stays.
bar_after_program() {
    write_config late-bar
    start_sway "$scratch/config"
    start_program
    wait_for 10 window_shown || fail "the window did not show without a notification area"
    sleep 1
    start_helper swaybar swaybar -b top
    wait_for 10 bar_shows_icon || fail "no icon appeared in swaybar started after the program"
    window_shown || fail "the window shown for lack of a notification area went away"
    kill "${helper_pids[-1]}"
    bar_gone() { ! bar_shows_icon; }
    wait_for 5 bar_gone || fail "swaybar did not end"
    start_helper swaybar-again swaybar -b top
    wait_for 10 bar_shows_icon || fail "no icon appeared in swaybar started again"
}

run_cases ordinary first_run home_with_at bar_after_program waybar_tray
