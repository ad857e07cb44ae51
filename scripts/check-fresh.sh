#!/usr/bin/env bash
# Runs the README's test command on a brand-new Debian 12 root, so that a
# dependency only this machine has cannot pass unseen: builds the root
# (scripts/fresh-root.sh: apt, git, ca-certificates, sudo and nothing else),
# clones the committed checkout into it, runs the command with chroot, and
# exits with its status. After the tests pass it checks the README's run
# command too: the program must still be running after a few seconds
# (offscreen, as there is no display).
#
# Needs root. Where it cannot run it says so, and fails when CI is set.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/fresh-root.sh

# The README's first block holds the run command, then the test command.
readme_command() {
    awk '/^```/ { block++; next } block == 1' README.md | sed -n "${1}p" | sed 's/[[:space:]]*#.*//'
}
run_command=$(readme_command 1)
test_command=$(readme_command 2)
[ -n "$run_command" ] && [ -n "$test_command" ] || { echo "check-fresh: no run and test commands in README.md" >&2; exit 1; }

make_fresh_root git,sudo
# Where a root user clones: in root's home, which no other user may enter.
git clone --quiet --no-local "$PWD" "$root/root/project"

echo "check-fresh: running '$test_command' inside"
"${in_root[@]}" CI="${CI:-}" /bin/bash -c "cd /root/project && $test_command" && status=0 || status=$?
echo "check-fresh: '$test_command' on a brand-new Debian 12 root exited with $status"
[ "$status" -eq 0 ] || exit $status

"${in_root[@]}" QT_QPA_PLATFORM=offscreen /bin/bash -c "cd /root/project && timeout 30 $run_command" >/dev/null 2>&1 &&
    status=0 || status=$?
if [ "$status" -ne 124 ]; then
    echo "check-fresh: '$run_command' ended with $status instead of running" >&2
    exit 1
fi
echo "check-fresh: '$run_command' starts its program there"
exit 0
