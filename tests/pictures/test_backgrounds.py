"""Checks the sample wallpapers: exactly what tools/make-backgrounds draws,
small 8-bit bitmaps, and read alike by the desktops' own decoder.

Run from the repository root:
    python3 -m unittest discover -s tests/pictures -v
"""

import importlib.machinery
import importlib.util
import os
import struct
import subprocess
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
TOOL = os.path.join(ROOT, "tools", "make-backgrounds")
FOLDER = os.path.join(ROOT, "resources", "backgrounds")


def load_tool():
    loader = importlib.machinery.SourceFileLoader("make_backgrounds", TOOL)
    spec = importlib.util.spec_from_loader("make_backgrounds", loader)
    mod = importlib.util.module_from_spec(spec)
    loader.exec_module(mod)
    return mod


def samples():
    return sorted(os.listdir(FOLDER))


class BackgroundsTest(unittest.TestCase):
    def test_committed_files_match_a_fresh_run(self):
        with tempfile.TemporaryDirectory() as tmp:
            self.assertEqual(load_tool().main(["make-backgrounds", tmp]), 0)
            self.assertEqual(sorted(os.listdir(tmp)), samples())
            for name in samples():
                with open(os.path.join(tmp, name), "rb") as fresh, \
                        open(os.path.join(FOLDER, name), "rb") as committed:
                    self.assertEqual(fresh.read(), committed.read(),
                                     name + " is stale: rerun the tool")

    def test_five_to_eight_full_hd_8_bit_bitmaps_in_three_mib(self):
        names = samples()
        self.assertTrue(5 <= len(names) <= 8, names)
        total = 0
        for name in names:
            with open(os.path.join(FOLDER, name), "rb") as f:
                data = f.read()
            total += len(data)
            magic, size = struct.unpack_from("<2sI", data, 0)
            width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
            self.assertEqual((magic, size), (b"BM", len(data)), name)
            self.assertEqual((width, height, bits), (1920, 1080, 8), name)
            self.assertIn(compression, (0, 1), name)   # BI_RGB or BI_RLE8
        self.assertLessEqual(total, 3 * 1024 * 1024)

    def test_gdk_pixbuf_reads_each_as_imagemagick_does(self):
        # GNOME, Cinnamon, MATE, XFCE, LXDE and swaybg all load the
        # wallpaper with gdk-pixbuf; ImageMagick is a decoder of its own.
        # Both pictures of a pair must have the same pixel signature.
        with tempfile.TemporaryDirectory() as tmp:
            pairs = []
            for name in samples():
                decoded = os.path.join(tmp, name + ".png")
                subprocess.run(["gdk-pixbuf-thumbnailer", "-s", "1920",
                                os.path.join(FOLDER, name), decoded], check=True)
                pairs += [os.path.join(FOLDER, name), decoded]
            signatures = subprocess.run(
                ["convert", *pairs, "-alpha", "off", "-format", "%#\\n", "info:"],
                check=True, capture_output=True, text=True).stdout.split()
        self.assertEqual(len(signatures), len(pairs))
        for i, name in enumerate(samples()):
            self.assertEqual(signatures[2 * i], signatures[2 * i + 1], name)

if __name__ == "__main__":
    unittest.main()
