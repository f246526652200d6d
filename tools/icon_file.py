"""Palettes and the Windows .ico format, for Morvex's icons.

encode() turns an image of render() into the data of one .ico entry at a
given colour depth; ico_file() puts the entries into one file.
"""

import struct


def clamp8(v):
    return max(0, min(255, int(round(v))))



# --------------------------------------------------------------------------
# Palettes
# --------------------------------------------------------------------------

VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def colour_distance(c0, c1):
    """Weighted RGB distance ("redmean"), good enough for picking colours."""
    rm = (c0[0] + c1[0]) / 2.0
    dr, dg, db = c0[0] - c1[0], c0[1] - c1[1], c0[2] - c1[2]
    return ((2.0 + rm / 256.0) * dr * dr + 4.0 * dg * dg
            + (2.0 + (255.0 - rm) / 256.0) * db * db)


def nearest(palette, colour, cache):
    hit = cache.get(colour)
    if hit is None:
        hit = min(range(len(palette)),
                  key=lambda i: (colour_distance(palette[i], colour), i))
        cache[colour] = hit
    return hit


def median_cut(colours, count):
    """Reduce a {colour: pixel count} histogram to at most `count` colours."""
    boxes = [sorted(colours.items())]
    while len(boxes) < count:
        best, best_key = None, None
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            ranges = [max(c[k] for c, _ in box) - min(c[k] for c, _ in box)
                      for k in range(3)]
            weight = sum(w for _, w in box)
            key = (max(ranges) * weight, -i)
            if best_key is None or key > best_key:
                best, best_key = i, key
        if best is None:
            break
        box = boxes.pop(best)
        ranges = [max(c[k] for c, _ in box) - min(c[k] for c, _ in box)
                  for k in range(3)]
        axis = ranges.index(max(ranges))
        box.sort(key=lambda item: (item[0][axis], item[0]))
        total = sum(w for _, w in box)
        acc, cut = 0, 1
        for j, (_, w) in enumerate(box):
            acc += w
            if acc * 2 >= total:
                cut = max(1, min(len(box) - 1, j + 1))
                break
        boxes[best:best] = [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        weight = sum(w for _, w in box)
        palette.append(tuple(
            clamp8(sum(c[k] * w for c, w in box) / weight) for k in range(3)))
    return palette


# --------------------------------------------------------------------------
# ICO encoding
# --------------------------------------------------------------------------


def opaque_pixels(image, threshold=0.5):
    """(colour or None) per pixel: None for transparent pixels."""
    return [[(clamp8(p[0]), clamp8(p[1]), clamp8(p[2]))
             if p[3] >= threshold else None for p in row] for row in image]


def and_mask(transparent_rows):
    """1-bpp AND mask, bottom-up, rows padded to 32 bits."""
    out = bytearray()
    for row in reversed(transparent_rows):
        bits = bytearray((len(row) + 31) // 32 * 4)
        for x, t in enumerate(row):
            if t:
                bits[x >> 3] |= 0x80 >> (x & 7)
        out += bits
    return bytes(out)


def bitmap_header(size, bpp, image_bytes, colours_used):
    return struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0,
                       image_bytes, 0, 0, colours_used, 0)


def encode_32(image):
    size = len(image)
    xor = bytearray()
    for row in reversed(image):
        for r, g, b, a in row:
            alpha = clamp8(a * 255.0)
            if alpha == 0:
                xor += b'\0\0\0\0'
            else:
                xor += bytes((clamp8(b), clamp8(g), clamp8(r), alpha))
    mask = and_mask([[clamp8(p[3] * 255.0) == 0 for p in row]
                     for row in image])
    return (bitmap_header(size, 32, len(xor) + len(mask), 0)
            + bytes(xor) + mask)


def encode_24(image):
    size = len(image)
    pixels = opaque_pixels(image)
    stride = (size * 3 + 3) // 4 * 4
    xor = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for c in row:
            line += bytes((c[2], c[1], c[0])) if c else b'\0\0\0'
        line += bytes(stride - len(line))
        xor += line
    mask = and_mask([[c is None for c in row] for row in pixels])
    return (bitmap_header(size, 24, len(xor) + len(mask), 0)
            + bytes(xor) + mask)


def encode_indexed(image, bpp):
    size = len(image)
    pixels = opaque_pixels(image)
    if bpp == 4:
        palette = list(VGA16)
    else:
        histogram = {}
        for row in pixels:
            for c in row:
                if c is not None:
                    histogram[c] = histogram.get(c, 0) + 1
        colours = (sorted(histogram) if len(histogram) <= 255
                   else median_cut(histogram, 255))
        palette = [(0, 0, 0)] + [c for c in colours if c != (0, 0, 0)]
        palette += [(0, 0, 0)] * (256 - len(palette))
    cache = {}
    rows = [[0 if c is None else nearest(palette, c, cache) for c in row]
            for row in pixels]
    stride = (size * bpp + 31) // 32 * 4
    xor = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, idx in enumerate(row):
            if bpp == 8:
                line[x] = idx
            else:
                line[x >> 1] |= idx << (4 if x % 2 == 0 else 0)
        xor += line
    mask = and_mask([[c is None for c in row] for row in pixels])
    pal = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    return (bitmap_header(size, bpp, len(xor) + len(mask), 0)
            + pal + bytes(xor) + mask)


def ico_file(entries):
    """entries: [(size, bpp, image_data)] in directory order."""
    header = struct.pack('<HHH', 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    directory = bytearray()
    blobs = bytearray()
    for size, bpp, data in entries:
        colour_count = 16 if bpp == 4 else (2 if bpp == 1 else 0)
        directory += struct.pack('<BBBBHHII', size % 256, size % 256,
                                 colour_count, 0, 1, bpp, len(data), offset)
        blobs += data
        offset += len(data)
    return header + bytes(directory) + bytes(blobs)


def encode(image, bpp):
    if bpp == 32:
        return encode_32(image)
    if bpp == 24:
        return encode_24(image)
    return encode_indexed(image, bpp)
