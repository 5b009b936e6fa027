#!/usr/bin/env python3
"""Writes two sample pictures into a folder: stars.fits, a 640 x 480 16-bit
star field stored as cameras store unsigned samples (BZERO 32768), and
picture.bmp, a 320 x 240 24-bit colour bitmap.  Plain Python, no packages.
Usage: make_samples.py FOLDER"""
import math, random, struct, sys
out = sys.argv[1]
w, h = 640, 480
random.seed(7)
stars = [(random.uniform(20, w - 20), random.uniform(20, h - 20), random.uniform(2000, 30000), random.uniform(1.2, 3.0)) for _ in range(60)]
stars.append((320.0, 240.0, 40000.0, 2.5))
rows = []
for y in range(h):
    row = []
    for x in range(w):
        v = 1000 + random.randint(0, 60)
        for sx, sy, a, s in stars:
            d2 = (x - sx) ** 2 + (y - sy) ** 2
            if d2 < 150:
                v += a * math.exp(-d2 / (2 * s * s))
        row.append(min(int(v), 65535))
    rows.append(row)
cards = ["SIMPLE  =                    T", "BITPIX  =                   16", "NAXIS   =                    2",
         "NAXIS1  = %20d" % w, "NAXIS2  = %20d" % h, "BZERO   =                32768", "BSCALE  =                    1",
         "OBJECT  = 'star field'", "END"]
head = "".join(c.ljust(80) for c in cards)
head = head.ljust(2880)
data = bytearray()
for row in rows:
    for v in row:
        data += struct.pack(">h", v - 32768)
data += bytes((-len(data)) % 2880)
open(out + "/stars.fits", "wb").write(head.encode() + data)
# A 24-bit bitmap: a colour gradient with a few discs.
bw, bh = 320, 240
pad = (4 - (bw * 3) % 4) % 4
pix = bytearray()
for y in range(bh - 1, -1, -1):
    for x in range(bw):
        r = int(255 * x / bw); g = int(255 * y / bh); b = 128
        if (x - 160) ** 2 + (y - 120) ** 2 < 900:
            r, g, b = 255, 255, 255
        pix += bytes((b, g, r))
    pix += bytes(pad)
hdr = struct.pack("<2sIHHI", b"BM", 54 + len(pix), 0, 0, 54) + struct.pack("<IiiHHIIiiII", 40, bw, bh, 1, 24, 0, len(pix), 2835, 2835, 0, 0)
open(out + "/picture.bmp", "wb").write(hdr + pix)
