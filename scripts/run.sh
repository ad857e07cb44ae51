#!/usr/bin/env bash
# Sets everything up and starts a program: scripts/run.sh [Math]
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-Math}
case "$program" in
    Math) path=math/Math ;;
    Month) path=month/Month ;;
    Edit) path=edit/Edit ;;
    scroller-demo) path=scroller/demo/scroller-demo ;;
    *) echo "unknown program: $program (known: Math, Month, Edit, scroller-demo)" >&2; exit 2 ;;
esac
scripts/setup.sh
exec "${BUILD_DIR:-build}/$path"
