#!/usr/bin/env bash
# Sets everything up, builds and runs every test.
#   scripts/test.sh             the ordinary build, in build/
#   scripts/test.sh --sanitize  with AddressSanitizer and UndefinedBehaviorSanitizer, in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")/.."

# Warnings are errors in the project's own builds, never in a plain
# configure, a package build or anything installed.
if [ "${1:-}" = "--sanitize" ]; then
    export BUILD_DIR=build-sanitize BUILD_TYPE=Debug
    source scripts/sanitizers.sh
    scripts/setup.sh -DWARNINGS_AS_ERRORS=ON -DSANITIZE=ON
else
    scripts/setup.sh -DWARNINGS_AS_ERRORS=ON
fi

# The print test prints on a CUPS queue that writes PDF files; it needs root
# to run the print server and skips where none runs.
start_print_server() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "Not root: no print server is started, the print test will skip."
        return
    fi
    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        mkdir -p /run/cups
        /usr/sbin/cupsd -f &
        cupsd=$!
        trap 'kill $cupsd 2>/dev/null' EXIT
        for _ in $(seq 100); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.1; done
    fi
    lpstat -p PDF >/dev/null 2>&1 ||
        lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -o pdftops-renderer-default=pdftocairo 2>/dev/null
    lpadmin -d PDF
}
start_print_server

# Widget tests run on the offscreen platform; none needs a display.
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure --timeout 300
