#!/usr/bin/env python3
"""Draws the application icon and writes res/WordMaint.ico.

The icon is a blue key cap carrying the character 五 in white strokes. The ICO holds 21
classic images (bitmap plus AND mask, no PNG): 64, 48, 40, 32, 24, 20 and 16 pixels square,
each in 16 colours, 256 colours and 24-bit colour; those are the large and small icons' sizes
at 100 %, 125 %, 150 % and 200 % (32 and 16, 40 and 20, 48 and 24, 64 and 32). Every size is
laid out on its own pixel grid so that the strokes stay sharp. The 24-bit images smooth the rounded corners and the slanted stroke;
the 256-colour images share one palette built from their colours, the 16-colour images use
the standard VGA palette.

Standard library only; the output is the same bytes on every run.
Usage: scripts/make-icon.py [output path]
"""

import pathlib
import struct
import sys

# Colours of the parts of the key cap, (red, green, blue).
OUTLINE = (22, 58, 110)
SKIRT = (40, 92, 165)
FACE_TOP = (92, 150, 228)
FACE_BOTTOM = (58, 118, 205)
SHADOW = (34, 80, 150)
GLYPH = (255, 255, 255)

# The standard 16-colour VGA palette, in the order of the Windows system palette.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
NAVY, BLUE, WHITE = 4, 12, 15

# The parts as the 16-colour images show them: palette indices into VGA16.
VGA_OF_PART = {"outline": NAVY, "skirt": NAVY, "face": BLUE, "shadow": NAVY, "glyph": WHITE}

# Per size: the cap, the skirt inside its outline and the top face as rounded rectangles
# (x0, y0, x1, y1, radius; x1 and y1 exclusive, in pixels), the strokes of 五 as polygons
# (top bar, slanted vertical, middle bar, its downward fold, bottom bar) and the offset of
# their shadow. Up to 24 pixels the vertical is a crisp two-step staircase rather than a blur.
LAYOUTS = {
    64: {
        "cap": (1, 1, 63, 63, 11),
        "skirt": (2, 2, 62, 62, 10),
        "face": (5, 4, 59, 53, 8),
        "strokes": [
            [(16, 11), (48, 11), (48, 16), (16, 16)],
            [(29, 16), (34, 16), (28, 43), (23, 43)],
            [(25, 27), (45, 27), (45, 32), (25, 32)],
            [(40, 32), (45, 32), (45, 43), (40, 43)],
            [(13, 43), (51, 43), (51, 48), (13, 48)],
        ],
        "shadow": 1,
    },
    48: {
        "cap": (1, 1, 47, 47, 8),
        "skirt": (2, 2, 46, 46, 7),
        "face": (4, 3, 44, 40, 6),
        "strokes": [
            [(12, 8), (36, 8), (36, 12), (12, 12)],
            [(22, 12), (26, 12), (21, 32), (17, 32)],
            [(19, 20), (34, 20), (34, 24), (19, 24)],
            [(30, 24), (34, 24), (34, 32), (30, 32)],
            [(10, 32), (38, 32), (38, 36), (10, 36)],
        ],
        "shadow": 1,
    },
    40: {
        "cap": (1, 1, 39, 39, 7),
        "skirt": (2, 2, 38, 38, 6),
        "face": (3, 3, 37, 33, 5),
        "strokes": [
            [(10, 6), (30, 6), (30, 10), (10, 10)],
            [(18, 10), (22, 10), (18, 26), (14, 26)],
            [(16, 16), (28, 16), (28, 20), (16, 20)],
            [(24, 20), (28, 20), (28, 26), (24, 26)],
            [(8, 26), (32, 26), (32, 30), (8, 30)],
        ],
        "shadow": 1,
    },
    32: {
        "cap": (1, 1, 31, 31, 6),
        "skirt": (2, 2, 30, 30, 5),
        "face": (3, 3, 29, 26, 4),
        "strokes": [
            [(8, 5), (24, 5), (24, 8), (8, 8)],
            [(15, 8), (18, 8), (14, 21), (11, 21)],
            [(12, 13), (23, 13), (23, 16), (12, 16)],
            [(20, 16), (23, 16), (23, 21), (20, 21)],
            [(6, 21), (26, 21), (26, 24), (6, 24)],
        ],
        "shadow": 1,
    },
    24: {
        "cap": (0, 0, 24, 24, 4),
        "skirt": (1, 1, 23, 23, 3),
        "face": (2, 1, 22, 19, 3),
        "strokes": [
            [(6, 3), (18, 3), (18, 5), (6, 5)],
            [(11, 5), (13, 5), (13, 10), (11, 10)],
            [(10, 10), (12, 10), (12, 16), (10, 16)],
            [(12, 10), (17, 10), (17, 12), (12, 12)],
            [(15, 12), (17, 12), (17, 16), (15, 16)],
            [(5, 16), (19, 16), (19, 18), (5, 18)],
        ],
        "shadow": 1,
    },
    20: {
        "cap": (0, 0, 20, 20, 3),
        "skirt": (1, 1, 19, 19, 2),
        "face": (1, 1, 19, 16, 2),
        "strokes": [
            [(5, 2), (15, 2), (15, 4), (5, 4)],
            [(9, 4), (11, 4), (11, 8), (9, 8)],
            [(8, 8), (10, 8), (10, 13), (8, 13)],
            [(10, 8), (14, 8), (14, 10), (10, 10)],
            [(12, 10), (14, 10), (14, 13), (12, 13)],
            [(4, 13), (16, 13), (16, 15), (4, 15)],
        ],
        "shadow": 0,
    },
    16: {
        "cap": (0, 0, 16, 16, 3),
        "skirt": (1, 1, 15, 15, 2),
        "face": (1, 1, 15, 13, 2),
        "strokes": [
            [(4, 2), (12, 2), (12, 3), (4, 3)],
            [(7, 3), (8, 3), (8, 7), (7, 7)],
            [(6, 7), (7, 7), (7, 11), (6, 11)],
            [(7, 6), (11, 6), (11, 7), (7, 7)],
            [(10, 7), (11, 7), (11, 11), (10, 11)],
            [(3, 11), (13, 11), (13, 12), (3, 12)],
        ],
        "shadow": 0,
    },
}

SUBSAMPLES = 8  # per pixel and axis
# Drawing layers from bottom to top; where a pixel holds several, the most covered one
# names it for the 16-colour image (a tie goes to the upper layer).
LAYERS = ("outline", "skirt", "face", "shadow", "glyph")


def inside_rounded(x, y, rect):
    x0, y0, x1, y1, r = rect
    if not (x0 <= x < x1 and y0 <= y < y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_polygon(x, y, points):
    """For a convex polygon listed clockwise on screen (y pointing down)."""
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        if (bx - ax) * (y - ay) - (by - ay) * (x - ax) < 0:
            return False
    return True


def blend(under, over, amount):
    return tuple(round(u + (o - u) * amount) for u, o in zip(under, over))


def render(size):
    """Returns rows of (24-bit colour, part) per pixel; part None is transparent."""
    layout = LAYOUTS[size]
    cap, skirt, face = layout["cap"], layout["skirt"], layout["face"]
    strokes = layout["strokes"]
    d = layout["shadow"]
    shadows = [[(x + d, y + d) for x, y in stroke] for stroke in strokes] if d else []
    samples = SUBSAMPLES * SUBSAMPLES
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            counts = dict.fromkeys(LAYERS, 0)
            total = [0, 0, 0]
            for sy in range(SUBSAMPLES):
                y = py + (sy + 0.5) / SUBSAMPLES
                # The face darkens from top to bottom.
                t = min(max((y - face[1]) / (face[3] - face[1]), 0.0), 1.0)
                for sx in range(SUBSAMPLES):
                    x = px + (sx + 0.5) / SUBSAMPLES
                    if not inside_rounded(x, y, cap):
                        continue
                    if not inside_rounded(x, y, skirt):
                        layer, colour = "outline", OUTLINE
                    elif not inside_rounded(x, y, face):
                        layer, colour = "skirt", SKIRT
                    elif any(inside_polygon(x, y, p) for p in strokes):
                        layer, colour = "glyph", GLYPH
                    elif any(inside_polygon(x, y, p) for p in shadows):
                        layer, colour = "shadow", SHADOW
                    else:
                        layer, colour = "face", blend(FACE_TOP, FACE_BOTTOM, t)
                    counts[layer] += 1
                    for ch in range(3):
                        total[ch] += colour[ch]
            inside = sum(counts.values())
            if inside * 2 < samples:
                row.append(((0, 0, 0), None))
                continue
            # Only covered samples count: the background behind a corner is unknown.
            colour = tuple(round(c / inside) for c in total)
            part = max(reversed(LAYERS), key=lambda layer: counts[layer])
            row.append((colour, part))
        rows.append(row)
    return rows


def median_cut(histogram, count):
    """Up to count colours for a {colour: pixels} histogram; exact when it has few enough."""
    boxes = [sorted(histogram.items())]
    while len(boxes) < count:
        best, best_key = None, None
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            ranges = [max(c[0][ch] for c in box) - min(c[0][ch] for c in box) for ch in range(3)]
            key = (max(ranges), sum(n for _, n in box))
            if best_key is None or key > best_key:
                best, best_key = i, key
        if best is None:
            break
        box = boxes.pop(best)
        ranges = [max(c[0][ch] for c in box) - min(c[0][ch] for c in box) for ch in range(3)]
        channel = ranges.index(max(ranges))
        box.sort(key=lambda item: (item[0][channel], item[0]))
        total = sum(n for _, n in box)
        running, split = 0, 1
        for split in range(1, len(box)):
            running += box[split - 1][1]
            if running * 2 >= total:
                break
        boxes[best:best] = [box[:split], box[split:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(round(sum(c[ch] * n for c, n in box) / total) for ch in range(3)))
    return palette


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: (sum((a - b) ** 2 for a, b in zip(palette[i], colour)), i))


def bitmap_rows(size, bits, pixels):
    """Bottom-up rows of packed pixel values, each padded to four bytes."""
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        if bits == 24:
            for r, g, b in row:
                line += bytes((b, g, r))
        elif bits == 8:
            line += bytes(row)
        elif bits == 4:
            for i in range(0, size, 2):
                line.append(row[i] << 4 | row[i + 1])
        elif bits == 1:
            for i in range(0, size, 8):
                byte = 0
                for bit, value in enumerate(row[i:i + 8]):
                    byte |= value << (7 - bit)
                line.append(byte)
        line += bytes(-len(line) % 4)
        data += line
    return bytes(data)


def dib(size, bits, palette, pixels, mask):
    """One icon image: BITMAPINFOHEADER (double height for the mask), palette, XOR, AND."""
    xor = bitmap_rows(size, bits, pixels)
    and_mask = bitmap_rows(size, 1, mask)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                         len(xor) + len(and_mask), 0, 0, 0, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + colours + xor + and_mask


def build_icon():
    renders = {size: render(size) for size in LAYOUTS}

    # One 256-colour palette for all sizes: black first, for the transparent pixels,
    # then the colours of the 24-bit images.
    histogram = {}
    for rows in renders.values():
        for row in rows:
            for colour, part in row:
                if part is not None:
                    histogram[colour] = histogram.get(colour, 0) + 1
    palette256 = [(0, 0, 0)] + median_cut(histogram, 255)
    palette256 += [(0, 0, 0)] * (256 - len(palette256))
    index256 = {colour: nearest(palette256[1:], colour) + 1 for colour in histogram}

    images = []
    for size in sorted(LAYOUTS, reverse=True):
        rows = renders[size]
        mask = [[1 if part is None else 0 for _, part in row] for row in rows]
        true_colour = [[colour for colour, _ in row] for row in rows]
        indexed16 = [[0 if part is None else VGA_OF_PART[part] for _, part in row]
                     for row in rows]
        indexed256 = [[0 if part is None else index256[colour] for colour, part in row]
                      for row in rows]
        images.append((size, 16, 4, dib(size, 4, VGA16, indexed16, mask)))
        images.append((size, 0, 8, dib(size, 8, palette256, indexed256, mask)))
        images.append((size, 0, 24, dib(size, 24, [], true_colour, mask)))

    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, colour_count, bits, data in images:
        out += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bits, len(data), offset)
        offset += len(data)
    for *_, data in images:
        out += data
    return bytes(out)


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    target = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else root / "res" / "WordMaint.ico"
    target.write_bytes(build_icon())


if __name__ == "__main__":
    main()
