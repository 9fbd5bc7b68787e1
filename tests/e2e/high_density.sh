#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real game on a screen of high density (QT_SCALE_FACTOR, 2 or 1.5): the face-up photos and
# the cover are drawn from pixels at the screen's own density, read from the screen from outside.
# Pictures enlarged from their design pixels by repeating them show aligned 2 x 2 blocks of one
# colour; drawn from the large pictures, few blocks are of one colour.
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
game=$1
out=${2:-.}
scale=${QT_SCALE_FACTOR:?QT_SCALE_FACTOR is the scale to test}
mkdir -p "$out"

export DYADORA_SCREEN=2560x1600x24
start_game "$game"
px() { awk -v v="$1" -v s="$scale" 'BEGIN { printf "%d", v * s }'; } # logical to screen pixels
read -r _ _ cw ch <<<"$(geometry "$MAIN_WINDOW")"
check "the client area is the design's 776 x 454 at scale $scale ($cw x $ch)" \
    test "$cw x $ch" = "$(px 776) x $(px 454)"

# cards FILE: the insides of the first 12 card slots (two rows), 96 x 76 logical pixels each,
# side by side.
cards() {
    local i files=()
    for i in $(seq 0 11); do
        region "$MAIN_WINDOW" "$(px $((14 + 128 * (i % 6))))" "$(px $((46 + 96 * (i / 6))))" \
            "$(px 96)" "$(px 76)" "$out/card-$i.ppm"
        files+=("$out/card-$i.ppm")
    done
    /usr/bin/convert "${files[@]}" +append -depth 8 "$1"
    rm -f "${files[@]}"
}

# uniform_blocks FILE: the share of 2 x 2 blocks of one colour, aligned to either parity (the
# higher of the four), in a binary PPM.
uniform_blocks() {
    python3 - "$1" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
fields = data.split(maxsplit=4)
w, h = int(fields[1]), int(fields[2])
px = fields[4]
def at(x, y):
    i = 3 * (y * w + x)
    return px[i:i + 3]
best = 0.0
for ox in (0, 1):
    for oy in (0, 1):
        same = total = 0
        for y in range(oy, h - 1, 2):
            for x in range(ox, w - 1, 2):
                a = at(x, y)
                total += 1
                same += a == at(x + 1, y) == at(x, y + 1) == at(x + 1, y + 1)
        best = max(best, same / total)
print(f"{best:.3f}")
PY
}

# repeated FILE OUTPUT: FILE as drawing its design pixels by repeating them would show it.
repeated() {
    local w h
    read -r w h <<<"$(/usr/bin/identify -format '%w %h' "$1")"
    /usr/bin/convert "$1" -sample "$(awk -v s="$scale" 'BEGIN { print 100 / s }')%" \
        -sample "${w}x$h!" -depth 8 "$2"
}

# sharp WHAT FILE: the picture shows detail at the screen's own pixels, where the same picture
# enlarged by repeated pixels would not.
sharp() {
    local shown enlarged
    repeated "$2" "$out/repeated.ppm"
    shown=$(uniform_blocks "$2")
    enlarged=$(uniform_blocks "$out/repeated.ppm")
    check "$1 at scale $scale: $shown of the 2 x 2 blocks are one colour, $enlarged if enlarged" \
        awk -v s="$shown" -v e="$enlarged" 'BEGIN { exit !(s < 0.2 && s < e / 2) }'
}

click_client "$MAIN_WINDOW" "$(px 60)" "$(px 20)" # the start button
cards "$out/covers.ppm"
sharp "the cover" "$out/covers.ppm"
click_client "$MAIN_WINDOW" "$(px $((776 - 344 + 130)))" "$(px $((454 - 30 + 12)))" # end, show
sleep 0.3
cards "$out/photos.ppm"
sharp "the face-up photos" "$out/photos.ppm"
/usr/bin/import -window "$(frame_of "$MAIN_WINDOW")" "$out/high-density-$scale.png"
rm -f "$out"/*.ppm

xdotool windowactivate --sync "$MAIN_WINDOW" key Escape
check "Esc ends the game at once" process_ends "$GAME_PID" 2
