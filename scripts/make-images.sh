#!/usr/bin/env bash
# Regenerates the binary bitmap resources from their editable XPM sources.
#
#   app/res/toolbar/NAME.xpm           -> app/res/toolbar/NAME.bmp (16x16, 24-bit BMP),
#                                         one per toolbar button, #C0C0C0 transparent
#   editor/res/drawing.xpm             -> editor/res/drawing.bmp (240x16, 24-bit BMP)
#   app/res/snapora.xpm                -> app/res/snapora.ico   (32x32 + 16x16, 24-bit + AND mask)
#   documents/res/document.xpm
#   documents/res/document16.xpm       -> documents/res/document.ico (32x32 + 16x16)
#
# Needs ImageMagick 6 or 7 (`convert` or `magick`). Run it from anywhere; the
# build uses the committed outputs, so commit them after editing the art.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if command -v magick >/dev/null 2>&1; then
    im=(magick)
elif command -v convert >/dev/null 2>&1; then
    im=(convert)
else
    echo "make-images.sh: ImageMagick (convert/magick) is required" >&2
    exit 1
fi

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# le VALUE NBYTES: write VALUE as NBYTES little-endian bytes to stdout.
le() {
    local v=$1 n=$2 i
    for ((i = 0; i < n; i++)); do
        # shellcheck disable=SC2059
        printf "\\x$(printf %02x $(((v >> (8 * i)) & 255)))"
    done
}

# make_ico OUT IMAGE...: write a Windows .ico holding each IMAGE (square, width a
# multiple of 4, at most 255) as a 24-bit colour bitmap plus a 1-bit AND mask.
# Pixels whose alpha is below 50% become transparent (mask bit set, colour black).
make_ico() {
    local out=$1
    shift
    local count=$# i=0 img w h mw offset size
    local -a sizes=() dims=()

    for img in "$@"; do
        read -r w h < <("${im[@]}" "$img" -format '%w %h\n' info: | head -n 1)
        if ((w != h || w % 4 != 0 || w > 255)); then
            echo "make-images.sh: $img: unsupported icon size ${w}x${h}" >&2
            exit 1
        fi
        mw=$(((w + 31) / 32 * 32)) # AND-mask rows are padded to 32 bits
        # colour (XOR) bitmap: bottom-up BGR rows
        "${im[@]}" "$img" -alpha set -channel A -threshold 50% +channel \
            -background black -alpha remove -alpha off \
            -flip -depth 8 "BGR:$tmp/xor$i"
        # AND mask: 1 = transparent, bottom-up, MSB first
        "${im[@]}" "$img" -alpha set -alpha extract -threshold 50% -negate \
            -background black -gravity west -extent "${mw}x${h}" \
            -flip -depth 1 "GRAY:$tmp/and$i"
        if (($(wc -c <"$tmp/xor$i") != w * h * 3 || $(wc -c <"$tmp/and$i") != mw * h / 8)); then
            echo "make-images.sh: $img: unexpected raw bitmap size" >&2
            exit 1
        fi
        sizes+=($((40 + w * h * 3 + mw * h / 8)))
        dims+=("$w")
        i=$((i + 1))
    done

    {
        le 0 2 # reserved
        le 1 2 # type: icon
        le "$count" 2
        offset=$((6 + 16 * count))
        for ((i = 0; i < count; i++)); do
            w=${dims[i]}
            size=${sizes[i]}
            le "$w" 1 # width
            le "$w" 1 # height
            le 0 1    # colour count (0: no palette)
            le 0 1    # reserved
            le 1 2    # planes
            le 24 2   # bits per pixel
            le "$size" 4
            le "$offset" 4
            offset=$((offset + size))
        done
        for ((i = 0; i < count; i++)); do
            w=${dims[i]}
            le 40 4               # BITMAPINFOHEADER size
            le "$w" 4             # width
            le $((2 * w)) 4       # height: colour bitmap + mask
            le 1 2                # planes
            le 24 2               # bits per pixel
            le 0 4                # BI_RGB
            le $((sizes[i] - 40)) 4
            le 0 4                # x pixels per metre
            le 0 4                # y pixels per metre
            le 0 4                # colours used
            le 0 4                # important colours
            cat "$tmp/xor$i" "$tmp/and$i"
        done
    } >"$out.tmp"
    mv "$out.tmp" "$out"
    echo "wrote ${out#"$root"/}"
}

# Toolbar images: 24-bit uncompressed BMPs, #C0C0C0 is the transparent colour.
for art in "$root"/app/res/toolbar/*.xpm; do
    "${im[@]}" "$art" -alpha off -type TrueColor "BMP3:${art%.xpm}.bmp"
    echo "wrote ${art#"$root"/}"
done

# The drawing bar's strip, made the same way.
"${im[@]}" "$root/editor/res/drawing.xpm" -alpha off -type TrueColor \
    "BMP3:$root/editor/res/drawing.bmp"
echo "wrote editor/res/drawing.bmp"

# Program icon: the drawn 32x32 plus a 16x16 scaled down from it.
"${im[@]}" "$root/app/res/snapora.xpm" -alpha set -filter Catrom -resize 16x16 \
    "PNG32:$tmp/snapora16.png"
make_ico "$root/app/res/snapora.ico" "$root/app/res/snapora.xpm" "$tmp/snapora16.png"

# Document window icon: both sizes are drawn by hand.
make_ico "$root/documents/res/document.ico" \
    "$root/documents/res/document.xpm" "$root/documents/res/document16.xpm"
