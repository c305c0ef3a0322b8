"""Buttons, judgement marks and result banners."""

import canvas
import look
from canvas import Canvas, Mix

NORMAL, PRESSED, HOVER, DISABLED = range(4)
_BUTTON_RADIUS = 6


class _Look:
    def __init__(self, fill, border, text, highlight=None, shadow=None):
        self.fill = fill
        self.border = border
        self.text = text
        self.highlight = highlight
        self.shadow = shadow


def _PrimaryLooks(background):
    shadow = Mix(background, (0x10, 0x20, 0x40), 0.22)
    return {
        NORMAL: _Look(look.ACCENT, look.ACCENT_DARK, look.WHITE, Mix(look.ACCENT, look.WHITE, 0.16), shadow),
        PRESSED: _Look(look.ACCENT_DARK, Mix(look.ACCENT_DARK, (0, 0, 0), 0.25), Mix(look.WHITE, look.ACCENT_DARK, 0.08)),
        HOVER: _Look(look.ACCENT_HOVER, look.ACCENT, look.WHITE, Mix(look.ACCENT_HOVER, look.WHITE, 0.2), shadow),
        DISABLED: _Look((0xC3, 0xC9, 0xD2), (0xB3, 0xBA, 0xC5), (0xEC, 0xEE, 0xF1)),
    }


def _SecondaryLooks(background):
    shadow = Mix(background, (0x10, 0x20, 0x40), 0.14)
    return {
        NORMAL: _Look(look.WHITE, (0x93, 0xA8, 0xC9), look.ACCENT, None, shadow),
        PRESSED: _Look((0xD9, 0xE4, 0xF3), look.ACCENT, look.ACCENT_DARK),
        HOVER: _Look((0xF0, 0xF6, 0xFE), look.ACCENT_HOVER, look.ACCENT, None, shadow),
        DISABLED: _Look(look.DISABLED_FILL, look.DISABLED_BORDER, look.DISABLED_TEXT),
    }


def _Face(c, box, style, state):
    """Draws the button body; returns how far the content moves."""
    x0, y0, x1, y1 = box
    if state == PRESSED:
        # Pushed in: the body drops onto the shadow line and its content follows.
        c.Panel((x0, y0 + 1, x1, y1), _BUTTON_RADIUS, style.fill, style.border)
        return 1
    if style.shadow:
        c.RoundRect((x0, y0 + 1, x1, y1), _BUTTON_RADIUS, style.shadow)
    c.Panel((x0, y0, x1, y1 - 1), _BUTTON_RADIUS, style.fill, style.border)
    if style.highlight:
        c.Rect((x0 + _BUTTON_RADIUS, y0 + 1, x1 - _BUTTON_RADIUS, y0 + 2), style.highlight)
    return 0


def _Strip(size, background, looks, content):
    width, height = size
    c = Canvas(width, height * 4, background)
    for state in (NORMAL, PRESSED, HOVER, DISABLED):
        top = state * height
        style = looks[state]
        box = (0, top, width, top + height)
        shift = _Face(c, box, style, state)
        content(c, (0, top + shift, width, top + height - 1 + shift), style)
    return c.image


def _Caption(text, size, icon=None, iconWidth=0, gap=6):
    def Content(c, box, style):
        textWidth = canvas.TextWidth(text, size, bold=True)
        total = textWidth + (iconWidth + gap if icon else 0)
        x = box[0] + (box[2] - box[0] - total) / 2.0
        if icon:
            icon(c, int(round(x)), (box[1] + box[3]) // 2, style)
            x += iconWidth + gap
        c.TextCentred((int(round(x)), box[1], int(round(x + textWidth)), box[3]), text, size, style.text,
                      bold=True)

    return Content


def _SaveIcon(c, x, cy, style):
    # A sheet with a folded corner and a downward arrow: "write to a file".
    top = cy - 8
    c.Polygon(((x, top), (x + 9, top), (x + 13, top + 4), (x + 13, top + 16), (x, top + 16)), style.text)
    c.Polygon(((x + 1.5, top + 1.5), (x + 8.4, top + 1.5), (x + 11.5, top + 4.6), (x + 11.5, top + 14.5),
               (x + 1.5, top + 14.5)), style.fill)
    c.Stroke(((x + 6.5, top + 5), (x + 6.5, top + 11.5)), 1.6, style.text, caps=False)
    c.Polygon(((x + 3.5, top + 9.5), (x + 9.5, top + 9.5), (x + 6.5, top + 13)), style.text)


def _HelpIcon(c, x, cy, style):
    c.Ellipse((x, cy - 8, x + 16, cy + 8), style.text)
    c.TextCentred((x, cy - 8, x + 16, cy + 8), "?", 12, style.fill, bold=True, dx=0, dy=0)


def _ArrowIcon(c, x, cy, style):
    c.Stroke(((x + 2, cy - 4), (x + 6, cy), (x + 2, cy + 4)), 1.8, style.text)


def _TrailingArrow(text, size):
    # The arrow goes after the caption: these buttons open a page elsewhere.
    def Content(c, box, style):
        textWidth = canvas.TextWidth(text, size, bold=True)
        total = textWidth + 14
        x = int(round(box[0] + (box[2] - box[0] - total) / 2.0))
        c.TextCentred((x, box[1], int(round(x + textWidth)), box[3]), text, size, style.text, bold=True)
        _ArrowIcon(c, int(round(x + textWidth)) + 6, (box[1] + box[3]) // 2, style)

    return Content


def PrimaryButton(size, background, text, textSize=16):
    return _Strip(size, background, _PrimaryLooks(background), _Caption(text, textSize))


def SaveButton(size, background):
    return _Strip(size, background, _SecondaryLooks(background),
                  _Caption("ファイルに保存", 14, _SaveIcon, 14))


def SolutionButton(size, background):
    return _Strip(size, background, _SecondaryLooks(background), _Caption("解決法", 14, _HelpIcon, 16))


def LinkButton(size, background, text):
    return _Strip(size, background, _SecondaryLooks(background), _TrailingArrow(text, 14))


def CloseButton(background):
    looks = {
        NORMAL: _Look(background, Mix(background, look.TEXT_SUB, 0.28), look.TEXT_SUB),
        PRESSED: _Look(look.MARK_RED_DARK, Mix(look.MARK_RED_DARK, (0, 0, 0), 0.2), look.WHITE),
        HOVER: _Look(look.MARK_RED, look.MARK_RED, look.WHITE),
        DISABLED: _Look(background, Mix(background, look.DISABLED_BORDER, 0.6), look.DISABLED_TEXT),
    }
    c = Canvas(40, 160, background)
    for state in (NORMAL, PRESSED, HOVER, DISABLED):
        top = state * 40
        style = looks[state]
        c.Panel((0, top, 40, top + 40), _BUTTON_RADIUS, style.fill, style.border)
        shift = 1 if state == PRESSED else 0
        a, b = 13.5 + shift, 26.5 + shift
        c.Stroke(((a, top + a), (b, top + b)), 2.2, style.text)
        c.Stroke(((b, top + a), (a, top + b)), 2.2, style.text)
    return c.image


def _DoubleCircle(c, cx, cy, radius, stroke, colour):
    c.Ring(cx, cy, radius, stroke, colour)
    c.Ring(cx, cy, radius * 0.52, stroke, colour)


def _Cross(c, cx, cy, half, stroke, colour):
    c.Stroke(((cx - half, cy - half), (cx + half, cy + half)), stroke, colour)
    c.Stroke(((cx + half, cy - half), (cx - half, cy + half)), stroke, colour)


def _DrawMark(c, kind, cx, cy, radius):
    if kind == "double":
        _DoubleCircle(c, cx, cy, radius, 5, look.MARK_RED)
    elif kind == "circle":
        c.Ring(cx, cy, radius, 5, look.MARK_RED)
    else:
        _Cross(c, cx, cy, radius * 0.74, 5.5, look.MARK_RED)


def Mark(kind, background):
    c = Canvas(50, 50, background)
    _DrawMark(c, kind, 25, 25, 21)
    return c.image


def CrossWithCaption(background, captionTop):
    c = Canvas(136, 50, background)
    _DrawMark(c, "cross", 25, 25, 21)
    c.Text((55, captionTop), "判定結果", 12, look.TEXT_SUB)
    return c.image


BANNER_NOTE = "※◎・○の場合でも、スムーズな再生を保証するものではありません。"


def Banner(kind, background):
    c = Canvas(480, 60, background)
    _DrawMark(c, kind, 28, 30, 21)
    left = 62
    if kind == "double":
        lines = (("この環境で地デジを視聴できます。", 15, True, look.TEXT),
                 ("右のボタンで動作環境をご確認ください。", 12, False, look.TEXT),
                 (BANNER_NOTE, 12, False, look.TEXT_SUB))
    elif kind == "circle":
        lines = (("制限付きで視聴できます。", 15, True, look.TEXT),
                 ("右のボタンで動作環境をご確認ください。", 12, False, look.TEXT),
                 (BANNER_NOTE, 12, False, look.TEXT_SUB))
    else:
        # The details button is greyed out on most of these pages and the
        # solution button is there only when the display is at fault: point
        # to what every such page has, the crossed boxes below.
        lines = (("このPCでは正しく動作しません。", 15, True, look.TEXT),
                 ("下の×の項目をご確認ください。", 12, False, look.TEXT),
                 ("「解決法」ボタンがあれば、対処の方法をご案内します。", 12, False, look.TEXT_SUB))
    tops = (4, 25, 42)
    for (text, size, bold, colour), top in zip(lines, tops):
        if canvas.TextWidth(text, size, bold) > 480 - left - 4:
            raise ValueError("banner line too long: " + text)
        c.Text((left, top), text, size, colour, bold)
    return c.image
