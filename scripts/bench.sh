#!/usr/bin/env bash
# Benchmarks Snapora's capture paths against the floor program and peer
# tools, on Wine virtual desktops of several sizes:
#   scripts/bench.sh [repetitions] [resolutions...]
# SNAPORA_BENCH_ROUNDS (default 3) runs Snapora's paths and the floor that
# many times in turn; the table takes the median of the rounds' medians, so
# a burst of load on this machine during one program's run does not decide
# the ratio.
# Not part of the tests: speed is measured here, never asserted in a test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export SNAPORA_BUILD_DIR="${SNAPORA_BUILD_DIR:-$root/build}"
build="$SNAPORA_BUILD_DIR"
reps="${1:-30}"; shift || true
rounds="${SNAPORA_BENCH_ROUNDS:-3}"
resolutions=("$@")
[ ${#resolutions[@]} -gt 0 ] || resolutions=(1024x768 1920x1080 3840x2160)

bash "$root/scripts/deps.sh"
missing=()
for p in x11-apps scrot imagemagick; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
bash "$root/scripts/build.sh" >/dev/null

source "$root/scripts/xvfb.sh"
results="$build/bench-results.txt"
: > "$results"
# Files go to memory when it can hold them: the virtual disk's write-back
# swings a 6 MB write by tens of milliseconds from one run to the next,
# which would swamp the code being compared. Every program writes there.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then work="$(mktemp -d -p /dev/shm)"; else work="$(mktemp -d)"; fi
cleanup() { "${WINESERVER:-true}" -k >/dev/null 2>&1 || true; stop_private_xvfb; rm -rf "$work"; }
trap cleanup EXIT

median_ms() {  # runs a command N times as a whole process, prints the median ms
  local n="$1"; shift
  local samples=() i start end
  for i in $(seq 1 "$n"); do
    start=$(date +%s%N); "$@" "$i" >/dev/null 2>&1; end=$(date +%s%N)
    samples+=("$(( (end - start) / 1000 ))")
  done
  printf '%s\n' "${samples[@]}" | sort -n | awk '{a[NR]=$1} END {m=(NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2; printf "%.2f\n", m/1000}'
}
peer_xwd()    { xwd -root -silent -out "$work/x$1.xwd"; }
peer_import() { import -window root "$work/i$1.bmp"; }
peer_scrot()  { scrot "$work/s$1.bmp"; }
peer_import_png() { import -window root "$work/i$1.png"; }
peer_scrot_png()  { scrot "$work/s$1.png"; }

for res in "${resolutions[@]}"; do
  echo "== $res =="
  start_private_xvfb "$res"
  export WINEPREFIX="$build/wine-bench-$res"
  source "$root/scripts/wine-env.sh"
  bash "$root/scripts/prepare-wine.sh" "$WINEPREFIX" 96 "$res"
  "$WINESERVER" -p >/dev/null 2>&1 </dev/null
  "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
  out="$work/files-$res"; mkdir -p "$out"
  winout="Z:${out//\//\\}"
  run() { "$root/scripts/wine-run.sh" "$build/bin/$1" "${@:2}" | tr -d '\r' | tee -a "$results"; }
  # Automatic capture writes below the program's folder, so the paths run
  # from a copy in the same place the floor writes to.
  cp "$build/bin/snapora_bench.exe" "$work/"
  for round in $(seq 1 "$rounds"); do
    "$root/scripts/wine-run.sh" "$work/snapora_bench.exe" paths "$reps" "$winout" | tr -d '\r' | tee -a "$results"
    rm -rf "$out"/* "$work/CapPicture"
    "$root/scripts/wine-run.sh" "$work/snapora_bench.exe" formats "$reps" | tr -d '\r' | tee -a "$results"
    rm -rf "$work/CapPicture"
    run bench_floor.exe "$reps" "$winout"
    rm -f "$out"/*
  done
  rm -f "$work/snapora_bench.exe"
  rm -rf "$out"/* "$build/bin/CapPicture"
  run snapora_bench.exe memory 10
  run snapora_bench.exe cpu 10
  [ "$res" != "${resolutions[0]}" ] || run snapora_bench.exe editor "$reps"
  [ "$res" != "${resolutions[0]}" ] || run snapora_bench.exe startup 20
  for peer in xwd import scrot; do
    echo "PEER $peer $res $(median_ms "$reps" "peer_$peer")" | tee -a "$results"
    rm -f "$work"/x* "$work"/i* "$work"/s*
  done
  # The PNG peers take the same desktop-like screen as Snapora's PNG tick.
  rm -f "$work/showing" "$work/stop"
  "$WINE" "$build/bin/snapora_bench.exe" show "Z:${work//\//\\}" >/dev/null 2>&1 </dev/null &
  shower=$!
  for _ in $(seq 1 200); do [ -e "$work/showing" ] && break; sleep 0.1; done
  for peer in import_png scrot_png; do
    echo "PEER $peer $res $(median_ms "$reps" "peer_$peer")" | tee -a "$results"
    rm -f "$work"/i* "$work"/s*
  done
  touch "$work/stop"; wait "$shower" || true; rm -f "$work/showing" "$work/stop"
  "$WINESERVER" -k >/dev/null 2>&1 || true
  stop_private_xvfb
done

# The median of a list of rounds' medians, for both tables below.
median_of_rounds='
  function median(list,   n, v, i, j, t) {
    n = split(list, v, " ")
    for (i = 2; i <= n; i++) for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
    return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
  }'
echo
echo "Snapora benchmark, $(nproc) cores, $(date -u +%Y-%m-%d), median of $rounds rounds of $reps (ms)"
echo "| path | resolution | median ms | x floor | xwd | import | scrot | import png | scrot png |"
echo "|---|---|---|---|---|---|---|---|---|"
awk "$median_of_rounds"'
  $1 == "RESULT" { runs[$2, $3] = runs[$2, $3] " " $5; if (!seen[$2]++) paths[++np] = $2; res[$3] = 1 }
  $1 == "PEER"   { peer[$2, $3] = $4 }
  END {
    for (r in res) if (("floor", r) in runs) f[r] = median(runs["floor", r])
    for (i = 1; i <= np; i++) {
      p = paths[i]
      if (p ~ /^startup/) continue
      for (r in res) if ((p, r) in runs) {
        m = median(runs[p, r])
        printf "| %s | %s | %.2f | %s | %s | %s | %s | %s | %s |\n", p, r, m, (f[r] > 0 ? sprintf("%.2f", m / f[r]) : "-"),
          peer["xwd", r], peer["import", r], peer["scrot", r], peer["import_png", r], peer["scrot_png", r]
      }
    }
  }' "$results" | sort -t'|' -k3,3 -k2,2
grep -E '^(MEMORY|CPU|PLATFORMPNG)' "$results" | sort -u || true
# Bytes per picture (the last round's), and what an hour at one a second makes.
awk '$1 == "BYTES" { last[$2 " " $3] = $0 } END { for (k in last) print last[k] }' "$results" | sort |
  awk '{ printf "%s; an hour at 1/s: BMP %.2f GB, PNG %.2f GB, JPEG %.2f GB\n", $0, $5 * 3600 / 1e9, $7 * 3600 / 1e9, $9 * 3600 / 1e9 }'
awk '$1 == "RESULT" && $2 ~ /^startup/ { printf "%s median %s ms\n", $2, $5 }' "$results"
echo "Snapora.exe size: $(stat -c %s "$build/bin/Snapora.exe") bytes"

# The speed goals, each a ratio from the figures above: the PNG tick against
# the fastest peer writing PNG of the same screen, its bytes against the
# platform's encoder, the BMP ticks against the floor, start-up against the
# empty program (beside it the fastest starts of each, since under Wine
# both sometimes wait 30 ms before their first instruction), and the
# pointer-area mode's share of a core.
echo
echo "| goal | resolution | measured | aim |"
echo "|---|---|---|---|"
awk "$median_of_rounds"'
  function row(goal, r, value, aim) { printf "| %s | %s | %s | %s |\n", goal, r, value, aim }
  $1 == "RESULT" { runs[$2, $3] = runs[$2, $3] " " $5; least[$2, $3] = $4; res[$3] = 1 }
  $1 == "PEER" { peer[$2, $3] = $4 }
  $1 == "BYTES" && $2 == "desktop" { png[$3] = $7 }
  $1 == "PLATFORMPNG" && $2 == "desktop" { platform[$3] = $4 }
  $1 == "CPU" && $3 == "pointer-area-still" { still[$2] = $4 }
  $1 == "CPU" && $3 == "pointer-area-moving" { moving[$2] = $4 }
  END {
    for (r in res) {
      if (!(("floor", r) in runs)) continue
      f = median(runs["floor", r])
      if (("auto-tick-png-desktop", r) in runs && peer["scrot_png", r] > 0)
        row("PNG tick x scrot writing PNG", r, sprintf("%.2f", median(runs["auto-tick-png-desktop", r]) / peer["scrot_png", r]), "<= 0.50")
      if (platform[r] > 0) row("PNG bytes x the platform encoder", r, sprintf("%.2f", png[r] / platform[r]), "<= 1.25")
      if (("auto-tick-png-noise", r) in runs && ("platform-png-noise", r) in runs)
        row("noise PNG tick x the platform encoding of noise alone", r, sprintf("%.2f", median(runs["auto-tick-png-noise", r]) / median(runs["platform-png-noise", r])), "< 1 (no slower)")
      if (("save-png-desktop", r) in runs && ("platform-png-desktop", r) in runs)
        row("save as .png x the platform encoding of it alone", r, sprintf("%.2f", median(runs["save-png-desktop", r]) / median(runs["platform-png-desktop", r])), "< 1")
      if (("auto-tick-bmp-desktop", r) in runs) row("BMP tick, desktop-like, x floor", r, sprintf("%.2f", median(runs["auto-tick-bmp-desktop", r]) / f), "<= 0.75")
      if (("auto-tick", r) in runs) row("BMP tick x floor", r, sprintf("%.2f", median(runs["auto-tick", r]) / f), "<= 0.75")
      if (("startup-snapora", r) in runs && ("startup-empty", r) in runs)
        row("start-up x the empty program", r, sprintf("%.2f (fastest starts: %.2f)", median(runs["startup-snapora", r]) / median(runs["startup-empty", r]), least["startup-snapora", r] / least["startup-empty", r]), "<= 1.20")
      if (r in still) row("pointer area, pointer still, % of a core", r, still[r], "< 1")
      if (r in moving) row("pointer area, pointer moving, % of a core", r, moving[r], "< 2")
    }
  }' "$results" | sort -t'|' -k2,2 -k3,3
