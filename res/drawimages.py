#!/usr/bin/env python3
"""Draws the grip bitmap and the program icon as palette PNG files, the icon
once more as SVG for the desktop's icon theme, and both for the Windows
resources: the grip as a 16-colour BMP, the icon as an ICO of 16-colour
images.

The images are committed; run this again only to change them:
    python3 res/drawimages.py res/
"""
import struct
import sys
import zlib
from pathlib import Path

# The standard 16-colour palette, in its usual order.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, GREEN, NAVY, TEAL, SILVER, GREY, LIME, WHITE = 0, 2, 4, 6, 7, 8, 10, 15
TRANSPARENT = 16  # an extra palette entry, only used by the icon


def write_png(path, pixels, transparent=False):
    height = len(pixels)
    width = len(pixels[0])
    palette = PALETTE + ([(0, 0, 0)] if transparent else [])
    raw = b"".join(b"\x00" + bytes(row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0))
    png += chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    if transparent:
        png += chunk(b"tRNS", bytes([255] * len(PALETTE) + [0]))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    Path(path).write_bytes(png)


def dib_rows(pixels, bits):
    """The rows of a device-independent bitmap, bottom-up, each padded to
    whole 32-bit words; pixels hold values of the given bit depth."""
    per_byte = 8 // bits
    rows = []
    for row in reversed(pixels):
        packed = bytearray()
        for x in range(0, len(row), per_byte):
            byte = 0
            for i, value in enumerate(row[x:x + per_byte]):
                byte |= value << (8 - bits * (i + 1))
            packed.append(byte)
        packed += bytes(-len(packed) % 4)
        rows.append(bytes(packed))
    return b"".join(rows)


def dib_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, 16, 16)


def dib_palette():
    return b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)


def write_bmp(path, pixels):
    bits = dib_rows(pixels, 4)
    info = dib_header(len(pixels[0]), len(pixels), len(bits)) + dib_palette()
    offset = 14 + len(info)
    Path(path).write_bytes(struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset) + info + bits)


def icon_image(pixels):
    """One image of an ICO file: the colours, with the transparent pixels
    black, over the mask that lets the background through them."""
    colours = dib_rows([[0 if v == TRANSPARENT else v for v in row] for row in pixels], 4)
    mask = dib_rows([[1 if v == TRANSPARENT else 0 for v in row] for row in pixels], 1)
    size = len(pixels)
    return dib_header(size, 2 * size, len(colours) + len(mask)) + dib_palette() + colours + mask


def write_ico(path, sizes):
    images = [icon_image(icon(size)) for size in sizes]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, image in zip(sizes, images):
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    Path(path).write_bytes(directory + b"".join(images))


def fill(pixels, x0, y0, x1, y1, colour):
    """Fills the inclusive rectangle (x0, y0)-(x1, y1)."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            pixels[y][x] = colour


def grip():
    """19 x 19: a raised light-grey tile carrying a calculator pictogram."""
    size = 19
    p = [[SILVER] * size for _ in range(size)]
    fill(p, 0, 0, size - 1, 0, WHITE)
    fill(p, 0, 0, 0, size - 1, WHITE)
    fill(p, 1, size - 2, size - 2, size - 2, GREY)
    fill(p, size - 2, 1, size - 2, size - 2, GREY)
    fill(p, 0, size - 1, size - 1, size - 1, BLACK)
    fill(p, size - 1, 0, size - 1, size - 1, BLACK)
    # Display bar above three rows of four keys.
    fill(p, 4, 3, 14, 5, BLACK)
    for row in range(3):
        for col in range(4):
            x = 4 + col * 3
            y = 8 + row * 3
            fill(p, x, y, x + 1, y + 1, NAVY)
    return p


def icon_boxes():
    """The program icon on a 32-unit grid, back to front: a grey calculator
    with a lit display and keys. Each box is (x0, y0, x1, y1, colour), x1 and
    y1 exclusive."""
    boxes = []

    def box(x0, y0, x1, y1, colour):
        boxes.append((x0, y0, x1, y1, colour))

    box(5, 1, 27, 31, BLACK)
    box(6, 2, 26, 30, SILVER)
    box(6, 2, 26, 3, WHITE)
    box(6, 2, 7, 30, WHITE)
    box(9, 5, 23, 11, BLACK)
    box(10, 6, 22, 10, GREEN)
    box(17, 7, 21, 9, LIME)
    for row in range(4):
        for col in range(4):
            x = 9 + col * 4
            y = 14 + row * 4
            colour = NAVY if col < 3 else TEAL
            box(x, y, x + 3, y + 3, colour)
    return boxes


def icon(size):
    p = [[TRANSPARENT] * size for _ in range(size)]
    s = size / 32.0
    for x0, y0, x1, y1, colour in icon_boxes():
        fill(p, round(x0 * s), round(y0 * s), round(x1 * s) - 1, round(y1 * s) - 1, colour)
    return p


def write_svg(path):
    rects = "".join(
        f'  <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" '
        f'fill="#{"%02x%02x%02x" % PALETTE[colour]}"/>\n'
        for x0, y0, x1, y1, colour in icon_boxes())
    Path(path).write_text(
        '<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="0 0 32 32" '
        'shape-rendering="crispEdges">\n' + rects + "</svg>\n")


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    write_png(out / "grip.png", grip())
    write_bmp(out / "grip.bmp", grip())
    write_ico(out / "orrin.ico", (16, 32, 48))
    for size in (16, 32, 48, 128):
        write_png(out / f"orrin-{size}.png", icon(size), transparent=True)
    write_svg(out / "orrin.svg")


if __name__ == "__main__":
    main()
