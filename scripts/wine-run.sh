#!/usr/bin/env bash
# Runs one Windows program under Wine for ctest and test discovery.
# Wine's background services inherit the first Wine process's stdout and
# never exit, so a reader of that pipe would wait forever: the program's
# output goes to a file that is printed once the program has ended.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
out="$(mktemp)"
"$WINE" "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
