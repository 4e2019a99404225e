# Sourced first by the tests that mount a share of their own: runs the
# calling script again, as root, in a mount namespace of its own, so that
# nothing else on the machine meets the share; without root or /dev/fuse it
# says so and skips.
if [ -z "${PLIMEX_OWN_MOUNTS:-}" ]; then
    if [ "$(id -u)" != 0 ] || [ ! -c /dev/fuse ]; then
        echo "SKIP: a FUSE mount of our own needs root and /dev/fuse"
        exit 0
    fi
    PLIMEX_OWN_MOUNTS=1 exec unshare --mount --propagation private "$0" "$@"
fi
