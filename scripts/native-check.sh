#!/usr/bin/env bash
# Builds the window-free code natively with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, runs its unit tests, then runs every libFuzzer
# target for a bounded time:  native-check.sh [seconds-per-fuzzer]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export SNAPORA_BUILD_DIR="${SNAPORA_BUILD_DIR:-$root/build}"
native="$SNAPORA_BUILD_DIR/native"
seconds="${1:-10}"

cmake -S "$root" -B "$native" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSNAPORA_SANITIZE=ON -DSNAPORA_FUZZ=ON >/dev/null
cmake --build "$native" -j"$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
echo "== window-free unit tests with ASan and UBSan =="
"$native/bin/snapora_logic_tests" --gtest_brief=1

for fuzzer in "$native"/bin/fuzz_*; do
  name="$(basename "$fuzzer")"
  corpus="$native/corpus/$name"
  mkdir -p "$corpus"
  echo "== $name for ${seconds}s =="
  "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -artifact_prefix="$native/" -print_final_stats=0 "$corpus" 2>"$native/$name.log" || {
    tail -50 "$native/$name.log"; exit 1; }
  grep -E '^#[0-9]+.*DONE' "$native/$name.log" | tail -1 || true
done
