#!/usr/bin/env bash
# Soak: 1,000 capture-and-close cycles through the real windows (entire
# screen, rectangle, pointer area), then automatic capture at one picture a
# second for the given minutes (default 10; an hour: scripts/soak.sh 60).
# Reports resident memory, the files written and any crash.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export SNAPORA_BUILD_DIR="${SNAPORA_BUILD_DIR:-$root/build}"
build="$SNAPORA_BUILD_DIR"
minutes="${1:-10}"; cycles="${SOAK_CYCLES:-1000}"
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" >/dev/null
source "$root/scripts/xvfb.sh"
export WINEPREFIX="$build/wine-96"
source "$root/scripts/wine-env.sh"
trap '"$WINESERVER" -k >/dev/null 2>&1 || true; stop_private_xvfb' EXIT
start_private_xvfb 1024x768
bash "$root/scripts/prepare-wine.sh" "$WINEPREFIX" 96 1024x768
"$WINESERVER" -p >/dev/null 2>&1 </dev/null
rm -rf "$build/bin/CapPicture"
status=0
"$root/scripts/wine-run.sh" "$build/bin/snapora_soak.exe" "$cycles" "$((minutes * 60))" || status=$?
echo "soak exit status: $status"
exit $status
