#!/usr/bin/env bash
# Installs what is missing, builds Snapora, prepares its Wine prefix and
# starts it on the current X display. Without a display it starts a private
# Xvfb, runs Snapora there, saves a screenshot and says how to stop it.
#   scripts/run.sh            start
#   scripts/run.sh --stop     stop a Snapora started on a private Xvfb
#   SNAPORA_DPI=144 scripts/run.sh   start at 144 dpi
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export SNAPORA_BUILD_DIR="${SNAPORA_BUILD_DIR:-$root/build}"
build="$SNAPORA_BUILD_DIR"
dpi="${SNAPORA_DPI:-96}"
export WINEPREFIX="$build/wine-run-$dpi"
pids="$build/run.pids"

if [ "${1:-}" = "--stop" ]; then
  source "$root/scripts/wine-env.sh"
  "$WINESERVER" -k >/dev/null 2>&1 || true
  if [ -f "$pids" ]; then kill $(cat "$pids") 2>/dev/null || true; rm -f "$pids"; fi
  echo "Snapora stopped."
  exit 0
fi

bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"
exe="$build/bin/Snapora.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  bash "$root/scripts/prepare-wine.sh" "$WINEPREFIX" "$dpi" 1024x768
  echo "Starting Snapora on $DISPLAY"
  exec "$WINE" "$exe"
fi

source "$root/scripts/xvfb.sh"
start_private_xvfb 1024x768
bash "$root/scripts/prepare-wine.sh" "$WINEPREFIX" "$dpi" 1024x768
"$WINESERVER" -p >/dev/null 2>&1 </dev/null
nohup "$WINE" "$exe" >/dev/null 2>&1 </dev/null &
echo "$XVFB_PID" > "$pids"

# Wait for the main window, then let it paint.
for _ in $(seq 1 100); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Snapora'; then break; fi
  sleep 0.2
done
sleep 2
shot="$build/snapora-screenshot.png"
import -window root "$shot"
echo "Snapora is running on the private display $DISPLAY (no display was set)."
echo "Screenshot: $shot"
echo "Look at it live:   DISPLAY=$DISPLAY import -window root /tmp/snapora.png"
echo "Stop it:           bash $root/scripts/run.sh --stop"
