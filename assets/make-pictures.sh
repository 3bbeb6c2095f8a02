#!/bin/sh
# Draws the game's pictures with ImageMagick: the window backdrop, the eraser (a waste bin)
# and the window icon. Run from anywhere; writes beside this script.
set -eu
cd "$(dirname "$0")"
IM=/usr/bin/convert

# A dark blue backdrop with a soft lighter glow and faint diagonal stripes.
$IM -size 959x719 radial-gradient:'#2a4a9a'-'#071433' \
    \( -size 959x719 xc:none -stroke '#ffffff14' -strokewidth 6 \
       -draw "line 0,719 719,0" -draw "line 240,719 959,0" -draw "line 480,719 959,240" \
       -draw "line 0,480 480,0" -draw "line 0,240 240,0" -draw "line 720,719 959,480" \) \
    -composite -quality 85 background.jpg

# A waste bin: lid, handle and a ribbed body, on a transparent ground.
bin() {
    size=$1 out=$2
    $IM -size 32x32 xc:none \
        -fill '#c8ccd4' -stroke '#3c4450' -strokewidth 1.5 \
        -draw "polygon 8,10 24,10 22,29 10,29" \
        -draw "roundrectangle 5,6 27,10 1,1" \
        -draw "roundrectangle 13,3 19,6 1,1" \
        -stroke '#5a6270' -strokewidth 1.2 \
        -draw "line 12.5,13 13.5,26" -draw "line 16,13 16,26" -draw "line 19.5,13 18.5,26" \
        -resize "${size}x${size}" "$out"
}
bin 32 eraser.png
bin 32 icon-32.png
bin 16 icon-16.png
