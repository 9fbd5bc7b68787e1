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
work=$(mktemp -d "$out/reads.XXXXXX") # the screen reads of this run alone

export DYADORA_SCREEN=2560x1600x24
start_game "$game"
px() { awk -v v="$1" -v s="$scale" 'BEGIN { printf "%d", v * s }'; } # logical to screen pixels
read -r _ _ cw ch <<<"$(geometry "$MAIN_WINDOW")"
check "the client area is the design's 776 x 454 at scale $scale ($cw x $ch)" \
    test "$cw x $ch" = "$(px 776) x $(px 454)"

# cards FILE: the insides of the first 12 card slots (two rows), 96 x 76 logical pixels each,
# side by side, read from the screen at once; prints a checksum of each card's inside.
cards() {
    local left top tiles="" i
    left=$(px 14) top=$(px 46)
    for i in $(seq 0 11); do
        tiles+="$(($(px $((14 + 128 * (i % 6)))) - left)),$(($(px $((46 + 96 * (i / 6)))) - top)) "
    done
    region "$MAIN_WINDOW" "$left" "$top" $(($(px $((14 + 128 * 5 + 96))) - left)) \
        $(($(px $((46 + 96 + 76))) - top)) -depth 8 "$work/rows.ppm" &&
        python3 - "$work/rows.ppm" "$1" "$(px 96)" "$(px 76)" $tiles <<'PY'
import hashlib, sys
data = open(sys.argv[1], "rb").read()
fields = data.split(maxsplit=4)
width, px = int(fields[1]), fields[4]
w, h = int(sys.argv[3]), int(sys.argv[4])
tiles = [[px[3 * ((y + row) * width + x):3 * ((y + row) * width + x + w)] for row in range(h)]
         for x, y in (map(int, t.split(",")) for t in sys.argv[5:])]
with open(sys.argv[2], "wb") as out:
    out.write(b"P6\n%d %d\n255\n" % (w * len(tiles), h))
    out.writelines(b"".join(t[row] for t in tiles) for row in range(h))
print(" ".join(hashlib.md5(b"".join(t)).hexdigest()[:8] for t in tiles))
PY
}

# settled_cards FILE: cards, once two reads in a row agree (the painting is over).
settled_cards() {
    local first second
    first=$(cards "$1") && second=$(cards "$1") || return 1
    echo "$second"
    [ "$first" = "$second" ]
}

# covered EMPTY: a probe: the 12 cards show one picture, which is not EMPTY's.
covered() {
    local sums
    sums=$(settled_cards "$work/covers.ppm") || { echo "still changing: $sums"; return 1; }
    echo "$sums"
    [ "$(tr ' ' '\n' <<<"$sums" | sort -u | tr -d '\n')" != "${1%% *}" ] &&
        [ "$(tr ' ' '\n' <<<"$sums" | sort -u | wc -l)" -eq 1 ]
}

# face_up COVERED: a probe: none of the 12 cards shows the cover any longer.
face_up() {
    local sums
    sums=$(settled_cards "$work/photos.ppm") || { echo "still changing: $sums"; return 1; }
    echo "$sums"
    ! grep -qw "${1%% *}" <<<"$sums"
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
    repeated "$2" "$work/repeated.ppm"
    shown=$(uniform_blocks "$2")
    enlarged=$(uniform_blocks "$work/repeated.ppm")
    check "$1 at scale $scale: $shown of the 2 x 2 blocks are one colour, $enlarged if enlarged" \
        awk -v s="$shown" -v e="$enlarged" 'BEGIN { exit !(s < 0.2 && s < e / 2) }'
}

empty=$(settled_cards "$work/empty.ppm") || fail "the empty board never settled: $empty"
click_client "$MAIN_WINDOW" "$(px 60)" "$(px 20)" # the start button
await "the start button covers the cards" covered "$empty"
cover=$(cards "$work/covers.ppm")
sharp "the cover" "$work/covers.ppm"
click_client "$MAIN_WINDOW" "$(px $((776 - 344 + 130)))" "$(px $((454 - 30 + 12)))" # end, show
await "the end-and-reveal button shows every card" face_up "$cover"
sharp "the face-up photos" "$work/photos.ppm"
/usr/bin/import -window "$(frame_of "$MAIN_WINDOW")" "$out/high-density-$scale.png"
rm -rf "$work"

xdotool windowactivate --sync "$MAIN_WINDOW" key Escape
check "Esc ends the game at once" process_ends "$GAME_PID" 2
