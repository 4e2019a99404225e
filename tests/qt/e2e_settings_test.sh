#!/bin/bash
# The user's Plimex.ini survives whatever happens to the program:
# - a Plimex.ini that exists but cannot be read (as an ordinary user: root
#   reads any file), is read-only or whose first line is too long to be read
#   is never overwritten, and the log says why;
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

# Read-only, or with a first line longer than the megabyte the program reads:
# kept as it is, mode included, and the save says why.
for kind in read-only long-line; do
    mkdir "$scratch/$kind" && cd "$scratch/$kind"
    { [ $kind == read-only ] || head -c 1100000 /dev/zero | tr '\0' x; options_text 3 0; } >Plimex.ini
    [ $kind != read-only ] || chmod 444 Plimex.ini
    cp -p Plimex.ini ../$kind.before
    run_offscreen "$(id -un)" . ../$kind.log
    sleep 1
    kill -TERM "$program_pid"
    expect_clean_exit
    cmp -s ../$kind.before Plimex.ini && [ "$(stat -c %a ../$kind.before)" == "$(stat -c %a Plimex.ini)" ] ||
        fail "the $kind file was replaced"
    grep -q '^plimex: SaveOptions: Plimex.ini: not saved' ../$kind.log || fail "no log line for $kind"
done

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
# One copy per folder, whatever each one's runtime folder.
run_offscreen "$(id -un)" "$scratch/cwd" "$scratch/first.log"
first_pid=$program_pid && helper_pids+=("$first_pid") && sleep 1
runtime="" run_offscreen "$(id -un)" "$scratch/cwd" "$scratch/second.log"
helper_pids+=("$program_pid")
wait_for 5 program_ended || fail "a second copy with another runtime folder ran in the folder"
kill -TERM "$first_pid" && wait "$first_pid"
# A lock another user planted, in /tmp under the name older copies used or
# beside Plimex.ini, neither stops the program nor gets its process id
# signalled.
if [ "$(id -u)" == 0 ]; then
    sleep 60 &
    bystander=$! && helper_pids+=("$bystander")
    chmod 1777 "$scratch/cwd"
    for lock in "/tmp/plimex-0-$(stat -c %d-%i "$scratch/cwd").lock" "$scratch/cwd/.Plimex.lock"; do
        rm -f "$lock"
        setpriv --reuid=nobody --regid=nogroup --clear-groups sh -c \
            'echo "$1" >"$2" && chmod 666 "$2" && exec flock -F "$2" sleep 30' - "$bystander" "$lock" &
        planter=$! && helper_pids+=("$planter")
        wait_for 5 test -s "$lock" || fail "no lock planted in $lock"
        runtime="" run_offscreen root "$scratch/cwd" "$scratch/planted.log"
        helper_pids+=("$program_pid") && sleep 1
        kill -0 "$program_pid" || fail "the lock planted in $lock stopped the program"
        kill -TERM "$program_pid" && expect_clean_exit
        kill -0 "$bystander" || fail "the process id in $lock was signalled"
        kill "$planter" && wait "$planter" || true
        rm -f "$lock"
    done
else
    echo "SKIP: locks planted by another user (needs root)"
fi

echo "PASS: an unreadable, a read-only and a 1 MB-line Plimex.ini kept and logged; $kills kills during a save left it whole" \
    "($left left a temporary file, removed by the next save); one copy per folder, planted locks ignored"
