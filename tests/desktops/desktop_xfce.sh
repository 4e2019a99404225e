#!/bin/bash
# XFCE: xfwm4, xfdesktop and xfconfd draw the wallpaper; xfce4-panel's
# status tray holds the icon. Usage: desktop_xfce.sh PATH_TO_PLIMEX
source "$(dirname "${BASH_SOURCE[0]}")/desktop_session.sh"
export XDG_CURRENT_DESKTOP=XFCE DESKTOP_SESSION=xfce

start_xfce() {
    start_xvfb
    tell_bus_the_session
    # xfdesktop covers the screen only under a window manager.
    start_window_manager xfwm4 --sm-client-disable
    start_helper xfdesktop xfdesktop --sm-client-disable
}

last_images() { xfconf-query -c xfce4-desktop -l 2>/dev/null | grep '/last-image$'; }
desktop_ready() { last_images >/dev/null; }

# A user's own backdrop settings on every workspace of Xvfb's one monitor
# (xfdesktop names it "screen"), written before xfdesktop starts. Placement:
# 0 shows no picture, 1 centres it, 3 stretches it.
write_backdrop() {  # image style
    local channels=$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml workspace
    mkdir -p "$channels"
    {
        echo '<?xml version="1.0" encoding="UTF-8"?>'
        echo '<channel name="xfce4-desktop" version="1.0"><property name="backdrop" type="empty">'
        echo '<property name="screen0" type="empty"><property name="monitorscreen" type="empty">'
        for workspace in 0 1 2 3; do
            echo "<property name=\"workspace$workspace\" type=\"empty\">"
            echo "<property name=\"last-image\" type=\"string\" value=\"$scratch/start.bmp\"/>"
            echo "<property name=\"image-style\" type=\"int\" value=\"$1\"/></property>"
        done
        echo '</property></property></property></channel>'
    } >"$channels/xfce4-desktop.xml"
}

expect_every_image_style() {  # style
    local property style
    for property in $(last_images); do
        style=$(xfconf-query -c xfce4-desktop -p "${property%/last-image}/image-style")
        [ "$style" == "$1" ] || fail "${property%/last-image} has image-style $style, not $1"
    done
}

# A panel along the top holding only the notification area.
panel="${screen_width}x30+0+0"
configure_panel() {
    local channels=$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml
    mkdir -p "$channels"
    cat >"$channels/xfce4-panel.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="30"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
XML
}

# The user's own wallpaper first, then the program's in the user's own
# placement; its icon in the panel (a StatusNotifierItem: the panel is the
# watcher), and a real left click on it opens the window, which Cacher hides
# again. A real right click shows the program's menu as the panel draws it,
# whose items work.
ordinary() {
    configure_panel
    write_backdrop 1
    start_xfce
    start_helper xfce4-panel xfce4-panel --sm-client-disable
    expect_screen_shows "$start_colour" "xfdesktop did not draw the starting wallpaper"
    wait_for_still "$panel"
    take_screenshot "$scratch/before.png"
    expect_program_sets_picture
    expect_every_image_style 1
    expect_icon_in "$scratch/before.png" "$panel" "xfce4-panel"
    expect_left_click_opens_window $icon_spot
    expect_cacher_hides
    # Left of where the window shows, whose progress bar moves.
    expect_host_drawn_menu $icon_spot "280x300+0+30"
}

# A fresh home: xfdesktop's own first-start settings, then the program.
first_run() {
    start_xfce
    wait_for 10 desktop_ready || fail "xfdesktop wrote no backdrop settings"
    expect_program_sets_picture
}

# The first login's race: the program sets the wallpaper while xfconf holds no
# backdrop setting at all; xfdesktop, started after it, draws that bitmap.
before_the_desktop() {
    start_xvfb
    tell_bus_the_session
    start_program
    program_wrote() { last_images >/dev/null; }
    wait_for 10 program_wrote || fail "the program wrote no backdrop setting"
    xfconf-query -c xfce4-desktop -l -v >&2
    start_window_manager xfwm4 --sm-client-disable
    start_helper xfdesktop xfdesktop --sm-client-disable
    expect_screen_shows "$picture_colour" "xfdesktop did not draw the program's bitmap" 15
}

# A backdrop that shows only its colour would hide the picture: it is
# stretched instead.
colour_only() {
    write_backdrop 0
    start_xfce
    wait_for 10 desktop_window_shown xfdesktop || fail "xfdesktop drew no desktop"
    expect_program_sets_picture
    expect_every_image_style 3
}

bad_files() {
    write_backdrop 1
    start_xfce
    expect_screen_shows "$start_colour" "xfdesktop did not draw the starting wallpaper"
    expect_bad_files_refused text header-only
    last_images | xargs -n1 xfconf-query -c xfce4-desktop -p | grep -qx "$scratch/cwd/pics/picture.bmp" ||
        fail "xfconf was not given the picture's absolute path"
}

run_cases ordinary first_run before_the_desktop colour_only bad_files
