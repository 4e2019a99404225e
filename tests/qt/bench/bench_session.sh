# Shared by the benchmark scripts: Xvfb's helpers, and a scratch folder with
# a home, a private runtime folder and a pictures folder, removed at the end
# with every process recorded in pids. Source it after set -euo pipefail.
source "$(dirname "${BASH_SOURCE[0]}")/../../../tools/xvfb.sh"

# Stops the script unless each program has been built.
require_built() {  # program...
    local program
    for program; do
        [ -x "$program" ] || { echo "build $(basename "$program") first ($program)" >&2; exit 1; }
    done
}

scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
mkdir -p "$scratch/pictures" "$scratch/home" "$scratch/run"
chmod 700 "$scratch/run"
