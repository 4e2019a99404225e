#!/bin/bash
# The user's Plimex.ini survives whatever happens to the program:
# - a Plimex.ini that exists but cannot be read is never overwritten, and the
#   log says why (as an ordinary user: root reads any file);
# - SIGKILL at any moment of a save leaves it whole, and the temporary files
#   such kills leave behind are gone after the next save.
# Usage: e2e_settings_test.sh PATH_TO_PLIMEX [KILLS]
# (KILLS defaults to 15; the full check is 150.)
source "$(dirname "$0")/x11_session.sh"
program=$(realpath "$1")
kills=${2:-15}

# The program without a display server, in the given working folder, as the
# given user.
run_offscreen() {  # user, folder, log
    local as_user=()
    [ "$(id -u)" != 0 ] || as_user=(setpriv --reuid="$1" --regid="$(id -g "$1")" --clear-groups)
    (
        trap - EXIT
        cd "$2"
        export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" \
            XDG_RUNTIME_DIR="${runtime-$scratch/run}" QT_QPA_PLATFORM=offscreen
        [ -n "$XDG_RUNTIME_DIR" ] || unset XDG_RUNTIME_DIR
        exec "${as_user[@]}" "$program"
    ) >"$3" 2>&1 &
    program_pid=$!
}

prepare_options 1 0
chmod 755 "$scratch"
chmod 1777 "$scratch/run" "$scratch/home"

# Unreadable: owned by an ordinary user, mode 000.
user=nobody
[ "$(id -u)" == 0 ] || user=$(id -un)
mkdir "$scratch/locked"
options_text 3 0 >"$scratch/locked/Plimex.ini"
chown -R "$user" "$scratch/locked"
chmod 000 "$scratch/locked/Plimex.ini"
run_offscreen "$user" "$scratch/locked" "$scratch/locked.log"
sleep 1
kill -TERM "$program_pid"
expect_clean_exit
[ "$(stat -c %a "$scratch/locked/Plimex.ini")" == 0 ] || fail "the unreadable file was replaced"
chmod 600 "$scratch/locked/Plimex.ini"
[ "$(cat "$scratch/locked/Plimex.ini")" == "$(options_text 3 0)" ] ||
    fail "the unreadable file was overwritten"
grep -q '^plimex: LoadOptions: Plimex.ini: the file exists but cannot be read' "$scratch/locked.log" ||
    fail "the log does not say why the file is kept"

# Killed during the save that SIGTERM starts, once it has started up, at a
# random moment.
left=0
for ((run = 1; run <= kills; run++)); do
    run_offscreen "$(id -un)" "$scratch/cwd" "$scratch/kill.log"
    sleep 0.5
    kill -TERM "$program_pid"
    sleep "0.0$(printf '%02d' $((RANDOM % 30)))"
    kill -KILL "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    expect_options 1 0
    temporary=$(find "$scratch/cwd" -name '.Plimex.ini.*' | wc -l)
    left=$((left + (temporary > 0)))
done

run_offscreen "$(id -un)" "$scratch/cwd" "$scratch/last.log"
sleep 0.5
kill -TERM "$program_pid"
expect_clean_exit
expect_options 1 0
[ -z "$(find "$scratch/cwd" -name '.Plimex.ini.*')" ] || fail "a temporary file survived a save"
# One copy per folder, whatever each one's runtime folder; a lock that another
# user planted, in /tmp under the name an older copy would use or in the
# folder itself, neither stops the program nor gets the process id inside
# signalled. Case: how the first comes, what the second copy must do.
program_running() { kill -0 "$program_pid" 2>/dev/null; }
plant_lock() {  # file
    setpriv --reuid=nobody --regid=nogroup --clear-groups \
        sh -c 'echo "$1" >"$2" && chmod 666 "$2" && exec flock "$2" sleep 30' - "$bystander" "$1" &
    planter=$! && helper_pids+=("$planter")
    wait_for 5 test -s "$1" || fail "no planted lock in $1"
}
sleep 60 &
bystander=$!
helper_pids+=("$bystander")
folder_id=$(stat -c %d-%i "$scratch/cwd")
chmod 1777 "$scratch/cwd"
for first in "copy-with-its-own-runtime-folder" "tmp-lock" "folder-lock"; do
    planter=""
    case $first in
        copy-*)
            run_offscreen "$(id -un)" "$scratch/cwd" "$scratch/first.log"
            first_pid=$program_pid && helper_pids+=("$program_pid")
            ;;
        *) [ "$(id -u)" == 0 ] || { echo "SKIP: planting $first needs root" && continue; } ;;&
        tmp-*) plant_lock "/tmp/plimex-$(id -u)-$folder_id.lock" ;;
        folder-*) plant_lock "$scratch/cwd/.Plimex.lock" ;;
    esac
    sleep 1
    runtime="" run_offscreen "$(id -un)" "$scratch/cwd" "$scratch/second.log"
    helper_pids+=("$program_pid")
    sleep 1
    if [ -z "$planter" ]; then
        program_running && fail "a second copy in the folder ran ($first)"
        kill -TERM "$first_pid" && wait "$first_pid"
    else
        program_running || fail "a lock planted by another user stopped the program ($first)"
        kill -TERM "$program_pid" && expect_clean_exit
        kill "$planter" && wait "$planter" || true
        rm -f "/tmp/plimex-$(id -u)-$folder_id.lock" "$scratch/cwd/.Plimex.lock"
    fi
    kill -0 "$bystander" || fail "the process id in a planted lock was signalled ($first)"
done

echo "PASS: an unreadable Plimex.ini kept and logged; $kills kills during a save left it whole" \
    "($left left a temporary file, removed by the next save); one copy per folder, planted locks ignored"
