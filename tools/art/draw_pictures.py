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
import resource_ids as ids  # noqa: E402

ICON_SIZES = (16, 32, 48)


def _Under(pictures, pictureId):
    backgroundId, (x, y) = layout.PLACED_ON[pictureId]
    return pictures[backgroundId].getpixel((x, y))


def DrawAll():
    """RGB pictures by resource id, before they share one palette."""
    pictures = {
        ids.IDB_RESULT_PAGE: backgrounds.ResultPage(),
        ids.IDB_START_PAGE: backgrounds.StartPage(),
        ids.IDB_DETAIL_BACKGROUND: backgrounds.DetailPage(),
    }

    def Under(pictureId):
        return _Under(pictures, pictureId)

    captionTop = layout.RESULT_CAPTIONS[-1][1] - layout.GRAPHICS_MARK[1] + (
        layout.OTHER_TEXT[1] - layout.DISPLAY_TEXT[1])
    pictures.update({
        ids.IDB_START_BUTTON: controls.PrimaryButton((210, 40), Under(ids.IDB_START_BUTTON), "判定開始", 16),
        ids.IDB_SAVE_BUTTON: controls.SaveButton((200, 36), Under(ids.IDB_SAVE_BUTTON)),
        ids.IDB_DETAILS_BUTTON: controls.PrimaryButton((250, 40), Under(ids.IDB_DETAILS_BUTTON), "詳細を確認", 15),
        ids.IDB_EXIT_BUTTON: controls.CloseButton(Under(ids.IDB_EXIT_BUTTON)),
        ids.IDB_SOLUTION_BUTTON: controls.SolutionButton((160, 36), Under(ids.IDB_SOLUTION_BUTTON)),
        ids.IDB_USB_TYPE_BUTTON: controls.LinkButton((210, 40), Under(ids.IDB_USB_TYPE_BUTTON), "UT-750 (USBタイプ)"),
        ids.IDB_PCI_TYPE_BUTTON: controls.LinkButton((210, 40), Under(ids.IDB_PCI_TYPE_BUTTON), "PCIタイプ"),
        ids.IDB_DETAIL_CLOSE_BUTTON: controls.CloseButton(Under(ids.IDB_DETAIL_CLOSE_BUTTON)),
        ids.IDB_DETAIL_SAVE_BUTTON: controls.SaveButton((200, 36), Under(ids.IDB_DETAIL_SAVE_BUTTON)),
        ids.IDB_MARK_DOUBLE_CIRCLE: controls.Mark("double", Under(ids.IDB_MARK_DOUBLE_CIRCLE)),
        ids.IDB_MARK_CIRCLE: controls.Mark("circle", Under(ids.IDB_MARK_CIRCLE)),
        ids.IDB_MARK_CROSS: controls.Mark("cross", Under(ids.IDB_MARK_CROSS)),
        ids.IDB_MARK_CROSS_CAPTION: controls.CrossWithCaption(Under(ids.IDB_MARK_CROSS_CAPTION), captionTop),
        ids.IDB_BANNER_SUITABLE: controls.Banner("double", Under(ids.IDB_BANNER_SUITABLE)),
        ids.IDB_BANNER_LIMITED: controls.Banner("circle", Under(ids.IDB_BANNER_LIMITED)),
        ids.IDB_BANNER_UNSUITABLE: controls.Banner("cross", Under(ids.IDB_BANNER_UNSUITABLE)),
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
