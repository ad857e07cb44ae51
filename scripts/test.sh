#!/usr/bin/env bash
# Sets everything up, builds and runs every test.
#   scripts/test.sh             the ordinary build, in build/
#   scripts/test.sh --sanitize  with AddressSanitizer and UndefinedBehaviorSanitizer, in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = "--sanitize" ]; then
    export BUILD_DIR=build-sanitize BUILD_TYPE=Debug
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    scripts/setup.sh -DSANITIZE=ON
else
    scripts/setup.sh
fi

# Widget tests run on the offscreen platform; none needs a display.
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure --timeout 300
