#!/usr/bin/env python3
"""Draws the program's two icons and writes them as .ico files.

sun_moon.ico (16, 32, 48 px, 8 bits per pixel): a red sun with a face in
front of a yellow crescent moon, on a transparent background.
letter_p.ico (32, 16 px, 4 bits per pixel): a yellow letter p outlined in
red on black.

With --png, writes the sun and moon instead as one PNG per size of the
hicolor icon theme, DIRECTORY/<N>x<N>/quorvenda.png (8-bit RGBA, the
background fully transparent), for the Linux program and its package.

Plain Python, no extra modules; the same input always gives the same bytes
(the PNGs carry no time or text chunk).
Usage: make_icons.py OUTPUT_DIRECTORY
       make_icons.py --png DIRECTORY
"""
import math
import os
import struct
import sys
import zlib

SUPERSAMPLE = 4

TRANSPARENT = None
BLACK = (0, 0, 0)
RED = (220, 30, 30)
DARK_RED = (140, 10, 10)
YELLOW = (255, 215, 0)
AMBER = (200, 140, 0)
FACE = (60, 0, 0)
CHEEK = (255, 120, 120)


def inside_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def near_ring(x, y, cx, cy, r, half_width):
    return abs(math.hypot(x - cx, y - cy) - r) <= half_width


# Shapes in unit coordinates (0..1, y down), each a test and the share of a
# pixel it must cover to win it. Listed from front to back.
SUN = (0.38, 0.62, 0.26)
MOON_OUTER = (0.60, 0.38, 0.36)
MOON_BITE = (0.76, 0.28, 0.30)


def in_moon(x, y):
    return inside_circle(x, y, *MOON_OUTER) and not inside_circle(x, y, *MOON_BITE)


def in_sun_rays(x, y):
    cx, cy, r = SUN
    d = math.hypot(x - cx, y - cy)
    if not (r + 0.02 <= d <= r + 0.11):
        return False
    angle = math.degrees(math.atan2(y - cy, x - cx)) % 45.0
    return min(angle, 45.0 - angle) <= 9.0 * (r + 0.11 - d) / 0.09


def in_eye(x, y):
    cx, cy, _ = SUN
    return inside_circle(x, y, cx - 0.09, cy - 0.06, 0.045) or inside_circle(x, y, cx + 0.09, cy - 0.06, 0.045)


def in_smile(x, y):
    cx, cy, _ = SUN
    if y < cy + 0.04:
        return False
    return near_ring(x, y, cx, cy - 0.01, 0.15, 0.03) and abs(x - cx) <= 0.12


def in_cheek(x, y):
    cx, cy, _ = SUN
    return inside_circle(x, y, cx - 0.16, cy + 0.06, 0.04) or inside_circle(x, y, cx + 0.16, cy + 0.06, 0.04)


SUN_MOON_LAYERS = [
    (in_eye, FACE, 0.2),
    (in_smile, FACE, 0.2),
    (in_cheek, CHEEK, 0.3),
    (lambda x, y: near_ring(x, y, *SUN, 0.025), DARK_RED, 0.3),
    (lambda x, y: inside_circle(x, y, *SUN), RED, 0.5),
    (in_sun_rays, RED, 0.35),
    (lambda x, y: in_moon(x, y) and (near_ring(x, y, *MOON_OUTER, 0.025) or near_ring(x, y, *MOON_BITE, 0.025)),
     AMBER, 0.3),
    (in_moon, YELLOW, 0.5),
]


def render(size, layers, background):
    """One colour (or TRANSPARENT) per pixel, rows top to bottom."""
    step = 1.0 / (size * SUPERSAMPLE)
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            counts = [0] * len(layers)
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    x = (px * SUPERSAMPLE + sx + 0.5) * step
                    y = (py * SUPERSAMPLE + sy + 0.5) * step
                    for i, (test, _, _) in enumerate(layers):
                        if test(x, y):
                            counts[i] += 1
            colour = background
            for (_, layer_colour, share), count in zip(layers, counts):
                if count >= share * SUPERSAMPLE * SUPERSAMPLE:
                    colour = layer_colour
                    break
            row.append(colour)
        pixels.append(row)
    return pixels


def letter_p(size):
    """A bold p on a grid of `size` pixels: stem on the left, bowl on the upper right."""
    unit = size / 16.0
    inside = set()
    for py in range(size):
        for px in range(size):
            x, y = (px + 0.5) / unit, (py + 0.5) / unit  # in 16ths
            stem = 3.0 <= x <= 6.0 and 2.5 <= y <= 15.5
            d = math.hypot(x - 8.5, y - 6.5)
            bowl = 2.2 <= d <= 4.8 and x >= 4.5
            if stem or bowl:
                inside.add((px, py))
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            if (px, py) in inside:
                row.append(YELLOW)
            elif any((px + dx, py + dy) in inside for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                row.append(RED)
            else:
                row.append(BLACK)
        pixels.append(row)
    return pixels


def row_bytes(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def icon_image(pixels, bpp):
    """BITMAPINFOHEADER, palette, colour rows and mask rows, both bottom-up."""
    size = len(pixels)
    palette = sorted({c for row in pixels for c in row if c is not TRANSPARENT})
    if BLACK not in palette:
        palette.insert(0, BLACK)
    if len(palette) > 2 ** bpp:
        raise SystemExit(f"{len(palette)} colours do not fit {bpp} bits per pixel")
    index = {c: i for i, c in enumerate(palette)}
    index[TRANSPARENT] = index[BLACK]  # masked pixels are black in the colour plane

    colour_data = bytearray()
    mask_data = bytearray()
    for row in reversed(pixels):
        packed = bytearray()
        acc, filled = 0, 0
        for colour in row:
            acc = (acc << bpp) | index[colour]
            filled += bpp
            if filled == 8:
                packed.append(acc)
                acc, filled = 0, 0
        packed += bytes(row_bytes(size * bpp) - len(packed))
        colour_data += packed
        mask = bytearray(row_bytes(size))
        for x, colour in enumerate(row):
            if colour is TRANSPARENT:
                mask[x // 8] |= 0x80 >> (x % 8)
        mask_data += mask

    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, len(colour_data) + len(mask_data), 0, 0, 0, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    table += bytes(4 * (2 ** bpp - len(palette)))
    return header + table + bytes(colour_data) + bytes(mask_data)


def write_ico(path, images):
    """images: list of (size, bpp, pixels) in directory order."""
    blobs = [icon_image(pixels, bpp) for (_, bpp, pixels) in images]
    offset = 6 + 16 * len(images)
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    for (size, bpp, _), blob in zip(images, blobs):
        colours = 2 ** bpp if bpp < 8 else 0
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bpp, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


PNG_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def write_png(path, pixels):
    """pixels: rows of colours or TRANSPARENT, written as 8-bit RGBA."""
    size = len(pixels)
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter type None
        for colour in row:
            raw += bytes(4) if colour is TRANSPARENT else bytes(colour) + b"\xff"
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8 bits, RGBA, no interlace
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) +
                png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + png_chunk(b"IEND", b""))


def write_theme_pngs(out_dir):
    for size in PNG_SIZES:
        folder = os.path.join(out_dir, f"{size}x{size}")
        os.makedirs(folder, exist_ok=True)
        write_png(os.path.join(folder, "quorvenda.png"), render(size, SUN_MOON_LAYERS, TRANSPARENT))


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--png":
        write_theme_pngs(sys.argv[2])
        return
    if len(sys.argv) != 2:
        raise SystemExit(__doc__)
    out_dir = sys.argv[1]
    os.makedirs(out_dir, exist_ok=True)
    write_ico(os.path.join(out_dir, "sun_moon.ico"),
              [(s, 8, render(s, SUN_MOON_LAYERS, TRANSPARENT)) for s in (16, 32, 48)])
    write_ico(os.path.join(out_dir, "letter_p.ico"), [(s, 4, letter_p(s)) for s in (32, 16)])


if __name__ == "__main__":
    main()
