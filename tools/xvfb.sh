# Sourced by the scripts that need an X display of their own.

# start_private_xvfb WIDTHxHEIGHT [LOG]: starts an Xvfb on a display number it
# picks itself (other runs may hold any fixed one), exports its DISPLAY and
# sets xvfb_pid. When Xvfb does not come up within 10 s it says so on stderr,
# leaves DISPLAY alone and returns 1.
start_private_xvfb() {
    local displayfd number
    exec {displayfd}<> <(:)
    Xvfb -displayfd "$displayfd" -screen 0 "$1x24" -nolisten tcp >"${2:-/dev/null}" 2>&1 &
    xvfb_pid=$!
    if ! read -r -t 10 -u "$displayfd" number; then
        exec {displayfd}<&-
        kill "$xvfb_pid" 2>/dev/null
        echo "Xvfb did not start${2:+; its output is in $2}" >&2
        return 1
    fi
    exec {displayfd}<&-
    export DISPLAY=":$number"
}
