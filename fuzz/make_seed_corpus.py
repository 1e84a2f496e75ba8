#!/usr/bin/env python3
"""Writes the small seed corpus of the fuzzers into fuzz/corpus/<target>/."""
import os
import struct
import zlib

here = os.path.dirname(os.path.abspath(__file__))


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, color_type, depth, interlace, rows, extra=b""):
    header = struct.pack(">IIBBBBB", width, height, depth, color_type, 0, 0, interlace)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def rgb_png(width, height):
    rows = b"".join(b"\0" + bytes((x * 37 + y * 11) & 255 for x in range(width) for _ in range(3)) for y in range(height))
    return png(width, height, 2, 8, 0, rows)


def palette_png():
    # 4 x 4, 8-bit palette with tRNS, Adam7: passes 1, 2 (empty), 3 ... computed row by row below.
    passes = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]
    raw = b""
    for x0, y0, dx, dy in passes:
        if x0 >= 4:
            continue
        for y in range(y0, 4, dy):
            raw += b"\0" + bytes((x + y) % 3 for x in range(x0, 4, dx))
    extra = chunk(b"PLTE", bytes([255, 0, 0, 0, 255, 0, 0, 0, 255])) + chunk(b"tRNS", bytes([0, 128, 255]))
    return png(4, 4, 3, 8, 1, raw, extra)


def gray16_png():
    rows = b"".join(b"\0" + bytes([y * 40, 0x55] * 3) for y in range(2))
    return png(3, 2, 0, 16, 0, rows)


def bmp(width, height, bits, top_down):
    row_size = (width * bits // 8 + 3) & ~3
    pixels = b""
    for row in range(height):
        line = b""
        for x in range(width):
            line += bytes([x * 40 & 255, row * 50 & 255, 90]) + (b"\0" if bits == 32 else b"")
        pixels += line.ljust(row_size, b"\0")
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits, 0, len(pixels), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 54 + len(info) - 40 + len(pixels), 0, 0, 54) + info + pixels


def ico(size):
    xor = b"".join(bytes([x * 15 & 255, y * 15 & 255, 200, 255]) * 1 for y in range(size) for x in range(size))
    and_mask = b"\0" * (((size + 31) // 32) * 4 * size)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = info + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 22)
    return directory + image


def skin(picture, size=None, text=(100, 100, 100), result=(0, 140, 200)):
    n = float(len(picture)) if size is None else size
    return struct.pack("<d6h", n, *text, *result) + picture + b"\0"


def write(target, name, data):
    folder = os.path.join(here, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


pictures = {
    "rgb.png": rgb_png(5, 4),
    "palette_interlaced.png": palette_png(),
    "gray16.png": gray16_png(),
    "bottom_up24.bmp": bmp(5, 3, 24, False),
    "top_down32.bmp": bmp(4, 3, 32, True),
    "icon.ico": ico(8),
}
for name, data in pictures.items():
    write("fuzz_picture_loader", name, data)
    if name.endswith(".png"):
        write("fuzz_png_decode", name, data)
write("fuzz_picture_loader", "png_with_pad", rgb_png(5, 4) + b"\0")

write("fuzz_skin_reader", "png_skin.pxk", skin(rgb_png(5, 4)))
write("fuzz_skin_reader", "bmp_skin.pxk", skin(bmp(5, 3, 24, False)))
write("fuzz_skin_reader", "empty_picture.pxk", skin(b""))
write("fuzz_skin_reader", "minus_one.pxk", skin(b"ab", size=-1.0))
write("fuzz_skin_reader", "fraction.pxk", skin(b"abcd", size=2.5))
write("fuzz_skin_reader", "cut_off.pxk", skin(b"abcdef", size=100.0))
write("fuzz_skin_reader", "colour_ffff.pxk", struct.pack("<d", 1.0) + b"\xff" * 12 + b"x\0")
write("fuzz_skin_reader", "twelve_bytes.pxk", skin(b"", size=3706.0)[:12])
