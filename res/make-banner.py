#!/usr/bin/env python3
"""Draws the banner behind the main window's title labels: res/banner.bmp,
497 x 55, 24-bit. Light on the left where the labels sit; on the right a
folder guarded by a shield, and between them a faint permission tree.
Usage: python3 res/make-banner.py [output.bmp]"""
import os
import struct
import sys

W, H = 497, 55
SS = 4  # samples per pixel edge, for smooth shape edges


def lerp(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def smoothstep(e0, e1, x):
    t = min(1.0, max(0.0, (x - e0) / (e1 - e0)))
    return t * t * (3 - 2 * t)


def background(x, y):
    light, mid, deep = (252, 253, 255), (214, 228, 244), (52, 96, 152)
    t = x / (W - 1)
    c = lerp(light, mid, smoothstep(0.30, 0.62, t))
    c = lerp(c, deep, smoothstep(0.55, 1.0, t))
    # a little darker towards the bottom edge
    return lerp(c, (c[0] * 0.9, c[1] * 0.92, c[2] * 0.96), (y / (H - 1)) ** 2 * 0.6)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def shield(cx, top, half, height):
    shoulder = top + height * 0.5

    def inside(x, y):
        if y < top or y > top + height:
            return False
        if y <= shoulder:
            w = half
        else:
            w = half * (1 - ((y - shoulder) / (top + height - shoulder)) ** 1.4)
        return abs(x - cx) <= w
    return inside


def grown(shape, d):
    """The shape widened by d in every direction (for outlines)."""
    offsets = [(dx * d, dy * d) for dx in (-1, 0, 1) for dy in (-1, 0, 1)]
    return lambda x, y: any(shape(x + ox, y + oy) for ox, oy in offsets)


def segment(xa, ya, xb, yb, width):
    dx, dy = xb - xa, yb - ya
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - xa) * dx + (y - ya) * dy) / length2))
        px, py = xa + t * dx, ya + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def tree():
    """The permission tree's connectors, as on the boxes below the banner."""
    parts = []
    nodes = [(300, 12), (310, 22), (320, 32), (330, 42), (320, 47)]
    for (xa, ya), (xb, yb) in zip(nodes, nodes[1:4]):
        parts.append(segment(xa, ya, xa, yb, 1.2))
        parts.append(segment(xa, yb, xb, yb, 1.2))
    parts.append(segment(310, 22, 310, 47, 1.2))
    parts.append(segment(310, 47, 320, 47, 1.2))
    for x, y in nodes:
        parts.append(rounded_rect(x - 2.5, y - 2.5, x + 2.5, y + 2.5, 1))
    return union(*parts)


folder_tab = rounded_rect(402, 9, 426, 20, 2.5)
folder_body = rounded_rect(402, 14, 462, 46, 3)
folder = union(folder_tab, folder_body)
folder_front = rounded_rect(404, 20, 460, 46, 2.5)
guard = shield(458, 19, 13, 31)
check = union(segment(451, 33, 456, 39, 3.0), segment(456, 39, 465, 27, 3.0))

# Layers from bottom to top: (shape, colour, opacity).
LAYERS = [
    (tree(), (255, 255, 255), 0.55),
    (grown(folder, 0.8), (150, 105, 30), 1.0),
    (folder, (236, 183, 72), 1.0),
    (folder_front, (248, 206, 104), 1.0),
    (grown(guard, 1.2), (22, 58, 104), 1.0),
    (guard, (255, 255, 255), 1.0),
    (check, (46, 139, 87), 1.0),
]


def pixel(px, py):
    acc = [0.0, 0.0, 0.0]
    for sy in range(SS):
        for sx in range(SS):
            x = px + (sx + 0.5) / SS
            y = py + (sy + 0.5) / SS
            c = background(x, y)
            for shape, colour, alpha in LAYERS:
                if shape(x, y):
                    c = lerp(c, colour, alpha)
            for i in range(3):
                acc[i] += c[i]
    return tuple(int(round(v / (SS * SS))) for v in acc)


def write_bmp(path, rows):
    row_size = (W * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (row_size - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "banner.bmp")
    rows = [[pixel(x, y) for x in range(W)] for y in range(H)]
    # A thin line where the banner meets the white panel below it.
    rows[H - 1] = [lerp(c, (160, 180, 205), 0.7) for c in rows[H - 1]]
    rows[H - 1] = [tuple(int(round(v)) for v in c) for c in rows[H - 1]]
    write_bmp(out, rows)


if __name__ == "__main__":
    main()
