# Sourced by the test scripts that need a display of their own.

# Starts a private Xvfb and exports its DISPLAY; xvfb_pid is its process.
# Xvfb picks a free display number itself: other test runs may have theirs.
start_xvfb() {  # start_xvfb SCRATCH_DIR WIDTHxHEIGHT [LOG]
    Xvfb -displayfd 3 -screen 0 "$2x24" -nolisten tcp 3>"$1/display" >"${3:-/dev/null}" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$1/display" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(head -1 "$1/display")"
}
