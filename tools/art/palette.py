"""One 256-colour table for every picture.

The buttons are painted while the start page's palette is selected, so all
pictures share one table. Flat colours that cover real areas are kept
exactly (a control's corners must match the background under it); the
anti-aliasing shades in between are summarised by median cut and refined
with a few rounds of k-means, then every pixel takes its nearest entry
without dithering, which keeps text edges clean.
"""

import math
from collections import Counter

from PIL import Image

_FLAT_MIN_PIXELS = 120
_MAX_FLAT = 112
_REFINE_ROUNDS = 6


def _Weight(count):
    return int(math.ceil(math.sqrt(count)))


def _Distance(a, b):
    dr = a[0] - b[0]
    dg = a[1] - b[1]
    db = a[2] - b[2]
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db


def _Nearest(colour, table):
    best = 0
    bestDistance = None
    for i, entry in enumerate(table):
        d = _Distance(colour, entry)
        if bestDistance is None or d < bestDistance:
            best, bestDistance = i, d
            if d == 0:
                break
    return best


def _Histogram(images):
    counts = Counter()
    for image in images:
        for count, colour in image.getcolors(image.width * image.height):
            counts[colour] += count
    return counts


def _Refine(seeds, fixed, colours):
    """k-means on the shading colours; flat entries stay put but attract too."""
    table = list(fixed) + list(seeds)
    for _ in range(_REFINE_ROUNDS):
        sums = [[0, 0, 0, 0] for _ in table]
        for colour, weight in colours:
            s = sums[_Nearest(colour, table)]
            s[0] += colour[0] * weight
            s[1] += colour[1] * weight
            s[2] += colour[2] * weight
            s[3] += weight
        moved = list(fixed)
        for i in range(len(fixed), len(table)):
            s = sums[i]
            if s[3]:
                moved.append((int(round(s[0] / s[3])), int(round(s[1] / s[3])), int(round(s[2] / s[3]))))
            else:
                moved.append(table[i])
        table = moved
    return table[len(fixed):]


def Build(images):
    counts = _Histogram(images)
    ordered = sorted(counts.items(), key=lambda item: (-item[1], item[0]))
    flat = [(0, 0, 0), (255, 255, 255)]
    for colour, count in ordered:
        if count < _FLAT_MIN_PIXELS or len(flat) >= _MAX_FLAT:
            break
        if colour not in flat:
            flat.append(colour)
    flatSet = set(flat)
    # Square-root weights: edge shades are rare but each one is seen on a glyph.
    shading = [(c, _Weight(n)) for c, n in sorted(counts.items()) if c not in flatSet]
    free = 256 - len(flat)
    if len(shading) <= free:
        extra = [c for c, _ in shading]
    else:
        samples = []
        for colour, weight in shading:
            samples.extend([colour] * weight)
        strip = Image.new("RGB", (len(samples), 1))
        strip.putdata(samples)
        quantised = strip.quantize(colors=free, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
        raw = quantised.getpalette()[:3 * free]
        seeds = []
        for i in range(0, len(raw), 3):
            entry = tuple(raw[i:i + 3])
            if entry not in flatSet and entry not in seeds:
                seeds.append(entry)
        extra = _Refine(seeds, flat, shading)
    table = list(flat)
    for colour in sorted(set(extra)):
        if colour not in flatSet:
            table.append(colour)
    grey = 0
    while len(table) < 256:
        candidate = (grey, grey, grey)
        if candidate not in table:
            table.append(candidate)
        grey = (grey + 37) % 256
    return table[:256]


class Mapper:
    def __init__(self, table):
        self.table = table
        self._cache = {colour: i for i, colour in reversed(list(enumerate(table)))}

    def Index(self, colour):
        index = self._cache.get(colour)
        if index is None:
            index = _Nearest(colour, self.table)
            self._cache[colour] = index
        return index

    def Map(self, image):
        """Palette indices of an RGB picture, top row first."""
        for _, colour in image.getcolors(image.width * image.height):
            self.Index(colour)
        cache = self._cache
        return bytes(cache[p] for p in image.getdata())

    def Colours(self, image):
        """The picture as it will look once mapped, for previews and checks."""
        mapped = Image.frombytes("P", image.size, self.Map(image))
        flat = []
        for r, g, b in self.table:
            flat.extend((r, g, b))
        mapped.putpalette(flat)
        return mapped.convert("RGB")
