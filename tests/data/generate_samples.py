#!/usr/bin/env python3
"""Writes the sample animation and icon files of tests/data.

The samples are made here, independently of the library's writers, so the
tests check the readers against files laid out by hand. The name of each .gx
and .rgx file starts with the outcome its reader must report; the fuzz targets
use all of them as seeds. Run from anywhere; the files land next to this script.
"""

import math
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent


def icon(size, bits):
    """A single-image Windows icon: a filled disc on a transparent background."""
    colours = 1 << bits
    palette = b"".join(struct.pack("<BBBB", (i * 37) & 0xFF, (i * 91) & 0xFF, (i * 53) & 0xFF, 0)
                       for i in range(colours))
    row_xor = (size * bits + 31) // 32 * 4
    row_and = (size + 31) // 32 * 4
    xor = bytearray()
    mask = bytearray()
    centre = (size - 1) / 2
    for y in range(size):  # bottom-up rows
        pixels = []
        bits_and = []
        for x in range(size):
            inside = math.hypot(x - centre, y - centre) <= size / 2 - 1
            pixels.append((1 + (x + y) % (colours - 1)) if inside else 0)
            bits_and.append(0 if inside else 1)
        row = bytearray()
        if bits == 4:
            for i in range(0, size, 2):
                row.append(pixels[i] << 4 | pixels[i + 1])
        else:
            row.extend(pixels)
        xor += row.ljust(row_xor, b"\0")
        m = bytearray()
        for i in range(0, size, 8):
            byte = 0
            for b in bits_and[i:i + 8]:
                byte = byte << 1 | b
            m.append(byte)
        mask += m.ljust(row_and, b"\0")
    info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16 if bits == 4 else 0, 0, 1, bits, len(image), 22)
    return directory + entry + image


def gx(size, speed, count, title, frames, magic=b"GX2.0"):
    header = magic + f"{size:<5}".encode() + f"{speed:<2}".encode() + f"{count:<2}".encode()
    header += title.ljust(12, b" ")
    return header + b"".join(frames)


def rgx(values, end=b"\r\n"):
    lines = [b"Raw Glimmerbox File Format", b"Open Format for easy editing"] + values
    return b"".join(line + end for line in lines)


def write(name, data):
    path = HERE / name
    path.parent.mkdir(exist_ok=True)
    path.write_bytes(data)


def main():
    small = icon(16, 4)
    large = icon(32, 4)
    deep = icon(16, 8)
    assert (len(small), len(large), len(deep)) == (318, 766, 1406)
    write("ico/smile-16x16-16colour.ico", small)
    write("ico/disc-32x32-16colour.ico", large)
    write("ico/smile-16x16-256colour.ico", deep)
    write("ico/empty.ico", b"")

    example = gx(766, 1, 20, b"My Animation", [large] * 20)
    assert example[:26] == bytes.fromhex(
        "47 58 32 2E 30 37 36 36 20 20 31 20 32 30 4D 79 20 41 6E 69 6D 61 74 69 6F 6E")
    write("gx/complete-example-20x766.gx", example)
    write("gx/complete-3x318.gx", gx(318, 5, 3, b"Smiles", [small] * 3))
    write("gx/complete-speed10-50frames.gx", gx(318, 10, 50, b"Fifty", [small] * 50))
    write("gx/complete-size1000.gx", gx(1000, 2, 1, b"Big", [bytes(1000)]))
    write("gx/complete-zero-frames.gx", gx(318, 1, 0, b"Nothing", []))
    write("gx/complete-trailing-bytes.gx", gx(318, 4, 1, b"  Rain", [small]) + b"EXTRA")
    write("gx/complete-51-frames.gx", gx(4, 3, 51, b"Too many", [b"abcd"] * 51))
    write("gx/otherversion-gx10.gx", gx(318, 5, 1, b"Old", [small], magic=b"GX1.0"))
    write("gx/otherversion-lowercase.gx", gx(318, 5, 1, b"Lower", [small], magic=b"gx2.0"))
    write("gx/truncated-magic.gx", b"GX2")
    write("gx/truncated-header.gx", example[:20])
    write("gx/truncated-record.gx", example[:26 + 3 * 766 + 100])
    write("gx/badnumber-size.gx", b"GX2.0abc  1 1 Letters     " + small)
    write("gx/badnumber-speed.gx", b"GX2.0318  x 1 Letters     " + small)
    write("gx/badnumber-count.gx", b"GX2.0318  1   Blank       " + small)
    write("gx/badnumber-negative-size.gx", b"GX2.0-318 1 1 Negative    " + small)

    paths = [b"/usr/share/glimmerbox/frame%02d.ico" % i for i in range(1, 21)]
    write("rgx/ok-editor.rgx", rgx([b"My Animation", b"1", b"20", b"766"] + paths))
    write("rgx/ok-one-icon-of-20.rgx", rgx([b"My Animation", b"1", b"20", b"318", paths[0]] + [b""] * 19))
    write("rgx/ok-quoted-commas.rgx", rgx([b'"Clouds, rain"', b"3", b"2", b"318",
                                           b'"/home/ann/a,b/x.ico"', b'" /lead.ico"']))
    write("rgx/ok-lf-only.rgx", rgx([b"Fish", b"4", b"2", b"766"] + paths[:2], b"\n"))
    write("rgx/ok-cr-only.rgx", rgx([b"Fish", b"4", b"2", b"766"] + paths[:2], b"\r"))
    write("rgx/ok-headers-replaced.rgx", b"something\r\nelse\r\nFish\r\n4\r\n1\r\n766\r\n/a.ico\r\n")
    write("rgx/ok-windows-1252-title.rgx", rgx([b"Caf\xe9 \x80", b"2", b"1", b"318", b"C:\\Icons\\a.ico"]))
    write("rgx/badnumber-comma-in-title.rgx", rgx([b"Clouds, rain", b"3", b"1", b"318", paths[0]]))
    write("rgx/badnumber-icon-size.rgx", rgx([b"Fish", b"4", b"1", b"big", paths[0]]))
    write("rgx/truncated-too-few-paths.rgx", rgx([b"Fish", b"4", b"5", b"318"] + paths[:3]))
    write("rgx/truncated-header-only.rgx", rgx([b"Fish", b"4", b"5", b"318"]))
    write("rgx/truncated-open-quote.rgx", rgx([b"Fish", b"4", b"1", b"318", b'"/never/closed.ico']))
    write("rgx/toomanyframes-51.rgx", rgx([b"Fish", b"4", b"51", b"318"] + paths * 3))


if __name__ == "__main__":
    main()
