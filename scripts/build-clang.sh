#!/usr/bin/env bash
# Builds Snapora.exe a second time, with clang and llvm-rc on the same
# MinGW-w64 headers and libraries (cmake/clang-mingw-w64-x86_64.cmake),
# warnings as errors, into build/clang/bin. Only the program: the tests run
# on the GCC build, and the test command starts this one once to see that it
# runs. Another compiler and a stricter resource compiler catch what GCC
# and windres let through.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SNAPORA_BUILD_DIR:-$root/build}/clang"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/clang-mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target Snapora
