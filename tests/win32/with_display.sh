#!/bin/bash
# Runs a Windows test program under Wine with a display: windows cannot be
# created without one. Without $DISPLAY a private Xvfb is started (on a free
# display number) and stopped afterwards, with the Wine session it served.
#
# Usage: with_display.sh WINE_RUN PROGRAM [ARGUMENTS...]
set -uo pipefail
wine_run=$1
shift

source "$(dirname "$0")/../../tools/xvfb.sh"

xvfb_pid=""
scratch=""
if [ -z "${DISPLAY:-}" ]; then
    scratch=$(mktemp -d /tmp/plimex-display.XXXXXX)
    start_private_xvfb 1024x768 || exit 1
    # A Wine session of its own, so that no session tied to another display serves it.
    export PLIMEX_WINEPREFIX="$scratch/prefix"
fi

"$wine_run" "$@"
status=$?

if [ -n "$xvfb_pid" ]; then
    WINEPREFIX="$PLIMEX_WINEPREFIX" wineserver -k 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    rm -rf "$scratch"
fi
exit $status
