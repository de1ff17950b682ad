"""Icon files for the drawing scripts: 32 x 32 images as rows of (r, g, b) or CLEAR, written
as the .ico records Windows reads (bottom-up pixels, then the transparency mask)."""

import struct

SIZE = 32
CLEAR = None


def and_mask(img):
    rows = []
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if img[y][x] is CLEAR else 0)
        rows.append(bits.to_bytes(4, "big"))
    return b"".join(rows)


def image_4bit(img, palette16):
    index = {c: i for i, c in enumerate(palette16)}
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette16)
    rows = []
    for y in reversed(range(SIZE)):
        nibbles = [index[c] if c is not CLEAR else 0 for c in img[y]]
        rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2)))
    return header + palette + b"".join(rows) + and_mask(img), 4


def image_8bit(img):
    colours = sorted({c for row in img for c in row if c is not CLEAR})
    palette = [(0, 0, 0)] + colours
    index = {c: i for i, c in enumerate(palette)}
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    pal += bytes(4 * (256 - len(palette)))
    pixels = b"".join(bytes(index[c] if c is not CLEAR else 0 for c in img[y])
                      for y in reversed(range(SIZE)))
    return header + pal + pixels + and_mask(img), 8


def image_24bit(img):
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 24, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(b"".join(struct.pack("<BBB", *(reversed(c) if c else (0, 0, 0)))
                               for c in img[y]) for y in reversed(range(SIZE)))
    return header + pixels + and_mask(img), 24


def write_ico(path, images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for data, bits in images:
        colours = 0 if bits > 8 else 1 << bits
        out += struct.pack("<BBBBHHII", SIZE, SIZE, colours % 256, 0, 1, bits, len(data), offset)
        offset += len(data)
        body += data
    path.write_bytes(out + body)
