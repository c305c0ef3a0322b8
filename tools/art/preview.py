#!/usr/bin/python3
"""Writes PNG previews of the drawn pictures, with controls and sample texts
put where the program puts them.

    /usr/bin/python3 tools/art/preview.py BMPDIR PREVIEWDIR
"""

import os
import sys

from PIL import Image, ImageDraw

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import canvas  # noqa: E402
import layout  # noqa: E402
import resource_ids as ids  # noqa: E402

BLACK = (0, 0, 0)
RED = (255, 0, 0)


def _Load(bmpDir, pictureId):
    return Image.open(os.path.join(bmpDir, "%d.bmp" % pictureId)).convert("RGB")


def _Frame(bmpDir, pictureId, state=0):
    strip = _Load(bmpDir, pictureId)
    height = strip.height // 4
    return strip.crop((0, state * height, strip.width, (state + 1) * height))


def _Static(image, box, text, colour):
    # Stands in for the dialog's bold 12 px static text.
    draw = ImageDraw.Draw(image)
    font = canvas.Font(12)
    y = box[1] + 1
    for line in canvas.Wrap(text, 12, box[2] - box[0] - 2, bold=True):
        draw.text((box[0], y), line, font=font, fill=colour)
        draw.text((box[0] + 0.6, y), line, font=font, fill=colour)
        y += 15


def ResultPreview(bmpDir, marks=(ids.IDB_MARK_DOUBLE_CIRCLE, ids.IDB_MARK_CIRCLE, ids.IDB_MARK_DOUBLE_CIRCLE)):
    page = _Load(bmpDir, ids.IDB_RESULT_PAGE)
    for pictureId, box in zip(marks, (layout.OS_MARK, layout.MEMORY_MARK, layout.GRAPHICS_MARK)):
        page.paste(_Load(bmpDir, pictureId), box[:2])
    page.paste(_Load(bmpDir, ids.IDB_MARK_CROSS_CAPTION), layout.OTHER_MARK[:2])
    page.paste(_Load(bmpDir, ids.IDB_BANNER_SUITABLE), layout.BANNER[:2])
    page.paste(_Frame(bmpDir, ids.IDB_DETAILS_BUTTON), layout.DETAILS_BUTTON[:2])
    page.paste(_Frame(bmpDir, ids.IDB_SOLUTION_BUTTON), layout.SOLUTION_BUTTON[:2])
    page.paste(_Frame(bmpDir, ids.IDB_SAVE_BUTTON), layout.SAVE_BUTTON[:2])
    page.paste(_Frame(bmpDir, ids.IDB_EXIT_BUTTON), layout.EXIT_BUTTON[:2])
    _Static(page, layout.OS_NAME_TEXT, "Windows XP Professional Service Pack 3", BLACK)
    _Static(page, layout.OS_STATUS_TEXT, "対応しています。", BLACK)
    _Static(page, layout.MEMORY_TEXT, "2048 MB", BLACK)
    _Static(page, layout.MEMORY_STATUS_TEXT, "必要な容量を満たしています。", BLACK)
    _Static(page, layout.DISPLAY_TEXT, "HDCPに対応していません。", RED)
    _Static(page, layout.OTHER_TEXT, "他の動画ソフトを終了してください。", RED)
    _Static(page, layout.PROGRESS_TEXT, "判定中 50%", BLACK)
    return page


def StartPreview(bmpDir):
    page = _Load(bmpDir, ids.IDB_START_PAGE)
    page.paste(_Frame(bmpDir, ids.IDB_START_BUTTON), layout.START_BUTTON[:2])
    page.paste(_Frame(bmpDir, ids.IDB_EXIT_BUTTON), layout.EXIT_BUTTON[:2])
    _Static(page, layout.PROGRESS_TEXT, "判定中 10%", BLACK)
    return page


def DetailPreview(bmpDir):
    page = _Load(bmpDir, ids.IDB_DETAIL_BACKGROUND)
    page.paste(_Frame(bmpDir, ids.IDB_USB_TYPE_BUTTON), layout.USB_BUTTON[:2])
    page.paste(_Frame(bmpDir, ids.IDB_PCI_TYPE_BUTTON), layout.PCI_BUTTON[:2])
    page.paste(_Frame(bmpDir, ids.IDB_DETAIL_CLOSE_BUTTON), layout.DETAIL_CLOSE_BUTTON[:2])
    page.paste(_Frame(bmpDir, ids.IDB_DETAIL_SAVE_BUTTON), layout.DETAIL_SAVE_BUTTON[:2])
    _Static(page, layout.DETAIL_CPU_TEXT, "Intel(R) Core(TM)2 Duo CPU E8400 @ 3.00GHz (2 コア)", BLACK)
    _Static(page, layout.DETAIL_GRAPHICS_TEXT, "NVIDIA GeForce 9600 GT", BLACK)
    _Static(page, layout.DETAIL_VRAM_TEXT, "512 MB", BLACK)
    return page


def Sheet(bmpDir, pictureIds, scale=2, gap=8, background=(200, 200, 200)):
    pictures = [_Load(bmpDir, i) for i in pictureIds]
    width = sum(p.width for p in pictures) + gap * (len(pictures) + 1)
    height = max(p.height for p in pictures) + 2 * gap
    sheet = Image.new("RGB", (width, height), background)
    x = gap
    for p in pictures:
        sheet.paste(p, (x, gap))
        x += p.width + gap
    return sheet.resize((width * scale, height * scale), Image.NEAREST)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: preview.py BMPDIR PREVIEWDIR\n")
        return 2
    bmpDir, out = argv[1], argv[2]
    os.makedirs(out, exist_ok=True)
    ResultPreview(bmpDir).save(os.path.join(out, "result.png"))
    ResultPreview(bmpDir, (ids.IDB_MARK_CIRCLE, ids.IDB_MARK_CROSS, ids.IDB_MARK_CROSS)).save(
        os.path.join(out, "result_ng.png"))
    StartPreview(bmpDir).save(os.path.join(out, "start.png"))
    DetailPreview(bmpDir).save(os.path.join(out, "detail.png"))
    Sheet(bmpDir, (ids.IDB_START_BUTTON, ids.IDB_DETAILS_BUTTON, ids.IDB_USB_TYPE_BUTTON,
                   ids.IDB_PCI_TYPE_BUTTON)).save(os.path.join(out, "buttons_large.png"))
    Sheet(bmpDir, (ids.IDB_SAVE_BUTTON, ids.IDB_DETAIL_SAVE_BUTTON, ids.IDB_SOLUTION_BUTTON, ids.IDB_EXIT_BUTTON,
                   ids.IDB_DETAIL_CLOSE_BUTTON)).save(os.path.join(out, "buttons_small.png"))
    Sheet(bmpDir, (ids.IDB_MARK_DOUBLE_CIRCLE, ids.IDB_MARK_CIRCLE, ids.IDB_MARK_CROSS, ids.IDB_MARK_CROSS_CAPTION),
          scale=3).save(os.path.join(out, "marks.png"))
    Sheet(bmpDir, (ids.IDB_BANNER_SUITABLE, ids.IDB_BANNER_LIMITED, ids.IDB_BANNER_UNSUITABLE)).save(
        os.path.join(out, "banners.png"))
    for pictureId in (ids.IDB_START_PAGE, ids.IDB_DETAIL_BACKGROUND, ids.IDB_RESULT_PAGE):
        _Load(bmpDir, pictureId).save(os.path.join(out, "%d.png" % pictureId))
    icon = Image.open(os.path.join(bmpDir, "program.ico"))
    row = Image.new("RGBA", (16 + 32 + 48 + 40, 58), (255, 255, 255, 255))
    x = 10
    for size in (16, 32, 48):
        icon.size = (size, size)
        im = icon.copy().convert("RGBA")
        row.alpha_composite(im, (x, 5))
        x += size + 10
    row.resize((row.width * 4, row.height * 4), Image.NEAREST).save(os.path.join(out, "icon.png"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
