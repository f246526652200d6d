#!/usr/bin/env python3
"""Draw Morvex's icons and write them as Windows .ico files.

Usage: make_icons.py OUTPUT_DIR

Writes two files into OUTPUT_DIR (created if missing):

  morvex.ico  the program icon: a stopwatch with a red "close" badge.
              Nine images: 32, 24 and 16 pixels, each at 4 bpp (16 colours,
              palettized), 8 bpp (256 colours, palettized) and 32 bpp
              (BGRA with alpha).
  deskr.ico   the icon of the autostart dialog: a program window with a
              shortcut arrow. Three images: 48, 32 and 16 pixels at 24 bpp.

Only the Python standard library is used. The artwork is described by simple
shapes (circles, rounded boxes, capsules, polygons) and rasterised with a
fixed supersampling grid, so every run writes the same bytes.

Per image:
  * 32 bpp: straight (non-premultiplied) alpha from the shape coverage; the
    AND mask marks the fully transparent pixels, whose colour is zero.
  * 24 / 8 / 4 bpp: a pixel is opaque when its coverage is at least one half;
    the AND mask marks the other pixels, which carry colour black (palette
    index 0), so that the classic "(screen AND mask) XOR image" blit leaves
    the screen untouched there.
  * 8 bpp: palette taken from the image (median cut when it has more than 255
    colours); 4 bpp: the standard 16-colour Windows palette.

Directory order: grouped by colour depth from the fewest colours to the most,
and within each depth from the largest size to the smallest, so the first
entry (32 x 32, 16 colours) can be shown by any consumer.
"""

import math
import os
import sys

sys.dont_write_bytecode = True  # the build leaves no cache beside the scripts

from icon_file import encode, ico_file
from icon_shapes import (arc_stroke, capsule, circle, polygon, radial,
                         rbox, render, union, vgrad)


# --------------------------------------------------------------------------
# Artwork: the program icon (stopwatch with a red close badge)
# --------------------------------------------------------------------------

NAVY_LIGHT = (64, 112, 196)
NAVY_DARK = (16, 40, 104)
FACE_CENTRE = (255, 255, 255)
FACE_EDGE = (214, 224, 240)
STEEL_LIGHT = (200, 208, 220)
STEEL_DARK = (96, 108, 128)
HAND = (24, 28, 40)
SECTOR = (255, 196, 180)
RED_LIGHT = (240, 64, 56)
RED_DARK = (176, 16, 16)
WHITE = (255, 255, 255)
SHADOW = (0, 0, 0)

# Flat colours for the 16-colour images: entries of the standard palette.
VGA_NAVY = (0, 0, 128)
VGA_GREY = (128, 128, 128)
VGA_SILVER = (192, 192, 192)
VGA_RED = (255, 0, 0)
VGA_BLACK = (0, 0, 0)


def stopwatch_layers(n, flat=False, shadow=False):
    """Layers of the program icon at size n (pixels).

    flat: use only colours of the standard 16-colour palette (no gradients).
    shadow: add a soft drop shadow (for the images with an alpha channel).
    """
    s = float(n)
    big = n >= 24
    # Centres sit on pixel centres so the 1-pixel strokes stay crisp.
    cx = math.floor(0.47 * s) + 0.5
    cy = math.floor(0.56 * s) + 0.5
    r_out = 0.405 * s
    rim = max(0.085 * s, 1.45)
    r_face = r_out - rim
    layers = []

    if shadow:
        d = max(1.0, s / 24.0)
        layers.append((circle(cx + d * 0.6, cy + d, r_out), SHADOW, 0.28))

    # Crown: a cap on a short stem above 12 o'clock.
    top = cy - r_out
    stem_w = max(2.0, round(0.14 * s))
    cap_h = max(1.6, 0.10 * s)
    cap_w = max(4.0, round(0.30 * s))
    cap_y0 = max(0.0, top - 0.18 * s)
    layers.append((rbox(cx - stem_w / 2.0, cap_y0 + cap_h * 0.5,
                        cx + stem_w / 2.0, top + rim),
                   VGA_GREY if flat else vgrad(cap_y0, top, STEEL_LIGHT,
                                               STEEL_DARK), 1.0))
    layers.append((rbox(cx - cap_w / 2.0, cap_y0, cx + cap_w / 2.0,
                        cap_y0 + cap_h, min(cap_h, 0.05 * s)),
                   VGA_NAVY if flat else vgrad(cap_y0, cap_y0 + cap_h,
                                               NAVY_LIGHT, NAVY_DARK), 1.0))

    # Side pusher at 45 degrees (not at 16 px, where it would only blur).
    if big:
        ux = uy = math.sqrt(0.5)
        p0 = (cx + ux * (r_out - rim), cy - uy * (r_out - rim))
        p1 = (cx + ux * (r_out + 0.09 * s), cy - uy * (r_out + 0.09 * s))
        layers.append((capsule(p0[0], p0[1], p1[0], p1[1], 0.11 * s, False),
                       VGA_GREY if flat else STEEL_DARK, 1.0))

    # Case (rim) and face.
    layers.append((circle(cx, cy, r_out),
                   VGA_NAVY if flat else vgrad(cy - r_out, cy + r_out,
                                               NAVY_LIGHT, NAVY_DARK), 1.0))
    layers.append((circle(cx, cy, r_face),
                   WHITE if flat else radial(cx - 0.25 * r_face,
                                             cy - 0.3 * r_face, 1.6 * r_face,
                                             FACE_CENTRE, FACE_EDGE), 1.0))

    # Running-time sector from 12 to 2 o'clock (larger sizes only).
    hand_angle = 60.0
    if big:
        sector_r = r_face * 0.86

        def sector(x, y, r2=sector_r * sector_r):
            dx, dy = x - cx, y - cy
            if dx * dx + dy * dy > r2:
                return False
            a = math.degrees(math.atan2(dx, -dy))  # 0 at 12, clockwise
            return 0.0 <= a <= hand_angle
        layers.append((sector, VGA_SILVER if flat else SECTOR, 1.0))

    # Tick marks: twelve at 32 px, four at 24 px.
    if big:
        count = 12 if n >= 32 else 4
        for i in range(count):
            a = math.radians(i * 360.0 / count)
            major = i % (count // 4) == 0
            l0 = r_face * (0.70 if major else 0.80)
            l1 = r_face * 0.93
            w = max(1.0, 0.05 * s) if major else max(0.8, 0.03 * s)
            sx, sy = math.sin(a), -math.cos(a)
            colour = HAND if major else (VGA_GREY if flat else STEEL_DARK)
            layers.append((capsule(cx + sx * l0, cy + sy * l0,
                                   cx + sx * l1, cy + sy * l1, w, False),
                           colour, 1.0))

    # Hands: a long one to 12 o'clock; at 24 px and more a shorter one to
    # 2 o'clock (at 16 px the badge would cover it); a hub.
    hand_w = max(1.0, round(0.055 * s))
    hand = VGA_BLACK if flat else HAND
    long_len = r_face * (0.80 if big else 0.92)
    layers.append((capsule(cx, cy, cx, cy - long_len, hand_w, big), hand,
                   1.0))
    if big:
        a = math.radians(hand_angle)
        short_len = r_face * 0.62
        layers.append((capsule(cx, cy, cx + math.sin(a) * short_len,
                               cy - math.cos(a) * short_len, hand_w),
                       hand, 1.0))
    layers.append((circle(cx, cy, max(0.9, 0.06 * s)), hand, 1.0))

    # Red close badge at the lower right: white halo, red disc, white X.
    # The X runs through pixel centres; at 16 px its arms are one-pixel
    # diagonals (a crisp 5 x 5 X) inside a slightly larger disc.
    bx = by = math.floor(0.73 * s) + 0.5
    br = 0.235 * s if big else 4.3
    halo = max(1.0, 0.045 * s)
    layers.append((circle(bx, by, br + halo), WHITE, 1.0))
    layers.append((circle(bx, by, br),
                   VGA_RED if flat else radial(bx - 0.35 * br, by - 0.4 * br,
                                               1.6 * br, RED_LIGHT,
                                               RED_DARK), 1.0))
    arm = br * 0.46 if big else 2.0
    xw = max(1.35, 0.075 * s) if big else 1.05
    layers.append((union(capsule(bx - arm, by - arm, bx + arm, by + arm, xw),
                         capsule(bx - arm, by + arm, bx + arm, by - arm, xw)),
                   WHITE, 1.0))
    return layers


# --------------------------------------------------------------------------
# Artwork: the autostart dialog icon (window with a shortcut arrow)
# --------------------------------------------------------------------------

FRAME = (72, 84, 104)
TITLE_LIGHT = (88, 152, 232)
TITLE_DARK = (24, 80, 176)
CLIENT = (250, 252, 255)
TEXT_LINE = (176, 188, 204)
GREEN_LIGHT = (96, 200, 88)
GREEN_DARK = (24, 128, 40)
ARROW_LIGHT = (56, 128, 232)
ARROW_DARK = (16, 64, 168)
BADGE_EDGE = (64, 64, 72)
CLOSE_RED = (224, 72, 64)


def deskr_layers(n):
    """Layers of the autostart dialog's icon at size n (pixels)."""
    s = float(n)
    small = n < 32
    layers = []
    # The window: dark frame, blue title bar, white client area.
    wx0, wy0 = round(0.08 * s), round(0.08 * s)
    wx1, wy1 = s - round(0.04 * s), s - round(0.16 * s)
    if small:
        wx0, wy0, wx1, wy1 = 1.0, 1.0, 16.0, 13.0
    border = max(1.0, round(0.025 * s))
    title_h = max(3.0, round(0.16 * s))
    layers.append((rbox(wx0, wy0, wx1, wy1, 0.0 if small else 0.04 * s),
                   FRAME, 1.0))
    layers.append((rbox(wx0 + border, wy0 + border, wx1 - border,
                        wy0 + border + title_h),
                   vgrad(wy0, wy0 + title_h, TITLE_LIGHT, TITLE_DARK), 1.0))
    cy0 = wy0 + border + title_h
    layers.append((rbox(wx0 + border, cy0, wx1 - border, wy1 - border),
                   CLIENT, 1.0))
    if not small:
        # Title-bar close button.
        bs = round(0.09 * s)
        bx1 = wx1 - border - round(0.03 * s)
        by0 = wy0 + border + round((title_h - bs) / 2.0)
        layers.append((rbox(bx1 - bs, by0, bx1, by0 + bs), CLOSE_RED, 1.0))
        # Two lines of text at the top of the client area.
        lx0 = wx0 + border + round(0.07 * s)
        lh = max(1.0, round(0.04 * s))
        y = cy0 + round(0.07 * s)
        for frac in (0.80, 0.55):
            lx1 = lx0 + (wx1 - border - round(0.07 * s) - lx0) * frac
            layers.append((rbox(lx0, y, round(lx1), y + lh), TEXT_LINE, 1.0))
            y += lh + max(2.0, round(0.06 * s))
    # Green "start" triangle at the right of the client area.
    if small:
        # Pixel staircase: columns of 7, 5, 3 and 1 pixels.
        tri = union(*[rbox(9.0 + i, 6.0 + i, 10.0 + i, 13.0 - i)
                      for i in range(4)])
        ty0, ty1 = 6.0, 13.0
    else:
        th = round(0.26 * s)
        tx0 = wx1 - border - round(0.10 * s) - round(0.9 * th)
        ty0 = round((y + wy1 - border - th) / 2.0 + 0.02 * s)
        ty1 = ty0 + th
        tri = polygon([(tx0, ty0), (tx0 + 0.9 * th, ty0 + th / 2.0),
                       (tx0, ty1)])
    layers.append((tri, vgrad(ty0, ty1, GREEN_LIGHT, GREEN_DARK), 1.0))

    # Shortcut badge: white box with a dark edge at the lower left.
    b = 8.0 if small else round(0.46 * s)
    bx0, by0 = 0.0, s - b
    bx1, by1 = b, s
    edge = max(1.0, round(0.03 * s))
    layers.append((rbox(bx0, by0, bx1, by1), BADGE_EDGE, 1.0))
    layers.append((rbox(bx0 + edge, by0 + edge, bx1 - edge, by1 - edge),
                   WHITE, 1.0))
    inner = b - 2 * edge
    ox, oy = bx0 + edge, by0 + edge
    grad = vgrad(oy, oy + inner, ARROW_LIGHT, ARROW_DARK)
    if small:
        # A pixel arrow pointing up and to the right: a one-pixel diagonal
        # and a head made of the top row and the right column.
        k = int(inner)
        for i in range(k - 1):
            layers.append((rbox(ox + i, oy + k - 1 - i, ox + i + 1,
                                oy + k - i), ARROW_DARK, 1.0))
        layers.append((union(rbox(ox + inner - 4, oy, ox + inner, oy + 1.0),
                             rbox(ox + inner - 1.0, oy, ox + inner,
                                  oy + 4.0)), ARROW_DARK, 1.0))
    else:
        # A thick stroke rising from the bottom and bending to the right,
        # ending in a head that points right.
        aw = inner * 0.22
        ar = inner * 0.46
        acx, acy = ox + inner * 0.62, oy + inner * 1.0
        layers.append((arc_stroke(acx, acy, ar, aw, 180.0, 272.0), grad,
                       1.0))
        layers.append((rbox(acx - ar - aw / 2.0, acy - 0.02 * inner,
                            acx - ar + aw / 2.0, oy + inner), grad, 1.0))
        hy = acy - ar
        hx0 = acx - 0.02 * inner
        layers.append((polygon([(hx0, hy - inner * 0.30),
                                (ox + inner * 0.97, hy),
                                (hx0, hy + inner * 0.30)]), grad, 1.0))
    return layers


# --------------------------------------------------------------------------


def build_program_icon():
    sizes = (32, 24, 16)
    entries = []
    for bpp in (4, 8, 32):
        for n in sizes:
            layers = stopwatch_layers(n, flat=(bpp == 4), shadow=(bpp == 32))
            image = render(n, layers, vote=(bpp == 4))
            entries.append((n, bpp, encode(image, bpp)))
    return ico_file(entries)


def build_deskr_icon():
    entries = []
    for n in (48, 32, 16):
        entries.append((n, 24, encode(render(n, deskr_layers(n)), 24)))
    return ico_file(entries)


def main(argv):
    if len(argv) == 2 and argv[1] in ('-h', '--help'):
        sys.stdout.write(__doc__)
        return 0
    # An option is never taken for the output's name.
    if len(argv) != 2 or argv[1].startswith('-'):
        sys.stderr.write('usage: make_icons.py OUTPUT_DIR\n')
        return 2
    out_dir = argv[1]
    os.makedirs(out_dir, exist_ok=True)
    for name, data in (('morvex.ico', build_program_icon()),
                       ('deskr.ico', build_deskr_icon())):
        path = os.path.join(out_dir, name)
        tmp = path + '.tmp'
        with open(tmp, 'wb') as f:
            f.write(data)
        os.replace(tmp, path)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
