#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang into build-fuzz/ and runs each
# for a bounded time under AddressSanitizer, UndefinedBehaviorSanitizer and
# leak detection, starting from its seed corpus in fuzz/corpus/<harness>/.
#   scripts/fuzz.sh               20 seconds each (what CI runs)
#   scripts/fuzz.sh 300           a campaign: five minutes each
#   scripts/fuzz.sh 60 fuzz_load  one harness
# A crash, hang, leak or sanitizer report fails the run and leaves its input
# in fuzz-artifacts/ (replay it: build-fuzz/fuzz/<harness> <file>). Inputs
# that found new coverage are kept in build-fuzz/corpus/<harness>/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift || true
# Short runs (CI's) start from a fixed seed, so that a submission's result
# does not depend on chance; longer campaigns take a new seed each time.
seed=()
((seconds > 60)) || seed=(-seed=1)
EXTRA_PACKAGES="clang-14 libclang-rt-14-dev" BUILD_DIR=build-fuzz BUILD_TARGET=fuzzers BUILD_TYPE=RelWithDebInfo \
    CC=clang-14 CXX=clang++-14 scripts/setup.sh -DWARNINGS_AS_ERRORS=ON -DBUILD_FUZZERS=ON -DBUILD_TESTING=OFF \
    -DBUILD_DESIGNER_PLUGIN=OFF -DBUILD_QML_MODULE=OFF

harnesses=("$@")
((${#harnesses[@]})) || mapfile -t harnesses <build-fuzz/fuzz/harnesses.txt

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
source scripts/sanitizers.sh
mkdir -p fuzz-artifacts
failed=()
for harness in "${harnesses[@]}"; do
    corpus=build-fuzz/corpus/$harness
    mkdir -p "$corpus"
    echo "== $harness: $seconds s"
    if ! build-fuzz/fuzz/"$harness" "${seed[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix=fuzz-artifacts/"$harness"- "$corpus" fuzz/corpus/"$harness" \
        2>"build-fuzz/$harness.log"; then
        failed+=("$harness")
        tail -n 60 "build-fuzz/$harness.log"
    fi
    grep -E "^#[0-9]+.*cov:|^Done [0-9]+ runs" "build-fuzz/$harness.log" | tail -n 2 || true
done
if ((${#failed[@]})); then
    echo "fuzz: ${failed[*]} failed; inputs in fuzz-artifacts/"
    exit 1
fi
echo "fuzz: ${#harnesses[@]} harnesses ran ${seconds} s each, no finding"
