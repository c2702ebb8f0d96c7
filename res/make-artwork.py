#!/usr/bin/env python3
"""Draws the program's artwork into res/:
- banner.bmp, 497 x 55, 24-bit, behind the main window's title labels: light
  on the left where the labels sit; on the right a folder guarded by a
  shield, and between them a faint permission tree;
- permora.ico, the same folder and shield at 16, 32 and 48 pixels;
- wizard.bmp, 497 x 315, 24-bit, behind the setup wizard's welcome and finish
  texts: the folder and shield large on a blue band at the left, the
  permission tree under them, and a light field on the right for the texts.
Usage: python3 res/make-artwork.py"""
import os
import struct

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


def supersampled(px, py, background_at, layers):
    """The colour of pixel (px, py): the layers over the background, averaged over SS x SS samples."""
    acc = [0.0, 0.0, 0.0]
    for sy in range(SS):
        for sx in range(SS):
            x = px + (sx + 0.5) / SS
            y = py + (sy + 0.5) / SS
            c = background_at(x, y)
            for shape, colour, alpha in layers:
                if shape(x, y):
                    c = lerp(c, colour, alpha)
            for i in range(3):
                acc[i] += c[i]
    return tuple(int(round(v / (SS * SS))) for v in acc)


def banner_pixel(px, py):
    return supersampled(px, py, background, LAYERS)


def write_bmp(path, rows):
    width, height = len(rows[0]), len(rows)
    row_size = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (row_size - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def icon_pixel(px, py, size):
    """Straight-alpha BGRA of the icon at pixel (px, py) of a size x size image."""
    scale = 32.0 / size
    acc = [0.0, 0.0, 0.0, 0.0]
    for sy in range(SS):
        for sx in range(SS):
            x = (px + (sx + 0.5) / SS) * scale
            y = (py + (sy + 0.5) / SS) * scale
            c, a = (0.0, 0.0, 0.0), 0.0
            for shape, colour, alpha in ICON_LAYERS:
                if shape(x, y):
                    c = lerp(c, colour, alpha) if a > 0 else colour
                    a = max(a, alpha)
            for i in range(3):
                acc[i] += c[i] * a
            acc[3] += a
    n = SS * SS
    alpha = acc[3] / n
    if alpha == 0:
        return (0, 0, 0, 0)
    r, g, b = (acc[i] / acc[3] for i in range(3))
    return (int(round(b)), int(round(g)), int(round(r)), int(round(alpha * 255)))


# The banner's folder and shield, drawn for a 32 x 32 square.
icon_folder = union(rounded_rect(1, 4, 13, 10, 1.5), rounded_rect(1, 7, 25, 26, 2))
icon_guard = shield(22.5, 12, 8.5, 18.5)
ICON_LAYERS = [
    (grown(icon_folder, 0.7), (150, 105, 30), 1.0),
    (icon_folder, (236, 183, 72), 1.0),
    (rounded_rect(2, 11, 24, 25.3, 1.5), (248, 206, 104), 1.0),
    (grown(icon_guard, 1.0), (22, 58, 104), 1.0),
    (icon_guard, (255, 255, 255), 1.0),
    (union(segment(18, 21, 21.5, 24.5, 2.6), segment(21.5, 24.5, 27, 17, 2.6)), (46, 139, 87), 1.0),
]


def icon_image(size):
    rows = [[icon_pixel(x, y, size) for x in range(size)] for y in range(size)]
    xor = bytearray()
    for row in reversed(rows):
        for px in row:
            xor += bytes(px)
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row)
        for x, px in enumerate(row):
            if px[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def write_ico(path, sizes):
    images = [icon_image(size) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


PW, PH = 497, 315  # the wizard's picture
BAND = 150  # width of the blue band on the left; the texts start right of it


def scaled(shape, ox, oy, s):
    """A shape drawn for the 32 x 32 icon square, placed at (ox, oy) s times larger."""
    return lambda x, y: shape((x - ox) / s, (y - oy) / s)


def picture_background(x, y):
    band_top, band_bottom = (38, 84, 148), (96, 146, 204)
    band = lerp(band_top, band_bottom, y / (PH - 1))
    field = lerp((253, 254, 255), (226, 236, 248), smoothstep(0.0, 1.0, (x - BAND) / (PW - BAND) * 0.5 + y / PH * 0.5))
    c = lerp(band, field, smoothstep(BAND - 3, BAND + 3, x))
    # a light rim along the band's edge
    return lerp(c, (255, 255, 255), 0.55 * max(0.0, 1 - abs(x - BAND - 4) / 3))


def picture_tree(ox, oy, step):
    """The seven boxes of the permission tree as small squares with their connectors."""
    nodes = [(0, 0), (1, 1), (2, 2), (3, 3), (4, 4), (2, 5), (2, 6)]
    parents = [None, 0, 1, 2, 3, 1, 1]
    parts = []
    for (cx, cy), parent in zip(nodes, parents):
        x, y = ox + cx * step, oy + cy * step
        if parent is not None:
            px, py = ox + nodes[parent][0] * step, oy + nodes[parent][1] * step
            parts.append(segment(px, py, px, y, 1.6))
            parts.append(segment(px, y, x, y, 1.6))
        parts.append(rounded_rect(x - 4, y - 4, x + 4, y + 4, 1.5))
    return union(*parts)


ART_SCALE = 3.6
ART_X, ART_Y = 17, 38
PICTURE_LAYERS = [
    (picture_tree(44, 190, 14), (255, 255, 255), 0.45),
    (shield(430, 150, 46, 128), (40, 90, 160), 0.06),  # a faint watermark in the field
] + [(scaled(shape, ART_X, ART_Y, ART_SCALE), colour, alpha) for shape, colour, alpha in ICON_LAYERS]
ART_BOX = (0, 0, BAND + 2, PH)  # where shapes stand on the band
WATERMARK_BOX = (380, 145, 480, 282)


def picture_pixel(px, py):
    in_art = ART_BOX[0] <= px <= ART_BOX[2] and ART_BOX[1] <= py <= ART_BOX[3]
    in_mark = WATERMARK_BOX[0] <= px <= WATERMARK_BOX[2] and WATERMARK_BOX[1] <= py <= WATERMARK_BOX[3]
    near_rim = abs(px - BAND) <= 8
    if not (in_art or in_mark or near_rim):  # smooth there: one sample is enough
        return tuple(int(round(v)) for v in picture_background(px + 0.5, py + 0.5))
    return supersampled(px, py, picture_background, PICTURE_LAYERS)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_ico(os.path.join(here, "permora.ico"), [16, 32, 48])
    out = os.path.join(here, "banner.bmp")
    rows = [[banner_pixel(x, y) for x in range(W)] for y in range(H)]
    # A thin line where the banner meets the white panel below it.
    rows[H - 1] = [lerp(c, (160, 180, 205), 0.7) for c in rows[H - 1]]
    rows[H - 1] = [tuple(int(round(v)) for v in c) for c in rows[H - 1]]
    write_bmp(out, rows)
    picture = [[picture_pixel(x, y) for x in range(PW)] for y in range(PH)]
    write_bmp(os.path.join(here, "wizard.bmp"), picture)


if __name__ == "__main__":
    main()
