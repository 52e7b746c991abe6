#!/usr/bin/env python3
"""Writes the seed corpora of the picture fuzzers: small BMP, packed DIB, JPEG, ICO and GIF files in the
flavours the readers know. JPEG seeds are made with cjpeg (libjpeg-turbo-progs). Run from this folder."""
import os
import struct
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

PICTURE = [[(255, 0, 0), (0, 255, 0), (0, 0, 255)], [(255, 255, 255), (0, 0, 0), (255, 255, 0)]]
PALETTE = [(0, 0, 0), (255, 255, 255), (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0)]


def scale(v, mask):
    if not mask:
        return 0
    shift = (mask & -mask).bit_length() - 1
    top = mask >> shift
    return ((v * top + 127) // 255) << shift


def rows(bits, masks, top_down=False, picture=PICTURE):
    width = len(picture[0])
    stride = ((width * bits + 31) // 32) * 4
    out = b""
    order = picture if top_down else list(reversed(picture))
    for row in order:
        line = bytearray(stride)
        for x, c in enumerate(row):
            if bits <= 8:
                i = PALETTE.index(c)
                if bits == 1:
                    i = 1 if c == (255, 255, 255) else 0
                    line[x // 8] |= i << (7 - x % 8)
                elif bits == 4:
                    line[x // 2] |= i << (0 if x % 2 else 4)
                else:
                    line[x] = i
            elif bits == 24:
                line[3 * x:3 * x + 3] = bytes((c[2], c[1], c[0]))
            else:
                w = scale(c[0], masks[0]) | scale(c[1], masks[1]) | scale(c[2], masks[2])
                line[x * bits // 8:(x + 1) * bits // 8] = w.to_bytes(bits // 8, "little")
        out += bytes(line)
    return out


def info(header, bits, compression, masks, height, width=3, clr_used=0, size_image=0):
    if header == 12:
        return struct.pack("<IHHHH", 12, width, height, 1, bits)
    h = struct.pack("<IiiHHIIiiII", header, width, height, 1, bits, compression, size_image, 2835, 2835,
                    clr_used, 0)
    if header >= 52:
        h += struct.pack("<III", *masks)
    h = h.ljust(header, b"\0")
    if header == 40 and compression == 3:
        h += struct.pack("<III", *masks)
    return h


def table(bits, core):
    if bits > 8:
        return b""
    n = 2 if bits == 1 else (1 << bits)
    entries = (PALETTE if bits > 1 else [(0, 0, 0), (255, 255, 255)]) + [(0, 0, 0)] * n
    return b"".join(bytes((c[2], c[1], c[0])) + (b"" if core else b"\0") for c in entries[:n])


def write(folder, name, data):
    path = os.path.join(HERE, "corpus", folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as f:
        f.write(data)


FLAVOURS = [
    ("core1", 12, 1, 0, (0, 0, 0), False), ("core8", 12, 8, 0, (0, 0, 0), False),
    ("core24", 12, 24, 0, (0, 0, 0), False), ("info1", 40, 1, 0, (0, 0, 0), False),
    ("info4", 40, 4, 0, (0, 0, 0), False), ("info8", 40, 8, 0, (0, 0, 0), False),
    ("info16", 40, 16, 0, (0, 0, 0), False), ("info16_565", 40, 16, 3, (0xF800, 0x7E0, 0x1F), False),
    ("info24", 40, 24, 0, (0, 0, 0), False), ("info24_topdown", 40, 24, 0, (0, 0, 0), True),
    ("info32", 40, 32, 0, (0, 0, 0), False), ("info32_fields", 40, 32, 3, (0xFF, 0xFF00, 0xFF0000), False),
    ("v2_565", 52, 16, 3, (0xF800, 0x7E0, 0x1F), False), ("v3_32", 56, 32, 3, (0xFF0000, 0xFF00, 0xFF), False),
    ("v4_555", 108, 16, 3, (0x7C00, 0x3E0, 0x1F), False), ("v5_10bit", 124, 32, 3, (0x3FF00000, 0xFFC00, 0x3FF), False),
]


def bmp_and_dib():
    for name, header, bits, compression, masks, top_down in FLAVOURS:
        px = rows(bits, masks, top_down)
        front = info(header, bits, compression, masks, -2 if top_down else 2) + table(bits, header == 12)
        write("fuzz_dib", name, front + px)
        file = b"BM" + struct.pack("<IHHI", 14 + len(front) + len(px), 0, 0, 14 + len(front)) + front + px
        write("fuzz_bmp", name, file)
    pal = b"".join(bytes((c[2], c[1], c[0], 0)) for c in PALETTE[:4])
    for name, bits, data in [("rle8", 8, bytes([3, 2, 0, 0, 0, 3, 1, 2, 3, 0, 1, 1, 0, 0, 0, 2, 1, 0, 2, 3, 0, 1])),
                             ("rle4", 4, bytes([5, 0x12, 0, 0, 0, 3, 0x23, 0x10, 2, 0x33, 0, 1]))]:
        front = info(40, bits, 1 if bits == 8 else 2, (0, 0, 0), 3, width=5, clr_used=4, size_image=len(data)) + pal
        write("fuzz_dib", name, front + data)
        write("fuzz_bmp", name, b"BM" + struct.pack("<IHHI", 14 + len(front) + len(data), 0, 0, 14 + len(front))
              + front + data)


def lzw(indexes, min_code):
    clear, eoi = 1 << min_code, (1 << min_code) + 1
    out, acc, count = bytearray(), 0, 0
    state = {"size": min_code + 1, "dec": eoi + 1, "first": True}

    def emit(code):
        nonlocal acc, count
        acc |= code << count
        count += state["size"]
        while count >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            count -= 8
        if code == clear:
            state.update(size=min_code + 1, dec=eoi + 1, first=True)
        elif code != eoi:
            if not state["first"]:
                state["dec"] += 1
            state["first"] = False
            if state["dec"] == (1 << state["size"]) and state["size"] < 12:
                state["size"] += 1

    table, nxt = {}, eoi + 1
    emit(clear)
    w = indexes[0]
    for k in indexes[1:]:
        if (w, k) in table:
            w = table[(w, k)]
            continue
        emit(w)
        if nxt < 4096:
            table[(w, k)] = nxt
            nxt += 1
        w = k
    emit(w)
    emit(eoi)
    if count:
        out.append(acc & 0xFF)
    return bytes(out)


def blocks(data):
    out = b""
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out += bytes([len(chunk)]) + chunk
    return out + b"\0"


def gifs():
    gct = bytes([0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255])
    pixels = [(x * 7 + y) % 4 for y in range(8) for x in range(8)]
    frame = b"\x2c" + struct.pack("<HHHHB", 0, 0, 8, 8, 0) + b"\x02" + blocks(lzw(pixels, 2))
    write("fuzz_gif", "plain", b"GIF89a" + struct.pack("<HHBBB", 8, 8, 0x81, 0, 0) + gct + frame + b"\x3b")
    interlaced = b"\x2c" + struct.pack("<HHHHB", 1, 1, 6, 6, 0x40) + b"\x02" + blocks(lzw(pixels[:36], 2))
    gce = b"\x21\xf9\x04\x01\x00\x00\x02\x00"
    comment = b"\x21\xfe" + blocks(b"seed")
    write("fuzz_gif", "interlaced_transparent_two_frames",
          b"GIF89a" + struct.pack("<HHBBB", 8, 8, 0x81, 0, 0) + gct + comment + gce + interlaced + frame + b"\x3b")
    local = b"\x2c" + struct.pack("<HHHHB", 0, 0, 4, 2, 0x80) + gct + b"\x02" + blocks(lzw(pixels[:8], 2))
    write("fuzz_gif", "local_table_87a", b"GIF87a" + struct.pack("<HHBBB", 4, 2, 0, 0, 0) + local + b"\x3b")
    big = [(i // 3) % 256 for i in range(600)]
    wide = b"\x2c" + struct.pack("<HHHHB", 0, 0, 60, 10, 0) + b"\x08" + blocks(lzw(big, 8))
    write("fuzz_gif", "eight_bit_codes", b"GIF89a" + struct.pack("<HHBBB", 60, 10, 0, 0, 0) + wide + b"\x3b")


def icons():
    def entry(size, bits, alpha=False):
        picture = [[PALETTE[(x + y) % 6] for x in range(size)] for y in range(size)]
        px = bytearray(rows(bits, (0xFF0000, 0xFF00, 0xFF), picture=picture))
        if alpha:
            for i in range(3, len(px), 4):
                px[i] = (i * 37) % 256
        mask_stride = ((size + 31) // 32) * 4
        mask = bytes([0x80] + [0] * (mask_stride - 1)) * size
        return info(40, bits, 0, (0, 0, 0), 2 * size, width=size) + table(bits, False) + bytes(px) + mask

    def ico(entries):
        head = struct.pack("<HHH", 0, 1, len(entries))
        offset = 6 + 16 * len(entries)
        directory, body = b"", b""
        for size, data in entries:
            directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
            offset += len(data)
            body += data
        return head + directory + body

    write("fuzz_ico", "three_sizes", ico([(16, entry(16, 4)), (32, entry(32, 8)), (8, entry(8, 24))]))
    write("fuzz_ico", "alpha", ico([(4, entry(4, 32, alpha=True))]))
    write("fuzz_ico", "png_and_bmp", ico([(16, b"\x89PNG\r\n\x1a\n\0\0\0\rIHDR"), (2, entry(2, 1))]))


def jpegs():
    with tempfile.TemporaryDirectory() as tmp:
        ppm = os.path.join(tmp, "in.ppm")
        pgm = os.path.join(tmp, "in.pgm")
        w, h = 24, 16
        with open(ppm, "wb") as f:
            f.write(b"P6 %d %d 255\n" % (w, h))
            f.write(bytes(v for y in range(h) for x in range(w) for v in (x * 10, y * 15, 128)))
        with open(pgm, "wb") as f:
            f.write(b"P5 %d %d 255\n" % (w, h))
            f.write(bytes((x * 10 + y) % 256 for y in range(h) for x in range(w)))
        for name, src, args in [("baseline", ppm, ["-quality", "90"]),
                                ("progressive", ppm, ["-progressive"]),
                                ("grey", pgm, ["-grayscale"]),
                                ("restart", ppm, ["-restart", "1", "-sample", "1x1"]),
                                ("arithmetic", ppm, ["-arithmetic"])]:
            data = subprocess.run(["cjpeg", *args, src], check=True, capture_output=True).stdout
            write("fuzz_jpeg", name, data)


if __name__ == "__main__":
    bmp_and_dib()
    gifs()
    icons()
    jpegs()
