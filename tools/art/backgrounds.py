"""Full-window backgrounds: result page, start page and detail dialog."""

from PIL import Image, ImageDraw, ImageFilter

import canvas
import layout
import look
import mark
from canvas import Canvas, Mix

_BOX_RADIUS = 6
_LOGO_SIZE = 36


def _Frame(size, drawTitle):
    width, height = size
    c = Canvas(width, height, look.WINDOW_BG)
    band = layout.TITLE_BAND_BOTTOM
    c.Rect((0, 0, width, band - 1), look.TITLE_BG)
    c.Rect((0, band - 1, width, band), look.DIVIDER)
    c.Composite(mark.Render(_LOGO_SIZE), (20, 18))
    drawTitle(c, 64, 46)
    return c


def _Border(c):
    # Drawn last so that nothing painted later covers the window's edge.
    w, h = c.width, c.height
    c.Rect((0, 0, w, 3), look.ACCENT)
    c.Rect((0, 0, 1, h), look.ACCENT)
    c.Rect((w - 1, 0, w, h), look.ACCENT)
    c.Rect((0, h - 1, w, h), look.ACCENT)


def _MainTitle(c, x, baseline):
    c.Text((x, baseline), "ソラリオ", 22, look.ACCENT, bold=True, anchor="ls")
    x += canvas.TextWidth("ソラリオ", 22, bold=True) + 7
    c.Text((int(round(x)), baseline), "for UT-750", 18, look.TEXT, anchor="ls")


def _DetailTitle(c, x, baseline):
    c.Text((x, baseline), "詳細情報", 22, look.ACCENT, bold=True, anchor="ls")
    x += canvas.TextWidth("詳細情報", 22, bold=True) + 12
    c.Text((int(round(x)), baseline), "ソラリオ for UT-750", 14, look.TEXT_SUB, anchor="ls")


def _Box(c, box, title):
    x0, y0, x1, y1 = box
    c.Panel(box, _BOX_RADIUS, look.BOX_BG, look.BOX_BORDER)
    bandBottom = y0 + layout.BOX_BAND_HEIGHT
    # Only the top corners are round: the shape runs past the band and is clipped.
    c.RoundRect((x0 + 1, y0 + 1, x1 - 1, bandBottom + _BOX_RADIUS), _BOX_RADIUS - 1, look.ACCENT_TINT,
                clip=(x0 + 1, y0 + 1, x1 - 1, bandBottom - 1))
    c.Rect((x0 + 1, bandBottom - 1, x1 - 1, bandBottom), look.ACCENT_TINT_LINE)
    c.Rect((x0 + 11, y0 + 6, x0 + 15, bandBottom - 5), look.ACCENT)
    c.TextCentred((x0 + 21, y0 + 1, x0 + 21 + canvas.TextWidth(title, 13, True), bandBottom - 1), title, 13,
                  look.ACCENT_DARK, bold=True)


def _ResultFrame():
    c = _Frame(layout.MAIN_SIZE, _MainTitle)
    c.Panel(layout.BANNER_PANEL, _BOX_RADIUS, look.BANNER_PANEL, look.BANNER_BORDER)
    x0, y0, x1, y1 = layout.BANNER_PANEL
    middle = (y0 + y1) // 2
    c.RoundRect((42, middle - 12, 46, middle + 12), 2, look.ACCENT)
    c.TextCentred((54, y0, 54 + canvas.TextWidth("判定結果", 16, True), y1), "判定結果", 16, look.ACCENT_DARK,
                  bold=True)
    c.Rect((140, y0 + 12, 141, y1 - 12), look.BANNER_BORDER)
    for box, title in ((layout.OS_BOX, "OS"), (layout.MEMORY_BOX, "メモリ"),
                       (layout.GRAPHICS_BOX, "グラフィック＋ディスプレイ"), (layout.OTHER_BOX, "その他")):
        _Box(c, box, title)
    for x, y, text in layout.RESULT_CAPTIONS:
        c.Text((x, y), text, 12, look.TEXT_SUB)
    return c


def ResultPage():
    c = _ResultFrame()
    _Border(c)
    return c.image


def _Shadow(c, box, radius, spread, strength):
    x0, y0, x1, y1 = box
    pad = spread * 3
    # Cut off above the start button: it must sit on one plain colour.
    region = (x0 - pad, y0 - pad, x1 + pad, min(y1 + pad, layout.START_BUTTON[1] - 2))
    mask = Image.new("L", (region[2] - region[0], region[3] - region[1]), 0)
    ImageDraw.Draw(mask).rounded_rectangle([pad, pad + 2, pad + x1 - x0 - 1, pad + y1 - y0 + 1],
                                           radius=radius, fill=int(255 * strength))
    mask = mask.filter(ImageFilter.GaussianBlur(spread))
    c.image.paste((0x1A, 0x2A, 0x44), region, mask)


def _CautionIcon(c, x, y):
    c.Polygon(((x, y + 19), (x + 11, y), (x + 22, y + 19)), look.AMBER)
    c.Stroke(((x + 11, y + 6.5), (x + 11, y + 12)), 2.4, look.WHITE)
    c.Ellipse((x + 9.7, y + 14.3, x + 12.3, y + 16.9), look.WHITE)


_CAUTION_POINTS = (
    "判定の前に、動画を再生しているアプリケーション（テレビ視聴ソフト、DVD再生ソフトなど）をすべて終了してください。",
    "複数のディスプレイ（マルチモニタ）をつないだ環境には対応していません。テレビを見るディスプレイ1台だけをつないで判定してください。",
    "本ツールの判定結果は、ルモラのすべての機能の動作を保証するものではありません。",
)
_CAUTION_LAST = "ウィンドウをテレビを見るディスプレイに移動してから、［判定開始］を押してください。"


def _CautionPanel(c):
    box = layout.CAUTION_PANEL
    x0, y0, x1, y1 = box
    _Shadow(c, box, 8, 4, 0.30)
    c.Panel(box, 8, look.WHITE, look.AMBER_LINE)
    bandBottom = y0 + 34
    c.RoundRect((x0 + 1, y0 + 1, x1 - 1, bandBottom + 8), 7, look.AMBER_TINT, clip=(x0 + 1, y0 + 1, x1 - 1,
                                                                                  bandBottom))
    c.Rect((x0 + 1, bandBottom, x1 - 1, bandBottom + 1), look.AMBER_LINE)
    _CautionIcon(c, x0 + 16, y0 + 7)
    c.Text((x0 + 46, y0 + 25), "ご注意", 16, look.AMBER_TEXT, bold=True, anchor="ls")
    c.Text((x0 + 46 + 58, y0 + 24), "判定を始める前に、次の点をご確認ください。", 12, Mix(look.AMBER_TEXT, look.WHITE, 0.2),
           anchor="ls")

    textLeft = x0 + 50
    textWidth = x1 - 24 - textLeft
    y = bandBottom + 12
    lineHeight = 19
    for number, point in enumerate(_CAUTION_POINTS, 1):
        c.Ellipse((x0 + 24, y, x0 + 42, y + 18), look.ACCENT)
        c.TextCentred((x0 + 24, y, x0 + 42, y + 18), str(number), 12, look.WHITE, bold=True, dx=0)
        lines = canvas.Wrap(point, 13, textWidth)
        for i, line in enumerate(lines):
            c.Text((textLeft, y + 2 + i * lineHeight), line, 13, look.TEXT)
        y += lineHeight * len(lines) + 6
    rule = y1 - 36
    if y > rule - 2:
        raise ValueError("notice text runs into the last line (%d > %d)" % (y, rule - 2))
    c.Rect((x0 + 20, rule, x1 - 20, rule + 1), look.DIVIDER)
    c.TextCentred((x0, rule + 1, x1, y1 - 1), _CAUTION_LAST, 13, look.ACCENT_DARK, bold=True)


def StartPage():
    c = _ResultFrame()
    width, height = layout.MAIN_SIZE
    # The title band stays lit: the exit button sits there on both pages.
    top = layout.TITLE_BAND_BOTTOM
    region = (0, top, width, height)
    content = c.image.crop(region)
    c.image.paste(Image.blend(content, Image.new("RGB", content.size, look.DIM_TARGET), look.DIM_AMOUNT), region)
    dimmedWindow = c.Pixel(width - 8, height - 8)
    # A clear floor under the start button and the progress text, so both sit on one colour.
    c.RoundRect((345, layout.CAUTION_PANEL[3] - 10, 595, height + 10), 10, dimmedWindow)
    _CautionPanel(c)
    _Border(c)
    return c.image


def DetailPage():
    c = _Frame(layout.DETAIL_SIZE, _DetailTitle)
    _Box(c, layout.SPEC_BOX, "製品の必要スペック")
    x0, y0, x1, y1 = layout.SPEC_BOX
    c.Text((x0 + 14, y0 + 36), "お使いのチューナーの必要スペックを確認できます。", 13, look.TEXT)
    c.Text((x0 + 14, y0 + 60), "お使いの製品のボタンを押してください。", 12, look.TEXT_SUB)
    _Box(c, layout.ENVIRONMENT_BOX, "ご利用の環境")
    x0, y0, x1, y1 = layout.ENVIRONMENT_BOX
    c.Text((x0 + 14, y0 + 29), "判定に使用した、このPCの情報です。", 12, look.TEXT_SUB)
    # The CPU name may take two lines; a rule keeps it apart from the graphics pair.
    c.Rect((x0 + 12, 326, x1 - 12, 327), look.DIVIDER)
    for x, y, text in layout.DETAIL_LABELS:
        c.Text((x, y), text, 12, look.TEXT_SUB)
    _Border(c)
    return c.image
