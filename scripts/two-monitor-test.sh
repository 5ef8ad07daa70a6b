#!/usr/bin/env bash
# The window tests on a desktop of three monitors: a headless Xorg with the
# dummy driver on a free display, the monitors placed with xrandr, and a
# Wine prefix of its own without a virtual desktop (Wine then shows X's
# monitors as its own). Stops what it started. Run as root (Xorg), after
# scripts/build.sh:  scripts/two-monitor-test.sh ['Filter.*']
#
#   (-800,-480)     (200,-480) +--------+
#                              | 640x480|
#   +-----------+------------- +--------+ -+ (0,0)
#   |  800x600  |  1024x768, primary       |
#   +-----------+                          |
#               +--------------------------+
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export SNAPORA_BUILD_DIR="${SNAPORA_BUILD_DIR:-$root/build}"
filter="${1:-TwoMonitors.*}"
work="$SNAPORA_BUILD_DIR/two-monitors"
mkdir -p "$work"
export WINEPREFIX="$SNAPORA_BUILD_DIR/wine-monitors"
source "$root/scripts/wine-env.sh"

cat > "$work/xorg.conf" <<'CONF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 4096 2160
  EndSubSection
EndSection
CONF

XORG_PID=
stop() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  if [ -n "$XORG_PID" ]; then
    kill "$XORG_PID" 2>/dev/null || true
    wait "$XORG_PID" 2>/dev/null || true
  fi
}
trap stop EXIT

for n in $(seq 161 230); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xorg ":$n" -config "$work/xorg.conf" -noreset -nolisten tcp -logfile "$work/xorg.log" >/dev/null 2>&1 &
  XORG_PID=$!
  for _ in $(seq 1 100); do
    xdpyinfo -display ":$n" >/dev/null 2>&1 && break
    kill -0 "$XORG_PID" 2>/dev/null || break
    sleep 0.1
  done
  if xdpyinfo -display ":$n" >/dev/null 2>&1; then export DISPLAY=":$n"; break; fi
  kill "$XORG_PID" 2>/dev/null || true
  XORG_PID=
done
[ -n "$XORG_PID" ] || { echo "could not start Xorg with the dummy driver" >&2; exit 1; }

# X positions are never negative: Wine puts the primary monitor at (0, 0).
xrandr --newmode 800x600_d 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
xrandr --newmode 640x480_d 25.175 640 656 752 800 480 490 492 525 -hsync -vsync
xrandr --addmode DUMMY1 800x600_d
xrandr --addmode DUMMY2 640x480_d
xrandr --fb 1824x1248 --output DUMMY0 --mode 1024x768 --pos 800x480 --primary \
  --output DUMMY1 --mode 800x600_d --pos 0x480 --output DUMMY2 --mode 640x480_d --pos 1000x0
# The dummy driver reports the new outputs connected only after a full query.
xrandr -q >/dev/null

bash "$root/scripts/prepare-wine.sh" "$WINEPREFIX" 96 none
"$WINESERVER" -p >/dev/null 2>&1 </dev/null
"$WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
echo "== window tests on three monitors ($DISPLAY) =="
SNAPORA_EXPECT_MONITORS=3 "$root/scripts/wine-run.sh" "$SNAPORA_BUILD_DIR/bin/snapora_ui_tests.exe" --gtest_filter="$filter"
