#!/bin/bash
# End-to-end tests of plimex.exe under Wine, in a virtual desktop on a private
# Xvfb display, in a Wine prefix of their own. plimex_driver works the program
# through window messages; xdotool makes the real clicks on the tray icon.
#
# Usage: e2e_test.sh PLIMEX_EXE DRIVER_EXE SOURCE_DIR
set -euo pipefail

plimex_exe=$(realpath "$1")
driver_exe=$(realpath "$2")
wine_run="$3/tools/wine-run"
source "$3/tools/xvfb.sh"

readonly width=1024 height=768
# The notification area sits at the right end of the desktop's taskbar.
readonly tray_x=$((width - 10)) tray_y=$((height - 10))

scratch=$(mktemp -d /tmp/plimex-e2e.XXXXXX)
export PLIMEX_WINEPREFIX="$scratch/prefix"
export WINEPREFIX="$PLIMEX_WINEPREFIX"
xvfb_pid=""
failures=0

cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    [ -n "${PLIMEX_E2E_KEEP:-}" ] || rm -rf "$scratch"
}
trap cleanup EXIT

# ---------------------------------------------------------------- helpers

driver() { "$wine_run" "$driver_exe" "$@" | tr -d '\r' | iconv -f CP1252 -t UTF-8; }

check() {  # check NAME EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then
        echo "ok   $1"
    else
        echo "FAIL $1"
        # The last screenshot, for a look at what went wrong.
        [ -f "$scratch/screen.png" ] && cp "$scratch/screen.png" "$PWD/e2e-failure-$failures.png"
        echo "     expected: $(printf '%q' "$2")"
        echo "     actual:   $(printf '%q' "$3")"
        failures=$((failures + 1))
    fi
}

# Waits until a driver query gives the expected answer; prints the last answer.
await() {  # await EXPECTED DRIVER_ARGS...
    local expected=$1 answer=""
    shift
    for _ in $(seq 50); do
        answer=$(driver "$@")
        [ "$answer" == "$expected" ] && break
        sleep 0.2
    done
    printf '%s' "$answer"
}

wallpaper_value() {
    "$wine_run" reg query 'HKCU\Control Panel\Desktop' /v Wallpaper 2>/dev/null |
        tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p'
}

screen_colours() {  # screen_colours WIDTH HEIGHT X Y: each pixel's #RRGGBB
    import -window root "$scratch/screen.png"
    convert "$scratch/screen.png" -crop "$1x$2+$3+$4" +repage -depth 8 txt:- | tail -n +2 |
        grep -o '#[0-9A-F]\{6\}'
}

pixel() { screen_colours 1 1 "$1" "$2"; }

# Colours in the tray icon's square: one for an empty taskbar, several for an icon.
tray_colours() { screen_colours 16 16 $((tray_x - 8)) $((tray_y - 8)) | sort -u | wc -l; }

# Waits until the tray shows an icon (shown) or none (empty); prints which.
await_tray() {  # await_tray shown|empty
    local state=""
    for _ in $(seq 25); do
        driver repaint-taskbar
        state=$([ "$(tray_colours)" -gt 2 ] && echo shown || echo empty)
        [ "$state" == "$1" ] && break
        sleep 0.2
    done
    printf '%s' "$state"
}

# Dir1 shows a folder once it has been read, off the program's GUI thread.
await_dir1_entries() {  # await_dir1_entries COUNT: until Dir1 shows at least COUNT
    for _ in $(seq 50); do
        [ "$(driver items Dir1 | wc -l)" -ge "$1" ] && break
        sleep 0.2
    done
}

options_file() { tr -d '\r' <"$1/Plimex.ini" | iconv -f CP1252 -t UTF-8 | paste -sd '|'; }

start_plimex() {  # start_plimex WORKING_DIR
    (cd "$1" && "$wine_run" explorer /desktop=Plimex,${width}x${height} "$plimex_exe" \
        >"$1/wine.log" 2>&1 &)
    driver wait-window
}

right_click_tray() {
    xdotool mousemove "$tray_x" "$tray_y" click 3
    await 1 menus >/dev/null
}

pick_menu_item() {  # pick_menu_item INDEX: a real click on an item of the open menu
    local at
    at=$(driver menu-item-centre "$1")
    xdotool mousemove ${at% *} ${at#* } click 1
}

quit_from_tray() {
    right_click_tray
    pick_menu_item 2
    driver wait-gone
}

bitmap() {  # bitmap FILE COLOUR [SIZE]
    convert -size "${3:-${width}x${height}}" "xc:$2" -type TrueColor "BMP3:$1"
}

# ---------------------------------------------------------------- scenarios

first_run() {
    echo "# first run: no options file, one bitmap in the default folder"
    local run="$scratch/first-run"
    mkdir -p "$run"
    bitmap "$WINEPREFIX/drive_c/windows/plimex-e2e.bmp" '#FF8000'
    start_plimex "$run"

    check "main window hidden at start-up" 0 "$(driver visible)"
    # The folder is listed on a thread of its own; the start-up wallpaper
    # follows the list.
    check "bitmap of the default folder listed" "plimex-e2e.bmp" \
        "$(await plimex-e2e.bmp items LstFic)"
    check "LblPap shows it" 'C:\Windows\plimex-e2e.bmp' \
        "$(await 'C:\Windows\plimex-e2e.bmp' text LblPap)"
    check "registry value Wallpaper names it" 'C:\Windows\plimex-e2e.bmp' "$(wallpaper_value)"
    check "the desktop shows it" "#FF8000" "$(sleep 1; pixel 20 20)"
    check "tray icon drawn" shown "$(await_tray shown)"

    right_click_tray
    check "right click on the tray icon opens the menu" 1 "$(driver menus)"
    xdotool mousemove 200 200 click 1
    check "a click elsewhere closes it" 0 "$(await 0 menus)"
    check "the program still runs hidden" 0 "$(driver visible)"

    quit_from_tray
    check "Quitter ends the program" 0 "$(driver dialogs)"
    check "Quitter removes the tray icon" empty "$(await_tray empty)"
    check "Quitter writes the options" '[options]|Rep=C:\Windows\|Tps=1|Etat=1' \
        "$(options_file "$run")"
    rm "$WINEPREFIX/drive_c/windows/plimex-e2e.bmp"
}

folder_and_controls() {
    echo "# saved folder: listing, selection, toggles, About, settings at quit"
    local run="$scratch/saved-folder" images="$WINEPREFIX/drive_c/plimex-e2e"
    mkdir -p "$run" "$images/f.bmp"
    bitmap "$images/a.bmp" '#00FF00'
    bitmap "$images/B.BMP" '#0000FF'
    bitmap "$images/e.bmp" '#FF0000'
    cp "$images/a.bmp" "$images/c.jpg"
    cp "$images/a.bmp" "$images/d.bmp.txt"
    "$wine_run" cmd /c attrib +h 'C:\plimex-e2e\e.bmp' >/dev/null
    printf '[options]\r\nRep=C:\\plimex-e2e\\\r\nTps=1\r\nEtat=0\r\n' >"$run/Plimex.ini"
    start_plimex "$run"

    check "only the ordinary .bmp files, sorted" "a.bmp|B.BMP" \
        "$(await $'a.bmp\nB.BMP' items LstFic | paste -sd '|')"
    check "Dir1 shows the path and the subfolders" 'C:\|plimex-e2e|f.bmp' \
        "$(driver items Dir1 | paste -sd '|')"
    check "saved state 0: no wallpaper at start-up" "" "$(driver text LblPap)"
    check "saved state 0: Command1 offers to switch on" "&Activer" "$(driver text Command1)"

    driver tray 515
    check "tray double click shows the window" 1 "$(await 1 visible)"
    check "without a taskbar button" 1 "$(driver owned)"
    check "the focus starts on Drive1" Drive1 "$(await Drive1 focused)"
    local order="Drive1"
    for _ in $(seq 8); do
        xdotool key Tab
        order+=" $(driver focused)"
    done
    check "Tab order, the selected option last" \
        "Drive1 Dir1 LstFic CmdSel Command1 Command2 Command4 Option1 Drive1" "$order"

    xdotool key Tab Down Return
    check "Enter in Dir1 opens the next folder: f.bmp" 2 "$(await 2 selected Dir1)"
    check "f.bmp lists no bitmap" "" "$(driver items LstFic)"
    driver dblclick Dir1 1
    check "a double click opens the parent again" "a.bmp|B.BMP" \
        "$(await $'a.bmp\nB.BMP' items LstFic | paste -sd '|')"
    xdotool key shift+Tab shift+Tab shift+Tab
    check "Shift+Tab goes back round to Command4" Command4 "$(driver focused)"
    xdotool key Return
    check "Enter presses the focused button: Cacher" 0 "$(await 0 visible)"
    driver tray 515
    await 1 visible >/dev/null

    driver click CmdSel
    check "CmdSel without a selection does nothing" "" "$(driver text LblPap)"
    driver select LstFic 1
    check "the preview shows B.BMP stretched" "#0000FF" \
        "$(sleep 0.5; pixel $(driver client-point 2287 5467))"
    check "the progress bar is dark blue" "#0000C0" "$(pixel $(driver client-point 300 7327))"
    driver click CmdSel
    # The picture is applied on a thread of its own; the label follows.
    check "CmdSel applies the selection: LblPap" 'C:\plimex-e2e\B.BMP' \
        "$(await 'C:\plimex-e2e\B.BMP' text LblPap)"
    check "CmdSel applies the selection: registry" 'C:\plimex-e2e\B.BMP' "$(wallpaper_value)"
    xdotool key alt+c
    check "Alt+C hides the window" 0 "$(await 0 visible)"
    check "the desktop shows B.BMP" "#0000FF" "$(sleep 1; pixel 512 384)"
    driver tray 515
    await 1 visible >/dev/null
    driver dblclick LstFic 0
    check "double click applies an entry" 'C:\plimex-e2e\a.bmp' \
        "$(await 'C:\plimex-e2e\a.bmp' text LblPap)"
    driver select LstFic 1
    xdotool key alt+s
    check "Alt+S applies the selection" 'C:\plimex-e2e\B.BMP' "$(await 'C:\plimex-e2e\B.BMP' text LblPap)"

    xdotool key alt+a
    check "Alt+A switches on: the caption" "&Désactiver" "$(await '&Désactiver' text Command1)"
    check "Command1 writes the state at once" "Etat=1" \
        "$(options_file "$run" | tr '|' '\n' | grep Etat)"
    # Under Wine the keys do not reliably reach a popup menu opened from the
    # tray, so its items are picked with the mouse.
    right_click_tray
    pick_menu_item 0
    check "menu item Désactiver switches off" "&Activer" \
        "$(await '&Activer' text Command1)"
    check "the menu's toggle does not write the file" "Etat=1" \
        "$(options_file "$run" | tr '|' '\n' | grep Etat)"
    xdotool key alt+a
    check "Alt+A switches on again" "&Désactiver" "$(await '&Désactiver' text Command1)"
    xdotool key alt+d
    check "Alt+D switches off" "&Activer" "$(await '&Activer' text Command1)"

    driver click Option3
    check "Option3 selected" 1 "$(driver checked Option3)"
    check "Option1 cleared" 0 "$(driver checked Option1)"

    driver lose-tray-icon
    check "the shell lost the icon" empty "$(await_tray empty)"
    driver taskbar-created
    check "a new taskbar gets the icon back" shown "$(await_tray shown)"

    local gdi
    gdi=$(driver previews LstFic 100 2)
    if [ "$gdi" == "0 0" ]; then
        echo "skip GDI objects across 100 previews: GetGuiResources is not implemented by Wine"
    else
        check "GDI objects stable across 100 previews" "${gdi% *}" "${gdi#* }"
    fi

    xdotool key alt+p
    check "Alt+P opens the About window" 1 "$(await 1 about-open)"
    check "About: version line" "Version 1.0   -   Décembre 1999" "$(driver about-text Label2)"
    check "About: close button" "&Fermer" "$(driver about-text Command1)"
    check "the main window refuses input meanwhile" 0 "$(driver enabled)"
    xdotool key Return Escape
    sleep 0.5
    check "Enter and Escape leave it open" 1 "$(driver about-open)"
    xdotool key alt+f
    check "Alt+F closes it" 0 "$(await 0 about-open)"
    check "the main window takes input again" 1 "$(driver enabled)"

    quit_from_tray
    check "the options file holds the settings of the moment" \
        '[options]|Rep=C:\plimex-e2e\|Tps=3|Etat=0' "$(options_file "$run")"
    check "no crash or error box" 0 "$(driver dialogs)"
}

missing_folder() {
    echo "# saved folder that no longer exists"
    local run="$scratch/missing-folder"
    mkdir -p "$run"
    printf '[options]\r\nRep=Q:\\gone\\\r\nTps=2\r\nEtat=0\r\n' >"$run/Plimex.ini"
    start_plimex "$run"
    check "no error box" 0 "$(driver dialogs)"
    await_dir1_entries 2
    check "the default folder is shown instead" 'C:\|Windows' \
        "$(driver items Dir1 | head -2 | paste -sd '|')"
    (cd "$run" && "$wine_run" explorer /desktop=Plimex,${width}x${height} "$plimex_exe" \
        >"$run/second.log" 2>&1 &)
    check "a second start in the same folder shows the running copy's window" 1 \
        "$(await 1 visible)"
    driver close
    driver wait-gone
    check "the title bar's close command ends the program and keeps the saved folder" \
        '[options]|Rep=Q:\gone\|Tps=2|Etat=0' "$(options_file "$run")"
}

log_off() {
    echo "# the user logs off"
    local run="$scratch/log-off"
    mkdir -p "$run"
    printf '[options]\r\nRep=C:\\Windows\\\r\nTps=4\r\nEtat=7\r\n' >"$run/Plimex.ini"
    start_plimex "$run"
    check "a state other than 0 and 1 leaves the toggle offering to switch on" "&Activer" \
        "$(driver text Command1)"
    check "and no tray picture" empty "$(sleep 1; await_tray empty)"
    driver end-session
    driver wait-gone
    check "logging off saves the settings as read" '[options]|Rep=C:\Windows\|Tps=4|Etat=7' \
        "$(options_file "$run")"
    check "no crash or error box" 0 "$(driver dialogs)"
}

large_dpi() {
    echo "# a large-DPI screen: 192 dots per inch"
    local run="$scratch/large-dpi"
    mkdir -p "$run"
    "$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f \
        >/dev/null 2>&1
    printf '[options]\r\nRep=C:\\Windows\\\r\nTps=1\r\nEtat=0\r\n' >"$run/Plimex.ini"
    start_plimex "$run"
    driver tray 515
    await 1 visible >/dev/null
    # Between the file list and the current wallpaper's label there is bare
    # window, where the mouse reaches pixels 515 and 517 of the client area.
    local origin x y
    origin=$(driver client-point 0 0)
    y=$((${origin#* } + 450))
    for x in $(seq 510 520); do
        xdotool mousemove $((${origin% *} + x)) "$y"
    done
    check "real mouse moves at x = 515 and 517 open no menu" 0 "$(sleep 0.5; driver menus)"
    check "and leave the window as it was" 1 "$(driver visible)"
    quit_from_tray
}

kept_options_files() {
    echo "# options files the program cannot understand or must not write stay as they are"
    local run="$scratch/kept" kind kept=""
    mkdir -p "$run"
    for kind in hidden read-only utf-16; do
        printf '[options]\r\nRep=C:\\Windows\\\r\nTps=3\r\nEtat=0\r\n' >"$run/Plimex.ini"
        case $kind in
            hidden) (cd "$run" && "$wine_run" cmd /c attrib +h Plimex.ini >/dev/null) ;;
            read-only) chmod a-w "$run/Plimex.ini" ;;
            utf-16) iconv -t UTF-16 "$run/Plimex.ini" >"$run/wide" && mv "$run/wide" "$run/Plimex.ini" ;;
        esac
        cp -p "$run/Plimex.ini" "$run/before"
        start_plimex "$run"
        driver click Command1
        quit_from_tray
        cmp -s "$run/before" "$run/Plimex.ini" &&
            [ "$(stat -c %a "$run/before")" == "$(stat -c %a "$run/Plimex.ini")" ] &&
            kept+="$kind " || kept+="($kind replaced) "
        rm -f "$run/Plimex.ini" "$run/before"
    done
    check "hidden, read-only and UTF-16 files are kept, mode included" "hidden read-only utf-16 " \
        "$kept"
}

names_outside_the_code_page() {
    echo "# a folder and a file named outside the code page: Фото, ф.bmp"
    local run="$scratch/russian" images="$WINEPREFIX/drive_c/plimex-ru" label listed
    mkdir -p "$run" "$images/Фото"
    bitmap "$images/Фото/ф.bmp" '#FF00FF' 64x48
    printf '[options]\r\nRep=C:\\plimex-ru\\\r\nTps=1\r\nEtat=0\r\n' >"$run/Plimex.ini"
    start_plimex "$run"
    await_dir1_entries 3
    driver dblclick Dir1 2
    for _ in $(seq 50); do
        [ -n "$(driver items LstFic)" ] && break
        sleep 0.2
    done
    driver dblclick LstFic 0
    for _ in $(seq 50); do
        label=$(driver text LblPap)
        [ -n "$label" ] && break
        sleep 0.2
    done
    listed=$(driver items LstFic | grep -vc '?' || true)
    quit_from_tray
    # The program applies only a file it could open and read.
    check "listed, applied and saved by names without '?'" \
        "1 applied ${label%\\*}\\" "$listed $(case $label in
            '' | *'?'*) echo refused ;; *) echo applied ;; esac) $(options_file "$run" |
            sed -n 's/.*|Rep=\([^|]*\)|.*/\1/p')"
}

bad_bitmaps() {
    echo "# bitmaps the system would choke on: never applied, previews leave memory flat"
    local run="$scratch/bad-bitmaps" images="$WINEPREFIX/drive_c/plimex-bad" applied="" memory
    mkdir -p "$run" "$images"
    # 2580 x 2580 pixels of 3 bytes: 20 MB, cut at half.
    bitmap "$images/whole.bmp" '#00FF00' 2580x2580
    head -c 10000000 "$images/whole.bmp" >"$images/a-cut.bmp"
    rm "$images/whole.bmp"
    mkfifo "$images/b-fifo.bmp"
    ln -s /dev/zero "$images/c-zero.bmp"
    bitmap "$images/d-huge.bmp" '#000000' 1x1
    printf '\x00\x40\x00\x00\x00\x40\x00\x00' |  # 16384 x 16384 pixels
        dd of="$images/d-huge.bmp" bs=1 seek=18 conv=notrunc status=none
    echo "not a bitmap" >"$images/e-text.bmp"
    "$wine_run" reg add 'HKCU\Control Panel\Desktop' /v Wallpaper /d 'C:\before.bmp' /f \
        >/dev/null 2>&1
    printf '[options]\r\nRep=C:\\plimex-bad\\\r\nTps=1\r\nEtat=1\r\n' >"$run/Plimex.ini"
    start_plimex "$run"
    # The window answers while start-up waits on the shell, before it lists the folder.
    for _ in $(seq 50); do
        [ "$(driver items LstFic | wc -l)" == 5 ] && break
        sleep 0.2
    done
    # Each picture is refused on a thread of its own: the label and the
    # registry are read once the refusal is logged.
    refused() {  # refused COUNT
        for _ in $(seq 50); do
            (($(grep -c "^plimex: Windows wallpaper" "$run/Plimex.log" 2>/dev/null) >= $1)) && break
            sleep 0.2
        done
    }
    refused 1
    applied+="start-up:$(driver text LblPap) $(wallpaper_value)|"
    for entry in 0 1 2 3 4; do
        driver dblclick LstFic "$entry"
        refused $((entry + 2))
        applied+="$entry:$(driver text LblPap) $(wallpaper_value)|"
    done
    check "neither the start-up rotation nor a double click applies any of five" \
        "$(printf '%s: C:\\before.bmp|' start-up 0 1 2 3 4)" "$applied"
    # One leaked preview of this file is 15 MB.
    memory=$(driver memory; driver previews LstFic 100 1 >/dev/null; driver memory)
    echo "     private and resident KiB before and after 100 previews:" $memory
    check "100 previews of the cut one leave memory flat" "1" "$(echo $memory |
        awk '{ print ($3 - $1 < 8192 && $4 - $2 < 8192) }')"
    quit_from_tray
}

start_private_xvfb "${width}x${height}" "$scratch/xvfb.log"
"$wine_run" wineboot -i >/dev/null 2>&1
first_run
folder_and_controls
missing_folder
log_off
large_dpi
bad_bitmaps
kept_options_files
names_outside_the_code_page

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
