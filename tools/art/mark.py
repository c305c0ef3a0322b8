"""The tool's own mark: a monitor showing a check, for the icon and the title."""

from PIL import Image, ImageDraw

import look

_SUPER = 8


def _Layer(size, colour, painter):
    unit = size / 48.0 * _SUPER
    mask = Image.new("L", (size * _SUPER, size * _SUPER), 0)
    painter(ImageDraw.Draw(mask), lambda v: v * unit, unit)
    layer = Image.new("RGBA", (size, size), colour + (0,))
    layer.putalpha(mask.reduce(_SUPER))
    return layer


def _Box(x0, y0, x1, y1, radius):
    def Paint(d, s, unit):
        d.rounded_rectangle([s(x0), s(y0), s(x1) - 1, s(y1) - 1], radius=radius * unit, fill=255)

    return Paint


def _Check(points, width):
    def Paint(d, s, unit):
        pts = [(s(x), s(y)) for x, y in points]
        w = max(width * unit, 2 * _SUPER)  # at 16 px a thinner tick turns to mush
        d.line(pts, fill=255, width=int(round(w)), joint="curve")
        r = w / 2.0
        for px, py in (pts[0], pts[-1]):
            d.ellipse([px - r, py - r, px + r - 1, py + r - 1], fill=255)

    return Paint


def Render(size):
    """RGBA picture of the mark, size x size. The 48-unit grid lands on whole
    pixels at 48, 32 and 16, so the small icons keep sharp edges."""
    layers = (
        (look.ACCENT_DARK, _Box(12, 42, 36, 45, 1.5)),
        (look.ACCENT_DARK, _Box(21, 35, 27, 42, 0)),
        (look.ACCENT, _Box(3, 6, 45, 36, 4)),
        (look.WHITE, _Box(6, 9, 42, 33, 1)),
        (look.MARK_RED, _Check(((15, 21.5), (21.5, 27.5), (33, 14.5)), 5)),
    )
    picture = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    for colour, painter in layers:
        picture = Image.alpha_composite(picture, _Layer(size, colour, painter))
    return picture
