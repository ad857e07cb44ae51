#!/usr/bin/env bash
# Builds the Debian packages with Debian's own tools (dpkg-buildpackage and
# debhelper over debian/) from a copy of the tree's files as they are in the
# working tree (what git tracks, and new files it does not ignore) in
# DIR/src, leaving the packages (each with its -dbgsym package) in DIR.
# SOURCE_DATE_EPOCH is the time of the last commit, so that two builds of
# one commit give the same packages.
#   scripts/build-packages.sh DIR
# Installs what the build needs; needs root for that.
set -euo pipefail
cd "$(dirname "$0")/.."

out=$(realpath -m "$1")
scripts/install-packages.sh dpkg-dev debhelper fakeroot

rm -rf "$out"
mkdir -p "$out/src"
git ls-files -z --cached --others --exclude-standard | tar --null -T - -c | tar -x -C "$out/src"
DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -q "$out/src/" >/dev/null

export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
(cd "$out/src" && dpkg-buildpackage --build=binary --no-sign >"$out/build.log" 2>&1) ||
    { tail -n 60 "$out/build.log"; exit 1; }
echo "build-packages: $(cd "$out" && ls *.deb | wc -l) packages in $out"
