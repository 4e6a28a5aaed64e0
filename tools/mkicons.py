#!/usr/bin/env python3
"""Draw Vornish's icons and write them as .ico files with every size Windows asks for.

    python3 tools/mkicons.py            regenerate res/icons/*.ico and verify them
    python3 tools/mkicons.py --check    verify the existing files only and draw a
                                        contact sheet (default /tmp/icons-sheet.png)

Every picture is drawn as vector shapes (polygons, circles, rounded
rectangles, bands) on a 32-unit square and rasterised here with anti-aliased
edges.  At sizes up to 64 pixels the shapes' straight edges are snapped to
whole pixels so outlines stay one clean pixel (or two) wide; the largest sizes
get extra shading.  Where whole pixels matter more (all 16-pixel images, and a
few 20 to 32 pixel ones) a hand-drawn image takes the place of the vector one:
pixel art, one character per pixel, that can be touched up in a text editor.
Its characters are listed in ART_COLOURS below.

Every image is 32-bit BGRA with an alpha channel.  Images up to 64 pixels are
stored as 32-bit DIBs with an AND mask (what every icon loader understands);
256-pixel images are stored PNG-compressed, as Windows Vista and later expect.
Only the Python standard library is used.
"""

import argparse
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "res", "icons")

APP_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
IMAGE_SIZES = (16, 24, 32, 48, 64)
PNG_FROM = 256          # images this large are stored as PNG, smaller ones as DIBs


# ---------------------------------------------------------------------------
# Colours
# ---------------------------------------------------------------------------

def rgb(hexcode, alpha=1.0):
    """'#rrggbb' -> (r, g, b, a) with r, g, b in 0..255 and a in 0..1."""
    h = hexcode.lstrip("#")
    return (int(h[0:2], 16), int(h[2:4], 16), int(h[4:6], 16), alpha)


def mix(c0, c1, t):
    """Linear blend of two colours, t = 0 gives c0."""
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def shade(c, k):
    """k > 0 lightens towards white, k < 0 darkens towards black."""
    if k >= 0:
        return mix(c, (255, 255, 255, c[3]), k)
    return mix(c, (0, 0, 0, c[3]), -k)


def linear(p0, p1, *stops):
    """Paint: a linear gradient from design point p0 to p1 through (t, colour) stops."""
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    d2 = dx * dx + dy * dy or 1.0

    def paint(x, y):
        return _at(stops, ((x - p0[0]) * dx + (y - p0[1]) * dy) / d2)
    return paint


def radial(centre, radius, *stops):
    """Paint: a radial gradient around a design point through (t, colour) stops."""
    def paint(x, y):
        return _at(stops, math.hypot(x - centre[0], y - centre[1]) / radius)
    return paint


def _at(stops, t):
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / ((t1 - t0) or 1.0))
    return stops[-1][1]


# The classic 16-colour family the icons have always used, plus the dark line
# colour of the outlines.
INK = rgb("#141420")            # outlines
WHITE = rgb("#FFFFFF")
SILVER = rgb("#C0C0C0")
GREY = rgb("#808080")
RED = rgb("#FF0000")
MAROON = rgb("#800000")
GREEN = rgb("#00FF00")
DKGREEN = rgb("#008000")
BLUE = rgb("#0000FF")
NAVY = rgb("#000080")
YELLOW = rgb("#FFFF00")
OLIVE = rgb("#808000")
MAGENTA = rgb("#FF00FF")
PURPLE = rgb("#800080")
CYAN = rgb("#00FFFF")
TEAL = rgb("#008080")
CLEAR = (0, 0, 0, 0.0)


# ---------------------------------------------------------------------------
# Rasteriser: non-zero / even-odd polygon fill with exact horizontal coverage
# and 16 sub-scanlines per pixel row
# ---------------------------------------------------------------------------

SUBROWS = 16


def coverage(contours, n, rule="nonzero"):
    """Per-pixel coverage (0..1) of closed contours in pixel coordinates.

    Returns a list of n rows; a row is None where nothing is covered."""
    edges = []
    for c in contours:
        m = len(c)
        for i in range(m):
            x0, y0 = c[i]
            x1, y1 = c[(i + 1) % m]
            if y0 == y1:
                continue
            d = 1
            if y0 > y1:
                x0, y0, x1, y1, d = x1, y1, x0, y0, -1
            edges.append((y0, y1, x0, (x1 - x0) / (y1 - y0), d))
    rows = [None] * n
    if not edges:
        return rows
    top = max(0, int(math.floor(min(e[0] for e in edges))))
    bottom = min(n, int(math.ceil(max(e[1] for e in edges))))
    w = 1.0 / SUBROWS
    evenodd = rule == "evenodd"
    for py in range(top, bottom):
        active = [e for e in edges if e[0] < py + 1 and e[1] > py]
        if not active:
            continue
        acc = [0.0] * (n + 2)       # running (difference) coverage
        part = [0.0] * (n + 2)      # partial coverage at span ends
        hit = False
        for k in range(SUBROWS):
            sy = py + (k + 0.5) * w
            xs = sorted((xa + (sy - ya) * sl, d) for (ya, yb, xa, sl, d) in active if ya <= sy < yb)
            wind = 0
            start = 0.0
            for x, d in xs:
                was = (wind & 1) if evenodd else wind != 0
                wind += d
                now = (wind & 1) if evenodd else wind != 0
                if now and not was:
                    start = x
                elif was and not now:
                    a = start if start > 0.0 else 0.0
                    b = x if x < n else float(n)
                    if b <= a:
                        continue
                    hit = True
                    ia, ib = int(a), int(b)
                    if ia == ib:
                        part[ia] += (b - a) * w
                    else:
                        part[ia] += (ia + 1 - a) * w
                        acc[ia + 1] += w
                        acc[ib] -= w
                        part[ib] += (b - ib) * w
        if not hit:
            continue
        row = [0.0] * n
        s = 0.0
        for x in range(n):
            s += acc[x]
            c = s + part[x]
            row[x] = 1.0 if c > 0.999 else (c if c > 0.002 else 0.0)
        rows[py] = row
    return rows


class Canvas:
    """n x n premultiplied RGBA, values 0..1."""

    def __init__(self, n):
        self.n = n
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(n * n)]

    def paint(self, cov, paint, opacity=1.0, mask=None, to_design=1.0):
        n = self.n
        solid = not callable(paint)
        for py, row in enumerate(cov):
            if row is None:
                continue
            mrow = mask[py] if mask is not None else None
            if mask is not None and mrow is None:
                continue
            base = py * n
            for x in range(n):
                c = row[x]
                if c == 0.0:
                    continue
                if mrow is not None:
                    c *= mrow[x]
                    if c == 0.0:
                        continue
                col = paint if solid else paint((x + 0.5) / to_design, (py + 0.5) / to_design)
                a = col[3] * c * opacity
                if a <= 0.0:
                    continue
                p = self.px[base + x]
                k = 1.0 - a
                p[0] = col[0] / 255.0 * a + p[0] * k
                p[1] = col[1] / 255.0 * a + p[1] * k
                p[2] = col[2] / 255.0 * a + p[2] * k
                p[3] = a + p[3] * k

    def pixels(self):
        """Rows of straight-alpha (r, g, b, a) bytes; fully clear pixels are (0, 0, 0, 0)."""
        n = self.n
        out = []
        for y in range(n):
            row = []
            for x in range(n):
                r, g, b, a = self.px[y * n + x]
                ia = int(a * 255.0 + 0.5)
                if ia <= 0:
                    row.append((0, 0, 0, 0))
                    continue
                row.append((min(255, int(r / a * 255.0 + 0.5)), min(255, int(g / a * 255.0 + 0.5)),
                            min(255, int(b / a * 255.0 + 0.5)), min(255, ia)))
            out.append(row)
        return out


# ---------------------------------------------------------------------------
# Geometry (pixel space unless said otherwise)
# ---------------------------------------------------------------------------

def _arc(cx, cy, r, a0, a1, steps=None):
    """Points on a circular arc from angle a0 to a1 (radians, y down)."""
    if steps is None:
        steps = max(2, int(abs(a1 - a0) * max(r, 1.0) / 0.7))
    return [(cx + r * math.cos(a0 + (a1 - a0) * i / steps),
             cy + r * math.sin(a0 + (a1 - a0) * i / steps)) for i in range(steps + 1)]


def ellipse_px(cx, cy, rx, ry):
    steps = max(16, int(2 * math.pi * max(rx, ry) / 0.6))
    return [(cx + rx * math.cos(2 * math.pi * i / steps), cy + ry * math.sin(2 * math.pi * i / steps))
            for i in range(steps)]


def rrect_px(x0, y0, x1, y1, r):
    r = max(0.0, min(r, (x1 - x0) / 2.0, (y1 - y0) / 2.0))
    if r < 0.05:
        return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]
    h = math.pi / 2
    return (_arc(x1 - r, y0 + r, r, -h, 0) + _arc(x1 - r, y1 - r, r, 0, h)
            + _arc(x0 + r, y1 - r, r, h, 2 * h) + _arc(x0 + r, y0 + r, r, 2 * h, 3 * h))


def area(c):
    return 0.5 * sum(c[i][0] * c[(i + 1) % len(c)][1] - c[(i + 1) % len(c)][0] * c[i][1]
                     for i in range(len(c)))


def oriented(c, positive=True):
    """The contour with a chosen winding, so several of them fill as a union."""
    return list(c) if (area(c) > 0) == positive else list(reversed(c))


def offset(c, d):
    """Move every edge of a simple polygon inwards by d (outwards for d < 0),
    with mitred corners."""
    c = [p for i, p in enumerate(c) if math.hypot(p[0] - c[i - 1][0], p[1] - c[i - 1][1]) > 1e-9]
    m = len(c)
    sign = 1.0 if area(c) > 0 else -1.0
    lines = []
    for i in range(m):
        (x0, y0), (x1, y1) = c[i], c[(i + 1) % m]
        L = math.hypot(x1 - x0, y1 - y0)
        nx, ny = -(y1 - y0) / L * sign, (x1 - x0) / L * sign     # inward normal
        lines.append(((x0 + nx * d, y0 + ny * d), ((x1 - x0) / L, (y1 - y0) / L)))
    out = []
    for i in range(m):
        (p, u), (q, v) = lines[i - 1], lines[i]
        den = u[0] * v[1] - u[1] * v[0]
        if abs(den) < 1e-6:
            out.append(q)
            continue
        t = ((q[0] - p[0]) * v[1] - (q[1] - p[1]) * v[0]) / den
        x, y = p[0] + u[0] * t, p[1] + u[1] * t
        # keep very sharp corners from shooting far out
        ox, oy = c[i]
        lim = 3.0 * abs(d)
        dist = math.hypot(x - ox, y - oy)
        if dist > lim and dist > 0:
            x, y = ox + (x - ox) * lim / dist, oy + (y - oy) * lim / dist
        out.append((x, y))
    return out


def band(p0, p1, w0, w1=None):
    """A straight band from p0 to p1, w0 wide at p0 and w1 at p1 (square ends)."""
    w1 = w0 if w1 is None else w1
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    L = math.hypot(dx, dy)
    nx, ny = -dy / L, dx / L
    return [(p0[0] + nx * w0 / 2, p0[1] + ny * w0 / 2), (p1[0] + nx * w1 / 2, p1[1] + ny * w1 / 2),
            (p1[0] - nx * w1 / 2, p1[1] - ny * w1 / 2), (p0[0] - nx * w0 / 2, p0[1] - ny * w0 / 2)]


def capsule(p0, p1, r):
    """A band with round ends (a finger, a filament)."""
    a = math.atan2(p1[1] - p0[1], p1[0] - p0[0])
    h = math.pi / 2
    return _arc(p1[0], p1[1], r, a - h, a + h) + _arc(p0[0], p0[1], r, a + h, a + 3 * h)


def rotate(points, angle, centre):
    ca, sa = math.cos(angle), math.sin(angle)
    cx, cy = centre
    return [(cx + (x - cx) * ca - (y - cy) * sa, cy + (x - cx) * sa + (y - cy) * ca) for x, y in points]


def snap(v):
    return math.floor(v + 0.5)


class Pen:
    """Draws one picture at one size: design units (a 32-unit square) to pixels.

    With snapping on (sizes up to 64), corner points of straight shapes land on
    whole pixels so their edges are sharp."""

    def __init__(self, n):
        self.n = n
        self.s = n / 32.0
        self.snapping = n <= 64
        self.canvas = Canvas(n)
        # outline width in whole pixels: one up to 48, then growing slowly
        self.lw = 1.0 if n <= 48 else float(max(2, snap(n / 40.0)))

    # design units -> pixels
    def v(self, u, snapped=True):
        p = u * self.s
        return snap(p) if (snapped and self.snapping) else p

    def pt(self, x, y, snapped=True):
        return (self.v(x, snapped), self.v(y, snapped))

    def poly(self, points, snapped=True):
        return [self.pt(x, y, snapped) for x, y in points]

    def rect(self, x0, y0, x1, y1, inset=0.0):
        a, b, c, d = self.v(x0), self.v(y0), self.v(x1), self.v(y1)
        return [(a + inset, b + inset), (c - inset, b + inset), (c - inset, d - inset), (a + inset, d - inset)]

    def rrect(self, x0, y0, x1, y1, r, inset=0.0):
        a, b, c, d = self.v(x0), self.v(y0), self.v(x1), self.v(y1)
        return rrect_px(a + inset, b + inset, c - inset, d - inset, max(0.0, r * self.s - inset))

    def circle(self, cx, cy, r, inset=0.0):
        """A circle whose bounding box is snapped to whole pixels."""
        x0, x1 = self.v(cx - r), self.v(cx + r)
        y0, y1 = self.v(cy - r), self.v(cy + r)
        rx, ry = (x1 - x0) / 2.0 - inset, (y1 - y0) / 2.0 - inset
        return ellipse_px((x0 + x1) / 2.0, (y0 + y1) / 2.0, rx, ry)

    # drawing
    def cover(self, contours, rule="nonzero"):
        if contours and isinstance(contours[0], tuple):
            contours = [contours]
        return coverage(contours, self.n, rule)

    def fill(self, contours, paint, rule="nonzero", opacity=1.0, mask=None):
        self.canvas.paint(self.cover(contours, rule), paint, opacity, mask, self.s)

    def union(self, *contours):
        return [oriented(c) for c in contours]

    def layers(self, contour, *fills):
        """Fill a shape, then the same shape inset by each (inset_px, paint) in turn."""
        for d, paint in fills:
            self.fill(offset(contour, d) if d else contour, paint)

    def pixels(self):
        return self.canvas.pixels()


# ---------------------------------------------------------------------------
# Pixel art
# ---------------------------------------------------------------------------

# Characters of the hand-drawn images.  The 16 classic colours keep their old
# letters; the rest are in-between shades the 32-bit images can afford.
ART_COLOURS = {
    ".": CLEAR,
    "K": INK, "W": WHITE, "s": SILVER, "d": GREY,
    "R": RED, "r": MAROON, "G": GREEN, "g": DKGREEN,
    "Y": YELLOW, "y": OLIVE, "B": BLUE, "b": NAVY,
    "M": MAGENTA, "m": PURPLE, "C": CYAN, "c": TEAL,
    "e": rgb("#E4E4E4"),        # off-white (shaded white)
    "a": rgb("#A0A0A0"),        # mid grey
    "h": rgb("#5A5A5A"),        # dark grey
    "l": rgb("#3C6EFF"),        # light blue
    "i": rgb("#A8ECFF"),        # ice blue (highlights on blue)
    "n": rgb("#0000B4"),        # deep blue
    "p": rgb("#FFA0FF"),        # light magenta
    "o": rgb("#FFC800"),        # golden yellow
    "u": rgb("#FFFFA0"),        # pale yellow
    "t": rgb("#C89600"),        # amber (lamp rays)
    "P": rgb("#C00000"),        # deep red
    "q": rgb("#00C000"),        # mid green
    "x": rgb("#000000", 0.35),  # soft shadow
}


def art(text, paints=None):
    """A hand-drawn image: rows of characters -> rows of (r, g, b, a) bytes.

    `paints` may map characters to paint functions (design coordinates), so a
    drawn area can carry the same gradient as the vector drawing."""
    rows = [line.strip() for line in text.strip("\n").split("\n")]
    n = len(rows)
    out = []
    for y, line in enumerate(rows):
        if len(line) != n:
            raise ValueError("row %d is %d wide, expected %d" % (y, len(line), n))
        row = []
        for x, ch in enumerate(line):
            if paints and ch in paints:
                r, g, b, a = paints[ch]((x + 0.5) * 32.0 / n, (y + 0.5) * 32.0 / n)
            elif ch in ART_COLOURS:
                r, g, b, a = ART_COLOURS[ch]
            else:
                raise ValueError("unknown colour %r in row %d" % (ch, y))
            row.append((0, 0, 0, 0) if a == 0 else (int(r + 0.5), int(g + 0.5), int(b + 0.5), int(a * 255 + 0.5)))
        out.append(row)
    return out


def turn(text, quarters):
    """A drawing turned a quarter clockwise `quarters` times."""
    rows = [line.strip() for line in text.strip("\n").split("\n")]
    for _ in range(quarters % 4):
        n = len(rows)
        rows = ["".join(rows[n - 1 - x][y] for x in range(n)) for y in range(n)]
    return "\n".join(rows)


# ---------------------------------------------------------------------------
# Pictures (vector).  Coordinates are design units on a 32 x 32 square; paint
# functions receive design coordinates too.
# ---------------------------------------------------------------------------

def _block(p, x0, y0, x1, y1):
    """A grey raised block: dark edge, white top-left bevel, grey bottom-right."""
    lw = p.lw
    bev = max(1.0, snap(p.n / 36.0))
    a, b, c, d = p.v(x0), p.v(y0), p.v(x1), p.v(y1)
    r = 0.5 * p.s if p.n > 32 else 0.0
    p.fill(rrect_px(a, b, c, d, r), INK)
    p.fill(rrect_px(a + lw, b + lw, c - lw, d - lw, max(0.0, r - lw)), WHITE)
    p.fill([(a + lw + bev, b + lw + bev), (c - lw, b + lw + bev), (c - lw, d - lw), (a + lw + bev, d - lw)],
           GREY)
    p.fill([(c - lw, b + lw), (c - lw - bev, b + lw + bev), (c - lw, b + lw + bev)], GREY)
    p.fill([(a + lw, d - lw), (a + lw + bev, d - lw - bev), (a + lw + bev, d - lw)], GREY)
    face = linear((0, y0), (0, y1), (0.0, rgb("#D4D4D4")), (1.0, rgb("#B4B4B4"))) if p.n >= 48 else SILVER
    p.fill([(a + lw + bev, b + lw + bev), (c - lw - bev, b + lw + bev), (c - lw - bev, d - lw - bev),
            (a + lw + bev, d - lw - bev)], face)


def draw_app(p):
    """A magenta-and-yellow chequered stroke rising from grey blocks towards a blue bar."""
    lw = p.lw
    # the blue bar
    bar = p.rrect(1, 1.5, 31, 9, 1.5)
    p.layers(bar, (0, INK),
             (lw, linear((0, 1.5), (0, 9), (0.0, rgb("#5A82FF")), (0.35, BLUE), (1.0, rgb("#00009C")))))
    if p.n >= 40:           # a gloss over the bar's upper half
        p.fill(p.rrect(1, 1.5, 31, 5.25, 1.5, inset=lw), rgb("#FFFFFF", 0.16))
    p.fill(p.rrect(3, 3, 29, 4, 0.5), rgb("#A8ECFF", 0.95))
    # the chequered stroke, drawn first so the blocks cover its root: a band
    # cut out of a chequerboard whose squares sit on the pixel grid
    a, b = p.pt(14.0, 23.5, False), p.pt(26.5, 12.5, False)
    stroke = band(a, b, 3.5 * p.s, 7.5 * p.s)
    p.fill(offset(stroke, -lw), INK)
    p.fill(stroke, YELLOW)
    cell = max(2, snap(2.0 * p.s))
    squares = []
    for cy in range(0, p.n, cell):
        for cx in range(0, p.n, cell):
            if (cx // cell + cy // cell) % 2 == 0:
                squares.append(oriented([(cx, cy), (cx + cell, cy), (cx + cell, cy + cell), (cx, cy + cell)]))
    inside = p.cover(stroke)
    p.fill(squares, MAGENTA, mask=inside)
    if p.n >= 48:           # light from the upper left across the band
        mid = ((a[0] + b[0]) / 2 / p.s, (a[1] + b[1]) / 2 / p.s)
        ux, uy = (b[1] - a[1]), -(b[0] - a[0])        # across the band, towards the upper left
        k = 3.0 / math.hypot(ux, uy)
        p.fill(stroke, linear((mid[0] + ux * k, mid[1] + uy * k), (mid[0] - ux * k, mid[1] - uy * k),
                              (0.0, rgb("#FFFFFF", 0.45)), (0.45, rgb("#FFFFFF", 0.0)),
                              (0.6, rgb("#000000", 0.0)), (1.0, rgb("#000000", 0.22))))
    # the blocks
    _block(p, 6.5, 13, 15.5, 22)
    for x in (1.5, 11.5, 21.5):
        _block(p, x, 22, x + 9, 31)


def draw_cloud(p):
    """A white cloud."""
    lw = p.lw
    puffs = [(15.5, 13.5, 6.5), (8.5, 18.5, 4.5), (22.5, 16.0, 5.0)]
    base = (2.5, 17.5, 29.5, 25.5, 4.0)
    outer = [p.circle(x, y, r) for x, y, r in puffs] + [p.rrect(*base)]
    p.fill(p.union(*[offset(c, -lw) for c in outer]), INK)
    body = linear((0, 12), (0, 25.5), (0.0, WHITE), (0.55, WHITE), (1.0, rgb("#C4CCD8")))
    p.fill(p.union(*outer), body)


ARROW_BLUE = linear((8, 4), (24, 28), (0.0, rgb("#4C78FF")), (0.45, BLUE), (1.0, rgb("#0000B0")))


def draw_arrow(p, quarter):
    """The blue arrow with a white rim, pointing left turned `quarter` times clockwise."""
    lw = p.lw
    pts = [(2, 16), (16, 2), (16, 10), (30, 10), (30, 22), (16, 22), (16, 30)]
    pts = rotate(pts, quarter * math.pi / 2, (16, 16))
    arrow = p.poly([(round(x, 6), round(y, 6)) for x, y in pts])
    rim = max(1.0, snap(p.n / 20.0))
    p.layers(arrow, (0, INK), (lw, WHITE), (lw + rim, ARROW_BLUE))


def draw_nodrop(p):
    """A red circle with a diagonal bar."""
    lw = p.lw
    c, r_out, r_in = 16.0, 15.0, 10.0
    red = linear((6, 4), (26, 28), (0.0, rgb("#FF5A5A")), (0.4, RED), (1.0, rgb("#A00000")))
    outer = p.circle(c, c, r_out)
    p.fill(outer, INK)
    p.fill(offset(outer, lw), red)
    inner = p.circle(c, c, r_in)
    p.fill(inner, INK)
    p.fill(offset(inner, lw), WHITE)
    # the bar, clipped to the white disc
    disc = p.cover(inner)
    a = p.pt(5.0, 5.0, False)
    b = p.pt(27.0, 27.0, False)
    w = 5.0 * p.s
    p.fill(band(a, b, w + 2 * lw), INK, mask=disc)
    p.fill(band(a, b, w), red, mask=disc)


def draw_bulb(p):
    """A yellow light bulb on a stand."""
    lw = p.lw
    glass = [p.circle(16, 10.5, 8.0), p.poly([(10.0, 15.0), (22.0, 15.0), (19.5, 21.0), (12.5, 21.0)])]
    p.fill(p.union(*[offset(c, -lw) for c in glass]), INK)
    p.fill(p.union(*glass), radial((13.0, 7.5), 11.0, (0.0, rgb("#FFFFF0")), (0.25, rgb("#FFFF70")),
                                   (0.6, YELLOW), (1.0, rgb("#E0B400"))))
    # filament: a plain loop where pixels are few, a coil where there is room
    fil = rgb("#A08000")
    if p.n <= 32:
        p.fill(p.union(p.rect(13.5, 14.5, 14.5, 21), p.rect(17.5, 14.5, 18.5, 21), p.rect(13.5, 13.5, 18.5, 14.5)),
               fil)
    else:
        fw = 0.9 * p.s
        for x in (14.0, 18.0):
            p.fill(band(p.pt(x, 21.0, False), p.pt(x, 14.5, False), fw), fil)
        zig = [(14, 14.5), (15, 12.5), (16, 14.5), (17, 12.5), (18, 14.5)]
        for q0, q1 in zip(zig, zig[1:]):
            p.fill(capsule(p.pt(*q0, snapped=False), p.pt(*q1, snapped=False), fw / 2), fil)
    # screw base
    p.fill(p.rrect(11.5, 20.5, 20.5, 27, 1.0), INK)
    for i, y in enumerate((21.5, 23.0, 24.5)):
        p.fill(p.rect(12.5, y, 19.5, y + 1.5), linear((12.5, 0), (19.5, 0), (0.0, WHITE), (0.5, SILVER),
                                                     (1.0, GREY)) if i % 2 == 0 else
               linear((12.5, 0), (19.5, 0), (0.0, SILVER), (0.5, GREY), (1.0, rgb("#606060"))))
    # stand
    stand = p.rrect(8, 27, 24, 31, 1.5)
    p.layers(stand, (0, INK), (lw, linear((0, 27), (0, 31), (0.0, WHITE), (0.3, SILVER), (1.0, GREY))))
    # rays
    ray = rgb("#D0A000")
    for ang in (-160, -125, -55, -20):
        t = math.radians(ang)
        q0 = (16 + 10.5 * math.cos(t), 10.5 + 10.5 * math.sin(t))
        q1 = (16 + 13.5 * math.cos(t), 10.5 + 13.5 * math.sin(t))
        p.fill(capsule(p.pt(*q0, snapped=False), p.pt(*q1, snapped=False), max(0.5, 0.6 * p.s)), ray)


def _flag_edge(x, y0):
    return y0 + 1.6 * math.sin((x - 9.0) / 22.0 * 2 * math.pi)


def draw_flag(p):
    """A waving four-colour flag of red, green, blue and yellow panes on a pole."""
    lw = p.lw
    # pole and knob
    pole = p.rect(4.5, 4.5, 7.5, 31)
    p.layers(pole, (0, INK), (lw, linear((4.5, 0), (7.5, 0), (0.0, WHITE), (0.4, SILVER), (1.0, GREY))))
    knob = p.circle(6.0, 3.5, 3.0)
    p.layers(knob, (0, INK), (lw, radial((5.0, 2.5), 3.2, (0.0, rgb("#FFFFC0")), (0.5, YELLOW),
                                         (1.0, rgb("#C8A000")))))
    # flag
    x0, x1, xm = 7.5, 31.0, 19.25
    top, mid, bot = 6.0, 16.0, 26.0
    steps = max(8, p.n // 2)
    xs = [x0 + (x1 - x0) * i / steps for i in range(steps + 1)]

    def strip(ya, yb, xa, xb):
        k = [x for x in xs if xa < x < xb]
        upper = [(xa, _flag_edge(xa, ya))] + [(x, _flag_edge(x, ya)) for x in k] + [(xb, _flag_edge(xb, ya))]
        lower = [(xb, _flag_edge(xb, yb))] + [(x, _flag_edge(x, yb)) for x in reversed(k)] + [(xa, _flag_edge(xa, yb))]
        return p.poly(upper + lower, snapped=False)

    outline = strip(top, bot, x0, x1)
    p.fill(offset(outline, -lw), INK)
    g = lw / p.s / 2.0              # half a gap, in design units

    def lit(colour):
        def paint(x, y):
            slope = math.cos((x - 9.0) / 22.0 * 2 * math.pi)
            return shade(colour, 0.18 * slope) if slope > 0 else shade(colour, 0.28 * slope)
        return paint

    p.fill(strip(top, mid - g, x0, xm - g), lit(RED))
    p.fill(strip(top, mid - g, xm + g, x1), lit(GREEN))
    p.fill(strip(mid + g, bot, x0, xm - g), lit(BLUE))
    p.fill(strip(mid + g, bot, xm + g, x1), lit(YELLOW))


def draw_sheet(p, pts, lines, fold=None, upright=False):
    """A sheet of paper: outline, white page, grey lines of text, folded corner.

    An upright sheet keeps its edges and lines on whole pixels."""
    lw = p.lw
    page = p.poly(pts, snapped=upright)
    p.layers(page, (0, INK), (lw, linear((0, 0), (32, 32), (0.0, WHITE), (1.0, rgb("#E6E6E6")))))
    text = rgb("#8C8C8C")
    for a, b in lines:
        if upright:
            h = max(1.0, snap(0.9 * p.s))
            y = p.v(a[1] - 0.5)
            p.fill([(p.v(a[0]), y), (p.v(b[0]), y), (p.v(b[0]), y + h), (p.v(a[0]), y + h)], text)
        else:
            p.fill(band(p.pt(*a, snapped=False), p.pt(*b, snapped=False), max(1.0, 0.9 * p.s)), text)
    if fold:
        p.layers(p.poly(fold, snapped=upright), (0, INK), (lw, SILVER))


GLOVE = linear((0, 6), (0, 30), (0.0, WHITE), (0.7, rgb("#F2F2F2")), (1.0, rgb("#CDCDCD")))
CUFF = linear((0, 27), (0, 31.5), (0.0, rgb("#4C78FF")), (0.5, BLUE), (1.0, NAVY))


def _across(x0, x1):
    """Glove paint for an upright finger: white, shaded towards its right side."""
    return linear((x0, 0), (x1, 0), (0.0, WHITE), (0.55, rgb("#F4F4F4")), (1.0, rgb("#B8B8B8")))


def _down(y0, y1):
    """Glove paint for a lying finger: white, shaded towards its lower side."""
    return linear((0, y0), (0, y1), (0.0, WHITE), (0.55, rgb("#F4F4F4")), (1.0, rgb("#B8B8B8")))


def _part(p, contour, paint):
    """One outlined piece of the glove (the outline lies inside the contour)."""
    p.fill(contour, INK)
    p.fill(offset(contour, p.lw), paint)


def _cuff(p, x0, y0, x1, y1):
    p.layers(p.rect(x0, y0, x1, y1), (0, INK), (p.lw, CUFF))


def draw_drag(p):
    """A hand holding a sheet of paper: a fist at the lower left whose fingers
    lie over the sheet's edge."""
    # the sheet, upright, its corner folded
    draw_sheet(p, [(6, 1), (20, 1), (26, 7), (26, 26), (6, 26)],
               [((9, 5.5), (18, 5.5))] + [((14.5, y), (23, y)) for y in (8.5, 11.5)] +
               [((17.5, y), (23, y)) for y in (14.5, 17.5, 20.5, 23)],
               [(20, 1), (20, 7), (26, 7)], upright=True)
    # back of the hand and the thumb hooked over the top as one outlined
    # shape, then four fingers
    back = p.rrect(1, 10, 6.5, 29.5, 2.5)
    thumb = capsule(p.pt(3.0, 12.5, False), p.pt(12.0, 8.8, False), 2.3 * p.s)
    p.fill(p.union(back, thumb), INK)
    p.fill(offset(back, p.lw), _across(1, 6.5))
    p.fill(offset(thumb, p.lw), _down(7, 14))
    for y0, y1, x1 in ((13, 17.5, 14.5), (17, 21.5, 16.5), (21, 25.5, 17), (25, 29, 13.5)):
        _part(p, p.rrect(4.5, y0, x1, y1, 2.0), _down(y0, y1))
    _cuff(p, 1, 28.5, 9, 32)


def draw_drop(p):
    """The hand letting the sheet fall."""
    s = p.s
    # the falling sheet, tilted, bottom right, with a few lines of motion above
    c = (23.5, 23.0)
    tilt = math.radians(-30)
    pts = rotate([(18.5, 17.5), (28.5, 17.5), (28.5, 29.0), (18.5, 29.0)], tilt, c)
    lines = [rotate([(20.5, y), (26.5, y)], tilt, c) for y in (20.5, 23.0, 25.5)]
    draw_sheet(p, pts, [tuple(l) for l in lines])
    if p.n >= 48:
        for a, b in (((18.0, 11.5), (20.0, 13.5)), ((21.0, 9.5), (23.5, 12.0)), ((25.0, 9.5), (26.5, 12.0))):
            p.fill(capsule(p.pt(*a, snapped=False), p.pt(*b, snapped=False), 0.45 * s), rgb("#8C8C8C"))
    # the open hand: palm and thumb as one outlined shape, four fingers side by
    # side whose roots the palm covers
    palm = p.rrect(0, 13, 14, 27, 3.0)
    thumb = capsule(p.pt(11.5, 22.0, False), p.pt(18.0, 15.5, False), 1.9 * s)
    p.fill(p.union(palm, thumb), INK)
    for x0, x1, top in ((0, 4, 7), (3, 7, 3), (6, 11, 2), (10, 14, 6)):
        _part(p, p.rrect(x0, top, x1, 16, (x1 - x0) / 2.0), _across(x0, x1))
    p.fill(p.union(offset(palm, p.lw), offset(thumb, p.lw)), GLOVE)
    _cuff(p, 1, 26.5, 14, 31)


VECTOR = {
    "imgApp": draw_app,
    "imgCenter": draw_cloud,
    "imgLeft": lambda p: draw_arrow(p, 0),
    "imgTop": lambda p: draw_arrow(p, 1),
    "imgRight": lambda p: draw_arrow(p, 2),
    "imgBottom": lambda p: draw_arrow(p, 3),
    "imgDrag": draw_drag,
    "imgDrop": draw_drop,
    "imgUnDrop": draw_nodrop,
    "imgOnePoint": draw_bulb,
    "imgWin": draw_flag,
}


# ---------------------------------------------------------------------------
# Pictures (hand-drawn) for the sizes where whole pixels matter most
# ---------------------------------------------------------------------------

ARTWORK = {}


def drawn(name, size, text, paints=None):
    ARTWORK[(name, size)] = (text, paints)


drawn("imgApp", 16, """
.KKKKKKKKKKKKKK.
KliiiiiiiiiiiilK
KBBBBBBBBBBBBBBK
KnnnnnnnnnnnnnnK
.KKKKKKKKKKKKKK.
................
..........KKKK..
...KKKKK.KMMYYK.
...KWWsKKMYYMK..
...KWsdKMMYYK...
...KsddKYYMK....
.KKKKKKKKKKKKK..
.KWWsKWWsKWWsK..
.KWsdKWsdKWsdK..
.KsddKsddKsddK..
.KKKKKKKKKKKKK..
""")

drawn("imgApp", 20, """
.KKKKKKKKKKKKKKKKKK.
KlCCCCCCCCCCCCCCCClK
KBBBBBBBBBBBBBBBBBBK
KBBBBBBBBBBBBBBBBBBK
KnnnnnnnnnnnnnnnnnnK
.KKKKKKKKKKKKKKKKKK.
....................
....KKKKKKK...KKKKK.
....KWWWWsK..KYYMMYK
....KWsssdK.KMYYMMK.
....KWsssdKKYYMMYK..
....KWsssdKMYYMMK...
....KsddddKYMMYK....
.KKKKKKKKKKKKKKKKKKK
.KWWWWsKWWWWsKWWWWsK
.KWsssdKWsssdKWsssdK
.KWsssdKWsssdKWsssdK
.KWsssdKWsssdKWsssdK
.KsddddKsddddKsddddK
.KKKKKKKKKKKKKKKKKKK
""")

drawn("imgApp", 24, """
.KKKKKKKKKKKKKKKKKKKKKK.
KBBBBBBBBBBBBBBBBBBBBBBK
KBiiiiiiiiiiiiiiiiiiiiBK
KBBBBBBBBBBBBBBBBBBBBBBK
KBBBBBBBBBBBBBBBBBBBBBBK
KnnnnnnnnnnnnnnnnnnnnnnK
.KKKKKKKKKKKKKKKKKKKKKK.
........................
................KKKKKK..
.....KKKKKKKK..KMMYYMMK.
.....KWWWWWsK.KMYYMMYK..
.....KWssssdKKMMYYMMK...
.....KWssssdKMYYMMYK....
.....KWssssdKMYYMMK.....
.....KWssssdKYMMYK......
.....KsdddddKYMMK.......
.KKKKKKKKKKKKKKKKKKKKKK.
.KWWWWWsKWWWWWsKWWWWWsK.
.KWssssdKWssssdKWssssdK.
.KWssssdKWssssdKWssssdK.
.KWssssdKWssssdKWssssdK.
.KWssssdKWssssdKWssssdK.
.KsdddddKsdddddKsdddddK.
.KKKKKKKKKKKKKKKKKKKKKK.
""")

drawn("imgCenter", 16, """
................
................
................
......KKKK......
.....KWWWWK.....
....KWWWWWWKKK..
....KWWWWWWWWWK.
.KKKWWWWWWWWWWK.
KWWWWWWWWWWWWWWK
KWWWWWWWWWWWWWWK
KWWWWWWWWWWWWWWK
KeWWWWWWWWWWWWeK
.KeeeeeeeeeeeeK.
..KKKKKKKKKKKK..
................
................
""")

# The position arrows: one drawing per size, turned for the other sides.
# 'B' takes the vector arrow's blue gradient, so the light falls the same way
# whichever side the arrow points to.
LEFT_ARROW = {
    16: """
................
.......KK.......
......KWK.......
.....KWWK.......
....KWBBWKKKKKK.
...KWBBBBWWWWWK.
..KWBBBBBBBBBWK.
.KWBBBBBBBBBBWK.
.KWBBBBBBBBBBWK.
..KWBBBBBBBBBWK.
...KWBBBBWWWWWK.
....KWBBWKKKKKK.
.....KWWK.......
......KWK.......
.......KK.......
................
""",
    24: """
........................
...........KK...........
..........KWK...........
.........KWWK...........
........KWWWK...........
.......KWWBWK...........
......KWWBBWK...........
.....KWWBBBWWKKKKKKKKKK.
....KWWBBBBBWWWWWWWWWWK.
...KWWBBBBBBBBBBBBBBBWK.
..KWWBBBBBBBBBBBBBBBBWK.
.KWWBBBBBBBBBBBBBBBBBWK.
.KWWBBBBBBBBBBBBBBBBBWK.
..KWWBBBBBBBBBBBBBBBBWK.
...KWWBBBBBBBBBBBBBBBWK.
....KWWBBBBBWWWWWWWWWWK.
.....KWWBBBWWKKKKKKKKKK.
......KWWBBWK...........
.......KWWBWK...........
........KWWWK...........
.........KWWK...........
..........KWK...........
...........KK...........
........................
""",
    32: """
................................
................................
...............K................
..............KWK...............
.............KWWK...............
............KWWWK...............
...........KWWBWK...............
..........KWWBBWK...............
.........KWWBBBWK...............
........KWWBBBBWKKKKKKKKKKKKK...
.......KWWBBBBBWWWWWWWWWWWWWWK..
......KWWBBBBBBBBBBBBBBBBBBBWK..
.....KWWBBBBBBBBBBBBBBBBBBBBWK..
....KWWBBBBBBBBBBBBBBBBBBBBBWK..
...KWWBBBBBBBBBBBBBBBBBBBBBBWK..
..KWWBBBBBBBBBBBBBBBBBBBBBBBWK..
..KWWBBBBBBBBBBBBBBBBBBBBBBBWK..
...KWWBBBBBBBBBBBBBBBBBBBBBBWK..
....KWWBBBBBBBBBBBBBBBBBBBBBWK..
.....KWWBBBBBBBBBBBBBBBBBBBBWK..
......KWWBBBBBBBBBBBBBBBBBBBWK..
.......KWWBBBBBWWWWWWWWWWWWWWK..
........KWWBBBBWKKKKKKKKKKKKK...
.........KWWBBBWK...............
..........KWWBBWK...............
...........KWWBWK...............
............KWWWK...............
.............KWWK...............
..............KWK...............
...............K................
................................
................................
""",
}
for _size, _text in LEFT_ARROW.items():
    for _quarters, _name in enumerate(("imgLeft", "imgTop", "imgRight", "imgBottom")):
        drawn(_name, _size, turn(_text, _quarters), {"B": ARROW_BLUE})

drawn("imgDrag", 16, """
....KKKKKKKK....
....KWWWWWWKK...
....KWWWWWWKsK..
....KWddddWKKKK.
....KWWWWWWWWWK.
..KKKKKWdddddWK.
.KWWWWWKWWWWWWK.
KWWKKKKKKdddWWK.
KWKWWWWWWKWWWWK.
KWKsssssKKdddWK.
KWWKKKKKKKWWWWK.
KWKWWWWWWKdddWK.
KWKsssssKKWWWWK.
KWWKKKKKKKKKKKK.
.KBBBBBK........
.KbbbbbK........
""")

drawn("imgDrag", 24, """
.....KKKKKKKKKKK........
.....KWWWWWWWWWKK.......
.....KWWWWWWWWWKsK......
.....KWddddddWWKssK.....
.....KWWWWWWWWWKKKKK....
.....KWWKKKWWWWWWWWK....
.....KWKWWWKddddddWK....
...KKKKWWWWKWWWWWWWK....
..KWWWWWWWsKddddWWWK....
.KWWWWWWssKWWWWWWWWK....
.KWWWKKKKKWWWWWWWWWK....
.KWWKWWWWWWKddddddWK....
.KWWKssssssKWWWWWWWK....
.KWWWKKKKKKKKddWWWWK....
.KWWKWWWWWWWKWWWWWWK....
.KWWKsssssssKdddWWWK....
.KWWWKKKKKKKKWWWWWWK....
.KWWKWWWWWWKWWWWWWWK....
.KWWKssssssKKKKKKKKK....
.KsWWKKKKKKK............
.KKKKKKKK...............
.KllllllK...............
.KBBBBBBK...............
.KKKKKKKK...............
""")

drawn("imgDrag", 32, """
................................
......KKKKKKKKKKKKKKK...........
......KWWWWWWWWWWWWWKK..........
......KWWWWWWWWWWWWWKsK.........
......KWWWWWWWWWWWWWKssK........
......KWWdddddddddWWKsssK.......
......KWWWWWWWWWWWWWKKKKKK......
......KWWWKKKWWWWWWWWWWWWK......
......KWKKWWWKdddddddddWWK......
......KKWWWWWKWWWWWWWWWWWK......
....KKWWWWWWsKWWWWWWWWWWWK......
...KWWWWWWWssKddddddWWWWWK......
..KWWWWWWsssKWWWWWWWWWWWWK......
.KWWWWWKKKKKWWWWWWWWWWWWWK......
.KWWWKKWWWWWWKddddddddWWWK......
.KWWWKWWWWWWWWKWWWWWWWWWWK......
.KWWWKsssssssKWWWWWWWWWWWK......
.KWWWWKKKKKKKKKdddWWWWWWWK......
.KWWWKWWWWWWWWWKWWWWWWWWWK......
.KWWWKWWWWWWWWWWKWWWWWWWWK......
.KWWWKssssssssssKddddWWWWK......
.KWWWWKKKKKKKKKKWWWWWWWWWK......
.KWWWKWWWWWWWWWKWWWWWWWWWK......
.KWWWKWWWWWWWWWWKWWWWWWWWK......
.KWWWKssssssssssKWWWWWWWWK......
.KWWWWKKKKKKKKKKKKKKKKKKKK......
.KsWWKWWWWWWWK..................
.KsWWKsssssssK..................
..KsWWKKKKKKKK..................
.KKKKKKKK.......................
.KBBBBBBK.......................
.KnnnnnnK.......................
""")

drawn("imgDrop", 16, """
....KK..........
..KKWWKKK.......
.KWKWWKWWK......
.KWKWWKWWK......
.KWKWWKWWK.KK...
.KWKWWKWWKKWWK..
.KWWWWWWWKWWK...
.KWWWWWWWWWK....
.KWWWWWWWWK.....
.KWWWWWWWK...KK.
.KsWWWWWsK.KKWWK
..KsssssK.KWWddK
..KBBBBBK.KWddWK
..KbbbbbK..KWWWK
..KKKKKKK..KWKK.
...........KK...
""")

drawn("imgDrop", 24, """
........................
.......KK...............
....KKKWsK..............
...KWsKWsKKK............
...KWsKWsKWsK...........
.KKKWsKWsKWsK...........
KWsKWsKWsKWsK...........
KWsKWsKWsKWsK...........
KWsKWsKWsKWsK...........
KWWWWWWWWWWsK...........
KWWWWWWWWWWsK..KK.......
KWWWWWWWWWWsK.KWsK......
KWWWWWWWWWWsKKWsK.......
KWWWWWWWWWWWWWsK....K...
KWWWWWWWWWWWWsK...KKWK..
KWWWWWWWWWWWsK..KKWWWK..
KWWWWWWWWWWsK.KKWWWWdWK.
KsWWWWWWWWWsK.KWWWddWWK.
.KssssssssssK..KWdWWWWWK
.KKKKKKKKKKKK..KWWWWdddK
.KllllllllllK...KWdddWWK
.KBBBBBBBBBBK...KWWWWWWK
.KnnnnnnnnnnK....KWWWKKK
.KKKKKKKKKKKK....KKKK...
""")

drawn("imgDrop", 32, """
................................
................................
.......KK.......................
....KK.KWK......................
...KWsKWWsK.....................
...KWsKWWsKK....................
...KWsKWWsKWK...................
.KKKWsKWWsKWsK..................
KWsKWsKWWsKWsK..................
KWsKWsKWWsKWsK..................
KWsKWsKWWsKWsK..................
KWsKWsKWWsKWsK..................
KWsKWsKWWsKWsK..................
KWWWWWWWWWWWsK..................
KWWWWWWWWWWWsK...KK.............
KWWWWWWWWWWWsK..KWsK............
KWWWWWWWWWWWsK.KWWsK....KKK.....
KWWWWWWWWWWWWKKWWsK...KKWWK.....
KWWWWWWWWWWWWWWWsK..KKWWWdWK....
KWWWWWWWWWWWWWWsK.KKWWWWddWK....
KWWWWWWWWWWWWWsK.KWWWWddWWWWK...
KWWWWWWWWWWWWsK..KWWddWWWWddK...
KWWWWWWWWWWWWsK...KWWWWWddWWWK..
KsWWWWWWWWWWWsK....KWWddWWWWWK..
KsWWWWWWWWWWssK....KWddWWWWddWK.
.KssssssssssssK.....KWWWWddWWWWK
.KKKKKKKKKKKKK......KWWddWWWddWK
.KlllllllllllK.......KdWWWWddKK.
.KBBBBBBBBBBBK.......KWWWddKK...
.KnnnnnnnnnnnK........KddKK.....
.KKKKKKKKKKKKK........KKK.......
................................
""")

drawn("imgUnDrop", 16, """
................
....KKKKKKKK....
...KKRRRRRRKK...
..KRRRRRRRRRRK..
.KKRRRWWWWWRRKK.
.KRRRRRWWWWWRRK.
.KRRWRRRWWWWRRK.
.KRRWWRRRWWWRRK.
.KRRWWWRRRWWRPK.
.KRRWWWWRRRWPPK.
.KRRWWWWWRRRPPK.
.KKRRWWWWWRPPKK.
..KRRRRRRPPPPK..
...KKRRRPPPKK...
....KKKKKKKK....
................
""")

drawn("imgOnePoint", 16, """
......KKKK......
....KKuuYYKK....
...KuWWuYYYoK...
...KuWuYYYYoK...
.t.KYYYYYYYoK.t.
...KYYYYYYooK...
...KoYYYYYooK...
....KoYyYooK....
.....KYyYoK.....
.....KKKKKK.....
.....KWssdK.....
.....KhhhhK.....
.....KWssdK.....
...KKKKKKKKKK...
...KWssssssdK...
...KKKKKKKKKK...
""")

drawn("imgWin", 16, """
.KK.............
KooK............
KooKKKKKKK......
.KKKRRRRrKKKKKK.
.KsKRRRRrKgGGGGK
.KsKRRRRrKgGGGGK
.KsKRRRRrKgGGGGK
.KsKRRRRrKgGGGGK
.KsKKKKKKKgGGGGK
.KsKBBBBnKKKKKKK
.KsKBBBBnKyYYYYK
.KsKBBBBnKyYYYYK
.KsKBBBBnKyYYYYK
.KsKBBBBnKyYYYYK
.KsKKKKKKKyYYYYK
.KKK......KKKKKK
""")


def render(name, size):
    """The picture `name` at `size` pixels: rows of straight-alpha (r, g, b, a)."""
    if (name, size) in ARTWORK:
        text, paints = ARTWORK[(name, size)]
        image = art(text, paints)
        if len(image) != size:
            raise ValueError("%s: the %d-pixel drawing is %d wide" % (name, size, len(image)))
        return image
    p = Pen(size)
    VECTOR[name](p)
    return p.pixels()


# file name -> sizes it holds
ICONS = [("imgApp", APP_SIZES)] + [(name, IMAGE_SIZES) for name in (
    "imgCenter", "imgLeft", "imgTop", "imgRight", "imgBottom",
    "imgDrag", "imgDrop", "imgUnDrop", "imgOnePoint", "imgWin")]


# ---------------------------------------------------------------------------
# PNG
# ---------------------------------------------------------------------------

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def _chunk(tag, body):
    return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF)


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def encode_png(rows, alpha=True):
    """8-bit RGBA (or RGB) PNG, each row with the filter that packs it best."""
    h, w = len(rows), len(rows[0])
    bpp = 4 if alpha else 3
    raw = bytearray()
    prev = bytes(w * bpp)
    for row in rows:
        line = bytes(v for px in row for v in (px if alpha else px[:3]))
        cands = [(0, line),
                 (1, bytes((line[i] - (line[i - bpp] if i >= bpp else 0)) & 255 for i in range(len(line)))),
                 (2, bytes((line[i] - prev[i]) & 255 for i in range(len(line)))),
                 (4, bytes((line[i] - _paeth(line[i - bpp] if i >= bpp else 0, prev[i],
                                             prev[i - bpp] if i >= bpp else 0)) & 255
                           for i in range(len(line))))]
        kind, best = min(cands, key=lambda c: sum(v if v < 128 else 256 - v for v in c[1]))
        raw.append(kind)
        raw += best
        prev = line
    return (PNG_SIGNATURE
            + _chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6 if alpha else 2, 0, 0, 0))
            + _chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + _chunk(b"IEND", b""))


def decode_png(data):
    """Rows of (r, g, b, a) from an 8-bit RGBA or RGB, non-interlaced PNG."""
    _expect(data[:8] == PNG_SIGNATURE, "not a PNG")
    pos, ihdr, idat, ended = 8, None, bytearray(), False
    while pos < len(data):
        _expect(pos + 8 <= len(data), "PNG chunk header cut off")
        length, tag = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8:pos + 8 + length]
        _expect(len(body) == length and pos + 12 + length <= len(data), "PNG chunk %r cut off" % tag)
        (crc,) = struct.unpack_from(">I", data, pos + 8 + length)
        _expect(crc == zlib.crc32(tag + body) & 0xFFFFFFFF, "PNG chunk %r has a bad CRC" % tag)
        if tag == b"IHDR":
            ihdr = struct.unpack(">IIBBBBB", body)
        elif tag == b"IDAT":
            idat += body
        elif tag == b"IEND":
            ended = True
            break
        pos += 12 + length
    _expect(ihdr is not None and ended, "PNG without IHDR or IEND")
    w, h, depth, colour, comp, filt, interlace = ihdr
    _expect(depth == 8 and colour in (2, 6) and comp == 0 and filt == 0 and interlace == 0,
            "PNG is not 8-bit RGB(A), non-interlaced")
    bpp = 4 if colour == 6 else 3
    try:
        raw = zlib.decompress(bytes(idat))
    except zlib.error as e:
        raise IcoError("PNG data does not inflate: %s" % e)
    stride = w * bpp
    _expect(len(raw) == h * (stride + 1), "PNG data is %d bytes, expected %d" % (len(raw), h * (stride + 1)))
    rows, prev = [], bytearray(stride)
    for y in range(h):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        _expect(kind <= 4, "PNG row %d has filter %d" % (y, kind))
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                line[i] = (line[i] + _paeth(a, b, c)) & 255
        rows.append([tuple(line[x * bpp:x * bpp + bpp]) + (() if bpp == 4 else (255,)) for x in range(w)])
        prev = line
    return w, h, rows


# ---------------------------------------------------------------------------
# ICO
# ---------------------------------------------------------------------------

class IcoError(Exception):
    pass


def _expect(cond, what):
    if not cond:
        raise IcoError(what)


def _mask_stride(n):
    return (n + 31) // 32 * 4          # AND-mask rows are padded to 32 bits


def encode_dib(rows):
    """BITMAPINFOHEADER + 32-bit BGRA pixels + AND mask (set where fully clear)."""
    n = len(rows)
    stride = _mask_stride(n)
    xor, mask = bytearray(), bytearray()
    for row in reversed(rows):                      # DIBs are stored bottom-up
        bits = bytearray(stride)
        for x, (r, g, b, a) in enumerate(row):
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def encode_ico(images):
    """images: rows of RGBA per size, smallest first.  Sizes from PNG_FROM up
    are stored as PNG, the others as DIBs."""
    blobs = [encode_png(rows) if len(rows) >= PNG_FROM else encode_dib(rows) for rows in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for rows, blob in zip(images, blobs):
        n = len(rows) % 256                           # 0 means 256
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def decode_ico(data):
    """Parse an .ico; return a list of (size, 'PNG' or 'BMP', rows of RGBA)."""
    _expect(len(data) >= 6, "file shorter than its header")
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    _expect(reserved == 0, "header reserved word is %d" % reserved)
    _expect(kind == 1, "header type is %d, not 1 (icon)" % kind)
    _expect(count >= 1, "no images")
    _expect(len(data) >= 6 + 16 * count, "directory runs past the end of the file")
    images = []
    end = 6 + 16 * count
    for i in range(count):
        w, h, colours, res, planes, bpp, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        w, h = w or 256, h or 256
        what = "entry %d (%d px)" % (i, w)
        _expect(w == h, "%s is not square" % what)
        _expect(colours == 0 and res == 0, "%s: colour count %d, reserved %d" % (what, colours, res))
        _expect(planes == 1 and bpp == 32, "%s: planes/bits %d/%d, expected 1/32" % (what, planes, bpp))
        _expect(offset == end, "%s: data at %d, expected %d" % (what, offset, end))
        _expect(offset + size <= len(data), "%s runs past the end of the file" % what)
        blob = data[offset:offset + size]
        end = offset + size
        if blob[:8] == PNG_SIGNATURE:
            pw, ph, rows = decode_png(blob)
            _expect((pw, ph) == (w, h), "%s: PNG is %dx%d" % (what, pw, ph))
            images.append((w, "PNG", rows))
            continue
        _expect(len(blob) >= 40, "%s: DIB header cut off" % what)
        (bi_size, bw, bh, bplanes, bbits, comp, img_size, _, _, used, _) = struct.unpack_from("<IiiHHIIiiII", blob)
        _expect(bi_size == 40, "%s: header size %d" % (what, bi_size))
        _expect(bw == w and bh == 2 * h, "%s: DIB is %dx%d" % (what, bw, bh))
        _expect(bplanes == 1 and bbits == 32 and comp == 0 and used == 0, "%s: DIB is not 32-bit BI_RGB" % what)
        stride = _mask_stride(w)
        xor_size, and_size = 4 * w * h, stride * h
        _expect(size == 40 + xor_size + and_size, "%s: %d bytes, expected %d" % (what, size, 40 + xor_size + and_size))
        _expect(img_size in (0, xor_size + and_size), "%s: biSizeImage %d" % (what, img_size))
        rows = []
        for y in range(h):
            src = h - 1 - y
            line = blob[40 + src * 4 * w:40 + (src + 1) * 4 * w]
            bits = blob[40 + xor_size + src * stride:]
            row = []
            for x in range(w):
                b, g, r, a = line[4 * x:4 * x + 4]
                masked = bool(bits[x // 8] & (0x80 >> (x % 8)))
                _expect(masked == (a == 0), "%s: mask and alpha disagree at %d,%d" % (what, x, y))
                row.append((r, g, b, a))
            rows.append(row)
        images.append((w, "BMP", rows))
    _expect(end == len(data), "%d stray bytes at the end of the file" % (len(data) - end))
    return images


# ---------------------------------------------------------------------------
# Check and contact sheet
# ---------------------------------------------------------------------------

def _differs(a, b, tolerance=2):
    """Where two images differ by more than rounding (colour of clear pixels ignored)."""
    for y, (ra, rb) in enumerate(zip(a, b)):
        for x, (pa, pb) in enumerate(zip(ra, rb)):
            if abs(pa[3] - pb[3]) > tolerance:
                return x, y
            if pa[3] and pb[3] and max(abs(u - v) for u, v in zip(pa[:3], pb[:3])) > tolerance:
                return x, y
    return None


def _alpha_turned(rows, quarters):
    a = [[px[3] for px in row] for row in rows]
    for _ in range(quarters):
        n = len(a)
        a = [[a[n - 1 - x][y] for x in range(n)] for y in range(n)]
    return a


def check(verbose=True, compare=True):
    """Parse every file back; with `compare`, also against a fresh drawing."""
    ok = True
    decoded_all = {}
    for name, sizes in ICONS:
        path = os.path.join(OUT_DIR, name + ".ico")
        try:
            with open(path, "rb") as f:
                data = f.read()
            images = decode_ico(data)
            got = [(n, kind) for n, kind, _ in images]
            want = [(n, "PNG" if n >= PNG_FROM else "BMP") for n in sizes]
            _expect(got == want, "holds %s, expected %s" % (got, want))
            for n, kind, rows in images:
                alphas = {px[3] for row in rows for px in row}
                _expect(0 in alphas and 255 in alphas, "%d px: no transparency in the alpha channel" % n)
                if compare:
                    where = _differs(rows, render(name, n))
                    _expect(where is None, "%d px differs from the drawing at %s (regenerate)" % (n, where))
            decoded_all[name] = {n: rows for n, _, rows in images}
        except (OSError, IcoError, ValueError) as e:
            print("FAIL %-12s %s" % (name, e))
            ok = False
            continue
        if verbose:
            parts = ", ".join("%d%s" % (n, " PNG" if kind == "PNG" else "") for n, kind, _ in images)
            print("ok   %-12s %6d bytes  32-bit with alpha: %s" % (name, len(data), parts))
    # the four position arrows are one shape turned around
    arrows = ("imgLeft", "imgTop", "imgRight", "imgBottom")
    if all(a in decoded_all for a in arrows):
        for quarters, name in enumerate(arrows[1:], 1):
            for n, rows in decoded_all[name].items():
                if _alpha_turned(decoded_all["imgLeft"][n], quarters) != _alpha_turned(rows, 0):
                    print("note %-12s %d px is not the left arrow's outline turned" % (name, n))
    ok = _check_with_imagemagick(verbose) and ok
    return ok, decoded_all


def _check_with_imagemagick(verbose):
    """If ImageMagick is installed, let it list every file's images too."""
    identify = shutil.which("identify")
    if not identify:
        return True
    ok = True
    for name, sizes in ICONS:
        path = os.path.join(OUT_DIR, name + ".ico")
        try:
            out = subprocess.run([identify, "-format", "%w %z %[channels]\n", path], check=True,
                                 capture_output=True, text=True).stdout.split("\n")
        except (OSError, subprocess.CalledProcessError) as e:
            print("FAIL %-12s ImageMagick cannot read it (%s)" % (name, e))
            ok = False
            continue
        got = sorted(int(line.split()[0]) for line in out if line.strip())
        if got != sorted(sizes):
            print("FAIL %-12s ImageMagick sees sizes %s" % (name, got))
            ok = False
    if ok and verbose:
        print("ok   ImageMagick reads every image of every file")
    return ok


BACKGROUNDS = ((0xEC, 0xEC, 0xEC), (0x2A, 0x2A, 0x33))
ZOOMED = (16, 20, 24, 32)


def contact_sheet(path, decoded, zoom=4):
    """Every icon at every size at 1:1, then the small sizes magnified, on a
    light and on a dark background."""
    all_sizes = sorted({n for _, sizes in ICONS for n in sizes})
    pad = 6
    cols = [(n, 1) for n in all_sizes] + [(n, zoom) for n in ZOOMED if zoom > 1]
    xs, x = [], pad
    for n, z in cols:
        xs.append(x)
        x += n * z + pad
    width = x + pad
    heights = [max(max(n for n in decoded[name]), max(n * zoom for n in ZOOMED if n in decoded[name]))
               for name, _ in ICONS]
    band_h = sum(h + pad for h in heights) + pad
    sheet = []
    for bg in BACKGROUNDS:
        band = [[bg] * width for _ in range(band_h)]
        y0 = pad
        for (name, _), h in zip(ICONS, heights):
            for (n, z), x0 in zip(cols, xs):
                rows = decoded[name].get(n)
                if rows is None:
                    continue
                for y, row in enumerate(rows):
                    for dy in range(z):
                        line = band[y0 + y * z + dy]
                        for x, (r, g, b, a) in enumerate(row):
                            c = (bg if a == 0 else (r, g, b) if a == 255 else
                                 tuple((v * a + w * (255 - a) + 127) // 255 for v, w in zip((r, g, b), bg)))
                            for dx in range(z):
                                line[x0 + x * z + dx] = c
            y0 += h + pad
        sheet += band
    with open(path, "wb") as f:
        f.write(encode_png([[c + (255,) for c in row] for row in sheet], alpha=False))
    print("sheet %s (%dx%d)" % (path, width, len(sheet)))


# ---------------------------------------------------------------------------

def write_all():
    os.makedirs(OUT_DIR, exist_ok=True)
    for name, sizes in ICONS:
        data = encode_ico([render(name, n) for n in sizes])
        path = os.path.join(OUT_DIR, name + ".ico")
        old = None
        if os.path.exists(path):
            with open(path, "rb") as f:
                old = f.read()
        if old != data:
            with open(path, "wb") as f:
                f.write(data)
            print("wrote %s (%d bytes)" % (os.path.relpath(path, ROOT), len(data)))


def main(argv=None):
    ap = argparse.ArgumentParser(description="Draw the launcher's icons.")
    ap.add_argument("--check", action="store_true",
                    help="only verify res/icons/*.ico and draw a contact sheet")
    ap.add_argument("--sheet", default=os.path.join(tempfile.gettempdir(), "icons-sheet.png"),
                    help="where --check puts the contact sheet (default %(default)s)")
    ap.add_argument("--zoom", type=int, default=4, help="magnification of the small sizes on the sheet")
    args = ap.parse_args(argv)
    if not args.check:
        write_all()
    ok, decoded = check(verbose=args.check)
    if args.check and ok:
        contact_sheet(args.sheet, decoded, args.zoom)
    if not ok:
        return 1
    if not args.check:
        print("all %d icons verified" % len(ICONS))
    return 0


if __name__ == "__main__":
    sys.exit(main())
