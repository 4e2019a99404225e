# Shared by the desktop suites: each case runs in a session of its own (a
# private session bus from dbus-run-session, a private display, a fresh home),
# starts the desktop's real programs, runs Plimex 2000 with its rotation on and
# a folder of one bitmap, and looks at the screen.
#
# A suite sources this file with the program's path as its argument, defines
# its cases as functions and ends with `run_cases CASE...`.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/xvfb.sh"

program=$(realpath "$1")
suite=$(basename "$0" .sh)

# The known starting wallpaper, and the one bitmap of the program's folder.
# Both fill the screen, so that any placement shows only their colour.
readonly start_colour="#2E8B57"
readonly picture_colour="#D2691E"
screen_width=1024
screen_height=768
# Points around the middle, where the program's own window (shown when no
# notification area exists), the desktop's icons and the panels never are.
check_points=("40,520" "980,60" "980,400" "512,700")

# Runs each case in a session of its own (or those PLIMEX_CASES names);
# prints the time each took.
run_cases() {
    if [ -n "${PLIMEX_DESKTOP_CASE:-}" ]; then
        enter_case
        "$PLIMEX_DESKTOP_CASE"
        exit 0
    fi
    local case_name started failed=()
    for case_name in ${PLIMEX_CASES:-$@}; do
        started=$(date +%s%N)
        if PLIMEX_DESKTOP_CASE=$case_name "${session_user_prefix[@]}" \
            dbus-run-session -- "$0" "$program"; then
            echo "PASS: $suite $case_name ($(elapsed_since "$started") s)"
        else
            echo "FAIL: $suite $case_name ($(elapsed_since "$started") s)"
            failed+=("$case_name")
        fi
    done
    [ ${#failed[@]} -eq 0 ] || exit 1
}
session_user_prefix=()
# Runs the cases as an ordinary user (sway refuses to run as root).
run_as_nobody() {
    if [ "$(id -u)" -eq 0 ]; then
        session_user_prefix=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
}

elapsed_since() { printf '%d.%d' $((($(date +%s%N) - $1) / 1000000000)) $((($(date +%s%N) - $1) / 100000000 % 10)); }

enter_case() {
    scratch=$(mktemp -d)
    helper_pids=()
    trap leave_case EXIT
    use_home "$scratch/home"
    mkdir -p "$scratch/pictures" "$scratch/cwd"
    make_bitmap "$start_colour" "$scratch/start.bmp"
    make_bitmap "$picture_colour" "$scratch/pictures/picture.bmp"
    write_options "$scratch/pictures/"
}

# The program's options: rotation on, the given folder.
write_options() {  # folder
    printf '[options]\r\nRep=%s\r\nTps=1\r\nEtat=1\r\n' "$1" >"$scratch/cwd/Plimex.ini"
}

# Helpers get a moment to end on SIGTERM (a shell whose display went first
# may not), then SIGKILL.
leave_case() {
    local index watchdog
    for ((index = ${#helper_pids[@]} - 1; index >= 0; index--)); do
        kill "${helper_pids[index]}" 2>/dev/null || true
    done
    (sleep 5 && kill -KILL "${helper_pids[@]}" 2>/dev/null) &
    watchdog=$!
    wait "${helper_pids[@]}" 2>/dev/null || true
    kill "$watchdog" 2>/dev/null || true
    wait 2>/dev/null || true
    end_programs_of_this_home
    rm -rf "$scratch"
}

# What the session bus started on demand (kded5, kglobalaccel5 and the like)
# is no helper of ours and may outlive the bus: it carries this case's home.
programs_of_this_home() {
    { HOME=/ grep -lsxzF "HOME=$scratch/home" /proc/[0-9]*/environ || true; } | cut -d/ -f3
}
end_programs_of_this_home() {
    local pids
    pids=$(programs_of_this_home)
    [ -n "$pids" ] || return 0
    kill $pids 2>/dev/null || true
    sleep 1
    pids=$(programs_of_this_home)
    [ -z "$pids" ] || kill -KILL $pids 2>/dev/null || true
}

# A fresh home with its XDG folders; the desktop has no settings of its own.
use_home() {  # path
    export HOME=$1 XDG_CONFIG_HOME=$1/.config XDG_DATA_HOME=$1/.local/share \
        XDG_CACHE_HOME=$1/.cache XDG_STATE_HOME=$1/.local/state XDG_RUNTIME_DIR=$scratch/run
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}

make_bitmap() {  # colour, path
    convert -size "${screen_width}x${screen_height}" "xc:$1" "BMP3:$2"
}

fail() {
    local shot=${TMPDIR:-/tmp}/plimex-$suite-$PLIMEX_DESKTOP_CASE.png
    echo "FAIL: $*" >&2
    take_screenshot "$shot" 2>/dev/null && echo "screen at the failure: $shot" >&2
    for log in "$scratch"/*.log; do echo "--- $log" && tail -15 "$log"; done >&2
    print_where_program_waits >&2
    exit 1
}

# A program that shows nothing is usually waiting somewhere: its threads'
# stacks say where.
print_where_program_waits() {
    [ -n "${program_pid:-}" ] && ! program_ended || return 0
    echo "--- where the program (pid $program_pid) is"
    timeout 60 gdb -p "$program_pid" -batch -ex 'thread apply all bt' 2>&1 |
        grep -E '^(Thread|#)' || echo "(gdb could not attach)"
}

wait_for() {  # seconds, command...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# Starts a helper program in the background, its output in $scratch/NAME.log.
start_helper() {  # name, command...
    local name=$1
    shift
    "$@" >"$scratch/$name.log" 2>&1 &
    helper_pids+=($!)
}

# Services the session bus starts on demand get this session's home and
# display, not those of whoever started dbus-run-session.
tell_bus_the_session() {
    dbus-update-activation-environment HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME \
        XDG_STATE_HOME XDG_RUNTIME_DIR DISPLAY WAYLAND_DISPLAY SWAYSOCK XDG_CURRENT_DESKTOP \
        DESKTOP_SESSION XDG_CONFIG_DIRS 2>/dev/null
}

# A private system bus, for desktops that ask system services (logind and the
# like) for themselves; those that answer nothing there still start.
start_system_bus() {
    cat >"$scratch/system-bus.conf" <<XML
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$scratch/system-bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
XML
    start_helper system-bus dbus-daemon --config-file="$scratch/system-bus.conf" --nofork
    wait_for 10 test -S "$scratch/system-bus" || fail "the system bus did not start"
    export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$scratch/system-bus"
}

# An X display of our own: other runs may hold any fixed number.
start_xvfb() {
    start_private_xvfb "${screen_width}x${screen_height}" "$scratch/xvfb.log" ||
        fail "Xvfb did not start"
    helper_pids+=("$xvfb_pid")
    screenshot_command=(import -window root)
}

take_screenshot() { "${screenshot_command[@]}" "$1"; }

# The colours at the check points, one screenshot.
colours_at_check_points() {
    local shot=$scratch/check.png format="" point
    take_screenshot "$shot" 2>/dev/null || return 0
    for point in "${check_points[@]}"; do format+="#%[hex:p{$point}] "; done
    convert "$shot" -format "$format" info: 2>/dev/null
}

screen_shows() {  # colour
    local expected
    expected=$(printf "$1 %.0s" "${check_points[@]}")
    [ "$(colours_at_check_points)" == "$expected" ]
}

expect_screen_shows() {  # colour, what it means
    wait_for "${3:-10}" screen_shows "$1" ||
        fail "$2: the screen shows $(colours_at_check_points)instead of $1"
}

# Plimex 2000 in the session, in its working folder with the options file.
start_program() {
    (cd "$scratch/cwd" && exec "$program") >"$scratch/plimex.log" 2>&1 &
    program_pid=$!
    helper_pids+=($program_pid)
}

# The program's rotation was on when it was last saved, so its start applies
# the folder's one bitmap.
expect_program_sets_picture() {  # [seconds to wait]
    start_program
    expect_screen_shows "$picture_colour" "the program's bitmap did not become the wallpaper" \
        "${1:-15}"
}

# The box around what changed between two screenshots within a region of the
# screen (WIDTHxHEIGHT+X+Y), as "WIDTH HEIGHT X Y" on the screen; nothing if
# nothing did.
changed_box() {  # before, after, region
    local box
    box=$(convert \( "$1" -crop "$3" +repage \) \( "$2" -crop "$3" +repage \) \
        -compose difference -composite -threshold 0 -format '%@' info: 2>/dev/null)
    [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 0
    ((BASH_REMATCH[1] > 0)) || return 0
    local width=${BASH_REMATCH[1]} height=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
    [[ "$3" =~ \+([0-9]+)\+([0-9]+)$ ]]
    echo "$width $height $((BASH_REMATCH[1] + x)) $((BASH_REMATCH[2] + y))"
}

# The middle of what changed, as "X Y" on the screen; nothing if nothing did.
changed_spot() {  # before, after, region
    local width height x y
    read -r width height x y < <(changed_box "$@") || return 0
    echo "$((x + width / 2)) $((y + height / 2))"
}

# Waits until a region of the screen stops changing (a panel drew itself).
wait_for_still() {  # region
    local region=$1 previous="" current
    still() {
        take_screenshot "$scratch/still.png"
        current=$(convert "$scratch/still.png" -crop "$region" +repage rgb:- | md5sum)
        [ "$current" == "$previous" ] || { previous=$current && return 1; }
    }
    wait_for 10 still || fail "the region $1 kept changing"
}

# Files that a desktop would draw as a plain colour or black, or read as its
# own settings, each alone in the program's folder: the program refuses each
# and says why, and the desktop keeps drawing what it drew. Then a relative
# folder (Rep=pics/) is drawn, taken from the working folder.
expect_bad_files_refused() {  # kind of bad file...
    local kind folder=$scratch/refused
    for kind in "$@"; do
        rm -rf "$folder" && mkdir "$folder"
        case $kind in
            text) echo "not a picture" >"$folder/bad.bmp" ;;
            header-only) head -c 54 "$scratch/pictures/picture.bmp" >"$folder/bad.bmp" ;;
            line-break) cp "$scratch/pictures/picture.bmp" "$folder/a"$'\n'"wallpaper_mode=color"$'\n'".bmp" ;;
        esac
        write_options "$folder/"
        start_program
        refused() { grep -q "wallpaper: $folder/" "$scratch/plimex.log"; }
        wait_for 10 refused || fail "the program did not say it refused the $kind file"
        sleep 2
        screen_shows "$start_colour" || fail "the $kind file reached the desktop"
        kill "$program_pid" && wait "$program_pid" || fail "the program did not end cleanly"
    done
    mkdir "$scratch/cwd/pics" && cp "$scratch/pictures/picture.bmp" "$scratch/cwd/pics/"
    write_options pics/
    expect_program_sets_picture
}

# Where the program's icon appeared in a notification area (a region of the
# screen), against a screenshot taken before the program started.
icon_spot=""
expect_icon_in() {  # before, region, what
    local before=$1 region=$2
    icon_appeared() {
        take_screenshot "$scratch/after.png"
        icon_spot=$(changed_spot "$before" "$scratch/after.png" "$region")
        [ -n "$icon_spot" ]
    }
    wait_for 10 icon_appeared || fail "no icon appeared in $3"
}

# The program's shown windows on X: its icon, its popup menu, its windows.
shown_program_windows() { { xdotool search --onlyvisible --class plimex 2>/dev/null || true; } | wc -l; }

expect_right_click_opens_menu() {  # x, y
    local before
    before=$(shown_program_windows)
    menu_open() { (($(shown_program_windows) > before)); }
    xdotool mousemove "$1" "$2" click 3
    wait_for 5 menu_open || fail "a right click on the icon at $1,$2 opened no menu"
    xdotool key Escape
}

# A window manager has taken the display (EWMH's check window).
window_manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

start_window_manager() {  # command...
    start_helper window-manager "$@"
    wait_for 10 window_manager_running || fail "$1 did not start"
}

# A shown window of the desktop program: it has started drawing.
desktop_window_shown() {  # window class
    xdotool search --onlyvisible --class "$1" >/dev/null 2>&1
}

main_window_shown() { xdotool search --onlyvisible --name '^Plimex 2000$' >/dev/null 2>&1; }

# A real click on the shown window's Cacher button; prints the window.
click_cacher() {
    local window place="" previous x y
    window=$(xdotool search --onlyvisible --name '^Plimex 2000$' | head -1)
    # A window manager that has just taken the window over may still move it.
    settled() {
        previous=$place
        place=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left [XY]: *//p' | xargs)
        [ "$place" == "$previous" ] || { sleep 0.3 && false; }
    }
    wait_for 5 settled || fail "the window kept moving"
    read -r x y <<<"$place"
    # Cacher's middle, from the window's top left corner.
    xdotool mousemove $((x + 360)) $((y + 116)) click 1
    echo "$window"
}

# Once the icon can bring the window back, Cacher hides it.
expect_cacher_hides() {
    click_cacher >/dev/null
    hidden() { ! main_window_shown; }
    wait_for 5 hidden || fail "Cacher did not hide the window"
}

# With no notification area the window shows, and a real click on Cacher
# minimizes it: the program goes on running.
expect_cacher_minimizes() {
    local window
    wait_for 10 main_window_shown || fail "the window did not show without a notification area"
    window=$(click_cacher)
    # GNOME's compositor keeps a minimized window mapped.
    minimized() { xprop -id "$window" WM_STATE | grep -q Iconic; }
    wait_for 5 minimized || fail "Cacher did not minimize the window shown for lack of a tray"
    ! program_ended || fail "the program ended on Cacher"
}

# A StatusNotifierItem host asks the item to activate on a left click: the
# program opens its main window, as for a double click elsewhere.
expect_left_click_opens_window() {  # x, y
    ! main_window_shown || fail "the main window showed before the click"
    xdotool mousemove "$1" "$2" click 1
    wait_for 5 main_window_shown || fail "a left click on the icon at $1,$2 opened no window"
}

# The menu that the program exports for a StatusNotifierItem host to draw
# (com.canonical.dbusmenu at the path of the item's Menu property): its
# labels in order, as the host reads them.
exported_menu_labels() {
    local item service path
    for item in $(gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path \
        /StatusNotifierWatcher --method org.freedesktop.DBus.Properties.Get \
        org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems | grep -o "'[^']*'" | tr -d "'"); do
        service=${item%%/*}
        service=${service%@}  # GNOME's extension writes NAME@/PATH
        gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus --method \
            org.freedesktop.DBus.GetConnectionUnixProcessID "$service" | grep -qw "$program_pid" &&
            break
    done
    path=$(gdbus call --session --dest "$service" --object-path /StatusNotifierItem --method \
        org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem Menu | grep -o "'/[^']*'")
    gdbus call --session --dest "$service" --object-path "${path//\'/}" \
        --method com.canonical.dbusmenu.GetLayout 0 1 '["label"]' |
        grep -o "'label': <'[^']*'>" | cut -d"'" -f4 | xargs
}

expect_exported_menu() {  # labels...
    local expected="$*"
    exports() { [ "$(exported_menu_labels 2>/dev/null)" == "$expected" ]; }
    wait_for 5 exports || fail "the exported menu reads '$(exported_menu_labels)', not '$expected'"
}

# A real click; X11 here, a Wayland suite defines its own. The pointer rests
# a moment first: a menu may light its item only once the pointer entered it.
pointer_click() {  # button, x, y
    xdotool mousemove "$2" "$3" sleep 0.2 click "$1"
}

program_ended() { ! ps -o stat= -p "$program_pid" | grep -qv Z; }

# A real right click on the icon shows the menu that the host draws from the
# exported one, somewhere within a region of the screen; its box is kept.
menu_box=()
open_host_menu() {  # x, y, region
    local region=$3
    take_screenshot "$scratch/no-menu.png"
    pointer_click 3 "$1" "$2"
    menu_drawn() {
        take_screenshot "$scratch/menu.png"
        read -r -a menu_box < <(changed_box "$scratch/no-menu.png" "$scratch/menu.png" "$region")
        ((${#menu_box[@]} == 4))
    }
    wait_for 5 menu_drawn || fail "a right click on the icon at $1,$2 showed no menu"
    wait_for_still "$region"
    read -r -a menu_box < <(changed_box "$scratch/no-menu.png" "$scratch/still.png" "$region")
}

# A real click on the middle of one of the three rows of the menu shown.
click_host_menu_row() {  # 1, 2 or 3
    local height=${menu_box[1]}
    pointer_click 1 $((menu_box[2] + menu_box[0] / 2)) $((menu_box[3] + height * (2 * $1 - 1) / 6))
}

# The menu as a StatusNotifierItem host draws it: the three items in their
# order, the toggle's caption following the state. A real right click on
# the icon shows it; a real click on its first item switches the rotation
# off (the icon's picture and the caption follow), one on the second opens
# the window, one on its last quits and saves the options. The rotation is
# on and the window hidden at the start.
expect_host_drawn_menu() {  # x, y of the icon, region where the menu shows
    # Around the icon: a clock beside it may change meanwhile.
    local tray="40x24+$(($1 > 20 ? $1 - 20 : 0))+$(($2 > 12 ? $2 - 12 : 0))"
    expect_exported_menu _Désactiver _Ouvrir _Quitter
    take_screenshot "$scratch/icon-on.png"
    open_host_menu "$1" "$2" "$3"
    click_host_menu_row 1
    expect_exported_menu _Activer _Ouvrir _Quitter
    icon_changed() {
        take_screenshot "$scratch/icon-off.png"
        [ -n "$(changed_box "$scratch/icon-on.png" "$scratch/icon-off.png" "$tray")" ]
    }
    wait_for 5 icon_changed || fail "the icon's picture did not change with the toggle"
    wait_for_still "$3"
    ! main_window_shown || fail "the window showed before Ouvrir"
    open_host_menu "$1" "$2" "$3"
    click_host_menu_row 2
    wait_for 5 main_window_shown || fail "Ouvrir picked from the host's menu opened no window"
    wait_for_still "$3"
    open_host_menu "$1" "$2" "$3"
    click_host_menu_row 3
    wait_for 5 program_ended || fail "Quitter picked from the host's menu did not end the program"
    grep -q $'^Etat=0\r$' "$scratch/cwd/Plimex.ini" || fail "the options were not saved on Quitter"
}
