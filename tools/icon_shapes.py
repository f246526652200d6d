"""Shapes, colours and the rasteriser Morvex's icons are drawn with.

A shape is a predicate inside(x, y) in pixel coordinates (0..N); a colour is
an (r, g, b) tuple or a function (x, y) -> (r, g, b). render() samples each
pixel on a fixed supersampling grid, so every run gives the same image.
"""

import math

SUPERSAMPLE = 8  # samples per pixel along each axis

# --------------------------------------------------------------------------
# Shapes: each is a predicate inside(x, y) in pixel coordinates (0..N).
# --------------------------------------------------------------------------


def circle(cx, cy, r):
    r2 = r * r
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r2


def rbox(x0, y0, x1, y1, r=0.0):
    """Axis-aligned box with rounded corners of radius r."""
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        dx = max(x0 + r - x, 0.0, x - (x1 - r))
        dy = max(y0 + r - y, 0.0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    return inside


def capsule(ax, ay, bx, by, width, round_caps=True):
    """Stroke from (ax, ay) to (bx, by) of the given width."""
    half = width / 2.0
    vx, vy = bx - ax, by - ay
    ll = vx * vx + vy * vy or 1e-12

    def inside(x, y):
        t = ((x - ax) * vx + (y - ay) * vy) / ll
        if not round_caps and (t < 0.0 or t > 1.0):
            return False
        t = min(1.0, max(0.0, t))
        px, py = ax + t * vx - x, ay + t * vy - y
        return px * px + py * py <= half * half
    return inside


def polygon(points):
    """Even-odd fill of a closed polygon."""
    pts = list(points)

    def inside(x, y):
        hit = False
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y):
                if x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    hit = not hit
            j = i
        return hit
    return inside


def arc_stroke(cx, cy, r, width, a0, a1):
    """Stroke along a circle arc, angles in degrees (0 = +x, 90 = +y/down)."""
    half = width / 2.0
    lo, hi = min(a0, a1), max(a0, a1)

    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - r) > half:
            return False
        a = math.degrees(math.atan2(y - cy, x - cx))
        for cand in (a - 360.0, a, a + 360.0):
            if lo <= cand <= hi:
                return True
        return False
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


# --------------------------------------------------------------------------
# Colours: constant (r, g, b) tuples or functions (x, y) -> (r, g, b).
# --------------------------------------------------------------------------


def mix(c0, c1, t):
    t = min(1.0, max(0.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def vgrad(y0, y1, c0, c1):
    span = (y1 - y0) or 1.0
    return lambda x, y: mix(c0, c1, (y - y0) / span)


def radial(cx, cy, r, c0, c1):
    return lambda x, y: mix(c0, c1, math.hypot(x - cx, y - cy) / r)


# --------------------------------------------------------------------------
# Rasteriser
# --------------------------------------------------------------------------


def render(size, layers, vote=False):
    """Render layers [(inside, colour, alpha), ...] back to front.

    Returns a list of rows of (r, g, b, a) floats: straight colour 0..255,
    coverage 0..1. With vote=True every pixel takes the colour (or the
    transparency) of most of its samples instead of their average, which
    keeps the flat-coloured images free of in-between shades.
    """
    n = SUPERSAMPLE
    offsets = [(i + 0.5) / n for i in range(n)]
    inv = 1.0 / (n * n)
    image = []
    for py in range(size):
        row = []
        for px in range(size):
            sr = sg = sb = sa = 0.0
            votes = {}
            for oy in offsets:
                y = py + oy
                for ox in offsets:
                    x = px + ox
                    r = g = b = a = 0.0  # premultiplied
                    for inside, colour, alpha in layers:
                        if inside(x, y):
                            c = colour(x, y) if callable(colour) else colour
                            k = 1.0 - alpha
                            r = c[0] * alpha + r * k
                            g = c[1] * alpha + g * k
                            b = c[2] * alpha + b * k
                            a = alpha + a * k
                    if vote:
                        key = (r, g, b, a) if a >= 0.5 else None
                        votes[key] = votes.get(key, 0) + 1
                    sr += r
                    sg += g
                    sb += b
                    sa += a
            if vote:
                best = max(votes.items(), key=lambda kv: kv[1])[0]
                if best is None:
                    row.append((0.0, 0.0, 0.0, 0.0))
                else:
                    r, g, b, a = best
                    row.append((r / a, g / a, b / a, 1.0))
                continue
            sa *= inv
            if sa > 1e-9:
                row.append((sr * inv / sa, sg * inv / sa, sb * inv / sa, sa))
            else:
                row.append((0.0, 0.0, 0.0, 0.0))
        image.append(row)
    return image
