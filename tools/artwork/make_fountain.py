#!/usr/bin/env python3
"""Draws the busy animation FOUNTAIN (16 x 13, looping GIF) without any
image library: a small basin whose jet of drops rises and falls."""
import math
import struct
import sys

W, H = 16, 13
FRAMES = 12
DELAY_CS = 8  # hundredths of a second per frame

# Palette: 0 transparent, then the basin and the water shades.
PALETTE = [
    (255, 255, 255),  # 0 transparent
    (168, 74, 0),     # 1 basin outline
    (247, 148, 29),   # 2 basin
    (27, 99, 198),    # 3 deep water
    (90, 169, 245),   # 4 water
    (190, 225, 255),  # 5 spray
    (255, 210, 122),  # 6 basin light
    (0, 0, 0),        # 7 unused
]


def frame(t):
    px = [[0] * W for _ in range(H)]

    def put(x, y, c):
        if 0 <= x < W and 0 <= y < H:
            px[y][x] = c

    # Basin: a bowl across the bottom three rows.
    for x in range(2, 14):
        put(x, 10, 1 if x in (2, 13) else 4)
    for x in range(3, 13):
        put(x, 11, 2 if x not in (3, 12) else 1)
    for x in range(4, 12):
        put(x, 12, 1)
    put(6, 11, 6)
    put(7, 11, 6)
    # Jet: drops follow parabolas left and right of the spout, phase-shifted
    # so the stream looks continuous.
    for side in (-1, 1):
        for k in range(3):
            phase = (t / FRAMES + k / 3.0) % 1.0
            x = 7.5 + side * 5.0 * phase
            y = 9.5 - 10.0 * phase * (1.0 - phase) * 3.2
            put(int(round(x - 0.5)), int(round(y)), 5 if phase > 0.6 else 4)
    # The spout itself flickers in height.
    top = 4 + (t % 3 == 0)
    for y in range(top, 10):
        put(7, y, 3 if y > 7 else 4)
        put(8, y, 4 if y > 7 else 5)
    return px


def lzw(indices, min_code_size):
    clear = 1 << min_code_size
    end = clear + 1
    out_bits = []
    size = min_code_size + 1
    table = {(i,): i for i in range(clear)}
    next_code = end + 1
    codes = [clear]
    w = ()
    for c in indices:
        wc = w + (c,)
        if wc in table:
            w = wc
            continue
        codes.append((table[w], size))
        if next_code < 4096:
            table[wc] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            codes.append((clear, size))
            table = {(i,): i for i in range(clear)}
            next_code = end + 1
            size = min_code_size + 1
        w = (c,)
    if w:
        codes.append((table[w], size))
    codes.append((end, size))
    # codes[0] is the initial clear at the initial size
    codes[0] = (clear, min_code_size + 1)
    acc = 0
    nbits = 0
    data = bytearray()
    for code, bits in codes:
        acc |= code << nbits
        nbits += bits
        while nbits >= 8:
            data.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8
    if nbits:
        data.append(acc & 0xFF)
    return bytes(data)


def sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def main(path):
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", W, H, 0xF2, 0, 0)  # global table of 8
    for r, g, b in PALETTE:
        out += bytes((r, g, b))
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"  # loop forever
    for t in range(FRAMES):
        px = frame(t)
        # Graphic control: dispose to background, colour 0 transparent.
        out += b"\x21\xF9\x04" + bytes((0x09,)) + struct.pack("<H", DELAY_CS) + b"\x00\x00"
        out += b"\x2C" + struct.pack("<HHHHB", 0, 0, W, H, 0)
        out.append(3)
        out += sub_blocks(lzw([c for row in px for c in row], 3))
    out += b"\x3B"
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "fountain.gif")
