#!/bin/sh
# Remakes the PICT fixtures with ImageMagick's convert (Debian package imagemagick):
# for each width, a 4-row picture (two rows of plasma for literal runs, two flat rows with a
# block for repeat runs) written as 32-bit direct pixels (direct-W.pict) and, reduced to 12
# colours, as 8-bit indexed pixels (indexed-W.pict); the PNG beside each holds the pixels it
# must decode to. The widths straddle the packing rules: rows under 8 bytes, and the byte
# count growing from one byte to two past 250 bytes a row.
set -eu
cd "$(dirname "$0")"
for w in 1 7 8 62 63 64 65 66 67 200 201 250 251; do
    convert -size "${w}x2" -seed "$w" plasma:green-white \
        \( -size "${w}x2" xc:'#187534' -fill '#c04020' -draw "rectangle $((w / 3)),0 $((w / 2)),0" \) \
        -append -depth 8 -type TrueColor "direct-$w.png"
    convert "direct-$w.png" -type TrueColor "PICT:direct-$w.pict"
    convert "direct-$w.png" +dither -colors 12 -type Palette "indexed-$w.png"
    convert "indexed-$w.png" -type Palette "PICT:indexed-$w.pict"
done
