#!/usr/bin/env python3
"""Render the launcher's original pixel artwork.

Everything is drawn procedurally from simple shapes (signed distance
functions, anti-aliased by adaptive supersampling) and tiny hand-made pixel
fonts, then written out as classic Windows ICO / CUR / BMP files.  Only the
Python standard library is used, and the output is deterministic, so running

    python3 scripts/make_art.py

again reproduces the committed files byte for byte.

Output (in resources/art/):
    *.ico   16x16, 32x32 and 48x48, 32-bit BGRA + 1-bit AND mask (BMP entries)
    *.cur   32x32, 32-bit BGRA + AND mask, hotspot at the arrow tip
    about.bmp  320x240, 8-bit palettized, BI_RGB, bottom-up
and resources/art.rc, the resource-script fragment that lists them.
"""

import math
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES_DIR = os.path.join(ROOT, "resources")
ART_DIR = os.path.join(RES_DIR, "art")

ICON_SIZES = (16, 32, 48)
SS = 4  # supersampling grid (SS x SS) used on shape edges


# --------------------------------------------------------------------------
# colours
# --------------------------------------------------------------------------

def rgb(h, a=255):
    h = h.lstrip("#")
    return (int(h[0:2], 16), int(h[2:4], 16), int(h[4:6], 16), a)


INK = rgb("#2b2233")          # general dark outline
WHITE = rgb("#ffffff")

# mascot
FUR = rgb("#fff1cf")
FUR_SHADE = rgb("#f3d9a4")
EAR_IN = rgb("#ff9fb4")
CHEEK = rgb("#ff8fa8", 150)
EYE = rgb("#231a1e")
NOSE = rgb("#f06a88")


# --------------------------------------------------------------------------
# shapes: signed distance (negative inside) in design units + bounding box
# --------------------------------------------------------------------------

class Shape:
    __slots__ = ("f", "box")

    def __init__(self, f, box):
        self.f = f
        self.box = box  # (x0, y0, x1, y1) or None for "everywhere"


def _box_union(a, b):
    if a is None or b is None:
        return None
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def _box_inter(a, b):
    if a is None:
        return b
    if b is None:
        return a
    return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r,
                 (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry):
    m = min(rx, ry)

    def f(x, y):
        return (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * m
    return Shape(f, (cx - rx, cy - ry, cx + rx, cy + ry))


def rbox(x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hw, hh = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def f(x, y):
        qx = abs(x - cx) - hw
        qy = abs(y - cy) - hh
        return (math.hypot(max(qx, 0.0), max(qy, 0.0))
                + min(max(qx, qy), 0.0) - r)
    return Shape(f, (x0, y0, x1, y1))


def _seg_dist(x, y, ax, ay, bx, by):
    ex, ey = bx - ax, by - ay
    wx, wy = x - ax, y - ay
    ll = ex * ex + ey * ey
    t = 0.0 if ll == 0 else max(0.0, min(1.0, (wx * ex + wy * ey) / ll))
    return math.hypot(wx - ex * t, wy - ey * t)


def capsule(ax, ay, bx, by, r):
    return Shape(lambda x, y: _seg_dist(x, y, ax, ay, bx, by) - r,
                 (min(ax, bx) - r, min(ay, by) - r,
                  max(ax, bx) + r, max(ay, by) + r))


def polyline(pts, r):
    segs = list(zip(pts, pts[1:]))

    def f(x, y):
        return min(_seg_dist(x, y, a[0], a[1], b[0], b[1])
                   for a, b in segs) - r
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return Shape(f, (min(xs) - r, min(ys) - r, max(xs) + r, max(ys) + r))


def polygon(pts):
    pts = [(float(a), float(b)) for a, b in pts]
    n = len(pts)

    def f(x, y):
        d = (x - pts[0][0]) ** 2 + (y - pts[0][1]) ** 2
        s = 1.0
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            ex, ey = xj - xi, yj - yi
            wx, wy = x - xi, y - yi
            ll = ex * ex + ey * ey
            t = 0.0 if ll == 0 else max(0.0, min(1.0, (wx * ex + wy * ey) / ll))
            bx, by = wx - ex * t, wy - ey * t
            d = min(d, bx * bx + by * by)
            c1 = y >= yi
            c2 = y < yj
            c3 = ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                s = -s
            j = i
        return s * math.sqrt(d)
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return Shape(f, (min(xs), min(ys), max(xs), max(ys)))


def union(*shapes):
    fs = [s.f for s in shapes]
    box = shapes[0].box
    for s in shapes[1:]:
        box = _box_union(box, s.box)
    return Shape(lambda x, y: min(f(x, y) for f in fs), box)


def inter(a, b):
    fa, fb = a.f, b.f
    return Shape(lambda x, y: max(fa(x, y), fb(x, y)), _box_inter(a.box, b.box))


def minus(a, b):
    fa, fb = a.f, b.f
    return Shape(lambda x, y: max(fa(x, y), -fb(x, y)), a.box)


def grow(s, r):
    f = s.f
    b = s.box
    box = None if b is None else (b[0] - r, b[1] - r, b[2] + r, b[3] + r)
    return Shape(lambda x, y: f(x, y) - r, box)


def rotated(s, cx, cy, ang):
    """Shape s rotated by ang radians about (cx, cy)."""
    f = s.f
    ca, sa = math.cos(-ang), math.sin(-ang)
    b = s.box
    rad = 0.0
    if b is not None:
        for px, py in ((b[0], b[1]), (b[2], b[1]), (b[0], b[3]), (b[2], b[3])):
            rad = max(rad, math.hypot(px - cx, py - cy))

    def g(x, y):
        dx, dy = x - cx, y - cy
        return f(cx + dx * ca - dy * sa, cy + dx * sa + dy * ca)
    return Shape(g, None if b is None else (cx - rad, cy - rad, cx + rad, cy + rad))


def halfplane(nx, ny, c):
    """Inside where nx*x + ny*y <= c (n should be unit length)."""
    return Shape(lambda x, y: nx * x + ny * y - c, None)


# --------------------------------------------------------------------------
# canvas with premultiplied RGBA float pixels
# --------------------------------------------------------------------------

class Canvas:
    def __init__(self, w, h, scale=1.0):
        self.w, self.h = w, h
        self.s = scale              # design units per pixel
        self.r = [0.0] * (w * h)
        self.g = [0.0] * (w * h)
        self.b = [0.0] * (w * h)
        self.a = [0.0] * (w * h)
        # outline width in design units (about 1-2 physical pixels)
        if w <= 16:
            self.ow = 1.0 * scale
        elif w <= 32:
            self.ow = 1.3 * scale
        elif w <= 48:
            self.ow = 1.8 * scale
        else:
            self.ow = 2.5 * scale

    # -- pixel helpers --------------------------------------------------
    def snap(self, v):
        """Snap a design coordinate to the nearest pixel centre."""
        p = math.floor(v / self.s)
        return (p + 0.5) * self.s

    def blend(self, i, col, cov):
        a = cov * col[3] / 255.0
        if a <= 0.0:
            return
        k = 1.0 - a
        self.r[i] = col[0] * a + self.r[i] * k
        self.g[i] = col[1] * a + self.g[i] * k
        self.b[i] = col[2] * a + self.b[i] * k
        self.a[i] = 255.0 * a + self.a[i] * k

    def put(self, x, y, col, cov=1.0):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.blend(y * self.w + x, col, cov)

    # -- shape fill -----------------------------------------------------
    def fill(self, shape, col):
        s = self.s
        f = shape.f
        if shape.box is None:
            x0, y0, x1, y1 = 0, 0, self.w, self.h
        else:
            bx0, by0, bx1, by1 = shape.box
            x0 = max(0, int(math.floor(bx0 / s)) - 1)
            y0 = max(0, int(math.floor(by0 / s)) - 1)
            x1 = min(self.w, int(math.ceil(bx1 / s)) + 1)
            y1 = min(self.h, int(math.ceil(by1 / s)) + 1)
        hd = 0.7072 * s
        offs = [((k + 0.5) / SS - 0.5) * s for k in range(SS)]
        n = float(SS * SS)
        for py in range(y0, y1):
            cy = (py + 0.5) * s
            for px in range(x0, x1):
                cx = (px + 0.5) * s
                d = f(cx, cy)
                if d > hd:
                    continue
                if d < -hd:
                    cov = 1.0
                else:
                    hit = 0
                    for oy in offs:
                        for ox in offs:
                            if f(cx + ox, cy + oy) <= 0.0:
                                hit += 1
                    if not hit:
                        continue
                    cov = hit / n
                self.blend(py * self.w + px, col, cov)

    def shape(self, shp, col, line=INK, w=None):
        """Fill a shape with a dark outline drawn around it."""
        if w is None:
            w = self.ow
        if line is not None and w > 0:
            self.fill(grow(shp, w), line)
        self.fill(shp, col)

    # -- pixel text -----------------------------------------------------
    def text(self, lines, font, col, cx=None, top=None, sx=1, sy=1, bold=False,
             gap=1, lgap=2, halo=None, halo_r=1):
        """Draw crisp pixel text centred horizontally on pixel column cx."""
        gh = len(font["A" if "A" in font else next(iter(font))])
        rows = []
        for li, line in enumerate(lines):
            widths = [len(font[ch][0]) * sx + (1 if bold else 0) for ch in line]
            tw = sum(widths) + gap * (len(line) - 1)
            rows.append((line, widths, tw))
        th = len(lines) * gh * sy + lgap * (len(lines) - 1)
        if cx is None:
            cx = self.w / 2.0
        if top is None:
            top = (self.h - th) // 2
        lit = set()
        y = top
        for line, widths, tw in rows:
            x = int(round(cx - tw / 2.0))
            for ch, wdt in zip(line, widths):
                g = font[ch]
                for gy, row in enumerate(g):
                    for gx, c in enumerate(row):
                        if c != "#":
                            continue
                        for ky in range(sy):
                            for kx in range(sx + (1 if bold else 0)):
                                lit.add((x + gx * sx + kx, y + gy * sy + ky))
                x += wdt + gap
            y += gh * sy + lgap
        if halo is not None:
            ring = set()
            for (x, y) in lit:
                for dy in range(-halo_r, halo_r + 1):
                    for dx in range(-halo_r, halo_r + 1):
                        p = (x + dx, y + dy)
                        if p not in lit:
                            ring.add(p)
            for (x, y) in sorted(ring):
                self.put(x, y, halo)
        for (x, y) in sorted(lit):
            self.put(x, y, col)

    def bitmap(self, rows, ox, oy, colours):
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch in colours:
                    self.put(ox + x, oy + y, colours[ch])

    # -- output ---------------------------------------------------------
    def rgba(self):
        """Straight (non-premultiplied) 8-bit RGBA tuples, row-major."""
        out = []
        for i in range(self.w * self.h):
            a = self.a[i]
            if a < 0.5:
                out.append((0, 0, 0, 0))
                continue
            k = 255.0 / a
            out.append((min(255, int(self.r[i] * k + 0.5)),
                        min(255, int(self.g[i] * k + 0.5)),
                        min(255, int(self.b[i] * k + 0.5)),
                        min(255, int(a + 0.5))))
        return out


# --------------------------------------------------------------------------
# pixel fonts (drawn for this project)
# --------------------------------------------------------------------------

def _font(glyphs):
    out = {}
    for ch, rows in glyphs.items():
        out[ch] = [r.replace(".", " ") for r in rows]
    return out


FONT5 = _font({
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "##..#", "#.#.#", "#..##", "#..##", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    "?": [".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."],
    " ": ["...", "...", "...", "...", "...", "...", "..."],
})

FONT3 = _font({
    "A": [".#.", "#.#", "###", "#.#", "#.#"],
    "C": [".##", "#..", "#..", "#..", ".##"],
    "E": ["###", "#..", "##.", "#..", "###"],
    "I": ["#", "#", "#", "#", "#"],
    "M": ["#...#", "##.##", "#.#.#", "#...#", "#...#"],
    "N": ["#..#", "##.#", "#.##", "#..#", "#..#"],
    "O": [".#.", "#.#", "#.#", "#.#", ".#."],
    "P": ["##.", "#.#", "##.", "#..", "#.."],
    "T": ["###", ".#.", ".#.", ".#.", ".#."],
    "Y": ["#.#", "#.#", ".#.", ".#.", ".#."],
    "?": ["##.", "..#", ".#.", "...", ".#."],
})


# --------------------------------------------------------------------------
# the mascot
# --------------------------------------------------------------------------

def draw_mascot(c, cx, cy, r, whiskers=True, ears=True, shade=True):
    """Round cat-like face "=(o.o)=" centred at (cx, cy), radius r (design)."""
    ow = c.ow
    head = ellipse(cx, cy, r * 1.06, r)
    parts = [head]
    ear_l = ear_r = None
    if ears:
        ear_l = polygon([(cx - r * 0.92, cy - r * 0.28), (cx - r * 0.80, cy - r * 1.22),
                         (cx - r * 0.22, cy - r * 0.86)])
        ear_r = polygon([(cx + r * 0.92, cy - r * 0.28), (cx + r * 0.80, cy - r * 1.22),
                         (cx + r * 0.22, cy - r * 0.86)])
        parts += [ear_l, ear_r]
    # whiskers "=" on both sides, drawn first so the head covers the roots
    wl = max(ow * 0.55, 0.45 * c.s)
    if whiskers:
        for side in (-1, 1):
            for k, dy in enumerate((-0.02, 0.24)):
                y0 = cy + r * dy
                x_in = cx + side * r * 0.70
                x_out = cx + side * r * 1.42
                c.fill(capsule(x_in, y0, x_out, y0 + r * (0.06 if k else -0.06), wl), INK)
    body = union(*parts)
    c.fill(grow(body, ow), INK)
    c.fill(body, FUR)
    if ears:
        for e, sgn in ((ear_l, -1), (ear_r, 1)):
            inner = polygon([(cx + sgn * r * 0.80, cy - r * 0.50),
                             (cx + sgn * r * 0.76, cy - r * 1.02),
                             (cx + sgn * r * 0.40, cy - r * 0.80)])
            c.fill(inter(inner, e), EAR_IN)
    if shade:
        # soft shading on the lower part of the face
        c.fill(inter(head, minus(grow(head, 0), ellipse(cx - r * 0.12, cy - r * 0.22,
                                                        r * 1.05, r * 0.98))), FUR_SHADE)
    # cheeks
    if r / c.s >= 5:
        for side in (-1, 1):
            c.fill(ellipse(cx + side * r * 0.56, cy + r * 0.30, r * 0.20, r * 0.12), CHEEK)
    # eyes: dots, snapped to pixel centres so they stay sharp when tiny
    er = max(r * 0.13, 0.62 * c.s)
    ey = c.snap(cy - r * 0.05) if r / c.s < 8 else cy - r * 0.05
    for side in (-1, 1):
        ex = cx + side * r * 0.40
        if r / c.s < 8:
            ex = c.snap(ex)
        c.fill(ellipse(ex, ey, er, er * 1.15), EYE)
        if r / c.s >= 9:
            c.fill(circle(ex - er * 0.35, ey - er * 0.45, er * 0.38), WHITE)
    # nose / mouth "."
    if r / c.s >= 7:
        ny = cy + r * 0.20
        c.fill(ellipse(cx, ny, r * 0.09, r * 0.065), NOSE)
        mw = max(r * 0.045, 0.35 * c.s)
        c.fill(polyline([(cx - r * 0.20, ny + r * 0.10), (cx - r * 0.10, ny + r * 0.18),
                         (cx, ny + r * 0.08), (cx + r * 0.10, ny + r * 0.18),
                         (cx + r * 0.20, ny + r * 0.10)], mw), INK)
    else:
        ny = cy + r * 0.24
        c.fill(circle(cx, ny, max(r * 0.09, 0.5 * c.s)), NOSE)


def highlight(c, shp, cx, cy, rx, ry, alpha=110):
    c.fill(inter(ellipse(cx, cy, rx, ry), shp), rgb("#ffffff", alpha))


# --------------------------------------------------------------------------
# icon pictures (design space 0..32)
# --------------------------------------------------------------------------

def pic_app(c):
    # the mascot sitting in a lacquered lunch box
    ow = c.ow
    back = rbox(3.5, 17.0, 28.5, 21.5, 1.5)             # inner rim of the box
    c.shape(back, rgb("#7a1620"))
    draw_mascot(c, 16.0, 13.0, 9.6)
    front = rbox(2.0, 20.0, 30.0, 30.0, 2.0)
    c.shape(front, rgb("#d8323c"))
    c.fill(inter(rbox(2.0, 20.0, 30.0, 23.0), front), rgb("#f05a5a"))
    band = inter(rbox(13.5, 20.0, 18.5, 30.0), front)  # cloth ribbon
    c.fill(band, rgb("#ffd34a"))
    c.fill(inter(rbox(13.5, 20.0, 18.5, 21.5), front), rgb("#fff0a0"))
    # little rice balls peeking from the rim
    if c.w >= 32:
        for x in (6.5, 25.5):
            ball = ellipse(x, 19.2, 2.6, 2.2)
            c.shape(inter(ball, halfplane(0, 1, 20.0)), WHITE, w=ow * 0.8)
        c.fill(rbox(2.0, 20.0 - ow, 30.0, 20.0, 0), INK)


def pic_face(c):
    draw_mascot(c, 16.0, 17.4, 11.0)


def star_pts(cx, cy, ro, ri, n=5, rot=-math.pi / 2):
    pts = []
    for k in range(n * 2):
        rr = ro if k % 2 == 0 else ri
        a = rot + k * math.pi / n
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    return pts


def pic_star(c):
    st = grow(polygon(star_pts(16, 17.2, 12.0, 5.0)), 0.9)  # rounded tips
    c.shape(st, rgb("#ffd21f"))
    inner = polygon(star_pts(16, 17.2, 7.0, 3.0))
    c.fill(inner, rgb("#fff08a"))


def pic_heart(c):
    pts = []
    for k in range(72):
        t = 2 * math.pi * k / 72
        x = 16 * math.sin(t) ** 3
        y = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
        pts.append((16 + x * 0.82, 15.0 - y * 0.82))
    h = polygon(pts)
    c.shape(h, rgb("#e8283c"))
    highlight(c, h, 9.5, 10.0, 3.2, 2.2, 150)


def pic_note(c):
    col = rgb("#2f6fd8")
    h1 = rotated(ellipse(9.0, 24.0, 4.4, 3.2), 9.0, 24.0, -0.35)
    h2 = rotated(ellipse(23.0, 21.0, 4.4, 3.2), 23.0, 21.0, -0.35)
    s1 = rbox(11.4, 7.5, 13.6, 24.0)
    s2 = rbox(25.4, 4.5, 27.6, 21.0)
    beam = polygon([(11.4, 7.0), (27.6, 4.0), (27.6, 8.6), (11.4, 11.6)])
    note = union(h1, h2, s1, s2, beam)
    c.shape(note, col)
    highlight(c, note, 7.5, 22.6, 1.8, 1.0, 140)
    highlight(c, note, 21.5, 19.6, 1.8, 1.0, 140)


def pic_leaf(c):
    # a lens between two circles; its midrib runs along x + y = 32
    a = circle(16 - 7.0, 16 - 7.0, 15.5)
    b = circle(16 + 7.0, 16 + 7.0, 15.5)
    leaf = inter(a, b)
    stem = capsule(9.0, 23.0, 3.6, 28.4, 1.3)
    c.shape(union(leaf, stem), rgb("#3cb043"))
    k = 0.7071
    c.fill(inter(leaf, halfplane(-k, -k, -32.0 * k)), rgb("#2e9038"))
    vein_w = max(0.5 * c.s, 0.55)
    vein = rgb("#1f6a2a")
    c.fill(inter(capsule(7.0, 25.0, 24.0, 8.0, vein_w), leaf), vein)
    for t in (0.4, 0.68):
        x = 7.6 + (24.4 - 7.6) * t
        y = 24.4 + (7.6 - 24.4) * t
        c.fill(inter(capsule(x, y, x - 1.0, y - 4.6, vein_w * 0.9), leaf), vein)
        c.fill(inter(capsule(x, y, x + 4.6, y + 1.0, vein_w * 0.9), leaf), vein)
    highlight(c, leaf, 12.5, 13.0, 1.6, 3.2, 90)


def pic_sun(c):
    rays = []
    for k in range(8):
        a = k * math.pi / 4
        ca, sa = math.cos(a), math.sin(a)
        tip = (16 + 15.0 * ca, 16 + 15.0 * sa)
        b1 = (16 + 9.0 * ca - 3.4 * sa, 16 + 9.0 * sa + 3.4 * ca)
        b2 = (16 + 9.0 * ca + 3.4 * sa, 16 + 9.0 * sa - 3.4 * ca)
        rays.append(polygon([tip, b1, b2]))
    ray_all = union(*rays)
    c.shape(ray_all, rgb("#ff8a1c"))
    disc = circle(16, 16, 9.0)
    c.shape(disc, rgb("#ffb52e"))
    c.fill(circle(16, 16, 6.2), rgb("#ffd24a"))
    highlight(c, disc, 13.0, 12.5, 2.6, 1.8, 120)


def pic_moon(c):
    m = minus(circle(15.0, 16.0, 13.0), circle(22.0, 11.5, 10.5))
    col = rgb("#9a6ce0")
    c.shape(m, col)
    highlight(c, m, 6.5, 17.0, 1.6, 4.5, 100)
    # two little stars
    for (x, y, r) in ((24.5, 23.5, 3.4), (27.5, 15.0, 2.2)):
        if r / c.s < 1.6:
            continue
        c.shape(polygon(star_pts(x, y, r, r * 0.42, 4, 0)), rgb("#d9c8ff"), w=c.ow * 0.8)


def pic_drop(c):
    cx, cy, r = 16.0, 20.0, 9.5
    top = (16.0, 2.5)
    # tangent points from the tip to the circle
    d = cy - top[1]
    ang = math.asin(r / d)
    tx = r * math.cos(ang)
    ty = cy - r * math.sin(ang)
    drop = union(circle(cx, cy, r), polygon([top, (cx + tx, ty), (cx - tx, ty)]))
    c.shape(drop, rgb("#22b8e0"))
    c.fill(inter(drop, minus(circle(cx, cy, r), circle(cx - 1.6, cy - 1.8, r))),
           rgb("#1592bd"))
    highlight(c, drop, 11.8, 18.0, 1.8, 3.6, 190)


def pic_flower(c):
    petals = []
    for k in range(5):
        a = -math.pi / 2 + k * 2 * math.pi / 5
        petals.append(circle(16 + 7.6 * math.cos(a), 16.6 + 7.6 * math.sin(a), 6.0))
    all_p = union(*petals)
    c.fill(grow(all_p, c.ow), INK)
    for k, p in enumerate(petals):
        c.fill(p, rgb("#ff6fc1"))
    # separate the petals with thin lines
    for k in range(5):
        a = -math.pi / 2 + (k + 0.5) * 2 * math.pi / 5
        c.fill(inter(capsule(16, 16.6, 16 + 13 * math.cos(a), 16.6 + 13 * math.sin(a),
                             max(0.35 * c.s, 0.4)), all_p), rgb("#c8388c"))
    for k in range(5):
        a = -math.pi / 2 + k * 2 * math.pi / 5
        highlight(c, petals[k], 16 + 9.0 * math.cos(a) - 1.0, 16.6 + 9.0 * math.sin(a) - 1.0,
                  1.6, 1.2, 120)
    ctr = circle(16, 16.6, 4.6)
    c.shape(ctr, rgb("#ffd21f"))
    highlight(c, ctr, 14.8, 15.2, 1.4, 1.0, 150)


def pic_gear(c):
    teeth = []
    for k in range(8):
        a = k * math.pi / 4
        teeth.append(rotated(rbox(16 - 2.6, 1.8, 16 + 2.6, 10.0, 0.8), 16, 16, a))
    body = union(circle(16, 16, 10.5), *teeth)
    hole = circle(16, 16, 4.0)
    g = minus(body, hole)
    c.shape(g, rgb("#6e8fb0"))
    c.fill(inter(g, minus(circle(16, 16, 7.6), circle(16, 16, 5.2))), rgb("#8fb0cf"))
    c.fill(minus(grow(hole, c.ow), hole), INK)


def pic_arrow(c, direction):
    # drawn in the middle 16x10 of the 32x32 picture (x 8..24, y 11..21)
    m = c.ow
    x0, x1 = 8.0 + m, 24.0 - m
    y0, y1 = 11.0 + m * 0.85, 21.0 - m * 0.85
    mid = (y0 + y1) / 2.0
    hx = x0 + (y1 - y0) * 0.62
    sh = (y1 - y0) * 0.22
    pts = [(x0, mid), (hx, y0), (hx, mid - sh), (x1, mid - sh),
           (x1, mid + sh), (hx, mid + sh), (hx, y1)]
    if direction > 0:
        pts = [(32.0 - x, y) for x, y in pts]
    a = polygon(pts)
    c.shape(a, rgb("#2a62c9"), w=m * 0.8)


def pic_check(c):
    # a small mark in the middle: menus centre the 32x32 icon on a narrow column
    pts = [(11.0, 16.5), (14.5, 20.0), (21.5, 11.5)]
    w = 2.2
    c.fill(polyline(pts, w + c.ow), INK)
    c.fill(polyline(pts, w), rgb("#2fae4a"))


def pic_noitem(c):
    grey = rgb("#5c5c5c")
    halo = rgb("#ffffff", 150)
    if c.w <= 16:
        c.text(["NO", "ITEM"], FONT3, grey, lgap=2, halo=halo)
    elif c.w <= 32:
        c.text(["NO", "ITEM"], FONT5, grey, lgap=3, halo=halo)
    else:
        c.text(["NO", "ITEM"], FONT5, grey, sx=1, sy=2, bold=True, lgap=4, halo=halo)


def pic_notfound(c):
    red = rgb("#d81e1e")
    halo = rgb("#ffffff", 150)
    if c.w <= 16:
        c.text(["?"], FONT5, red, sy=2, bold=True, halo=halo)
    elif c.w <= 32:
        c.text(["NOT", "FOUND"], FONT5, red, lgap=3, halo=halo)
    else:
        c.text(["NOT", "FOUND"], FONT5, red, sx=1, sy=2, bold=True, lgap=4, halo=halo)


# --------------------------------------------------------------------------
# cursors (32x32, pixel space)
# --------------------------------------------------------------------------

ARROW = [
    "K",
    "KK",
    "KWK",
    "KWWK",
    "KWWWK",
    "KWWWWK",
    "KWWWWWK",
    "KWWWWWWK",
    "KWWWWWWWK",
    "KWWWWWWWWK",
    "KWWWWWKKKKK",
    "KWWKWWK",
    "KWK.KWWK",
    "KK..KWWK",
    "K....KWWK",
    ".....KWWK",
    "......KK",
]


def cursor_base(c, face_at=(20.0, 21.0)):
    draw_mascot(c, face_at[0], face_at[1], 6.6, whiskers=True)
    c.bitmap(ARROW, 0, 0, {"K": rgb("#000000"), "W": WHITE})


def cur_drag(c):
    cursor_base(c)


def cur_nodrop(c):
    cursor_base(c)
    cx, cy = 24.5, 24.5
    disc = circle(cx, cy, 6.8)
    ring = minus(disc, circle(cx, cy, 4.5))
    bar = inter(rotated(rbox(cx - 6.0, cy - 1.2, cx + 6.0, cy + 1.2), cx, cy, math.pi / 4),
                circle(cx, cy, 5.5))
    c.fill(grow(disc, 1.0), WHITE)
    c.fill(union(ring, bar), rgb("#e01818"))


def arc_arrow(cx, cy, r, a0, a1, width, head):
    """Arc from angle a0 to a1 (degrees, y down) with an arrowhead at a1."""
    n = 8
    pts = []
    for k in range(n + 1):
        a = math.radians(a0 + (a1 - a0) * k / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    a = math.radians(a1)
    sgn = 1.0 if a1 > a0 else -1.0
    tx, ty = -math.sin(a) * sgn, math.cos(a) * sgn     # travel direction
    nx, ny = -ty, tx
    ex, ey = pts[-1]
    tip = (ex + tx * head * 1.1, ey + ty * head * 1.1)
    b1 = (ex - tx * head * 0.2 + nx * head, ey - ty * head * 0.2 + ny * head)
    b2 = (ex - tx * head * 0.2 - nx * head, ey - ty * head * 0.2 - ny * head)
    return union(polyline(pts, width), polygon([tip, b1, b2]))


def cur_swap(c):
    cursor_base(c, face_at=(17.0, 22.5))
    cx, cy, r = 24.8, 9.0, 4.6
    top = arc_arrow(cx, cy, r, 195, 320, 0.85, 2.6)
    bot = arc_arrow(cx, cy, r, 15, 140, 0.85, 2.6)
    sym = union(top, bot)
    c.fill(grow(sym, 1.0), WHITE)
    c.fill(top, rgb("#1f7ae0"))
    c.fill(bot, rgb("#16a34a"))


def cur_copy(c):
    cursor_base(c, face_at=(17.0, 23.0))
    # speech balloon with "COPY"
    bal = union(rbox(13.0, 1.0, 31.0, 10.0, 2.0),
                polygon([(17.0, 9.5), (21.0, 9.5), (17.5, 13.0)]))
    c.fill(grow(bal, 1.0), rgb("#000000"))
    c.fill(bal, rgb("#fffbd0"))
    c.text(["COPY"], FONT3, rgb("#1a44c0"), cx=22.0, top=3)


# --------------------------------------------------------------------------
# about picture (320x240)
# --------------------------------------------------------------------------

BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def about_picture():
    W, H = 320, 240
    c = Canvas(W, H, 1.0)
    c.ow = 3.0
    # sky: a dithered vertical blend through a handful of colours
    sky = [rgb("#a8d8ff"), rgb("#bfe3ff"), rgb("#d6ecff"), rgb("#e9f3ff"),
           rgb("#fbefff"), rgb("#ffe6f0")]
    for y in range(H):
        t = y / (H - 1) * (len(sky) - 1)
        k = min(int(t), len(sky) - 2)
        frac = t - k
        for x in range(W):
            col = sky[k + 1] if frac * 16 > BAYER4[y % 4][x % 4] + 0.5 else sky[k]
            c.put(x, y, col)
    # clouds (kept away from the top centre)
    for (x, y, s) in ((48, 42, 1.0), (270, 62, 0.85), (30, 118, 0.6)):
        cl = union(ellipse(x, y + 4 * s, 30 * s, 10 * s), circle(x - 12 * s, y - 2 * s, 11 * s),
                   circle(x + 6 * s, y - 6 * s, 14 * s), circle(x + 20 * s, y + 1 * s, 9 * s))
        c.fill(grow(cl, 2.0), rgb("#d0e6f8"))
        c.fill(cl, WHITE)
    # twinkles
    for (x, y, r) in ((100, 24, 5.0), (232, 22, 4.0), (296, 120, 4.5), (84, 88, 3.2),
                      (250, 100, 3.0)):
        c.fill(polygon(star_pts(x, y, r, r * 0.35, 4, 0)), rgb("#ffe36a"))
    # hills
    c.fill(ellipse(60, 260, 170, 70), rgb("#8fd07a"))
    c.fill(ellipse(280, 268, 160, 70), rgb("#7cc36a"))
    c.fill(ellipse(160, 290, 260, 80), rgb("#a6dc8a"))
    # little flowers on the hills
    for (x, y, col) in ((22, 214, "#ff7fbf"), (52, 228, "#ffffff"), (268, 220, "#ffd21f"),
                        (300, 232, "#ff7fbf"), (240, 234, "#ffffff"), (86, 236, "#ffd21f")):
        for k in range(5):
            a = k * 2 * math.pi / 5
            c.fill(circle(x + 3.2 * math.cos(a), y + 3.2 * math.sin(a), 2.4), rgb(col))
        c.fill(circle(x, y, 1.8), rgb("#f08a1c"))
    # shadow under the box
    c.fill(ellipse(160, 201, 80, 8), rgb("#6fb35e"))
    # the lunch box with the mascot in it
    c.shape(rbox(92, 146, 228, 162, 6), rgb("#7a1620"))
    draw_mascot(c, 160.0, 118.0, 46.0)
    front = rbox(84, 156, 236, 200, 9)
    c.shape(front, rgb("#d8323c"))
    c.fill(inter(rbox(84, 156, 236, 166), front), rgb("#f05a5a"))
    c.fill(inter(rbox(146, 156, 174, 200), front), rgb("#ffd34a"))
    c.fill(inter(rbox(146, 156, 174, 162), front), rgb("#fff0a0"))
    for x in (104, 216):
        ball = inter(ellipse(x, 152, 13, 10), halfplane(0, 1, 156))
        c.shape(ball, WHITE)
        c.fill(inter(rbox(x - 5, 146, x + 5, 156), ellipse(x, 152, 13, 10)), rgb("#2a3a2a"))
    c.fill(rbox(84, 154.5, 236, 157.5, 0), INK)
    # product name
    name = dict(lines=["PORUN"], font=FONT5, sx=4, sy=4, gap=4)
    for pos in ((162, 206), (160, 204)):          # white border around both
        c.text(col=WHITE, cx=pos[0], top=pos[1], halo=WHITE, halo_r=2, **name)
    c.text(col=rgb("#b02a58"), cx=162, top=206, **name)   # shadow
    c.text(col=rgb("#ff6f9c"), cx=160, top=204, **name)
    return c


# --------------------------------------------------------------------------
# file formats
# --------------------------------------------------------------------------

def dib_32(w, h, px):
    """BITMAPINFOHEADER + BGRA XOR bitmap + AND mask, as used inside ICO/CUR."""
    hdr = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = px[y * w + x]
            xor += bytes((b, g, r, a))
    stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if px[y * w + x][3] < 128:
                row[x >> 3] |= 0x80 >> (x & 7)
        mask += row
    data = bytearray(hdr) + xor + mask
    struct.pack_into("<I", data, 20, len(xor) + len(mask))  # biSizeImage
    return bytes(data)


def write_icon_file(path, images, cursor=False, hotspot=(0, 0)):
    """images: list of (w, h, rgba pixels)."""
    blobs = [dib_32(w, h, px) for (w, h, px) in images]
    out = bytearray(struct.pack("<HHH", 0, 2 if cursor else 1, len(images)))
    off = 6 + 16 * len(images)
    for (w, h, _), blob in zip(images, blobs):
        if cursor:
            out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0,
                               hotspot[0], hotspot[1], len(blob), off)
        else:
            out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), off)
        off += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


def quantize(px, maxcol=256):
    """Popularity quantizer: the most used colours, others mapped to nearest."""
    counts = {}
    for p in px:
        counts[p] = counts.get(p, 0) + 1
    order = sorted(counts.items(), key=lambda kv: (-kv[1], kv[0]))
    pal = [k for k, _ in order[:maxcol]]
    index = {col: i for i, col in enumerate(pal)}
    for col, _ in order[maxcol:]:
        best, bd = 0, None
        for i, q in enumerate(pal):
            d = ((col[0] - q[0]) * 3) ** 2 + ((col[1] - q[1]) * 4) ** 2 + ((col[2] - q[2]) * 2) ** 2
            if bd is None or d < bd:
                best, bd = i, d
        index[col] = best
    while len(pal) < 256:
        pal.append((0, 0, 0))
    return pal, [index[p] for p in px]


def write_bmp8(path, w, h, px):
    pal, idx = quantize(px)
    stride = (w + 3) & ~3
    pal_bytes = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in pal)
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(idx[y * w:(y + 1) * w])
        row += bytes(stride - w)
        pixels += row
    off = 14 + 40 + len(pal_bytes)
    fh = struct.pack("<2sIHHI", b"BM", off + len(pixels), 0, 0, off)
    ih = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    with open(path, "wb") as f:
        f.write(fh + ih + pal_bytes + pixels)


# --------------------------------------------------------------------------
# main
# --------------------------------------------------------------------------

ICONS = [
    # (id name in resources/resource_ids.h, file, painter), in id order
    ("IDI_PROGRAM", "app.ico", pic_app),
    ("IDI_FACE", "face.ico", pic_face),
    ("IDI_GROUP_2", "group02.ico", pic_star),
    ("IDI_GROUP_3", "group03.ico", pic_heart),
    ("IDI_GROUP_4", "group04.ico", pic_note),
    ("IDI_GROUP_5", "group05.ico", pic_leaf),
    ("IDI_GROUP_6", "group06.ico", pic_sun),
    ("IDI_GROUP_7", "group07.ico", pic_moon),
    ("IDI_GROUP_8", "group08.ico", pic_drop),
    ("IDI_GROUP_9", "group09.ico", pic_flower),
    ("IDI_GROUP_10", "group10.ico", pic_gear),
    ("IDI_EMPTY_BUTTON", "noitem.ico", pic_noitem),
    ("IDI_NOT_FOUND", "notfound.ico", pic_notfound),
    ("IDI_PREVIOUS_GROUP", "arrow_left.ico", lambda c: pic_arrow(c, -1)),
    ("IDI_NEXT_GROUP", "arrow_right.ico", lambda c: pic_arrow(c, 1)),
    ("IDI_MENU_CHECK", "check.ico", pic_check),
]

CURSORS = [
    ("IDCUR_DRAG", "drag.cur", cur_drag),
    ("IDCUR_NO_DROP", "nodrop.cur", cur_nodrop),
    ("IDCUR_SWAP", "swap.cur", cur_swap),
    ("IDCUR_COPY", "copy.cur", cur_copy),
]

ABOUT = ("IDB_ABOUT", "about.bmp")

DESCRIPTIONS = {
    "app.ico": "program icon: the round cat mascot sitting in a lunch box",
    "face.ico": "the mascot's face; default icon of group 1",
    "group02.ico": "group 2 default icon: star",
    "group03.ico": "group 3 default icon: heart",
    "group04.ico": "group 4 default icon: music notes",
    "group05.ico": "group 5 default icon: leaf",
    "group06.ico": "group 6 default icon: sun",
    "group07.ico": "group 7 default icon: crescent moon",
    "group08.ico": "group 8 default icon: water drop",
    "group09.ico": "group 9 default icon: flower",
    "group10.ico": "group 10 default icon: gear",
    "noitem.ico": "grey \"NO ITEM\" text, for an empty slot",
    "notfound.ico": "red \"NOT FOUND\" text, for a missing target",
    "arrow_left.ico": "left arrow, drawn in the centre 16x10 of the 32x32 image",
    "arrow_right.ico": "right arrow, drawn in the centre 16x10 of the 32x32 image",
    "check.ico": "check mark for menus",
    "drag.cur": "drag cursor: arrow with the mascot face",
    "nodrop.cur": "drag cursor: drop not allowed (red no-entry sign)",
    "swap.cur": "drag cursor: swap two items (two-way arrows)",
    "copy.cur": "drag cursor: copy (\"COPY\" balloon)",
    "about.bmp": "about-box picture, 320x240, 256 colours",
}


def render_icon(painter, size):
    c = Canvas(size, size, 32.0 / size)
    painter(c)
    return (size, size, c.rgba())


def main():
    os.makedirs(ART_DIR, exist_ok=True)
    for rid, name, painter in ICONS:
        imgs = [render_icon(painter, s) for s in ICON_SIZES]
        write_icon_file(os.path.join(ART_DIR, name), imgs)
        print("wrote", name)
    for rid, name, painter in CURSORS:
        c = Canvas(32, 32, 1.0)
        c.ow = 1.0
        painter(c)
        write_icon_file(os.path.join(ART_DIR, name), [(32, 32, c.rgba())],
                        cursor=True, hotspot=(0, 0))
        print("wrote", name)
    about = about_picture()
    px = [(r, g, b) for (r, g, b, a) in about.rgba()]
    write_bmp8(os.path.join(ART_DIR, ABOUT[1]), about.w, about.h, px)
    print("wrote", ABOUT[1])

    entries = []
    for rid, name, _ in ICONS:
        entries.append((rid, "ICON", name))
    for rid, name, _ in CURSORS:
        entries.append((rid, "CURSOR", name))
    entries.append((ABOUT[0], "BITMAP", ABOUT[1]))
    lines = ["// Artwork resources, generated by scripts/make_art.py - do not edit.",
             "// Paths are relative to the resources/ folder; the ids are in resource_ids.h.", ""]
    for rid, kind, name in entries:
        lines.append('%s %s "art/%s"' % (rid, kind, name))
    lines.append("")
    with open(os.path.join(RES_DIR, "art.rc"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines))
    print("wrote art.rc")

    readme = ["# Artwork", "",
              "Original pixel art for the launcher, drawn procedurally by",
              "`scripts/make_art.py` (Python 3, standard library only).",
              "Regenerate everything (deterministic) with:", "",
              "    python3 scripts/make_art.py", "",
              "The generated files are committed; edit the script, not the images.",
              "`../art.rc` lists them as resources.", "",
              "| id | file | what |", "|----|------|------|"]
    for rid, kind, name in entries:
        readme.append("| %s | %s | %s |" % (rid, name, DESCRIPTIONS[name]))
    readme += ["",
               "Icons hold 16x16, 32x32 and 48x48 images (32-bit BGRA with an AND mask,",
               "classic BMP entries).  Cursors are 32x32, 32-bit, hotspot at the arrow",
               "tip (0,0).  `about.bmp` is 320x240, 8-bit palettized; its top centre is",
               "kept plain because a 32x32 icon button is drawn there.", ""]
    with open(os.path.join(ART_DIR, "README.md"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(readme))
    print("wrote art/README.md")
    return 0


if __name__ == "__main__":
    sys.exit(main())
