#!/usr/bin/env bash
# Installs what is missing, checks the floors, builds (with GCC, and the
# program again with clang), prepares Wine, and runs every test under Wine
# on a private Xvfb: all tests at 96 dpi, then the window tests again at
# 144 dpi; the clang build is started once. Then the window tests of
# several monitors on a headless Xorg. Exits non-zero on any failure.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export SNAPORA_BUILD_DIR="${SNAPORA_BUILD_DIR:-$root/build}"
build="$SNAPORA_BUILD_DIR"

bash "$root/scripts/deps.sh"
# No folder includes one above it; a second, so it runs before the build.
bash "$root/scripts/layer-check.sh"
bash "$root/scripts/build.sh"
# The program again with clang and llvm-rc; it is started once below.
bash "$root/scripts/build-clang.sh"
# The window-free code natively, under sanitizers, with a short fuzzing run.
bash "$root/scripts/native-check.sh" "${SNAPORA_FUZZ_SECONDS:-15}"

source "$root/scripts/xvfb.sh"
source "$root/scripts/wine-env.sh"

cleanup() {
  for dpi in 96 144; do
    WINEPREFIX="$build/wine-$dpi" "$WINESERVER" -k >/dev/null 2>&1 || true
  done
  stop_private_xvfb
}
trap cleanup EXIT

start_private_xvfb 1024x768

# The print tests need a real printer, and Wine only sees printers that
# exist when its server starts.
SNAPORA_PDF_DIR="$(bash "$root/scripts/printer.sh")"
export SNAPORA_PDF_DIR

status=0
for dpi in 96 144; do
  export WINEPREFIX="$build/wine-$dpi"
  bash "$root/scripts/prepare-wine.sh" "$WINEPREFIX" "$dpi" 1024x768
  # Wine's services keep the first Wine process's output open: start the
  # server and warm it with nothing attached, so ctest's pipes close.
  "$WINESERVER" -p >/dev/null 2>&1 </dev/null
  "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
  labels=()
  [ "$dpi" = 96 ] || labels=(-L ui)
  echo "== tests at $dpi dpi =="
  # A test whose Wine process fails to start at all gets one more run; a
  # test that fails on its own merits fails twice and is reported.
  if ! SNAPORA_EXPECT_DPI="$dpi" ctest --test-dir "$build" --output-on-failure --repeat until-pass:2 "${labels[@]}"; then
    status=1
  fi
  if [ "$dpi" = 96 ]; then
    echo "== the clang build starts =="
    # The smoke test starts the Snapora.exe beside it: the clang one here.
    cp "$build/bin/snapora_ui_tests.exe" "$build/clang/bin/"
    smoke="$("$root/scripts/wine-run.sh" "$build/clang/bin/snapora_ui_tests.exe" \
      --gtest_filter='SnaporaProcess.StartsWithItsResourcesAndTheCloseBoxEndsIt')" || true
    if ! grep -q '\[  PASSED  \] 1 test' <<<"$smoke"; then echo "$smoke"; echo "the clang build did not start"; status=1; fi
    if ! bash "$root/scripts/failure-tests.sh"; then status=1; fi
  fi
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
done
# Three monitors, on a headless Xorg and a Wine prefix of their own.
if ! bash "$root/scripts/two-monitor-test.sh"; then status=1; fi
exit $status
