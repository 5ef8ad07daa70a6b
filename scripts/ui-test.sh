#!/usr/bin/env bash
# Runs the window tests matching a GoogleTest filter on a private Xvfb, for
# quick loops while developing:  scripts/ui-test.sh 'WindowCapture.*' [dpi]
# Expects a built tree (scripts/build.sh).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export SNAPORA_BUILD_DIR="${SNAPORA_BUILD_DIR:-$root/build}"
filter="${1:-*}"; dpi="${2:-96}"
source "$root/scripts/xvfb.sh"
export WINEPREFIX="$SNAPORA_BUILD_DIR/wine-$dpi"
source "$root/scripts/wine-env.sh"
trap '"$WINESERVER" -k >/dev/null 2>&1 || true; stop_private_xvfb' EXIT
start_private_xvfb 1024x768
bash "$root/scripts/prepare-wine.sh" "$WINEPREFIX" "$dpi" 1024x768
"$WINESERVER" -p >/dev/null 2>&1 </dev/null
SNAPORA_EXPECT_DPI="$dpi" "$root/scripts/wine-run.sh" "$SNAPORA_BUILD_DIR/bin/snapora_ui_tests.exe" --gtest_filter="$filter"
