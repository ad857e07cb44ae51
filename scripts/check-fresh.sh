#!/usr/bin/env bash
# Runs the README's test command on a brand-new Debian 12 root, so that a
# dependency only this machine has cannot pass unseen: builds the root with
# mmdebstrap (apt, git, ca-certificates, sudo and nothing else), clones the
# committed checkout into it, mounts /proc, /sys and /dev, runs the command
# with chroot, and exits with its status. After the tests pass it checks the
# README's run command too: the program must still be running after a few
# seconds (offscreen, as there is no display). Whatever happens, it ends what the
# command left running inside, unmounts, checks that nothing is mounted and
# only then removes the root.
#
# Needs root. Where it cannot run it says so, and fails when CI is set.
set -euo pipefail
cd "$(dirname "$0")/.."

cannot_run() {
    echo "check-fresh: $1" >&2
    [ -z "${CI:-}" ] || exit 1
    exit 0
}

[ "$(id -u)" -eq 0 ] || cannot_run "needs root (mmdebstrap, mount, chroot); not checked"
if ! command -v mmdebstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends mmdebstrap >/dev/null ||
        cannot_run "mmdebstrap is missing and could not be installed; not checked"
fi

# The README's first block holds the run command, then the test command.
readme_command() {
    awk '/^```/ { block++; next } block == 1' README.md | sed -n "${1}p" | sed 's/[[:space:]]*#.*//'
}
run_command=$(readme_command 1)
test_command=$(readme_command 2)
[ -n "$run_command" ] && [ -n "$test_command" ] || { echo "check-fresh: no run and test commands in README.md" >&2; exit 1; }

root=$(mktemp -d /var/tmp/fresh-debian.XXXXXX)

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

clean_up() {
    local status=$? pids mount
    pids=$(processes_inside)
    if [ -n "$pids" ]; then
        echo "check-fresh: ending what is still running inside: $(echo $pids)"
        kill $pids 2>/dev/null || true
        sleep 2
        pids=$(processes_inside)
        [ -z "$pids" ] || kill -9 $pids 2>/dev/null || true
    fi
    for mount in $(mounted_inside); do
        umount "$mount" 2>/dev/null || umount -l "$mount" || true
    done
    if [ -n "$(mounted_inside)" ]; then
        echo "check-fresh: still mounted inside $root, left in place:" >&2
        mounted_inside >&2
        exit 1
    fi
    rm -rf --one-file-system "$root"
    exit $status
}
trap clean_up EXIT
trap 'exit 130' INT TERM

echo "check-fresh: making a brand-new Debian 12 root in $root"
mmdebstrap --quiet --variant=apt --include=git,ca-certificates,sudo bookworm "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
git clone --quiet --no-local "$PWD" "$root/src"

mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --make-rslave "$root/sys"
mount --rbind /dev "$root/dev"
mount --make-rslave "$root/dev"

# A clean environment inside the root; each command adds its own variables.
in_root=(chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
    LANG=C.UTF-8)

echo "check-fresh: running '$test_command' inside"
"${in_root[@]}" CI="${CI:-}" /bin/bash -c "cd /src && $test_command" && status=0 || status=$?
echo "check-fresh: '$test_command' on a brand-new Debian 12 root exited with $status"
[ "$status" -eq 0 ] || exit $status

"${in_root[@]}" QT_QPA_PLATFORM=offscreen /bin/bash -c "cd /src && timeout 30 $run_command" >/dev/null 2>&1 &&
    status=0 || status=$?
if [ "$status" -ne 124 ]; then
    echo "check-fresh: '$run_command' ended with $status instead of running" >&2
    exit 1
fi
echo "check-fresh: '$run_command' starts its program there"
exit 0
