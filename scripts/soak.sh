#!/usr/bin/env bash
# Soak: 1,000 capture-and-close cycles through the real windows (entire
# screen, rectangle, pointer area), then automatic capture at one picture a
# second for the given minutes (default 10; an hour in PNG:
# scripts/soak.sh 60 png). Reports resident memory, the files written, their
# total size and any crash; every file is decoded again with ImageMagick.
# It runs from a copy of the soak program with a Wine prefix and display of
# its own, so building or testing meanwhile does not disturb it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export SNAPORA_BUILD_DIR="${SNAPORA_BUILD_DIR:-$root/build}"
build="$SNAPORA_BUILD_DIR"
minutes="${1:-10}"; format="${2:-bmp}"; cycles="${SOAK_CYCLES:-1000}"
case "$format" in bmp|png) ;; *) echo "format must be bmp or png" >&2; exit 2 ;; esac
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" >/dev/null
run="$build/soak-run"
rm -rf "$run"; mkdir -p "$run"
cp "$build/bin/snapora_soak.exe" "$run/"
source "$root/scripts/xvfb.sh"
export WINEPREFIX="$build/wine-soak"
source "$root/scripts/wine-env.sh"
trap '"$WINESERVER" -k >/dev/null 2>&1 || true; stop_private_xvfb' EXIT
start_private_xvfb 1024x768
bash "$root/scripts/prepare-wine.sh" "$WINEPREFIX" 96 1024x768
"$WINESERVER" -p >/dev/null 2>&1 </dev/null
"$WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
status=0
# Straight to this script's output (not through wine-run.sh, which prints
# only at the end), so a long run can be followed in its log.
"$WINE" "$run/snapora_soak.exe" "$cycles" "$((minutes * 60))" "$format" </dev/null 2>&1 | stdbuf -oL tr -d '\r' || status=$?
files=("$run/CapPicture"/*."$format")
if [ -e "${files[0]}" ]; then
  screen="$(xdpyinfo | awk '/dimensions:/ {d = $2} END {print d}')"
  good="$(identify -regard-warnings -format '%m %wx%h\n' "${files[@]}" 2>/dev/null |
    grep -c "^${format^^}[0-9]* $screen\$" || true)"
  echo "DECODED by ImageMagick: $good of ${#files[@]} files are ${format^^} pictures of $screen;" \
    "$(du -cb "${files[@]}" | tail -1 | cut -f1) bytes in all"
  [ "$good" = "$((minutes * 60))" ] || status=1
fi
echo "soak exit status: $status"
exit $status
