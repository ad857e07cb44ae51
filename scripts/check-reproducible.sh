#!/usr/bin/env bash
# Builds the Debian packages a second time, in another folder, and compares
# them byte for byte with those in build-packages/ (which
# scripts/check-packages.sh builds; without them, this builds both). Any
# difference fails, naming the packages and the files in them that differ.
#
# Needs root. Where it cannot run it says so, and fails when CI is set.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fresh-root.sh
[ "$(id -u)" -eq 0 ] || cannot_run "needs root (the build's dependencies); not checked"

first=build-packages
ls "$first"/*.deb >/dev/null 2>&1 || scripts/build-packages.sh "$first"
again=$(mktemp -d /var/tmp/formprograms-again.XXXXXX)
trap 'rm -rf "$again"' EXIT
second=$again/another/folder
scripts/build-packages.sh "$second"

# The files of a package, with their contents' checksums, one a line.
contents() {
    local unpacked
    unpacked=$(mktemp -d)
    dpkg-deb -R "$1" "$unpacked"
    (cd "$unpacked" && find . -type f -print0 | sort -z | xargs -0 sha256sum)
    rm -rf "$unpacked"
}

different=0
for package in "$first"/*.deb; do
    name=$(basename "$package")
    if ! cmp -s "$package" "$second/$name"; then
        different=1
        echo "check-reproducible: $name differs:" >&2
        diff <(contents "$package") <(contents "$second/$name") >&2 || true
    fi
done
[ "$different" -eq 0 ] || exit 1
echo "check-reproducible: $(ls "$first"/*.deb | wc -l) packages are byte for byte the same from two folders"
