#!/usr/bin/env bash
# The PNG writer timed alone, natively: dumps the benchmark's desktop-like
# screen at each size (shown by snapora_bench under Wine, read back from X
# as raw RGB), then times the writer on it and on the noise screen against
# zlib at the platform codec's level. Not part of the tests.
#   scripts/png-bench.sh [repetitions] [resolutions...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export SNAPORA_BUILD_DIR="${SNAPORA_BUILD_DIR:-$root/build}"
build="$SNAPORA_BUILD_DIR"
reps="${1:-15}"; shift || true
resolutions=("$@")
[ ${#resolutions[@]} -gt 0 ] || resolutions=(1024x768 1920x1080 3840x2160)

bash "$root/scripts/build.sh" >/dev/null
cmake -S "$root" -B "$build/native-bench" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build/native-bench" --target png_writer_bench -j"$(nproc)" >/dev/null

source "$root/scripts/xvfb.sh"
work="$(mktemp -d)"
trap 'stop_private_xvfb; rm -rf "$work"' EXIT
for res in "${resolutions[@]}"; do
  start_private_xvfb "$res"
  export WINEPREFIX="$build/wine-bench-$res"
  source "$root/scripts/wine-env.sh"
  bash "$root/scripts/prepare-wine.sh" "$WINEPREFIX" 96 "$res"
  rm -f "$work/showing" "$work/stop"
  "$WINE" "$build/bin/snapora_bench.exe" show "Z:${work//\//\\}" >/dev/null 2>&1 </dev/null &
  shower=$!
  for _ in $(seq 1 300); do [ -e "$work/showing" ] && break; sleep 0.1; done
  sleep 0.5
  import -window root -depth 8 "rgb:$work/desktop-$res.rgb"
  touch "$work/stop"; wait "$shower" || true
  "$WINESERVER" -k >/dev/null 2>&1 || true
  stop_private_xvfb
  (cd "$work" && "$build/native-bench/bin/png_writer_bench" "$reps" "$res" "desktop-$res.rgb" noise)
done
