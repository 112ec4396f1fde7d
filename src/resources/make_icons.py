#!/usr/bin/env python3
"""Writes the program's two icons (16-colour, 32x32 and 16x16 images each):
a parcel, and the same parcel with a lit band that the notification icon
blinks to. Run from this folder; the .ico files are checked in."""
import struct

# The standard 16-colour palette (blue, green, red, reserved).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128), (128, 128, 0),
    (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255), (255, 0, 0),
    (255, 0, 255), (255, 255, 0), (255, 255, 255)]
BLACK, DARK_BLUE, SILVER, BLUE, YELLOW, WHITE = 0, 4, 7, 12, 11, 15  # indexes into PALETTE (BGR order)


def parcel(size, lit):
    """Colour index per pixel, or None where transparent; row 0 is the top."""
    edge = size // 8
    band = size // 2
    half = max(1, size // 16)
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            if x < edge or x >= size - edge or y < edge or y >= size - edge:
                row.append(None)
            elif x in (edge, size - edge - 1) or y in (edge, size - edge - 1):
                row.append(BLACK)
            elif abs(x - band) < half or abs(y - band) < half:
                row.append(YELLOW if lit else WHITE)
            else:
                row.append(BLUE if not lit else DARK_BLUE)
        pixels.append(row)
    return pixels


def image(size, lit):
    pixels = parcel(size, lit)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(pixels):  # bottom-up
        line = bytearray()
        for x in range(0, size, 2):
            hi = row[x] or 0
            lo = row[x + 1] or 0
            line.append((hi << 4) | lo)
        while len(line) % 4:
            line.append(0)
        xor += line
        bits = bytearray(mask_stride)
        for x, colour in enumerate(row):
            if colour is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + palette + bytes(xor) + bytes(mask)


def write_icon(path, lit):
    images = [image(32, lit), image(16, lit)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


write_icon('program.ico', lit=False)
write_icon('program-alt.ico', lit=True)
