# Sourced by the checks that need a brand-new Debian 12 root
# (check-fresh.sh, check-packages.sh). make_fresh_root builds one with
# mmdebstrap (apt, ca-certificates and the packages named), mounts /proc,
# /sys and /dev in it, and sets $root and the in_root command (chroot with a
# clean environment; each command adds its own variables). Whatever happens,
# the exit ends what is left running inside, unmounts, checks that nothing
# is mounted and only then removes the root.
#
# Needs root. Where it cannot run, cannot_run says so, and fails when CI is
# set.

cannot_run() {
    echo "$(basename "$0" .sh): $1" >&2
    [ -z "${CI:-}" ] || exit 1
    exit 0
}

# Processes whose root directory is the fresh root.
processes_inside() {
    local link
    for link in /proc/[0-9]*/root; do
        [ "$(readlink "$link" 2>/dev/null)" = "$root" ] && basename "$(dirname "$link")"
    done
    return 0
}

mounted_inside() {
    findmnt -rn -o TARGET | grep -E "^$root(/|$)" | sort -r || true
}

clean_up_root() {
    local status=$? pids mount
    pids=$(processes_inside)
    if [ -n "$pids" ]; then
        echo "ending what is still running inside $root: $(echo $pids)"
        kill $pids 2>/dev/null || true
        sleep 2
        pids=$(processes_inside)
        [ -z "$pids" ] || kill -9 $pids 2>/dev/null || true
    fi
    for mount in $(mounted_inside); do
        umount "$mount" 2>/dev/null || umount -l "$mount" || true
    done
    if [ -n "$(mounted_inside)" ]; then
        echo "still mounted inside $root, left in place:" >&2
        mounted_inside >&2
        exit 1
    fi
    rm -rf --one-file-system "$root"
    exit $status
}

# make_fresh_root [package,...]
make_fresh_root() {
    [ "$(id -u)" -eq 0 ] || cannot_run "needs root (mmdebstrap, mount, chroot); not checked"
    if ! command -v mmdebstrap >/dev/null; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends mmdebstrap >/dev/null ||
            cannot_run "mmdebstrap is missing and could not be installed; not checked"
    fi
    root=$(mktemp -d /var/tmp/fresh-debian.XXXXXX)
    trap clean_up_root EXIT
    trap 'exit 130' INT TERM

    echo "making a brand-new Debian 12 root in $root"
    mmdebstrap --quiet --variant=apt --include="ca-certificates${1:+,$1}" bookworm "$root"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --make-rslave "$root/sys"
    mount --rbind /dev "$root/dev"
    mount --make-rslave "$root/dev"
    in_root=(chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
        LANG=C.UTF-8)
}
