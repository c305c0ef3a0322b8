#!/usr/bin/python3
"""Draws every bitmap of the program and its icon.

    /usr/bin/python3 tools/art/draw_pictures.py OUTDIR

writes OUTDIR/<id>.bmp for each picture and OUTDIR/program.ico. The output
depends only on this code, Pillow and the IPA Gothic fonts.
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import backgrounds  # noqa: E402
import bmpfile  # noqa: E402
import canvas  # noqa: E402
import controls  # noqa: E402
import layout  # noqa: E402
import mark  # noqa: E402
import palette  # noqa: E402

ICON_SIZES = (16, 32, 48)


def _Under(pictures, pictureId):
    backgroundId, (x, y) = layout.PLACED_ON[pictureId]
    return pictures[backgroundId].getpixel((x, y))


def DrawAll():
    """RGB pictures by resource id, before they share one palette."""
    pictures = {
        237: backgrounds.ResultPage(),
        226: backgrounds.StartPage(),
        235: backgrounds.DetailPage(),
    }

    def Under(pictureId):
        return _Under(pictures, pictureId)

    captionTop = layout.RESULT_CAPTIONS[-1][1] - layout.GRAPHICS_MARK[1] + (
        layout.OTHER_TEXT[1] - layout.DISPLAY_TEXT[1])
    pictures.update({
        230: controls.PrimaryButton((210, 40), Under(230), "判定開始", 16),
        232: controls.SaveButton((200, 36), Under(232)),
        233: controls.PrimaryButton((250, 40), Under(233), "詳細を確認", 15),
        240: controls.CloseButton(Under(240)),
        241: controls.SolutionButton((160, 36), Under(241)),
        249: controls.LinkButton((210, 40), Under(249), "UT-750 (USBタイプ)"),
        250: controls.LinkButton((210, 40), Under(250), "PCIタイプ"),
        238: controls.CloseButton(Under(238)),
        239: controls.SaveButton((200, 36), Under(239)),
        242: controls.Mark("double", Under(242)),
        243: controls.Mark("circle", Under(243)),
        244: controls.Mark("cross", Under(244)),
        245: controls.CrossWithCaption(Under(245), captionTop),
        246: controls.Banner("double", Under(246)),
        247: controls.Banner("circle", Under(247)),
        248: controls.Banner("cross", Under(248)),
    })
    for pictureId, picture in pictures.items():
        if picture.size != layout.SIZES[pictureId]:
            raise AssertionError("picture %d is %r, expected %r" % (pictureId, picture.size, layout.SIZES[pictureId]))
    return pictures


def SharedTable(pictures):
    return palette.Build([pictures[i] for i in sorted(pictures)])


def Write(outDir, pictures, table):
    mapper = palette.Mapper(table)
    os.makedirs(outDir, exist_ok=True)
    for pictureId in sorted(pictures):
        picture = pictures[pictureId]
        data = bmpfile.Bmp8(picture.width, picture.height, mapper.Map(picture), table)
        with open(os.path.join(outDir, "%d.bmp" % pictureId), "wb") as f:
            f.write(data)
    with open(os.path.join(outDir, "program.ico"), "wb") as f:
        f.write(bmpfile.Ico([mark.Render(size) for size in ICON_SIZES]))


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: draw_pictures.py OUTDIR\n")
        return 2
    canvas.RequireFonts()
    pictures = DrawAll()
    Write(argv[1], pictures, SharedTable(pictures))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
