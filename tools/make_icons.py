#!/usr/bin/env python3
"""Draws the program's compiled-in icons as small PNG files (no image library needed).

The fixture icons of the visual plan are drawn by make_fixture_icons.py.
"""
import math
import os
import struct
import sys
import zlib

SIZE = 32


def png(pixels, w, h):
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in pixels)
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def canvas(w=SIZE, h=SIZE, fill=(0, 0, 0, 0)):
    return [[fill for _ in range(w)] for _ in range(h)]


def rect(px, x0, y0, x1, y1, c):
    for y in range(max(0, y0), min(len(px), y1)):
        for x in range(max(0, x0), min(len(px[0]), x1)):
            px[y][x] = c


def disc(px, cx, cy, r, c, ring=0):
    for y in range(len(px)):
        for x in range(len(px[0])):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r and (ring == 0 or d >= r - ring):
                px[y][x] = c


def line(px, x0, y0, x1, y1, c, width=2):
    steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
    for i in range(steps + 1):
        t = i / steps
        x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
        rect(px, int(x - width / 2), int(y - width / 2), int(x + width / 2) + 1, int(y + width / 2) + 1, c)


def flag(stripes, vertical=False, w=24, h=16):
    px = canvas(w, h)
    n = len(stripes)
    for i, c in enumerate(stripes):
        if vertical:
            rect(px, i * w // n, 0, (i + 1) * w // n, h, c + (255,))
        else:
            rect(px, 0, i * h // n, w, (i + 1) * h // n, c + (255,))
    return px, w, h


def icons():
    out = {}
    blue, red, green, grey, yellow, white, black = (40, 90, 200, 255), (200, 40, 40, 255), (40, 150, 60, 255), \
        (120, 120, 120, 255), (235, 190, 30, 255), (255, 255, 255, 255), (20, 20, 20, 255)
    px = canvas(); disc(px, 16, 16, 14, (30, 30, 60, 255)); disc(px, 16, 16, 9, yellow); disc(px, 16, 16, 4, white)
    out["xl_sh"] = px
    px = canvas(); rect(px, 3, 9, 29, 27, yellow); rect(px, 3, 6, 14, 10, yellow); out["fileopen"] = px
    px = canvas(); rect(px, 4, 4, 28, 28, blue); rect(px, 9, 4, 23, 13, white); rect(px, 8, 19, 24, 28, grey); out["filesave"] = px
    px = canvas(); rect(px, 7, 3, 25, 29, white); rect(px, 7, 3, 25, 5, grey); rect(px, 7, 27, 25, 29, grey); out["filenew"] = px
    px = canvas(); line(px, 7, 7, 25, 25, red, 4); line(px, 25, 7, 7, 25, red, 4); out["exit"] = px
    px = canvas(); line(px, 6, 26, 20, 12, grey, 5); disc(px, 22, 10, 7, grey); disc(px, 25, 7, 3, (0, 0, 0, 0)); out["wrench"] = px
    px = canvas(); line(px, 5, 17, 13, 25, green, 4); line(px, 13, 25, 27, 7, green, 4); out["verify"] = px
    px = canvas(); rect(px, 3, 6, 29, 22, white); line(px, 8, 21, 8, 28, white, 4); rect(px, 7, 11, 25, 13, grey); rect(px, 7, 15, 20, 17, grey); out["message"] = px
    px = canvas(); line(px, 26, 16, 6, 16, blue, 4); line(px, 6, 16, 14, 8, blue, 4); line(px, 6, 16, 14, 24, blue, 4); out["back"] = px
    px = canvas()
    for i, c in enumerate([red, yellow, green, blue]):
        rect(px, 4 + (i % 2) * 12, 4 + (i // 2) * 12, 16 + (i % 2) * 12, 16 + (i // 2) * 12, c)
    out["colors"] = px
    px = canvas(); rect(px, 4, 4, 28, 28, blue); rect(px, 8, 8, 24, 24, white); out["select"] = px
    px = canvas(); rect(px, 4, 4, 28, 28, grey); rect(px, 6, 6, 26, 26, white); out["deselect"] = px
    px = canvas(); rect(px, 4, 4, 16, 28, blue); rect(px, 16, 4, 28, 28, white); rect(px, 4, 4, 28, 6, black); rect(px, 4, 26, 28, 28, black); out["invert"] = px
    for name, plus in (("lupka", None), ("zoomin", True), ("zoomout", False)):
        px = canvas(); disc(px, 13, 13, 10, black, ring=3); line(px, 20, 20, 28, 28, black, 4)
        if plus is not None:
            rect(px, 8, 12, 19, 15, black)
            if plus:
                rect(px, 12, 8, 15, 19, black)
        out[name] = px
    return out


def main(target):
    os.makedirs(target, exist_ok=True)
    for name, px in icons().items():
        with open(os.path.join(target, name + ".png"), "wb") as f:
            f.write(png(px, len(px[0]), len(px)))
    flags = {
        "de": flag([(0, 0, 0), (221, 0, 0), (255, 206, 0)]),
        "en": flag([(1, 33, 105), (255, 255, 255), (200, 16, 46), (255, 255, 255), (1, 33, 105)]),
        "es": flag([(170, 21, 27), (241, 191, 0), (241, 191, 0), (170, 21, 27)]),
        "fr": flag([(0, 35, 149), (255, 255, 255), (237, 41, 57)], vertical=True),
        "it": flag([(0, 146, 70), (255, 255, 255), (206, 43, 55)], vertical=True),
        "pl": flag([(255, 255, 255), (220, 20, 60)]),
        "ru": flag([(255, 255, 255), (0, 57, 166), (213, 43, 30)]),
    }
    for name, (px, w, h) in flags.items():
        with open(os.path.join(target, name + ".png"), "wb") as f:
            f.write(png(px, w, h))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "src", "resources", "images"))
