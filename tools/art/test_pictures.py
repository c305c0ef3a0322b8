#!/usr/bin/python3
"""Checks the drawn files the way the resource compiler and the program see them.

    /usr/bin/python3 tools/art/test_pictures.py
"""

import filecmp
import os
import struct
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, HERE)

import bmpfile  # noqa: E402
import canvas  # noqa: E402
import layout  # noqa: E402
import resource_ids as ids  # noqa: E402

SCRIPT = os.path.join(HERE, "draw_pictures.py")
PYTHON = "/usr/bin/python3"

# The buttons' pictures, four looks stacked.
BUTTON_STRIPS = (ids.IDB_START_BUTTON, ids.IDB_SAVE_BUTTON, ids.IDB_DETAILS_BUTTON, ids.IDB_DETAIL_CLOSE_BUTTON,
                 ids.IDB_DETAIL_SAVE_BUTTON, ids.IDB_EXIT_BUTTON, ids.IDB_SOLUTION_BUTTON, ids.IDB_USB_TYPE_BUTTON,
                 ids.IDB_PCI_TYPE_BUTTON)


def _Draw(outDir):
    subprocess.run([PYTHON, SCRIPT, outDir], check=True)


def _ReadBmp(path):
    with open(path, "rb") as f:
        data = f.read()
    file = struct.unpack_from("<2sIHHI", data, 0)
    info = struct.unpack_from("<IiiHHIIiiII", data, 14)
    table = data[54:54 + 1024]
    width, height = info[1], info[2]
    stride = (width + 3) // 4 * 4
    rows = [data[file[4] + (height - 1 - y) * stride:file[4] + (height - 1 - y) * stride + stride]
            for y in range(height)]
    return data, file, info, table, rows


class DrawnFilesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.first = os.path.join(cls.tmp.name, "a")
        cls.second = os.path.join(cls.tmp.name, "b")
        _Draw(cls.first)
        _Draw(cls.second)
        cls.bmps = {i: _ReadBmp(os.path.join(cls.first, "%d.bmp" % i)) for i in layout.SIZES}

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def Index(self, pictureId, x, y):
        return self.bmps[pictureId][4][y][x]

    def testHeadersAreExactEightBitBottomUp(self):
        for pictureId, (width, height) in sorted(layout.SIZES.items()):
            with self.subTest(picture=pictureId):
                data, file, info, _, rows = self.bmps[pictureId]
                stride = (width + 3) // 4 * 4
                self.assertEqual(file, (b"BM", len(data), 0, 0, 14 + 40 + 1024))
                self.assertEqual(info, (40, width, height, 1, 8, 0, stride * height, 2835, 2835, 0, 0))
                self.assertEqual(len(data), 14 + 40 + 1024 + stride * height)
                self.assertTrue(all(row[width:] == bytes(stride - width) for row in rows))

    def testEveryPictureCarriesTheStartPagePalette(self):
        startTable = self.bmps[ids.IDB_START_PAGE][3]
        self.assertEqual(len(startTable), 1024)
        self.assertTrue(all(startTable[i + 3] == 0 for i in range(0, 1024, 4)))
        for pictureId in sorted(layout.SIZES):
            with self.subTest(picture=pictureId):
                self.assertEqual(self.bmps[pictureId][3], startTable)

    def testRunsAreByteIdentical(self):
        names = sorted(os.listdir(self.first))
        self.assertEqual(names, sorted(os.listdir(self.second)))
        self.assertEqual(len(names), len(layout.SIZES) + 1)
        for name in names:
            with self.subTest(file=name):
                self.assertTrue(filecmp.cmp(os.path.join(self.first, name), os.path.join(self.second, name),
                                            shallow=False))

    def testAreasUnderControlsAndTextsArePlain(self):
        for pictureId, boxes in sorted(layout.PLAIN_AREAS.items()):
            for box in boxes:
                with self.subTest(picture=pictureId, box=box):
                    rows = self.bmps[pictureId][4][box[1]:box[3]]
                    colours = set()
                    for row in rows:
                        colours.update(row[box[0]:box[2]])
                    self.assertEqual(len(colours), 1)

    def testPlacedPicturesBlendIntoTheirBackground(self):
        # The outermost corner pixel of a control shows the background colour there.
        for pictureId, (backgroundId, (x, y)) in sorted(layout.PLACED_ON.items()):
            width, height = layout.SIZES[pictureId]
            frames = 4 if pictureId in BUTTON_STRIPS else 1
            frameHeight = height // frames
            for frame in range(frames):
                with self.subTest(picture=pictureId, frame=frame):
                    top = frame * frameHeight
                    self.assertEqual(self.Index(pictureId, 0, top), self.Index(backgroundId, x, y))
                    self.assertEqual(self.Index(pictureId, width - 1, top + frameHeight - 1),
                                     self.Index(backgroundId, x + width - 1, y + frameHeight - 1))

    def testExitButtonSitsOnTheSameColourOnBothPages(self):
        x, y = layout.EXIT_BUTTON[:2]
        self.assertEqual(self.Index(ids.IDB_START_PAGE, x, y), self.Index(ids.IDB_RESULT_PAGE, x, y))

    def testBoxTitleBandsEndAboveTheirContent(self):
        cases = ((layout.OS_BOX, 200), (layout.MEMORY_BOX, 200), (layout.GRAPHICS_BOX, 300), (layout.OTHER_BOX, 300))
        for box, limit in cases:
            with self.subTest(box=box):
                plain = self.Index(ids.IDB_RESULT_PAGE, box[0] + 60, box[3] - 4)
                x = box[2] - 30  # right of every title text
                self.assertNotEqual(self.Index(ids.IDB_RESULT_PAGE, x, box[1] + 3), plain)
                banded = [y for y in range(box[1] + 1, box[3] - 1) if self.Index(ids.IDB_RESULT_PAGE, x, y) != plain]
                self.assertLess(max(banded), limit)

    def testIconHoldsThreeBgraImagesWithMasks(self):
        with open(os.path.join(self.first, "program.ico"), "rb") as f:
            data = f.read()
        self.assertEqual(struct.unpack_from("<HHH", data, 0), (0, 1, 3))
        for n, size in enumerate((16, 32, 48)):
            with self.subTest(size=size):
                w, h, colours, _, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * n)
                self.assertEqual((w, h, colours, planes, bits), (size, size, 0, 1, 32))
                maskBytes = bmpfile.RowStride(size, 1) * size
                self.assertEqual(length, 40 + size * size * 4 + maskBytes)
                info = struct.unpack_from("<IiiHHI", data, offset)
                self.assertEqual(info, (40, size, size * 2, 1, 32, 0))
                pixels = data[offset + 40:offset + 40 + size * size * 4]
                mask = data[offset + 40 + size * size * 4:offset + length]
                stride = bmpfile.RowStride(size, 1)
                for y in range(size):
                    for x in range(size):
                        alpha = pixels[(y * size + x) * 4 + 3]
                        bit = mask[y * stride + x // 8] >> (7 - x % 8) & 1
                        self.assertEqual(bit, 1 if alpha == 0 else 0)
                self.assertTrue(any(pixels[i + 3] == 255 for i in range(0, len(pixels), 4)))


class WrapTest(unittest.TestCase):
    def testLinesFitAndKeepPunctuationOffTheLineStart(self):
        cases = (
            ("判定の前に、動画を再生しているアプリケーション（テレビ視聴ソフト、DVD再生ソフトなど）をすべて終了してください。", 13, 200),
            ("あいうえおかきくけこ。さしすせそ", 13, 130),
            ("テスト（かっこ）テスト（かっこ）", 12, 96),
        )
        for text, size, width in cases:
            with self.subTest(text=text, width=width):
                lines = canvas.Wrap(text, size, width)
                self.assertEqual("".join(lines), text)
                for line in lines:
                    self.assertLessEqual(canvas.TextWidth(line, size), width)
                    self.assertNotIn(line[0], "、。）")
                    self.assertNotIn(line[-1], "（")

    def testAsciiWordsStayWhole(self):
        lines = canvas.Wrap("ああああああああDVD再生", 12, 110)
        self.assertTrue(any("DVD" in line for line in lines))

    def testTooNarrowIsAnError(self):
        with self.assertRaises(ValueError):
            canvas.Wrap("UT-750", 13, 10)


class BmpWriterTest(unittest.TestCase):
    def testRowsArePaddedAndStoredBottomUp(self):
        table = [(i, 0, 255 - i) for i in range(256)]
        data = bmpfile.Bmp8(3, 2, bytes([1, 2, 3, 4, 5, 6]), table)
        self.assertEqual(data[54:58], bytes([255, 0, 0, 0]))
        self.assertEqual(data[54 + 1024:], bytes([4, 5, 6, 0, 1, 2, 3, 0]))

    def testRejectsWrongSizes(self):
        with self.assertRaises(ValueError):
            bmpfile.Bmp8(2, 2, bytes(4), [(0, 0, 0)] * 255)
        with self.assertRaises(ValueError):
            bmpfile.Bmp8(2, 2, bytes(3), [(0, 0, 0)] * 256)


class MissingFontTest(unittest.TestCase):
    def testExitsWithAMessage(self):
        code = ("import sys; sys.dont_write_bytecode = True; sys.path.insert(0, %r); import look; look.PGOTHIC = '/nonexistent/ipagp.ttf'; "
                "import draw_pictures; sys.exit(draw_pictures.main(['x', %r]))")
        with tempfile.TemporaryDirectory() as out:
            result = subprocess.run([PYTHON, "-c", code % (HERE, out)], capture_output=True, text=True)
            self.assertNotEqual(result.returncode, 0)
            self.assertIn("font not found", result.stderr)
            self.assertEqual(os.listdir(out), [])


if __name__ == "__main__":
    unittest.main()
