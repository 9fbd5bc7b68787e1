# SPDX-License-Identifier: GPL-3.0-or-later
"""A whole round played with real keys alone (xdotool) and seen only on the screen: Enter deals,
Shift+Tab reaches the board, the arrows, Home and End move the focus ring, Space and Enter turn
the focused card, and a player who remembers the photos wins. After every key the ring must be on
the card that the documented moves predict, and on no other."""
import ctypes
import hashlib
import subprocess
import sys
import time

from checks import check, fail

SLOTS, COLUMNS, PITCH_X, PITCH_Y = 24, 6, 128, 96  # the board at its design size, in pixels


class X11:
    """Reads the screen's pixels straight from the X server (libX11's XGetImage): many times
    faster than a program started for each read."""

    class Image(ctypes.Structure):  # the leading fields of libX11's XImage
        _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                    ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_char)),
                    ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                    ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                    ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                    ("bits_per_pixel", ctypes.c_int)]

    def __init__(self):
        self.lib = ctypes.CDLL("libX11.so.6")
        self.lib.XOpenDisplay.restype = ctypes.c_void_p
        self.lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.lib.XDefaultRootWindow.restype = ctypes.c_ulong
        self.lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.lib.XGetImage.restype = ctypes.POINTER(self.Image)
        self.lib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 2 + [
            ctypes.c_uint] * 2 + [ctypes.c_ulong, ctypes.c_int]
        self.lib.XFree.argtypes = [ctypes.c_void_p]
        self.display = self.lib.XOpenDisplay(None)
        if not self.display:
            fail("no X display to read")
        self.root = self.lib.XDefaultRootWindow(self.display)

    def rgb(self, x, y, width, height):
        """The pixels of that part of the screen, 3 bytes (red, green, blue) each, row by row."""
        image = self.lib.XGetImage(self.display, self.root, x, y, width, height, 0xFFFFFFFF, 2)
        if not image:
            fail(f"the screen could not be read at {width} x {height} + {x} + {y}")
        fields = image.contents
        if fields.bits_per_pixel != 32 or fields.byte_order != 0:
            fail(f"a screen of {fields.bits_per_pixel} bits per pixel, byte order {fields.byte_order}")
        stride = fields.bytes_per_line
        raw = ctypes.string_at(fields.data, stride * height)
        self.lib.XFree(fields.data)
        self.lib.XFree(image)
        pixels = bytearray(3 * width * height)
        for row in range(height):  # blue, green, red, pad -> red, green, blue
            line = raw[row * stride:row * stride + 4 * width]
            out = 3 * width * row
            pixels[out:out + 3 * width:3] = line[2::4]
            pixels[out + 1:out + 3 * width:3] = line[1::4]
            pixels[out + 2:out + 3 * width:3] = line[0::4]
        return bytes(pixels)


class Screen:
    """What the board shows: each card's photo (as a checksum) and the card with the ring."""

    def __init__(self, window):
        info = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True).stdout
        self.left, self.top = (int(info.split(f"Absolute upper-left {axis}:")[1].split()[0])
                               for axis in "XY")
        self.width, self.height = PITCH_X * 5 + 120, PITCH_Y * 3 + 90
        self.ring = None  # the ring's colours, learnt from the first card that has it
        self.x11 = X11()

    def grab(self):
        self.pixels = self.x11.rgb(self.left + 8, self.top + 40, self.width, self.height)

    def row(self, card, y, x0, x1):
        start = 3 * ((PITCH_Y * (card // COLUMNS) + y) * self.width + PITCH_X * (card % COLUMNS))
        return self.pixels[start + 3 * x0:start + 3 * x1]

    def face(self, card):
        """A checksum of the photo inside where the ring is drawn."""
        return hashlib.md5(b"".join(self.row(card, y, 6, 114) for y in range(6, 84))).hexdigest()

    def ring_colours(self, card):
        """The colours 2 and 3 pixels into the frame's inside on each side (the ring), and 4 pixels
        in (its inner line), when each is a single colour."""
        pixel = lambda x, y: self.row(card, y, x, x + 1)
        outer = {pixel(x, y) for x, y in ((2, 45), (3, 45), (117, 45), (116, 45), (60, 2), (60, 87))}
        inner = {pixel(x, y) for x, y in ((4, 45), (115, 45), (60, 4), (60, 85))}
        return (outer.pop(), inner.pop()) if len(outer) == len(inner) == 1 else None

    def focused(self):
        ringed = [c for c in range(SLOTS) if self.ring and self.ring_colours(c) == self.ring]
        if len(ringed) > 1:
            fail(f"rings on cards {[c + 1 for c in ringed]}")
        return ringed[0] if ringed else None

    def wait_for(self, what, condition):
        """Reads the screen until the condition holds on it, settled (the same on two reads in a
        row); fails after 10 s."""
        deadline = time.monotonic() + 10
        last = None
        while True:
            self.grab()
            if self.pixels == last and condition():
                return
            last = self.pixels
            if time.monotonic() > deadline:
                fail(f"{what} (the ring is on card index {self.focused()})")
            time.sleep(0.05)

    def keeps(self, what, condition):
        """Reads the screen for a second: the condition must hold on every read."""
        end = time.monotonic() + 1
        while True:
            self.grab()
            if not condition():
                fail(f"{what} (the ring is on card index {self.focused()})")
            if time.monotonic() > end:
                return
            time.sleep(0.05)


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)


def nearest(card, focusable):
    """Where the focus goes when its card is turned (ui/grid_navigation.h, nearestFocusable)."""
    candidates = [((c // COLUMNS - card // COLUMNS) ** 2 + (c % COLUMNS - card % COLUMNS) ** 2,
                   (c - card) % SLOTS, c) for c in focusable if c != card]
    return min(candidates)[2] if candidates else None


def main():
    screen = Screen(sys.argv[1])  # the main window; sys.argv[2]: where to save a screenshot
    screen.grab()
    empty = screen.face(0)
    key("Return")
    screen.wait_for("Enter on the start button deals 24 covered cards",
                    lambda: len({screen.face(c) for c in range(SLOTS)} - {empty}) == 1)
    cover = screen.face(0)

    key("shift+Tab")  # back from the start button along the tab chain: card 16
    screen.wait_for("Shift+Tab rings card 16", lambda: screen.ring_colours(15))
    screen.ring = screen.ring_colours(15)
    check("the ring has two colours, and the next card has no ring",
          screen.ring[0] != screen.ring[1] and screen.ring_colours(14) != screen.ring)
    focus = 15

    def move(name, to):
        nonlocal focus
        key(name)
        if to == focus:  # a move with nowhere to go: the ring must stay where it is
            screen.keeps(f"{name} from card {focus + 1} keeps the ring there",
                         lambda: screen.focused() == to)
        screen.wait_for(f"{name} from card {focus + 1} leads to card {to + 1}",
                        lambda: screen.focused() == to)
        focus = to

    # The board's edges and corners with every card covered.
    for name, to in (("End", 23), ("Right", 23), ("Down", 23), ("Up", 17), ("Home", 0),
                     ("Left", 0), ("Up", 0), ("Down", 6), ("Right", 7), ("Left", 6)):
        move(name, to)
    subprocess.run(["/usr/bin/import", "-window", "root", sys.argv[2]], check=True)

    seen, found, face_up = {}, set(), set()

    def turn(card, with_key, first_of_turn):
        nonlocal focus, face_up
        focusable = [c for c in range(SLOTS) if c not in found and c not in face_up]
        while focus != card:  # Left and Right step through the cards in reading order
            step = 1 if card > focus else -1
            move("Right" if step > 0 else "Left",
                 next(c for c in range(focus + step, card + step, step) if c in focusable))
        if first_of_turn:
            face_up = set()  # the last mismatched pair is covered again
        face_up.add(card)
        to = nearest(card, [c for c in range(SLOTS) if c not in found and c not in face_up])
        key(with_key)
        screen.wait_for(f"{with_key} turns card {card + 1} and the ring goes to {to}",
                        lambda: screen.face(card) != cover and screen.focused() == to)
        focus = to
        seen[card] = screen.face(card)

    for turns in range(1, 41):
        pairs = [(a, b) for a in seen for b in seen
                 if a < b and not {a, b} & found and seen[a] == seen[b]]
        first = sorted(pairs[0], key=lambda c: c in face_up)[0] if pairs else min(
            set(range(SLOTS)) - set(seen), key=lambda c: abs(c - focus))
        turn(first, "space", first_of_turn=True)
        partners = [c for c in seen if c != first and c not in found and seen[c] == seen[first]]
        second = partners[0] if partners else min(set(range(SLOTS)) - set(seen),
                                                  key=lambda c: abs(c - focus))
        turn(second, "Return", first_of_turn=False)
        if seen[first] == seen[second]:
            found |= {first, second}
            face_up = set()
        if len(found) == SLOTS:
            break
    check(f"the round is won in {turns} turns, with 12 different photos seen",
          len(found) == SLOTS and len(set(seen.values())) == 12)
    check("no card keeps the ring once the round is won", screen.focused() is None)
    key("Return")
    screen.wait_for("Enter then presses the start button, which deals a new round",
                    lambda: all(screen.face(c) == cover for c in range(SLOTS)))


if __name__ == "__main__":
    main()
