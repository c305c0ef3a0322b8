"""Anti-aliased drawing on an RGB picture.

Shapes are drawn as coverage masks at four times the size and box-averaged
down, so straight edges on whole pixels stay crisp and curves get exact
coverage without the ringing a sharpening filter would add (ringing costs
palette entries and shows as halos). Text is drawn at 1x, where FreeType's
hinting keeps small Japanese glyphs sharp.
"""

import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

import look

SUPER = 4

# Characters that must not open a line, and ones that must not close it.
_NO_LINE_START = set("、。，．・：；？！）」』】〕〉》ー～…ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ")
_NO_LINE_END = set("（「『【〔〈《［")

_fontCache = {}


def RequireFonts():
    missing = [p for p in (look.GOTHIC, look.PGOTHIC) if not os.path.isfile(p)]
    if missing:
        sys.stderr.write("draw_pictures: font not found: %s (install fonts-ipafont-gothic)\n" % ", ".join(missing))
        sys.exit(2)


def Font(size, proportional=True):
    key = (size, proportional)
    if key not in _fontCache:
        _fontCache[key] = ImageFont.truetype(look.PGOTHIC if proportional else look.GOTHIC, size)
    return _fontCache[key]


def BoldOffset(size):
    # IPA Gothic has no bold face; a second pass shifted sideways thickens the
    # vertical stems. Small sizes take a fraction of a pixel so they do not clog.
    if size <= 13:
        return 0.6
    if size <= 16:
        return 0.8
    return 1.0


def Mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def _Tokens(text):
    tokens = []
    for ch in text:
        if tokens and ch.isascii() and ch.isalnum() and tokens[-1][-1].isascii() and tokens[-1][-1].isalnum():
            tokens[-1] += ch
        else:
            tokens.append(ch)
    return tokens


def TextWidth(text, size, bold=False):
    width = Font(size).getlength(text)
    return width + (BoldOffset(size) if bold and text else 0)


def Wrap(text, size, width, bold=False):
    lines = [[]]
    for token in _Tokens(text):
        candidate = "".join(lines[-1]) + token
        if not lines[-1] or TextWidth(candidate, size, bold) <= width:
            lines[-1].append(token)
            continue
        carried = []
        # Pull the last token down with a closing mark, and never leave an opening one behind.
        if token in _NO_LINE_START and len(lines[-1]) > 1:
            carried.append(lines[-1].pop())
        while len(lines[-1]) > 1 and lines[-1][-1] in _NO_LINE_END:
            carried.insert(0, lines[-1].pop())
        lines.append(carried + [token])
    result = ["".join(line) for line in lines]
    for line in result:
        if TextWidth(line, size, bold) > width:
            raise ValueError("cannot wrap %r into %d px" % (line, width))
    return result


class Canvas:
    def __init__(self, width, height, background):
        self.image = Image.new("RGB", (width, height), background)
        self.draw = ImageDraw.Draw(self.image)

    @property
    def width(self):
        return self.image.width

    @property
    def height(self):
        return self.image.height

    def Pixel(self, x, y):
        return self.image.getpixel((x, y))

    def Rect(self, box, colour):
        x0, y0, x1, y1 = box
        if x1 > x0 and y1 > y0:
            self.draw.rectangle([x0, y0, x1 - 1, y1 - 1], fill=colour)

    def Shape(self, region, colour, painter):
        """painter(draw, t) draws white coverage; t maps picture coordinates to mask ones."""
        x0 = max(0, int(math.floor(region[0])))
        y0 = max(0, int(math.floor(region[1])))
        x1 = min(self.width, int(math.ceil(region[2])))
        y1 = min(self.height, int(math.ceil(region[3])))
        if x1 <= x0 or y1 <= y0:
            return
        mask = Image.new("L", ((x1 - x0) * SUPER, (y1 - y0) * SUPER), 0)

        def Transform(x, y):
            return ((x - x0) * SUPER, (y - y0) * SUPER)

        painter(ImageDraw.Draw(mask), Transform)
        self.image.paste(colour, (x0, y0, x1, y1), mask.reduce(SUPER))

    def RoundRect(self, box, radius, colour, clip=None):
        def Paint(d, t):
            a = t(box[0], box[1])
            b = t(box[2], box[3])
            d.rounded_rectangle([a[0], a[1], b[0] - 1, b[1] - 1], radius=radius * SUPER, fill=255)

        self.Shape(clip or box, colour, Paint)

    def Panel(self, box, radius, fill, border, width=1):
        self.RoundRect(box, radius, border)
        inner = (box[0] + width, box[1] + width, box[2] - width, box[3] - width)
        self.RoundRect(inner, max(0, radius - width), fill)

    def Ellipse(self, box, colour):
        def Paint(d, t):
            a = t(box[0], box[1])
            b = t(box[2], box[3])
            d.ellipse([a[0], a[1], b[0] - 1, b[1] - 1], fill=255)

        self.Shape(box, colour, Paint)

    def Ring(self, cx, cy, radius, stroke, colour):
        def Paint(d, t):
            a = t(cx - radius, cy - radius)
            b = t(cx + radius, cy + radius)
            d.ellipse([a[0], a[1], b[0] - 1, b[1] - 1], fill=255)
            r = radius - stroke
            a = t(cx - r, cy - r)
            b = t(cx + r, cy + r)
            d.ellipse([a[0], a[1], b[0] - 1, b[1] - 1], fill=0)

        self.Shape((cx - radius - 1, cy - radius - 1, cx + radius + 1, cy + radius + 1), colour, Paint)

    def Stroke(self, points, stroke, colour, caps=True):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        pad = stroke + 1

        def Paint(d, t):
            pts = [t(x, y) for x, y in points]
            d.line(pts, fill=255, width=int(round(stroke * SUPER)), joint="curve")
            if caps:
                r = stroke * SUPER / 2.0
                for px, py in (pts[0], pts[-1]):
                    d.ellipse([px - r, py - r, px + r - 1, py + r - 1], fill=255)

        self.Shape((min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad), colour, Paint)

    def Polygon(self, points, colour):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def Paint(d, t):
            d.polygon([t(x, y) for x, y in points], fill=255)

        self.Shape((min(xs) - 1, min(ys) - 1, max(xs) + 1, max(ys) + 1), colour, Paint)

    def Text(self, xy, text, size, colour, bold=False, anchor="la"):
        font = Font(size)
        self.draw.text(xy, text, font=font, fill=colour, anchor=anchor)
        if bold:
            self.draw.text((xy[0] + BoldOffset(size), xy[1]), text, font=font, fill=colour, anchor=anchor)

    def TextCentred(self, box, text, size, colour, bold=False, dx=0, dy=0):
        width = TextWidth(text, size, bold)
        x = box[0] + (box[2] - box[0] - width) / 2.0 + dx
        # Whole-pixel placement: a half-pixel baseline would blur every horizontal stroke.
        y = (box[1] + box[3]) // 2 + dy
        self.Text((int(round(x)), y), text, size, colour, bold, anchor="lm")

    def Paste(self, picture, xy):
        self.image.paste(picture, xy)

    def Composite(self, rgba, xy):
        region = (xy[0], xy[1], xy[0] + rgba.width, xy[1] + rgba.height)
        base = self.image.crop(region).convert("RGBA")
        self.image.paste(Image.alpha_composite(base, rgba).convert("RGB"), region[:2])
