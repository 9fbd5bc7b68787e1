#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Rebuilds the game's 18 photos from the Debian 12 packages that ship their originals, each at
# 120 x 90 (<name>.jpg) and at 240 x 180 (<name>@2x.jpg) for screens of high density: the same
# centre crop to 4:3 of the same original, scaled once to each size, saved as baseline JFIF.
# Needs: apt-get update; apt-get install imagemagick. Writes into the folder given (default: the
# folder of this script).
set -e
OUT=$(cd "${1:-$(dirname "$0")}" && pwd)
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
mkdir -p "$W/deb" "$W/x"
cd "$W/deb"
apt-get download mate-backgrounds lomiri-wallpapers-16.04 plasma-workspace-wallpapers python3-skimage
for f in *.deb; do p=${f%%_*}; mkdir -p "../x/$p"; dpkg -x "$f" "../x/$p"; done
cd ../x
M=mate-backgrounds/usr/share/backgrounds/mate/nature
L=lomiri-wallpapers-16.04/usr/share/backgrounds
K=plasma-workspace-wallpapers/usr/share/wallpapers
S=python3-skimage/usr/lib/python3/dist-packages/skimage/data

# One size of one photo: the original's centre, cut to 4:3 and scaled to <width>x<height>.
photo() { # <original> <width>x<height> <output>
    /usr/bin/convert "$1[0]" -auto-orient -resize "$2^" -gravity center -extent "$2" \
        -strip -colorspace sRGB -type TrueColor -interlace none -quality 90 "$3"
}

while read -r name src; do
    photo "$src" 120x90 "$OUT/$name.jpg"
    photo "$src" 240x180 "$OUT/$name@2x.jpg"
done <<LIST
cat $S/chelsea.png
astronaut $S/astronaut.png
dogs $L/friends_by_Aitzol_Berasategi.jpg
ladybird $M/LadyBird.jpg
coffee $S/coffee.png
fig $L/Picture_0B_by_freespace.jpg
brushes $L/Picture_1A_by_freespace.jpg
cups $K/ColorfulCups/contents/images/2560x1600.jpg
rocket $S/rocket.jpg
kite $K/Kite/contents/images/2560x1600.jpg
yellowflower $M/YellowFlower.jpg
dandelion $M/TwoWings.jpg
boats $K/EveningGlow/contents/images/2560x1600.jpg
forest $K/Path/contents/images/2560x1600.jpg
mountains $L/picosdeeuropa_by_Aitzol_Berasategi.jpg
dune $M/Dune.jpg
waterdrop $M/Aqua.jpg
galaxies $S/hubble_deep_field.jpg
LIST
