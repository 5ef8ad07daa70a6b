#!/usr/bin/env bash
# Prepares (idempotently) a Wine prefix for Snapora:
#   prepare-wine.sh PREFIX [DPI] [DESKTOP]      e.g. build/wine-144 144 1024x768
# A virtual desktop of the given size (none: Wine's windows straight on the
# X server, which shows its monitors), Chinese fonts linked into the UI
# fonts, no crash dialog, the given screen DPI (Wine's LogPixels).
# Needs DISPLAY to name a running X server.
set -euo pipefail
prefix="$1"; dpi="${2:-96}"; desktop="${3:-1024x768}"
export WINEPREFIX="$prefix"
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

mkdir -p "$prefix"
stamp="$prefix/.snapora-$dpi-$desktop"
if [ -f "$stamp" ]; then exit 0; fi

if [ ! -f "$prefix/system.reg" ]; then
  "$WINE" wineboot -i >/dev/null 2>&1 </dev/null || true
  "$WINESERVER" -w
fi

# A REGEDIT4 hex(7) value is single-byte text ending in two zero bytes.
multi_sz() {
  local hex
  hex="$(printf '%s' "$1" | od -An -tx1 | tr -s ' \n' ',' | sed 's/^,//; s/,$//')"
  printf 'hex(7):%s,00,00' "$hex"
}
link="$(multi_sz 'wqy-microhei.ttc,WenQuanYi Micro Hei')"
dpi_hex="$(printf '%08x' "$dpi")"

reg="$prefix/snapora.reg"
{
  echo 'REGEDIT4'
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\Explorer]'
  if [ "$desktop" = none ]; then echo '"Desktop"=-'; else echo '"Desktop"="Default"'; fi
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]'
  echo "\"Default\"=\"$desktop\""
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\WineDbg]'
  echo '"ShowCrashDialog"=dword:00000000'
  echo
  echo '[HKEY_CURRENT_USER\Control Panel\Desktop]'
  echo "\"LogPixels\"=dword:$dpi_hex"
  echo
  echo '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]'
  for face in 'Tahoma' 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif' 'MS Sans Serif' 'Segoe UI' 'SimSun' 'Arial'; do
    echo "\"$face\"=$link"
  done
} > "$reg"
"$WINE" regedit /S "$reg" >/dev/null 2>&1 </dev/null

# Caption buttons draw letters until Marlett is in the prefix's font folder.
cp -f /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true

# LogPixels is read when the server starts.
"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -w >/dev/null 2>&1 || true
rm -f "$prefix"/.snapora-*
touch "$stamp"
