#!/usr/bin/env bash
# Builds the Debian packages (scripts/build-packages.sh, into
# build-packages/) and tries them as Debian's package QA does:
#   - lintian on every package, the debug-symbol ones included: any error
#     or warning fails (but initial-upload-closes-no-bugs: these packages
#     close no Debian bug);
#   - piuparts: the library (with regcomponent, which its scripts use) and
#     then the full set installed, removed and purged, and installed,
#     removed and installed again, on a clean Debian 12;
#   - apt on a brand-new Debian 12 root (scripts/fresh-root.sh): each
#     program starts and paints its window, QUiLoader makes the Scroller
#     through the installed plugin, the desktop entries and metainfo
#     validate, the Scroller is registered for every user, and removing the
#     library leaves the system registry as it was before;
#   - autopkgtest: the tests of debian/tests against the installed
#     packages, as Debian's CI runs them, in an unshare testbed (root's
#     subordinate ids, and a Debian 12 tarball made by mmdebstrap where
#     autopkgtest looks for it, ~/.cache/sbuild).
#
# Needs root. Where it cannot run it says so, and fails when CI is set.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fresh-root.sh
[ "$(id -u)" -eq 0 ] || cannot_run "needs root (dpkg-buildpackage's dependencies, piuparts, chroot); not checked"

packages=build-packages
scripts/build-packages.sh "$packages"
cmake --build "$packages"/src/obj-* --target loadform >/dev/null
scripts/install-packages.sh lintian piuparts mmdebstrap desktop-file-utils appstream >/dev/null

echo "check-packages: lintian"
lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs --tag-display-limit 0 \
    "$packages"/*.deb

echo "check-packages: piuparts"
base=$(mktemp -d /var/tmp/piuparts-base.XXXXXX)
trap 'rm -rf "$base"' EXIT
mmdebstrap --quiet --variant=minbase bookworm "$base/bookworm.tar.gz"
try_with_piuparts() {
    # No upgrade test: no earlier version of these packages is in the archive.
    piuparts --basetgz="$base/bookworm.tar.gz" --distribution=bookworm --mirror="http://deb.debian.org/debian main" \
        --no-upgrade-test --install-remove-install "$@" >"$base/piuparts.log" 2>&1 ||
        { tail -n 80 "$base/piuparts.log"; echo "check-packages: piuparts failed on $*" >&2; exit 1; }
    echo "check-packages: piuparts: $(grep -o 'PASS: All tests.' "$base/piuparts.log") ($(basename -a "$@" | tr '\n' ' '))"
}
try_with_piuparts "$packages"/libtovrell1_*.deb "$packages"/regcomponent_*.deb
try_with_piuparts "$packages"/*.deb
rm -rf "$base"
trap - EXIT

make_fresh_root
mkdir "$root/tmp/check"
cp "$packages"/*.deb "$packages"/src/obj-*/packaging/loadform scroller/tests/hosts/designed/bannerwindow.ui \
    "$root/tmp/check/"
registry_state() { { ls -la --time-style=+ "$root/etc/formruntime" 2>&1 || true; } | sed "s|$root||"; }
before=$(registry_state)

echo "check-packages: installing the packages with apt"
"${in_root[@]}" DEBIAN_FRONTEND=noninteractive /bin/bash -c \
    'apt-get update -q && apt-get install -y -q /tmp/check/*.deb libqt6uitools6' >/dev/null

grep -q '^\[Tovrell.Scroller\]' "$root/etc/formruntime/components.ini" ||
    { echo "check-packages: the Scroller is not registered for every user" >&2; exit 1; }

# Every path of the library's scripts leaves the keys present exactly while
# the library is installed: a removal, upgrade or deconfiguration that is
# called off registers it again.
scripts_of=/var/lib/dpkg/info/libtovrell1:$(dpkg --print-architecture)
registered() { grep -q '^\[Tovrell.Scroller\]' "$root/etc/formruntime/components.ini" 2>/dev/null; }
for path in "remove:abort-remove" "upgrade 1.0.0-1:abort-upgrade 1.0.0-1" "deconfigure:abort-deconfigure"; do
    IFS=: read -r first then <<<"$path"
    "${in_root[@]}" "$scripts_of.prerm" $first
    ! registered || { echo "check-packages: prerm $first left the keys" >&2; exit 1; }
    "${in_root[@]}" "$scripts_of.postinst" $then
    registered || { echo "check-packages: postinst $then did not register again" >&2; exit 1; }
done
echo "check-packages: prerm and the postinst abort paths leave the keys exactly while the library is installed"

for program in Math Month Edit; do
    output=$("${in_root[@]}" QT_QPA_PLATFORM=offscreen FORM_REPORT_FIRST_PAINT=1 timeout 10 "$program" 2>&1) || true
    grep -q '^first-paint ' <<<"$output" ||
        { echo "check-packages: $program showed no window:" >&2; echo "$output" >&2; exit 1; }
    echo "check-packages: $program shows its window"
done

output=$("${in_root[@]}" QT_QPA_PLATFORM=offscreen /tmp/check/loadform /tmp/check/bannerwindow.ui 2>&1)
grep -q '^banner Tovrell::Scroller$' <<<"$output" ||
    { echo "check-packages: QUiLoader did not make the Scroller:" >&2; echo "$output" >&2; exit 1; }
echo "check-packages: QUiLoader makes Tovrell::Scroller through the installed plugin"

desktop-file-validate "$root"/usr/share/applications/org.formprograms.*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/org.formprograms.*.metainfo.xml

"${in_root[@]}" DEBIAN_FRONTEND=noninteractive apt-get remove -y -q libtovrell1 >/dev/null
after=$(registry_state)
if [ "$before" != "$after" ]; then
    printf 'check-packages: the system registry changed:\nbefore: %s\nafter: %s\n' "$before" "$after" >&2
    exit 1
fi
echo "check-packages: removing libtovrell1 leaves the system registry as it was"

echo "check-packages: autopkgtest"
scripts/install-packages.sh autopkgtest uidmap >/dev/null
for ids in /etc/subuid /etc/subgid; do
    grep -q '^root:' "$ids" 2>/dev/null || echo 'root:100000:65536' >>"$ids"
done
tarball=$HOME/.cache/sbuild/bookworm-$(dpkg --print-architecture).tar
if [ ! -e "$tarball" ]; then
    mkdir -p "$(dirname "$tarball")"
    mmdebstrap --quiet --variant=apt bookworm "$tarball"
fi
started=$(date +%s)
rm -rf "$packages/autopkgtest"
autopkgtest -U --no-built-binaries --output-dir "$packages/autopkgtest" "$packages"/*.deb "$packages"/src \
    -- unshare --release bookworm >"$packages/autopkgtest.log" 2>&1 && status=0 || status=$?
cat "$packages/autopkgtest/summary" 2>/dev/null || true
echo "check-packages: autopkgtest took $(($(date +%s) - started)) s and exited with $status"
# 2: a test was skipped (none may be), 4 and more: one failed.
if [ "$status" -ne 0 ]; then
    tail -n 40 "$packages"/autopkgtest/*-std* "$packages/autopkgtest.log" 2>/dev/null || true
    exit 1
fi
