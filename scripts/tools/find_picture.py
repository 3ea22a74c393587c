#!/usr/bin/env python3
"""Finds one picture inside another, pixel for pixel:

    find_picture.py PART.png WHOLE.png

prints "x y", the place of PART's top left corner in WHOLE, and exits 0, or
exits 1 when PART is nowhere in WHOLE. Only colour is compared (alpha is
dropped). Reads 8-bit RGB and RGBA PNG files that are not interlaced, as
Qt and weston write them; needs nothing beyond Python's own library.
"""

import struct
import sys
import zlib


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG file")
    pos, idat, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError(f"{path}: only 8-bit RGB or RGBA without interlacing")
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(idat))
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        unfilter(kind, line, previous, channels)
        rows.append(bytes(line) if channels == 3 else drop_alpha(line))
        previous = line
    return width, height, rows


def unfilter(kind, line, previous, bpp):
    for i in range(len(line)):
        left = line[i - bpp] if i >= bpp else 0
        up = previous[i]
        corner = previous[i - bpp] if i >= bpp else 0
        if kind == 1:
            line[i] = (line[i] + left) & 0xFF
        elif kind == 2:
            line[i] = (line[i] + up) & 0xFF
        elif kind == 3:
            line[i] = (line[i] + (left + up) // 2) & 0xFF
        elif kind == 4:
            p = left + up - corner
            pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
            pred = left if pa <= pb and pa <= pc else up if pb <= pc else corner
            line[i] = (line[i] + pred) & 0xFF


def drop_alpha(line):
    out = bytearray(len(line) // 4 * 3)
    out[0::3], out[1::3], out[2::3] = line[0::4], line[1::4], line[2::4]
    return bytes(out)


def find(part, whole):
    pw, ph, prows = part
    ww, wh, wrows = whole
    # The part's busiest row narrows the search down to a few places.
    key_y = max(range(ph), key=lambda y: len(set(prows[y][i:i + 3] for i in range(0, pw * 3, 3))))
    key = prows[key_y]
    for y in range(key_y, wh - ph + key_y + 1):
        at = wrows[y].find(key)
        while at >= 0:
            if at % 3 == 0:
                x, top = at // 3, y - key_y
                if all(wrows[top + j][at:at + pw * 3] == prows[j] for j in range(ph)):
                    return x, top
            at = wrows[y].find(key, at + 1)
    return None


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    found = find(read_png(sys.argv[1]), read_png(sys.argv[2]))
    if not found:
        sys.exit(1)
    print(*found)


if __name__ == "__main__":
    main()
