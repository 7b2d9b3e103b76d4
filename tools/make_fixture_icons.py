#!/usr/bin/env python3
"""Draws the four 21 x 21 fixture icons of the visual plan.

A fixture is a lamp seen from above: a round body with a black rim, a lens in
its middle and four small lamps around it. The body tells the selection (amber
when selected, khaki when not), the lens and the lamps tell whether it is
completely defined (green when it is, red when not). Everything outside the
lamp is transparent, so the plan shows through.

    LE-zr  selected, defined        LE-cr  selected, not defined
    LE-zs  not selected, defined    LE-cs  not selected, not defined
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_icons import canvas, png  # noqa: E402

SIZE = 21
CENTRE = SIZE / 2
AMBER = (229, 173, 0, 255)
KHAKI = (201, 201, 144, 255)
GREEN = (0, 255, 0, 255)
RED = (255, 0, 0, 255)
BLACK = (0, 0, 0, 255)

BODY_RADIUS = 9.9   # outer edge of the black rim
RIM = 1.2
LENS_RADIUS = 3.4   # outer edge of the lens's black ring
LENS_RING = 1.0
LED_RADIUS = 1.5    # the four small lamps around the lens, on the diagonals
LED_OFFSET = 4.0


def fixture_icon(body, mark):
    px = canvas(SIZE, SIZE)
    leds = [(CENTRE + dx * LED_OFFSET, CENTRE + dy * LED_OFFSET) for dx in (-1, 1) for dy in (-1, 1)]
    for y in range(SIZE):
        for x in range(SIZE):
            cx, cy = x + 0.5, y + 0.5
            d = math.hypot(cx - CENTRE, cy - CENTRE)
            if d > BODY_RADIUS:
                continue
            if d > BODY_RADIUS - RIM:
                px[y][x] = BLACK
            elif d <= LENS_RADIUS - LENS_RING:
                px[y][x] = mark
            elif d <= LENS_RADIUS:
                px[y][x] = BLACK
            elif any(math.hypot(cx - lx, cy - ly) <= LED_RADIUS for lx, ly in leds):
                px[y][x] = mark
            else:
                px[y][x] = body
    return px


ICONS = {
    "LE-zr": (AMBER, GREEN),
    "LE-cr": (AMBER, RED),
    "LE-zs": (KHAKI, GREEN),
    "LE-cs": (KHAKI, RED),
}


def main(target):
    os.makedirs(target, exist_ok=True)
    for name, (body, mark) in ICONS.items():
        with open(os.path.join(target, name + ".png"), "wb") as f:
            f.write(png(fixture_icon(body, mark), SIZE, SIZE))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "src", "resources", "images"))
