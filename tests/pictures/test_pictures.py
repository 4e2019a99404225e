"""Checks that the committed pictures are exactly what tools/make-pictures
draws, and that they have the formats the Win32 and Qt builds load.

Run from the repository root:
    python3 -m unittest discover -s tests/pictures -v
"""

import importlib.machinery
import importlib.util
import os
import struct
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
TOOL = os.path.join(ROOT, "tools", "make-pictures")
RES = os.path.join(ROOT, "resources")
NAMES = ["plimex.ico", "imagelist1.bmp", "about1.bmp",
         "about2.bmp"] + ["hicolor/%dx%d/apps/plimex.png" % (n, n)
                          for n in (16, 22, 24, 32, 48, 64, 128, 256)]


def load_tool():
    loader = importlib.machinery.SourceFileLoader("make_pictures", TOOL)
    spec = importlib.util.spec_from_loader("make_pictures", loader)
    mod = importlib.util.module_from_spec(spec)
    loader.exec_module(mod)
    return mod


def read(name):
    with open(os.path.join(RES, name), "rb") as f:
        return f.read()


def bmp_pixels(data):
    """Decode a 24-bit bottom-up BMP into rows of (r, g, b), top row first,
    checking the header fields the loaders depend on."""
    magic, size, _, _, off = struct.unpack_from("<2sIHHI", data, 0)
    hsize, w, h, planes, bpp, comp = struct.unpack_from("<IiiHHI", data, 14)
    assert magic == b"BM" and size == len(data) and off == 54
    assert hsize == 40 and planes == 1 and bpp == 24 and comp == 0
    assert h > 0, "rows must be stored bottom-up"
    stride = (w * 3 + 3) & ~3
    assert len(data) == 54 + stride * h
    rows = []
    for y in range(h - 1, -1, -1):
        base = off + y * stride
        rows.append([tuple(data[base + 3 * x + 2 - i] for i in range(3))
                     for x in range(w)])
    return w, h, rows


class PicturesTest(unittest.TestCase):
    def test_committed_files_match_a_fresh_run(self):
        tool = load_tool()
        with tempfile.TemporaryDirectory() as tmp:
            self.assertEqual(tool.main(["make-pictures", tmp]), 0)
            written = [os.path.relpath(os.path.join(folder, name), tmp)
                       for folder, _, names in os.walk(tmp) for name in names]
            self.assertEqual(sorted(written), sorted(NAMES))
            for name in NAMES:
                with open(os.path.join(tmp, name), "rb") as f:
                    self.assertEqual(f.read(), read(name),
                                     name + " is stale: rerun the tool")

    def test_bitmap_sizes(self):
        for name, size in (("imagelist1.bmp", (33, 33)),
                           ("about1.bmp", (142, 150)),
                           ("about2.bmp", (142, 150))):
            w, h, _ = bmp_pixels(read(name))
            self.assertEqual((w, h), size, name)

    def test_off_icon_bitmap_is_keyed_on_magenta(self):
        _, _, rows = bmp_pixels(read("imagelist1.bmp"))
        self.assertEqual(rows[0][0], (255, 0, 255))
        self.assertEqual(rows[32][0], (255, 0, 255))
        # inside the frame nothing may be the transparent colour
        inside = [rows[y][x] for y in range(4, 29) for x in range(1, 32)]
        self.assertNotIn((255, 0, 255), inside)

    def test_about_pictures_differ_and_are_opaque(self):
        _, _, a = bmp_pixels(read("about1.bmp"))
        _, _, b = bmp_pixels(read("about2.bmp"))
        self.assertNotEqual(a, b)
        for rows in (a, b):
            self.assertNotIn((255, 0, 255), [p for r in rows for p in r])

    def test_icon_has_two_16_colour_images_with_masks(self):
        data = read("plimex.ico")
        reserved, kind, count = struct.unpack_from("<HHH", data, 0)
        self.assertEqual((reserved, kind, count), (0, 1, 2))
        tool = load_tool()
        palette = b"".join(struct.pack("<BBBB", b, g, r, 0)
                           for r, g, b in tool.PALETTE16)
        seen = []
        for i in range(count):
            w, h, colours, _, planes, bpp, size, off = struct.unpack_from(
                "<BBBBHHII", data, 6 + 16 * i)
            self.assertEqual((colours, planes, bpp), (16, 1, 4))
            hdr = struct.unpack_from("<IiiHHI", data, off)
            self.assertEqual(hdr, (40, w, 2 * h, 1, 4, 0))
            self.assertEqual(data[off + 40:off + 104], palette)
            xor_stride = ((w * 4 + 31) // 32) * 4
            and_stride = ((w + 31) // 32) * 4
            self.assertEqual(size, 104 + (xor_stride + and_stride) * h)
            self.assertLessEqual(off + size, len(data))
            # AND mask: the top-left corner is transparent, the middle is not
            mask = data[off + 104 + xor_stride * h:off + size]
            top_row = mask[(h - 1) * and_stride:]
            mid_row = mask[(h // 2) * and_stride:]
            self.assertTrue(top_row[0] & 0x80)
            self.assertFalse(mid_row[(w // 2) // 8] & (0x80 >> (w // 2 % 8)))
            seen.append((w, h))
        self.assertEqual(seen, [(32, 32), (16, 16)])


if __name__ == "__main__":
    unittest.main()
