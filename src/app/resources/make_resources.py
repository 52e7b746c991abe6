#!/usr/bin/env python3
"""Writes the pictures of our own making: the About box's animation, about.gif (a sheet passes under a
scanning light and its copy fills in line by line beside it), and the 24 x 24 icons of the scanner and
of the three zoom buttons (icons/scanner.png, zoom-in.png, zoom-out.png, zoom-original.png). Plain Python, no imaging library: the GIF and PNG encoders are below.

Usage: make_resources.py [folder]   (default: the folder of this script)
"""
import os
import struct
import sys
import zlib

W, H = 64, 64
PALETTE = [
    (146, 201, 201),  # 0 background, the panel's colour
    (255, 255, 255),  # 1 paper
    (48, 48, 48),     # 2 printed lines
    (96, 128, 128),   # 3 sheet outline
    (40, 200, 60),    # 4 scanning light
    (170, 255, 180),  # 5 light's glow
    (110, 160, 160),  # 6 sheet shadow
    (200, 40, 40),    # 7 copier lamp
]
LINES = [(15, 14), (19, 17), (23, 12), (27, 16), (31, 9), (35, 15), (39, 17), (43, 11), (47, 13)]
TOP, BOTTOM = 10, 53
ORIGINAL_X, COPY_X, SHEET_W = 6, 36, 22
SCAN_FRAMES = 14


def sheet(img, x0, lines_below):
    for y in range(TOP + 1, BOTTOM + 2):
        img[y][x0 + SHEET_W] = 6
    for x in range(x0 + 1, x0 + SHEET_W + 1):
        img[BOTTOM + 1][x] = 6
    for y in range(TOP, BOTTOM + 1):
        for x in range(x0, x0 + SHEET_W):
            edge = y in (TOP, BOTTOM) or x in (x0, x0 + SHEET_W - 1)
            img[y][x] = 3 if edge else 1
    for y, length in LINES:
        if y < lines_below:
            for x in range(x0 + 3, x0 + 3 + length):
                img[y][x] = 2


def frame(bar_y):
    img = [[0] * W for _ in range(H)]
    sheet(img, ORIGINAL_X, BOTTOM + 1)
    sheet(img, COPY_X, bar_y if bar_y is not None else BOTTOM + 1)
    if bar_y is not None:
        for x in range(ORIGINAL_X - 2, ORIGINAL_X + SHEET_W + 2):
            img[bar_y][x] = 4
            for y in (bar_y - 1, bar_y + 1):
                if TOP <= y <= BOTTOM and img[y][x] != 2:
                    img[y][x] = 5
    lamp = 7 if bar_y is not None else 4
    for y in range(4, 7):
        for x in range(29, 35):
            img[y][x] = lamp
    return [p for row in img for p in row]


def lzw(indices, min_code_size):
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, bit_buffer, bit_count = bytearray(), 0, 0

    def emit(code, size):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += size
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    def reset():
        return {(i,): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, size = reset()
    emit(clear, size)
    w = ()
    for k in indices:
        wk = w + (k,)
        if wk in table:
            w = wk
            continue
        emit(table[w], size)
        if next_code < 4096:
            table[wk] = next_code
            next_code += 1
            # The reader adds its entries one code later, so the width grows once the code past the
            # current width has been given out.
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear, size)
            table, next_code, size = reset()
        w = (k,)
    if w:
        emit(table[w], size)
    emit(end, size)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def gif(frames):
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", W, H, 0xF2, 0, 0)  # global table of 8 colours
    for r, g, b in PALETTE:
        out += bytes((r, g, b))
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"  # loop for ever
    for pixels, delay in frames:
        out += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, 0x04, delay, 0, 0)  # keep the frame, no transparency
        out += struct.pack("<BHHHHB", 0x2C, 0, 0, W, H, 0)
        out.append(3)
        out += sub_blocks(lzw(pixels, 3))
    out.append(0x3B)
    return bytes(out)


def rounded_rect(x, y, x0, y0, x1, y1, r):
    if not (x0 <= x < x1 and y0 <= y < y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def scanner_pixel(x, y):
    """Colour (r, g, b, a) of the 96 x 96 drawing at (x, y): a flatbed with a sheet coming out."""
    if 26 <= x < 70 and 6 <= y < 46:  # the sheet
        if x in (26, 27, 68, 69) or y in (6, 7):
            return (110, 110, 110, 255)
        if 33 <= y < 40 and (y - 12) % 8 < 3 and 32 <= x < 32 + (18, 28, 22)[(y - 12) // 8 % 3]:
            return (60, 60, 60, 255)
        if 14 <= y < 40 and (y - 12) % 8 < 3 and 32 <= x < 32 + (30, 24, 28)[(y - 12) // 8 % 3]:
            return (60, 60, 60, 255)
        return (255, 255, 255, 255)
    if rounded_rect(x, y, 4, 38, 92, 88, 8):
        inner = rounded_rect(x, y, 8, 42, 88, 84, 5)
        if not inner:
            return (70, 70, 78, 255)
        if 52 <= y < 58 and 10 <= x < 86:
            return (40, 200, 60, 255)  # scanning light
        if 70 <= y < 76:
            return (235, 60, 40, 255) if 74 <= x < 82 else (110, 110, 118, 255)
        return (205, 208, 212, 255) if y < 52 else (178, 182, 188, 255)
    return (0, 0, 0, 0)


def magnifier_pixel(symbol):
    """A magnifying glass of the 96 x 96 drawing, with "+", "-" or "1" on its lens."""
    cx, cy, r_out, r_in = 38, 38, 32, 24

    def pixel(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        # the handle, a thick stroke from the ring towards the bottom-right corner
        t = ((x - 60) + (y - 60)) / 2
        across = abs((x - 60) - (y - 60)) / 1.4142
        if 0 <= t <= 28 and across <= 7 and d2 > r_in * r_in:
            return (90, 60, 30, 255)
        if d2 <= r_in * r_in:
            if symbol in "+-" and abs(y - cy) <= 4 and abs(x - cx) <= 15:
                return (30, 30, 30, 255)
            if symbol == "+" and abs(x - cx) <= 4 and abs(y - cy) <= 15:
                return (30, 30, 30, 255)
            if symbol == "1" and ((abs(x - (cx + 2)) <= 4 and abs(y - cy) <= 16)
                                  or (cy - 16 <= y <= cy - 8 and cx - 8 <= x <= cx + 2 and y - (cy - 16) >= (cx + 2 - x) * 0.6)
                                  or (cy + 12 <= y <= cy + 16 and abs(x - (cx + 2)) <= 10)):
                return (30, 30, 30, 255)
            return (215, 235, 250, 255)
        if d2 <= r_out * r_out:
            return (70, 70, 78, 255)
        return (0, 0, 0, 0)
    return pixel


def png(width, height, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon(pixel_of, size=24, scale=4):
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            samples = [pixel_of(x * scale + i, y * scale + j) for j in range(scale) for i in range(scale)]
            alpha = sum(s[3] for s in samples)
            if alpha == 0:
                row.append((0, 0, 0, 0))
                continue
            # Average colours weighted by coverage, so edges blend without a dark fringe.
            rgb = tuple(round(sum(s[k] * s[3] for s in samples) / alpha) for k in range(3))
            row.append(rgb + (round(alpha / len(samples)),))
        rows.append(row)
    return png(size, size, rows)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    frames = []
    for k in range(SCAN_FRAMES):
        bar_y = TOP + 1 + round(k * (BOTTOM - TOP - 2) / (SCAN_FRAMES - 1))
        frames.append((frame(bar_y), 10))
    frames.append((frame(None), 120))
    with open(os.path.join(folder, "about.gif"), "wb") as f:
        f.write(gif(frames))
    os.makedirs(os.path.join(folder, "icons"), exist_ok=True)
    for name, pixel_of in (("scanner", scanner_pixel), ("zoom-in", magnifier_pixel("+")),
                           ("zoom-out", magnifier_pixel("-")), ("zoom-original", magnifier_pixel("1"))):
        with open(os.path.join(folder, "icons", name + ".png"), "wb") as f:
            f.write(icon(pixel_of))


if __name__ == "__main__":
    main()
