#!/usr/bin/env bash
# Builds the Debian packages (a tree configured for /usr with Debian's
# hardening flags, then CPack) into build-packages/packages, runs lintian
# on them (an error fails the check), and installs them with apt into a
# brand-new Debian 12 root (scripts/fresh-root.sh). There it starts each
# program offscreen and waits for its window's first paint, loads a form
# holding a Scroller with QUiLoader and expects the real class, validates
# the installed desktop entries and metainfo, and checks that the library
# package registered the Scroller for every user at install and that
# removing it leaves the system registry as it was before.
#
# Needs root. Where it cannot run it says so, and fails when CI is set.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fresh-root.sh
[ "$(id -u)" -eq 0 ] || cannot_run "needs root (mmdebstrap, mount, chroot); not checked"

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
EXTRA_PACKAGES="lintian file dpkg-dev" BUILD_DIR=build-packages BUILD_TYPE=RelWithDebInfo \
    scripts/setup.sh -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DCMAKE_SHARED_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DCMAKE_MODULE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build-packages --target loadform
packages=build-packages/packages
rm -rf "$packages"
(cd build-packages && cpack -G DEB)

echo "check-packages: the library's symbols against packaging/libtovrell1/symbols"
unpacked=$(mktemp -d)
dpkg-deb -x "$packages"/libtovrell1_*.deb "$unpacked"
library=$(echo "$unpacked"/usr/lib/*/libtovrell.so.1.*)
symbols=$PWD/packaging/libtovrell1/symbols
# Any symbol added or gone fails (-c4): the file is updated on purpose.
(cd "$unpacked" && dpkg-gensymbols -plibtovrell1 -v"${library##*.so.}" -I"$symbols" -e"$library" -c4 -O/dev/null)
rm -rf "$unpacked"

echo "check-packages: lintian"
lintian --fail-on error --tag-display-limit 0 "$packages"/*.deb

make_fresh_root
mkdir "$root/tmp/check"
cp "$packages"/*.deb build-packages/packaging/loadform scroller/tests/hosts/designed/bannerwindow.ui "$root/tmp/check/"
registry_state() { { ls -la --time-style=+ "$root/etc/formruntime" 2>&1 || true; } | sed "s|$root||"; }
before=$(registry_state)

echo "check-packages: installing the packages with apt"
"${in_root[@]}" DEBIAN_FRONTEND=noninteractive /bin/bash -c \
    'apt-get update -q && apt-get install -y -q /tmp/check/*.deb libqt6uitools6' >/dev/null

grep -q '^\[Tovrell.Scroller\]' "$root/etc/formruntime/components.ini" ||
    { echo "check-packages: the Scroller is not registered for every user" >&2; exit 1; }

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
