"""Writers for the two file formats the resource script takes in."""

import struct

PELS_PER_METRE = 2835  # 72 dpi, fixed so that builds are byte-identical


def RowStride(width, bitsPerPixel):
    return (width * bitsPerPixel + 31) // 32 * 4


def Bmp8(width, height, indices, palette):
    """8-bit bottom-up BI_RGB bitmap. indices: top-down row-major bytes;
    palette: exactly 256 (r, g, b) tuples."""
    if len(palette) != 256:
        raise ValueError("palette must have 256 entries, not %d" % len(palette))
    if len(indices) != width * height:
        raise ValueError("expected %d pixels, got %d" % (width * height, len(indices)))
    stride = RowStride(width, 8)
    padding = bytes(stride - width)
    rows = []
    for y in range(height - 1, -1, -1):
        rows.append(indices[y * width:(y + 1) * width])
        rows.append(padding)
    pixels = b"".join(rows)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), PELS_PER_METRE,
                       PELS_PER_METRE, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + table + pixels


def _IconImage(rgba):
    width, height = rgba.size
    pixels = rgba.load()
    colour = []
    maskStride = RowStride(width, 1)
    mask = []
    for y in range(height - 1, -1, -1):
        bits = bytearray(maskStride)
        for x in range(width):
            r, g, b, a = pixels[x, y]
            colour.append(struct.pack("<BBBB", b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask.append(bytes(bits))
    body = b"".join(colour) + b"".join(mask)
    # The icon header counts the colour and mask halves, hence twice the height.
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(body), 0, 0, 0, 0)
    return info + body


def Ico(images):
    """Icon file with one 32-bit BGRA entry plus AND mask per RGBA image."""
    blobs = [_IconImage(im) for im in images]
    out = [struct.pack("<HHH", 0, 1, len(blobs))]
    offset = 6 + 16 * len(blobs)
    for im, blob in zip(images, blobs):
        w, h = im.size
        out.append(struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset))
        offset += len(blob)
    return b"".join(out) + b"".join(blobs)
