#!/usr/bin/env bash
# Draws the program's icon, the shield of data/inicial/Logo_Vex.Bmp (its colours and shapes), at
# 1024 px and scales it down to the sizes of the hicolor theme. The logo itself is a 64 px bitmap:
# scaled up it would blur, so the shield is redrawn instead. Below 48 px the letters would be a
# smudge, so the small sizes show the shield and the star only.
# Run once after changing the logo (needs ImageMagick and the DejaVu fonts); the PNGs it writes
# into packaging/icons/ are kept in the repository, so building needs neither.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="$here/icons"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

gold='#D4AF37'
dark='#14331D'
cream='#F5F0DC'
# The logo's shapes on its 64 px grid, times 16.
s() { awk -v list="$1" 'BEGIN { n = split(list, v, " "); for (i = 1; i <= n; i += 2)
        printf "%s%d,%d", (i > 1 ? " " : ""), v[i] * 16, v[i + 1] * 16 }'; }
outer=$(s "32.5 3 58 12 58 41.5 32.5 60 7 41.5 7 12")
inner=$(s "32.5 6.2 55 14 55 40.2 32.5 56.6 10 40.2 10 14")
star=$(awk 'BEGIN { pi = atan2(0, -1); cx = 32.5 * 16; cy = 28.5 * 16; R = 14.5 * 16; r = R * 0.382;
        for (i = 0; i < 10; i++) { a = -pi / 2 + i * pi / 5; rad = (i % 2 ? r : R);
          printf "%s%d,%d", (i ? " " : ""), cx + rad * cos(a), cy + rad * sin(a) } }')

draw_shield() {
    convert -size 1024x1024 xc:none \
        -fill "$gold" -draw "polygon $outer" \
        -fill "$dark" -draw "polygon $inner" \
        -fill "$gold" -draw "polygon $star" "$1"
}
draw_shield "$work/plain.png"
convert "$work/plain.png" -fill "$cream" -font DejaVu-Sans-Bold -pointsize 170 \
    -gravity north -annotate +8+672 'RV' "$work/lettered.png"

for size in 16 22 24 32 48 64 128 256; do
    source="$work/lettered.png"
    [ "$size" -lt 48 ] && source="$work/plain.png"
    convert "$source" -filter Lanczos -resize "${size}x${size}" -strip -depth 8 \
        -define png:exclude-chunks=date,time "PNG32:$out/ravelha-$size.png"
done
# The Windows icon holds the sizes Windows asks for, in one file.
convert "$out/ravelha-16.png" "$out/ravelha-24.png" "$out/ravelha-32.png" "$out/ravelha-48.png" \
    "$out/ravelha-64.png" "$out/ravelha-128.png" "$out/ravelha-256.png" "$(dirname "$out")/windows/ravelha.ico"
echo "ícones em $out"
