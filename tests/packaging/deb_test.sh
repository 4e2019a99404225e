#!/bin/bash
# The Debian package: lintian --pedantic finds nothing but the tags that
# packaging/README.md explains, the desktop entry and the AppStream file are
# valid, and the installed program works as a user meets it. Started by its
# desktop entry's Exec line on a private X display with a notification area,
# the first run shows its icon, lists the sample wallpapers and sets one, and
# writes Plimex.ini into the state folder when it quits; --autostart and
# --no-autostart write and remove a valid entry, which a session (openbox's
# XDG autostart) runs while the package is installed and skips once it is
# removed. Without a display it says so and fails, without a core dump.
#
# With CI=true the package is installed for real (apt), and removing it must
# leave nothing but the user's files. Elsewhere the extracted package is laid
# over /usr in a private mount namespace, so this machine is not changed.
# Usage: deb_test.sh PACKAGE.deb
source "$(dirname "$0")/../qt/x11_session.sh"
deb=$(realpath "$1")
root="$scratch/root"
home="$scratch/home"
samples=/usr/share/plimex/backgrounds
mkdir -p "$home" "$scratch/run"
chmod 700 "$scratch/run"

# Every tag down to the informational ones, but the one that
# packaging/README.md explains; the program calls checked functions instead.
lintian --pedantic --display-info --suppress-tags hardening-no-fortify-functions "$deb" \
    >"$scratch/lintian.log" 2>"$scratch/lintian.err" || fail "lintian failed: $(cat "$scratch/lintian.err")"
[ ! -s "$scratch/lintian.log" ] || fail "lintian: $(cat "$scratch/lintian.log")"
dpkg-deb -x "$deb" "$root"
[[ "$(nm -D "$root/usr/lib/plimex/plimex")" == *_chk@* ]] || fail "the program calls no checked function"
desktop-file-validate "$root/usr/share/applications/plimex.desktop" || fail "invalid desktop entry"
appstreamcli validate --pedantic --no-net "$root"/usr/share/metainfo/*.metainfo.xml \
    >"$scratch/appstream.log" || fail "AppStream: $(cat "$scratch/appstream.log")"
for size in 16 22 24 32 48 64 128 256; do
    icon="$root/usr/share/icons/hicolor/${size}x$size/apps/plimex.png"
    [ "$(identify -format '%wx%h' "$icon")" == "${size}x$size" ] || fail "no $size-pixel icon"
done

# A user's session: nothing of the caller's environment, the defaults of the
# XDG base directories.
as_user() {
    env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 DISPLAY="$DISPLAY" \
        XDG_RUNTIME_DIR="$scratch/run" DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/no-bus" \
        QT_QPA_PLATFORM=xcb "$@"
}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
if [ "${CI:-}" == "true" ]; then
    $sudo apt-get -o DPkg::Lock::Timeout=900 install -y -qq "$deb" >"$scratch/apt.log" 2>&1 ||
        fail "apt could not install the package"
    installed() { as_user "$@"; }
else
    namespace=(unshare --mount)
    [ -z "$sudo" ] || namespace+=(--map-root-user)
    installed() {
        as_user "${namespace[@]}" sh -c \
            'mount -t overlay overlay -o "lowerdir=$0/usr:/usr" /usr && exec "$@"' "$root" "$@"
    }
fi

start_display
start_trayer
version=$(dpkg-deb -f "$deb" Version)
[ "$(installed plimex --version)" == "Plimex 2000 $version" ] ||
    fail "plimex --version says: $(installed plimex --version)"
# No display at all, and one that is named but not there.
for display in "-u DISPLAY" DISPLAY=:99999; do
    installed env $display plimex >"$scratch/no-display.log" 2>&1 && status=0 || status=$?
    ((status != 0 && status < 128)) || fail "with env $display plimex ended with $status"
    grep -q '^plimex: start: .*no display could be opened' "$scratch/no-display.log" ||
        fail "without a display plimex said: $(cat "$scratch/no-display.log")"
done


exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/plimex.desktop")
installed sh -c "exec $exec_line" >"$scratch/plimex.log" 2>&1 &
program_pid=$!
helper_pids+=($program_pid)

icon_shown() { [ "$(icon_signature)" != "$empty_tray" ]; }
wait_for 30 icon_shown || fail "the tray icon did not appear"

# With the rotation on by default, the first run sets a random sample; on a
# bare X server the program keeps its path and draws it on the root window.
wallpaper_file="$home/.config/plimex/wallpaper"
wait_for 30 test -s "$wallpaper_file" || fail "no wallpaper was set"
wallpaper=$(cat "$wallpaper_file")
[[ "$wallpaper" == $samples/*.bmp && -f "$root$wallpaper" ]] || fail "the wallpaper is $wallpaper"
expected=$(convert "$root$wallpaper" -resize '1024x768!' -crop 1x1+20+20 -depth 8 txt:- |
    grep -o '#[0-9A-F]\{6\}')
shown=$(pixel 20 20)
close_colours() {
    local a b i
    for i in 1 3 5; do
        a=$((16#${1:i:2})) b=$((16#${2:i:2}))
        ((a - b <= 6 && b - a <= 6)) || return 1
    done
}
close_colours "$expected" "$shown" || fail "the root window shows $shown, the sample $expected"

icon_windows=$(visible_windows)
menu_open() { (($(visible_windows) > icon_windows)); }
xdotool mousemove "$tray_x" "$tray_y" click 3
wait_for 10 menu_open || fail "a right click on the icon opened no menu"
sleep 0.3
xdotool key q
expect_clean_exit
options=$(cat "$home/.local/state/plimex/Plimex.ini") || fail "no Plimex.ini in the state folder"
[ "$options" == "$(printf '[options]\r\nRep=%s/\r\nTps=1\r\nEtat=1\r\n' "$samples")" ] ||
    fail "Plimex.ini holds: $options"

autostart="$home/.config/autostart/plimex.desktop"
installed plimex --autostart >/dev/null || fail "--autostart failed"
desktop-file-validate "$autostart" || fail "invalid autostart entry"
grep -qx 'Exec=/usr/bin/plimex' "$autostart" || fail "the autostart entry runs $(grep ^Exec "$autostart")"
# The entry as openbox's XDG autostart lists it: "[*]" runs, "[ ]" skipped.
xdg_autostart=$(dpkg -L openbox | grep '/openbox-xdg-autostart$')
autostart_mark() {  # [installed]
    "$@" env XDG_CONFIG_HOME="$home/.config" XDG_CONFIG_DIRS="$scratch/none" "$xdg_autostart" --list |
        sed -n 's/^\(\[.\]\) Plimex 2000$/\1/p'
}
[ "$(autostart_mark installed)" == "[*]" ] || fail "a session would not start the installed program"
installed plimex --no-autostart >/dev/null || fail "--no-autostart failed"
[ ! -e "$autostart" ] || fail "--no-autostart left the entry"
# Left for the removal: the package must not touch the home folder.
installed plimex --autostart >/dev/null || fail "--autostart failed"

if [ "${CI:-}" == "true" ]; then
    mapfile -t packaged < <(dpkg -L plimex)
    # dpkg -r, through apt to wait for dpkg's lock.
    $sudo apt-get -o DPkg::Lock::Timeout=900 remove -y -qq plimex >"$scratch/dpkg.log" 2>&1 ||
        fail "removing the package failed"
    for path in "${packaged[@]}"; do
        [[ -d "$path" && "$path" != */plimex* ]] || [ ! -e "$path" ] || fail "removing the package left $path"
    done
    [ -f "$home/.local/state/plimex/Plimex.ini" ] || fail "removing the package removed the user's settings"
fi
# Here the package is removed, or (outside the private mount) never installed.
if [ "${CI:-}" == "true" ] || [ ! -e /usr/bin/plimex ]; then
    [ "$(autostart_mark)" == "[ ]" ] ||
        fail "a session still starts the removed program: $(grep ^Exec "$autostart")"
else
    echo "SKIPPED: a session skips the autostart entry of a removed package (plimex is installed here)"
fi
echo "PASS: package valid; --version; no display reported; first run from the menu entry showed the" \
    "icon, set $wallpaper, saved Plimex.ini; autostart on and off, skipped once removed"
