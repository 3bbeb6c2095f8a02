#!/bin/sh
# Draws the game's pictures with ImageMagick: the window backdrop, the eraser (a waste bin)
# and the window icon, each also at twice the size ("@2x") for screens scaled by two, and
# the icon at the sizes desktops and software centres ask for, with a scalable SVG of the
# same drawing. Run from anywhere; writes beside this script.
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

# A waste bin: lid, handle and a ribbed body, on a transparent ground, drawn on a 32-unit
# grid at least four units to a pixel (twice the size above 64 pixels) and brought down to
# $1 pixels. The PNGs carry no time stamp, so that drawing again gives the same bytes.
bin() {
    size=$1 out=$2
    k=$((size > 64 ? size / 16 : 4))
    $IM -size "$((32 * k))x$((32 * k))" xc:none \
        -fill '#c8ccd4' -stroke '#3c4450' -strokewidth 1.5 \
        -draw "scale $k,$k polygon 8,10 24,10 22,29 10,29" \
        -draw "scale $k,$k roundrectangle 5,6 27,10 1,1" \
        -draw "scale $k,$k roundrectangle 13,3 19,6 1,1" \
        -stroke '#5a6270' -strokewidth 1.2 \
        -draw "scale $k,$k line 12.5,13 13.5,26 line 16,13 16,26 line 19.5,13 18.5,26" \
        -resize "${size}x${size}" -define png:exclude-chunk=date,time "$out"
}

# The same waste bin as a scalable icon, shape for shape.
bin_svg() {
    cat >"$1" <<'SVG'
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <g fill="#c8ccd4" stroke="#3c4450" stroke-width="1.5">
    <polygon points="8,10 24,10 22,29 10,29"/>
    <rect x="5" y="6" width="22" height="4" rx="1" ry="1"/>
    <rect x="13" y="3" width="6" height="3" rx="1" ry="1"/>
  </g>
  <g stroke="#5a6270" stroke-width="1.2">
    <line x1="12.5" y1="13" x2="13.5" y2="26"/>
    <line x1="16" y1="13" x2="16" y2="26"/>
    <line x1="19.5" y1="13" x2="18.5" y2="26"/>
  </g>
</svg>
SVG
}

backdrop 1 background.jpg
backdrop 2 background@2x.jpg
bin 32 eraser.png
bin 64 eraser@2x.png
for size in 16 32 48 64 128 256; do
    bin "$size" "icon-$size.png"
done
bin_svg icon.svg
