#!/bin/bash
# The Windows packages of one width, under Wine of that width
# (PLIMEX_WINE_ARCH), in a prefix and on an X display of their own:
#  - the zip holds the program, LISEZMOI.txt and the sample wallpapers, and
#    the program's first run from the unpacked folder rotates those samples;
#  - the MSI installs silently, for the user alone, into
#    %LOCALAPPDATA%\Programs\Plimex 2000 with a Plimex.ini naming the samples,
#    a Start menu shortcut and, with AUTOSTART=1, a Startup one, both running
#    the program in that folder, and an Apps & Features entry. Started by its
#    shortcut, the program lists the samples, sets one, and saves its
#    settings there at quit. An update without AUTOSTART keeps the Startup
#    shortcut, a repair does not bring it back once deleted; msiexec /x removes all but Plimex.ini, which a new install
#    leaves as it is; AUTOSTART=0 means no Startup shortcut, and a repair
#    adds none.
# Usage: windows_packages_test.sh ZIP MSI DRIVER_EXE SOURCE_DIR
set -euo pipefail
zip=$(realpath "$1")
msi=$(realpath "$2")
driver_exe=$(realpath "$3")
source_dir=$(realpath "$4")
wine_run="$source_dir/tools/wine-run"
source "$source_dir/tools/xvfb.sh"

scratch=$(mktemp -d /tmp/plimex-packages.XXXXXX)
export PLIMEX_WINEPREFIX="$scratch/prefix"
export WINEPREFIX="$PLIMEX_WINEPREFIX"
# The shortcuts must not become menu entries of this machine's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
xvfb_pid=""
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    # What the program said of it, when it ran from the zip.
    [ -f "${unpacked:-}/Plimex.log" ] && sed 's/^/  Plimex.log: /' "$unpacked/Plimex.log" >&2
    [ -n "${DISPLAY:-}" ] && import -window root "${TMPDIR:-/tmp}/plimex-packages-failure.png" 2>/dev/null &&
        echo "screen at the failure: ${TMPDIR:-/tmp}/plimex-packages-failure.png" >&2
    exit 1
}

wine() { "$wine_run" "$@" 2>/dev/null | tr -d '\r'; }
driver() { "$wine_run" "$driver_exe" "$@" | tr -d '\r' | iconv -f CP1252 -t UTF-8; }
unix_path() { wine winepath -u "$1"; }
registry_value() {  # key, name
    wine reg query "$1" /v "$2" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
# The window exists before the start-up has filled its list and set a wallpaper.
eventually() { for _ in $(seq 50); do "$@" && return || sleep 0.2; done; "$@"; }
lists_samples() { [ "$(driver items LstFic)" == "$(printf '%s\n' "${samples[@]}")" ]; }
wallpaper_in() { [[ "$(registry_value 'HKCU\Control Panel\Desktop' Wallpaper)" == "$1"*.bmp ]]; }
options() { iconv -f CP1252 -t UTF-8 "$1/Plimex.ini"; }
expected_options() { printf '[options]\r\nRep=%s\r\nTps=1\r\nEtat=1\r\n' "$1"; }

start_private_xvfb 1024x768 || exit 1
# Every program of the prefix in the virtual desktop the driver joins.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Plimex /f >/dev/null
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Plimex /d 1024x768 /f >/dev/null
mapfile -t samples < <(cd "$source_dir/resources/backgrounds" && LC_ALL=C ls -- *.bmp)

# ---------------------------------------------------------------- the zip
expected_listing=$(printf 'Plimex 2000/%s\n' plimex.exe LISEZMOI.txt "${samples[@]/#/Fonds/}" | sort)
[ "$(unzip -Z1 "$zip" | grep -v '/$' | sort)" == "$expected_listing" ] ||
    fail "the zip holds: $(unzip -Z1 "$zip")"
unzip -q "$zip" -d "$WINEPREFIX/drive_c"
unpacked="$WINEPREFIX/drive_c/Plimex 2000"
grep -q 'Plimex 2000' "$unpacked/LISEZMOI.txt" || fail "LISEZMOI.txt is not the read-me"
(cd "$unpacked" && "$wine_run" plimex.exe >/dev/null 2>&1 &)
driver wait-window || fail "the zip's program did not start"
eventually lists_samples || fail "the zip's first run lists: $(driver items LstFic)"
eventually wallpaper_in 'C:\Plimex 2000\Fonds\' ||
    fail "the zip's first run set $(registry_value 'HKCU\Control Panel\Desktop' Wallpaper)"
driver close
driver wait-gone || fail "the zip's program did not end"
[ "$(options "$unpacked")" == "$(expected_options 'C:\Plimex 2000\Fonds\')" ] ||
    fail "the zip's program saved: $(options "$unpacked")"

# ---------------------------------------------------------------- the MSI
product_code=$(msiinfo export "$msi" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p')
version=$(msiinfo export "$msi" Property | tr -d '\r' | sed -n 's/^ProductVersion\t//p')
install() { (cd "$(dirname "$msi")" && "$wine_run" msiexec /i "$(basename "$msi")" /qn "$@"); }
install AUTOSTART=1 || fail "the silent install failed"

folder_win="$(wine cmd /c 'echo %LOCALAPPDATA%')\\Programs\\Plimex 2000"
folder=$(unix_path "$folder_win")
programs_win="$(wine cmd /c 'echo %APPDATA%')\\Microsoft\\Windows\\Start Menu\\Programs"
programs=$(unix_path "$programs_win")
cmp -s "$folder/plimex.exe" "$unpacked/plimex.exe" || fail "no plimex.exe in $folder"
diff -r "$folder/Fonds" "$source_dir/resources/backgrounds" >/dev/null || fail "the samples differ"
[ "$(options "$folder")" == "$(expected_options 'Fonds\')" ] || fail "Plimex.ini: $(options "$folder")"
# Target and working folder, the latter with or without its final backslash.
shortcut_of() { python3 "$(dirname "$0")/shell_link.py" "$1" | sed 's/\\$//'; }
for shortcut in "$programs/Plimex 2000.lnk" "$programs/StartUp/Plimex 2000.lnk"; do
    [ -f "$shortcut" ] || fail "no shortcut $shortcut"
    [ "$(shortcut_of "$shortcut")" == "$(printf '%s\n%s' "$folder_win\\plimex.exe" "$folder_win")" ] ||
        fail "$shortcut runs: $(shortcut_of "$shortcut")"
done
uninstall_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product_code"
[ "$(registry_value "$uninstall_key" DisplayName)" == "Plimex 2000" ] || fail "no Apps & Features entry"
[ "$(registry_value "$uninstall_key" DisplayVersion)" == "$version" ] || fail "the entry's version"
(($(registry_value "$uninstall_key" Size) > 100)) || fail "the entry's size"
[ "$(registry_value "$uninstall_key" InstallLocation | sed 's/\\$//')" == "$folder_win" ] ||
    fail "the entry's InstallLocation: $(registry_value "$uninstall_key" InstallLocation)"
[ -f "$(unix_path "$(wine cmd /c 'echo %APPDATA%')\\Microsoft\\Installer\\$product_code\\plimex.ico")" ] ||
    fail "no icon for the entry"

"$wine_run" start "$programs_win\\Plimex 2000.lnk" >/dev/null 2>&1
driver wait-window || fail "the Start menu shortcut did not start the program"
eventually lists_samples || fail "the program lists: $(driver items LstFic)"
eventually wallpaper_in "$folder_win\\Fonds\\" ||
    fail "the wallpaper is $(registry_value 'HKCU\Control Panel\Desktop' Wallpaper)"
wallpaper=$(registry_value 'HKCU\Control Panel\Desktop' Wallpaper)
# Wine's desktop shows a bitmap larger than the screen from its top left
# corner: a block of the screen is exactly that block of the picture.
sample="$source_dir/resources/backgrounds/${wallpaper##*\\}"
block=256x256+256+200
expected=$(convert "$sample" -crop "$block" -depth 8 rgb:- | md5sum)
shown() { [ "$(import -window root -crop "$block" -depth 8 rgb:- | md5sum)" == "$expected" ]; }
for _ in $(seq 50); do shown && break || sleep 0.2; done
shown || fail "the desktop does not show $sample"
driver close
driver wait-gone || fail "the program did not end"
[ "$(options "$folder")" == "$(expected_options "$folder_win\\Fonds\\")" ] ||
    fail "Plimex.ini at quit: $(options "$folder")"

# An update installed without AUTOSTART keeps start-with-Windows as it was.
newer="$scratch/newer/$(basename "$msi")"
msi_arch=x86
[ "${PLIMEX_WINE_ARCH:-win32}" == win64 ] && msi_arch=x64
cmake -DSOURCE_DIR="$source_dir" -DEXE="$unpacked/plimex.exe" -DARCH=$msi_arch -DVERSION=99.0 \
    -DWORK="$scratch/newer/work" -DOUTPUT="$newer" -P "$source_dir/packaging/windows/build_msi.cmake" \
    >/dev/null || fail "the newer MSI was not built"
(cd "$(dirname "$newer")" && "$wine_run" msiexec /i "$(basename "$newer")" /qn) || fail "the update failed"
[ "$(registry_value "$uninstall_key" DisplayName)" == "" ] || fail "the update left the old entry"
[ -f "$programs/StartUp/Plimex 2000.lnk" ] || fail "the update removed the Startup shortcut"
# The user's own way to stop it lasts: a repair brings back no deleted shortcut.
rm "$programs/StartUp/Plimex 2000.lnk"
(cd "$(dirname "$newer")" && "$wine_run" msiexec /i "$(basename "$newer")" /qn REINSTALL=ALL \
    REINSTALLMODE=omus) || fail "the repair failed"
[ ! -e "$programs/StartUp/Plimex 2000.lnk" ] || fail "a repair brought back the deleted Startup shortcut"

(cd "$(dirname "$newer")" && "$wine_run" msiexec /x "$(basename "$newer")" /qn) || fail "msiexec /x failed"
[ "$(ls -A "$folder")" == "Plimex.ini" ] || fail "msiexec /x left: $(ls -A "$folder")"
[ ! -e "$programs/Plimex 2000.lnk" ] && [ ! -e "$programs/StartUp/Plimex 2000.lnk" ] ||
    fail "msiexec /x left a shortcut"
[ -z "$(registry_value "$uninstall_key" DisplayName)" ] || fail "msiexec /x left the entry"

install AUTOSTART=0 || fail "the second install failed"
[ "$(options "$folder")" == "$(expected_options "$folder_win\\Fonds\\")" ] ||
    fail "a new install replaced the user's Plimex.ini"
[ -f "$programs/Plimex 2000.lnk" ] && [ ! -e "$programs/StartUp/Plimex 2000.lnk" ] ||
    fail "with AUTOSTART=0 the shortcuts are wrong"
# A repair, as Apps & Features makes it, with and without AUTOSTART=0.
for autostart in "" AUTOSTART=0; do
    install REINSTALL=ALL REINSTALLMODE=omus $autostart || fail "the repair failed"
    [ ! -e "$programs/StartUp/Plimex 2000.lnk" ] || fail "a repair ($autostart) added a Startup shortcut"
done
echo "PASS: zip complete, its first run rotates its samples; MSI installed silently for the user," \
    "shortcuts, entry, samples listed and set, settings saved; an update kept start-with-Windows," \
    "a repair added none; uninstall kept Plimex.ini"
