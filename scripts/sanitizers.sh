# Sourced by the scripts that run code built with AddressSanitizer and
# UndefinedBehaviorSanitizer (test.sh --sanitize, fuzz.sh): the one setting
# of each, so that a finding ends a test run and a fuzz run alike.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp
