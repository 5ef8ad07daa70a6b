#!/usr/bin/env bash
# The source folders are floors, and each may include only its own floor and
# the floors below it: win32 < picture < frame < documents < the features <
# app. Every other top-level folder holding sources is a feature (capture,
# output, settings, help, and whatever feature is added next), so a new one
# is checked without touching this script. Tests, benchmarks and fuzzers sit
# outside the floors and may include anything. Fails, naming each include
# that reaches up (or out through ".."), when there is one. Takes about a
# tenth of a second.
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$root"

declare -A floor=([win32]=0 [picture]=1 [frame]=2 [documents]=3 [app]=5)
feature=4
declare -A outside=([tests]=1 [bench]=1 [fuzz]=1 [scripts]=1 [cmake]=1)

folders=()
for dir in */; do
  dir="${dir%/}"
  [ -z "${outside[$dir]:-}" ] || continue
  [ ! -e "$dir/CMakeCache.txt" ] || continue  # a build tree
  [ -n "$(find "$dir" \( -name '*.h' -o -name '*.cpp' -o -name '*.rc' \) -print -quit)" ] || continue
  folders+=("$dir")
  [ -n "${floor[$dir]:-}" ] || floor[$dir]=$feature
done

ranks=""
for dir in "${folders[@]}"; do ranks+="$dir=${floor[$dir]} "; done

# file:line:text of every include, judged in one pass.
grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "${folders[@]}" \
    --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.rc' --include='*.in' |
  awk -v ranks="$ranks" '
    BEGIN { n = split(ranks, pairs, " "); for (i = 1; i <= n; ++i) { split(pairs[i], kv, "="); rank[kv[1]] = kv[2] } }
    {
      split($0, parts, ":"); file = parts[1]; split(file, path, "/"); from = path[1]
      target = $0; sub(/^[^#]*#[[:space:]]*include[[:space:]]*[<"]/, "", target); sub(/[>"].*$/, "", target)
      if (target ~ /(^|\/)\.\.(\/|$)/) { print "leaves its folder: " $0; bad = 1; next }
      nt = split(target, t, "/"); to = t[1]
      if (nt > 1 && (to in rank) && rank[to] > rank[from]) {
        print "includes a floor above its own (" from " < " to "): " $0; bad = 1
      }
    }
    END { exit bad }'
