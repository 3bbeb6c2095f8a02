#!/bin/sh
# Draws the game's pictures with ImageMagick: the window backdrop, the eraser (a waste bin)
# and the window icon, each also at twice the size ("@2x") for screens scaled by two.
# Run from anywhere; writes beside this script.
set -eu
cd "$(dirname "$0")"
IM=/usr/bin/convert

# A dark blue backdrop with a soft lighter glow and faint diagonal stripes; $1 is the scale.
backdrop() {
    k=$1 out=$2
    w=$((959 * k)) h=$((719 * k))
    $IM -size "${w}x${h}" radial-gradient:'#2a4a9a'-'#071433' \
        \( -size "${w}x${h}" xc:none -stroke '#ffffff14' -strokewidth 6 \
           -draw "scale $k,$k line 0,719 719,0 line 240,719 959,0 line 480,719 959,240
                  line 0,480 480,0 line 0,240 240,0 line 720,719 959,480" \) \
        -composite -quality 85 "$out"
}

# A waste bin: lid, handle and a ribbed body, on a transparent ground, drawn large and
# brought down to $1 pixels.
bin() {
    size=$1 out=$2
    $IM -size 128x128 xc:none \
        -fill '#c8ccd4' -stroke '#3c4450' -strokewidth 1.5 \
        -draw "scale 4,4 polygon 8,10 24,10 22,29 10,29" \
        -draw "scale 4,4 roundrectangle 5,6 27,10 1,1" \
        -draw "scale 4,4 roundrectangle 13,3 19,6 1,1" \
        -stroke '#5a6270' -strokewidth 1.2 \
        -draw "scale 4,4 line 12.5,13 13.5,26 line 16,13 16,26 line 19.5,13 18.5,26" \
        -resize "${size}x${size}" "$out"
}

backdrop 1 background.jpg
backdrop 2 background@2x.jpg
bin 32 eraser.png
bin 64 eraser@2x.png
bin 32 icon-32.png
bin 16 icon-16.png
