#!/usr/bin/env bash
# Runs the start-up benchmark under a private Xvfb display:
#   bench/run-startup.sh [build folder] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-11}
display=:$((100 + RANDOM % 800))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
runtime_dir=$(mktemp -d)
trap 'kill $xvfb; rm -rf "$runtime_dir"' EXIT
export XDG_RUNTIME_DIR=$runtime_dir
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
programs=("$build/math/Math" "$build/month/Month" "$build/edit/Edit")
DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/bench/startup" --runs "$runs" "$build/bench/barewindow" "${programs[@]}"
