#!/usr/bin/python3
"""Draws the setup program's pictures in the program's own look.

    /usr/bin/python3 tools/art/draw_installer_pictures.py OUTDIR

writes OUTDIR/wizard.bmp (164 x 314, the welcome and finish pages' side) and
OUTDIR/header.bmp (150 x 57, the other pages' header), both 24-bit. NSIS
stretches them to the control, which at 96 dpi is exactly these sizes.
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import canvas  # noqa: E402
import look  # noqa: E402
import mark  # noqa: E402
from canvas import Canvas, Mix  # noqa: E402

WIZARD_SIZE = (164, 314)
HEADER_SIZE = (150, 57)


def Wizard():
    width, height = WIZARD_SIZE
    c = Canvas(width, height, look.ACCENT)
    for y in range(height):
        c.Rect((0, y, width, y + 1), Mix(look.ACCENT_HOVER, look.ACCENT_DARK, y / (height - 1)))
    # The same white tile the title band gives the mark on the program's pages.
    tile = (32, 44, 132, 144)
    c.RoundRect(tile, 14, look.WHITE)
    c.Composite(mark.Render(80), (42, 52))
    c.TextCentred((0, 168, width, 196), "ソラリオ", 24, look.WHITE, bold=True)
    c.TextCentred((0, 198, width, 220), "for UT-750", 16, look.ACCENT_TINT)
    c.Rect((40, 238, width - 40, 239), Mix(look.ACCENT_TINT, look.ACCENT, 0.5))
    c.Rect((0, height - 4, width, height), look.MARK_RED)
    return c.image


def Header():
    width, height = HEADER_SIZE
    c = Canvas(width, height, look.TITLE_BG)
    c.Composite(mark.Render(36), (width - 46, 10))
    c.Text((width - 52, 34), "ソラリオ", 15, look.ACCENT, bold=True, anchor="rs")
    return c.image


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: draw_installer_pictures.py OUTDIR\n")
        return 2
    canvas.RequireFonts()
    os.makedirs(argv[1], exist_ok=True)
    Wizard().save(os.path.join(argv[1], "wizard.bmp"), "BMP")
    Header().save(os.path.join(argv[1], "header.bmp"), "BMP")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
