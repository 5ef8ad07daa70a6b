# Sourced by the other scripts: where Wine lives and how it is run quietly.
# WINEPREFIX may be set by the caller; the default is the 96-dpi prefix of
# the default build tree.
snapora_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export SNAPORA_BUILD_DIR="${SNAPORA_BUILD_DIR:-$snapora_root/build}"
export WINEPREFIX="${WINEPREFIX:-$SNAPORA_BUILD_DIR/wine-96}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
[ -x "$WINESERVER" ] || WINESERVER="$(command -v wineserver)"
export WINE WINESERVER
