#!/bin/bash
# A share that answers, but slowly (sshfs over a bad link: 2 s for each
# directory read, 3 s for each file read, 0.3 s for any other call) holds no
# window up: a second start brings the running copy's window up while the
# folder list reads the saved folder, and again while its bitmaps are listed;
# the tray's menu opens while the start-up wallpaper, picked from the whole
# list, is read. Opening a folder of the share leaves the window answering, and
# SIGTERM meanwhile ends the program at once, its options saved.
# Usage: e2e_slow_share_test.sh PATH_TO_PLIMEX
source "$(dirname "$0")/own_mount_namespace.sh"
source "$(dirname "$0")/x11_session.sh"
program=$(realpath "$1")

start_display
start_trayer
mkdir -p "$scratch/served/pics" "$scratch/share"
convert -size 64x48 xc:red "BMP3:$scratch/served/pics/red.bmp"
# The served folder, every call logged when it comes in.
/usr/bin/python3 - "$scratch/served" "$scratch/share" "$scratch/calls.txt" <<'PY' &
import os, sys, time
from fusepy import FUSE, FuseOSError, Operations

served, share, calls = sys.argv[1:4]

class SlowShare(Operations):
    def __call__(self, op, path, *args):
        with open(calls, "a") as log:
            print(op, path, file=log, flush=True)
        time.sleep(2.0 if op in ("opendir", "readdir") else 3.0 if op == "read" else 0.3)
        return super().__call__(op, path, *args)

    def getattr(self, path, fh=None):
        try:
            status = os.lstat(served + path)
        except OSError as error:
            raise FuseOSError(error.errno)
        return {key: getattr(status, key) for key in ("st_mode", "st_size", "st_mtime")}

    def readdir(self, path, fh):  # each entry with its type, as sshfs gives it
        return [(name, self.getattr(os.path.join(path, name)), 0)
                for name in [".", ".."] + os.listdir(served + path)]

    def open(self, path, flags):
        return os.open(served + path, os.O_RDONLY)

    def read(self, path, size, offset, fh):
        return os.pread(fh, size, offset)

    def release(self, path, fh):
        return os.close(fh)

FUSE(SlowShare(), share, foreground=True, fsname="server:/pictures", subtype="sshfs")
PY
daemon=$!
trap 'kill $daemon; wait $daemon || true; umount -l "$scratch/share" 2>/dev/null || true; cleanup' EXIT
mounted() { grep -q " $scratch/share fuse.sshfs " /proc/self/mounts; }
wait_for 10 mounted || fail "the slow share was not mounted"

mkdir -p "$scratch/cwd" "$scratch/home" "$scratch/run"
chmod 700 "$scratch/run"
printf '[options]\r\nRep=%s/pics/\r\nTps=1\r\nEtat=1\r\n' "$scratch/share" >"$scratch/cwd/Plimex.ini"
start_program "$program"
first_pid=$program_pid

# The second reading of the folder is the listing of its bitmaps, which takes
# 4 s at least: the window is to answer well within it.
listing() { [ "$(grep -c "^opendir /pics$" "$scratch/calls.txt" 2>/dev/null)" -ge 2 ]; }
wait_for 60 listing || fail "the program never listed the share"
! main_window_shown || fail "the window was shown at start-up"
began=$(date +%s%N)
start_program "$program" second
until main_window_shown || (($(date +%s%N) - began > 30000000000)); do sleep 0.05; done
answered=$((($(date +%s%N) - began) / 1000000))
listed_by_then=$(pixel 0 0)
program_pid=$first_pid
echo "a second start showed the window ${answered} ms after the listing began"
((answered < 1500)) || fail "the window took ${answered} ms to answer while the share was listed"
[ "$listed_by_then" != "#FF0000" ] || fail "the listing had ended before the window answered"

# The desktop reads the start-up wallpaper from the share: the tray's menu
# opens meanwhile.
applying() { grep -q "^read /pics/red.bmp$" "$scratch/calls.txt"; }
wait_for 60 applying || fail "the start-up wallpaper was never read"
icon_windows=$(visible_windows)
menu_open() { (($(visible_windows) > icon_windows)); }
began=$(date +%s%N)
xdotool mousemove "$tray_x" "$tray_y" click 3
until menu_open || (($(date +%s%N) - began > 30000000000)); do sleep 0.05; done
answered=$((($(date +%s%N) - began) / 1000000))
applied_by_then=$(pixel 0 0)
echo "the tray's menu opened ${answered} ms after the click, while the wallpaper was read"
((answered < 1500)) || fail "the menu took ${answered} ms to open while the wallpaper was read"
[ "$applied_by_then" != "#FF0000" ] || fail "the wallpaper was applied before the menu opened"
xdotool key Escape

red_wallpaper() { [ "$(pixel 0 0)" == "#FF0000" ]; }
wait_for 60 red_wallpaper || fail "the start-up wallpaper did not come from the listed share"
kill -TERM "$program_pid"
expect_clean_exit

# The folder list's own reading of the saved folder comes first, 4 s at least.
: >"$scratch/calls.txt"
start_program "$program" quit
quit_pid=$program_pid
reading() { grep -q "^opendir /pics$" "$scratch/calls.txt" 2>/dev/null; }
wait_for 60 reading || fail "the program never read the share"
began=$(date +%s%N)
start_program "$program" second
until main_window_shown || (($(date +%s%N) - began > 30000000000)); do sleep 0.05; done
answered=$((($(date +%s%N) - began) / 1000000))
program_pid=$quit_pid
echo "a second start showed the window ${answered} ms after the folder list began reading"
((answered < 1500)) || fail "the window took ${answered} ms to answer while the folder list read"

# Opening the share's root from the folder list ("pics", the current folder,
# is the last entry): the window hides at Alt+C while that folder is read.
wait_for 60 listing || fail "the program never listed the share"
window=$(xdotool search --onlyvisible --name '^Plimex 2000$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 80)) $((Y + 200)) click 1 key Up Return
root_read() { grep -q "^opendir /$" "$scratch/calls.txt"; }
wait_for 30 root_read || fail "opening the share's root did not read it"
began=$(date +%s%N)
xdotool key alt+c
while main_window_shown && (($(date +%s%N) - began < 30000000000)); do sleep 0.05; done
answered=$((($(date +%s%N) - began) / 1000000))
echo "the window hid ${answered} ms after the opened folder began to be read"
((answered < 1500)) || fail "the window took ${answered} ms to answer while a folder opened was read"

# Ending while a folder is being read does not wait for it.
kill -TERM "$program_pid"
expect_clean_exit
grep -q "ends without it" "$scratch/quit.log" || fail "the end did not say a read was left"
grep -q "^Rep=$scratch/share/pics/"$'\r'"\$" "$scratch/cwd/Plimex.ini" ||
    fail "the saved folder changed: $(cat "$scratch/cwd/Plimex.ini")"
echo "PASS: the window answered while a slow share was read, listed and its picture applied, and the end did not wait for a read"
