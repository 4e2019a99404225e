#!/bin/bash
# A network share that stops answering (a FUSE mount, typed as sshfs, whose
# daemon never answers) holds nothing up: the program starts with Rep= on
# that share, takes the folder as missing and says so, and SIGTERM ends it
# cleanly. In a mount namespace of its own, so that nothing else on the
# machine meets the share. Usage: e2e_stalled_share_test.sh PATH_TO_PLIMEX
source "$(dirname "$0")/own_mount_namespace.sh"
source "$(dirname "$0")/x11_session.sh"
program=$(realpath "$1")

share=$scratch/share
mkdir "$share"
# The daemon never reads /dev/fuse, so every request waits for it.
python3 - "$share" <<'PY' &
import ctypes, os, signal, sys
fd = os.open("/dev/fuse", os.O_RDWR)
options = f"fd={fd},rootmode=40000,user_id=0,group_id=0".encode()
libc = ctypes.CDLL(None, use_errno=True)
if libc.mount(b"server:/pictures", sys.argv[1].encode(), b"fuse.sshfs", 0, options) != 0:
    sys.exit("mount: " + os.strerror(ctypes.get_errno()))
signal.pause()
PY
daemon=$!
# Closing the daemon's end fails every waiting request; only then can the
# share go.
trap 'kill $daemon; wait $daemon || true; umount -l "$share"; cleanup' EXIT
mounted() { grep -q " $share fuse.sshfs " /proc/self/mounts; }
wait_for 10 mounted || fail "the FUSE share was not mounted"

mkdir -p "$scratch/cwd" "$scratch/home" "$scratch/run"
printf '[options]\r\nRep=%s/pics/\r\nTps=1\r\nEtat=0\r\n' "$share" >"$scratch/cwd/Plimex.ini"
(
    cd "$scratch/cwd"
    export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/run" QT_QPA_PLATFORM=offscreen
    exec "$program"
) >"$scratch/plimex.log" 2>&1 &
program_pid=$!
helper_pids+=("$program_pid")
said_so() { grep -q "^plimex: IsFolder: $share/pics/: no answer" "$scratch/plimex.log"; }
wait_for 10 said_so || true
kill -TERM "$program_pid"
expect_clean_exit
said_so || fail "the program did not say that the share does not answer"
echo "PASS: a share that does not answer held up neither the start nor SIGTERM"
