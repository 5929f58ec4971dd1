#!/usr/bin/env python3
"""Builds Vaultrise's HUD display face, "Screaming Neon".

Every glyph is drawn as a neon-tube skeleton: straight runs, bends and
elliptical arcs laid out on the em grid. The outline is that skeleton swept by
a tube of constant width with round ends, so each straight run becomes a
capsule and each arc an annular sector with round caps. The pieces overlap
where tubes meet; all contours wind clockwise, so the non-zero fill of
TrueType rasterisers paints the union without holes.

The output is byte-for-byte reproducible: no clock, no environment, fixed
head timestamps and a fixed glyph order.

Usage: make_font.py [output.ttf]   (default: assets/fonts/screaming_neon.ttf)
"""

import math
import os
import sys

from fontTools.agl import UV2AGL
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib.tables._g_l_y_f import flagOverlapSimple

FAMILY = "Screaming Neon"
STYLE = "Regular"
VERSION = "Version 1.000"
# 2024-01-01 00:00:00 in seconds since 1904-01-01, the epoch of the head table.
FIXED_TIMESTAMP = 3786825600

UNITS_PER_EM = 1000
ASCENDER = 800
DESCENDER = -200
CAP_HEIGHT = 700
X_HEIGHT = 500

TUBE = 48  # half the tube width: outlines lie this far from the skeleton
BEND = 90  # default radius of a bend between two straight runs
NEON_GAP = 28  # dark gap where one tube ends beside another
NEON_CLEARANCE = 2 * TUBE + NEON_GAP
MAX_BEND_PULL = 40  # how far a bend may cut into a corner
SIDE_BEARING = 55  # space left and right of the outline
DIGIT_ADVANCE = 590  # all digits share one advance so HUD numbers don't jitter
# Every finished outline and advance is narrowed by this factor, so the HUD's
# captions fit their fixed columns even on a 1280-pixel-wide window.
CONDENSE = 0.82
SPACE_ADVANCE = 300

# Skeleton lines: where the tube's centre runs, so the outline edge lands on
# the metric (baseline 0, x-height 500, cap height 700).
BASE = TUBE
XH = X_HEIGHT - TUBE
CAP = CAP_HEIGHT - TUBE
ASC = 750 - TUBE
DESC = -200 + TUBE
MID = (BASE + CAP) / 2

CAP_STEPS = 4  # quadratic segments per round cap (45 degrees each)
ARC_STEP_DEG = 8.0  # skeleton sampling step along arcs


# ---------------------------------------------------------------- geometry


class Segment:
    """A straight tube run between two skeleton points."""

    def __init__(self, p0, p1):
        self.p0 = p0
        self.p1 = p1


class Arc:
    """A tube run along an elliptical arc, from angle a0 to a1 in degrees.

    a1 may be smaller than a0: the arc then runs clockwise.
    """

    def __init__(self, cx, cy, rx, ry, a0, a1):
        self.c = (cx, cy)
        self.rx = rx
        self.ry = ry
        self.a0 = a0
        self.a1 = a1

    def point(self, deg):
        t = math.radians(deg)
        return (self.c[0] + self.rx * math.cos(t), self.c[1] + self.ry * math.sin(t))

    def start(self):
        return self.point(self.a0)

    def end(self):
        return self.point(self.a1)


def _norm(v):
    length = math.hypot(v[0], v[1])
    return (v[0] / length, v[1] / length)


def _round_cap(centre, from_angle):
    """Points of a half circle of tube radius, counter-clockwise from
    from_angle (radians). Returns (point, on_curve) pairs, the first point
    excluded (the caller has it already), the last one on-curve."""
    pts = []
    step = math.pi / CAP_STEPS
    ctrl = TUBE / math.cos(step / 2)
    for k in range(CAP_STEPS):
        mid = from_angle + (k + 0.5) * step
        end = from_angle + (k + 1) * step
        pts.append(((centre[0] + ctrl * math.cos(mid), centre[1] + ctrl * math.sin(mid)), False))
        pts.append(((centre[0] + TUBE * math.cos(end), centre[1] + TUBE * math.sin(end)), True))
    return pts


def _tube_contour(spine, tangents):
    """Closed outline around a skeleton polyline sampled from one smooth curve.

    spine: skeleton points; tangents: unit travel directions at those points.
    The two offset sides are emitted as quadratic B-splines (interior samples
    become off-curve points), joined by round caps at both ends.
    """
    right = []
    left = []
    for (x, y), (tx, ty) in zip(spine, tangents):
        nx, ny = -ty, tx  # left normal
        right.append((x - TUBE * nx, y - TUBE * ny))
        left.append((x + TUBE * nx, y + TUBE * ny))
    contour = [(right[0], True)]
    contour += [(p, False) for p in right[1:-1]]
    contour.append((right[-1], True))
    t_end = tangents[-1]
    contour += _round_cap(spine[-1], math.atan2(-t_end[0], t_end[1]))  # from -normal
    # the cap ends on left[-1]
    contour += [(p, False) for p in reversed(left[1:-1])]
    contour.append((left[0], True))
    t_start = tangents[0]
    contour += _round_cap(spine[0], math.atan2(t_start[0], -t_start[1]))  # from +normal
    contour.pop()  # the last cap point is right[0], where the contour began
    return contour


def _segment_contour(seg):
    d = (seg.p1[0] - seg.p0[0], seg.p1[1] - seg.p0[1])
    u = _norm(d) if math.hypot(*d) > 1e-9 else (1.0, 0.0)
    if math.hypot(*d) <= 1e-9:
        # A dot: a full circle, made of two half caps.
        c = seg.p0
        contour = [((c[0], c[1] - TUBE), True)]
        contour += _round_cap(c, -math.pi / 2)
        contour += _round_cap(c, math.pi / 2)
        contour.pop()
        return contour
    return _tube_contour([seg.p0, seg.p1], [u, u])


def _arc_contour(arc):
    sweep = arc.a1 - arc.a0
    steps = max(4, int(math.ceil(abs(sweep) / ARC_STEP_DEG)))
    direction = 1.0 if sweep > 0 else -1.0
    spine = []
    tangents = []
    for i in range(steps + 1):
        deg = arc.a0 + sweep * i / steps
        t = math.radians(deg)
        spine.append(arc.point(deg))
        tangents.append(_norm((-arc.rx * math.sin(t) * direction, arc.ry * math.cos(t) * direction)))
        # The inner side of the tube folds over itself where the skeleton
        # bends tighter than the tube is wide; the design must avoid that.
        a2s2 = (arc.rx * math.sin(t)) ** 2
        b2c2 = (arc.ry * math.cos(t)) ** 2
        curvature_radius = (a2s2 + b2c2) ** 1.5 / (arc.rx * arc.ry)
        if curvature_radius < TUBE * 1.05:
            raise ValueError("arc bends tighter than the tube: %r" % (arc.__dict__,))
    return _tube_contour(spine, tangents)


def _signed_area(contour):
    area = 0.0
    n = len(contour)
    for i in range(n):
        (x0, y0), _ = contour[i]
        (x1, y1), _ = contour[(i + 1) % n]
        area += x0 * y1 - x1 * y0
    return area / 2


def piece_contour(piece):
    contour = _segment_contour(piece) if isinstance(piece, Segment) else _arc_contour(piece)
    # TrueType fills clockwise contours; keep every piece clockwise so the
    # overlaps add up instead of cancelling.
    if _signed_area(contour) > 0:
        contour.reverse()
    while not contour[0][1]:
        contour.append(contour.pop(0))
    return contour


def piece_points(piece):
    if isinstance(piece, Segment):
        return [piece.p0, piece.p1]
    return [piece.point(piece.a0 + (piece.a1 - piece.a0) * i / 16) for i in range(17)]


# ---------------------------------------------------------------- skeleton DSL


class Path:
    """A tube bent through a sequence of points and arcs.

    Corners between two straight runs are bent with a circular fillet of
    radius `bend`, the way a neon tube is bent over a flame; bend=0 keeps a
    sharp corner (the round caps still round its outside).
    """

    def __init__(self, x=None, y=None, bend=BEND):
        self.bend = bend
        self.points = [] if x is None else [(x, y)]
        self.pieces = []

    def l(self, *coords):  # noqa: E743 - short names keep glyph tables readable
        for i in range(0, len(coords), 2):
            self.points.append((coords[i], coords[i + 1]))
        return self

    def a(self, cx, cy, rx, ry, a0, a1):
        arc = Arc(cx, cy, rx, ry, a0, a1)
        start = arc.start()
        if self.points and math.hypot(start[0] - self.points[-1][0], start[1] - self.points[-1][1]) > 1.0:
            self.points.append(start)
        self._flush()
        self.pieces.append(arc)
        self.points = [arc.end()]
        return self

    def _flush(self):
        pts = self.points
        if len(pts) < 2:
            return
        start = pts[0]
        for i in range(1, len(pts) - 1):
            prev, v, nxt = start, pts[i], pts[i + 1]
            len_in = math.hypot(v[0] - prev[0], v[1] - prev[1])
            len_out = math.hypot(nxt[0] - v[0], nxt[1] - v[1])
            u1 = _norm((v[0] - prev[0], v[1] - prev[1]))
            u2 = _norm((nxt[0] - v[0], nxt[1] - v[1]))
            cross = u1[0] * u2[1] - u1[1] * u2[0]
            dot = u1[0] * u2[0] + u1[1] * u2[1]
            turn = math.atan2(abs(cross), dot)
            if self.bend <= 0 or turn < 1e-6:
                self.pieces.append(Segment(start, v))
                start = v
                continue
            # Tangent distance of the fillet, kept within the runs it joins.
            out_room = len_out if i == len(pts) - 2 else len_out / 2
            # A fillet pulls the tube inside the corner by r * (1/sin(h) - 1),
            # h being half the inner angle; acute corners would lose their
            # tips, so the bend tightens until that pull stays small.
            half_inner = (math.pi - turn) / 2
            pull = 1 / max(math.sin(half_inner), 1e-6) - 1
            radius = min(self.bend, MAX_BEND_PULL / pull) if pull > 0 else self.bend
            d = min(radius * math.tan(turn / 2), len_in, out_room)
            radius = d / math.tan(turn / 2)
            if radius < TUBE * 1.1:
                self.pieces.append(Segment(start, v))
                start = v
                continue
            t1 = (v[0] - u1[0] * d, v[1] - u1[1] * d)
            t2 = (v[0] + u2[0] * d, v[1] + u2[1] * d)
            side = 1.0 if cross > 0 else -1.0
            centre = (t1[0] - u1[1] * radius * side, t1[1] + u1[0] * radius * side)
            a0 = math.degrees(math.atan2(t1[1] - centre[1], t1[0] - centre[0]))
            a1 = a0 + side * math.degrees(turn)
            if math.hypot(t1[0] - start[0], t1[1] - start[1]) > 1e-6:
                self.pieces.append(Segment(start, t1))
            self.pieces.append(Arc(centre[0], centre[1], radius, radius, a0, a1))
            start = t2
        if math.hypot(pts[-1][0] - start[0], pts[-1][1] - start[1]) > 1e-6 or not self.pieces:
            self.pieces.append(Segment(start, pts[-1]))
        self.points = [pts[-1]]

    def done(self):
        self._flush()
        return self.pieces


def P(*coords, bend=BEND):
    """A bent polyline through the given x, y pairs."""
    return Path(coords[0], coords[1], bend=bend).l(*coords[2:]).done()


def S(x0, y0, x1, y1):
    return [Segment((x0, y0), (x1, y1))]


def _trim_end(p_far, p_end, line):
    """Moves p_end back towards p_far until it keeps NEON_CLEARANCE from the
    skeleton line (ax, ay, bx, by)."""
    ax, ay, bx, by = line
    n = _norm((-(by - ay), bx - ax))
    u = _norm((p_end[0] - p_far[0], p_end[1] - p_far[1]))
    side = 1.0 if (p_far[0] - ax) * n[0] + (p_far[1] - ay) * n[1] > 0 else -1.0
    s_end = (p_end[0] - ax) * n[0] + (p_end[1] - ay) * n[1]
    along = u[0] * n[0] + u[1] * n[1]
    t = (s_end - side * NEON_CLEARANCE) / along
    return (p_end[0] - u[0] * t, p_end[1] - u[1] * t)


def G(x0, y0, x1, y1, start_at=None, end_at=None):
    """A straight tube that stops short of the tubes it points at, leaving the
    dark gap where one glass tube ends next to another."""
    p0, p1 = (x0, y0), (x1, y1)
    q0 = _trim_end(p1, p0, start_at) if start_at else p0
    q1 = _trim_end(p0, p1, end_at) if end_at else p1
    return [Segment(q0, q1)]


def A(cx, cy, rx, ry, a0, a1):
    return [Arc(cx, cy, rx, ry, a0, a1)]


def E(cx, cy, rx, ry):
    """A closed ellipse, as two half rings whose round caps meet."""
    return [Arc(cx, cy, rx, ry, 90, 270), Arc(cx, cy, rx, ry, 270, 450)]


def D(x, y):
    return [Segment((x, y), (x, y))]


def mirror_x(pieces, axis):
    out = []
    for p in pieces:
        if isinstance(p, Segment):
            out.append(Segment((2 * axis - p.p0[0], p.p0[1]), (2 * axis - p.p1[0], p.p1[1])))
        else:
            out.append(Arc(2 * axis - p.c[0], p.c[1], p.rx, p.ry, 180 - p.a0, 180 - p.a1))
    return out


# ---------------------------------------------------------------- glyphs


def glyph_designs():
    """Skeletons by character. Coordinates are font units; x starts near 0
    and glyphs are placed by their outline bounds afterwards."""
    g = {}
    stem = (0, 0, 0, 1)  # the left stem line most letters grow from

    # --- capitals (skeleton from BASE to CAP)
    g["A"] = P(0, BASE, 210, CAP, 420, BASE, bend=60) + S(70, 240, 350, 240)  # too narrow for gaps
    g["B"] = (Path(0, MID).l(220, MID).a(220, 200, 170, 150, 90, -90).l(0, BASE).l(0, CAP).l(200, CAP)
              .a(200, 500, 150, 150, 90, -90).l(0, MID).done())
    g["C"] = A(230, MID, 230, 300, 48, 312)
    g["D"] = Path(130, BASE).l(0, BASE).l(0, CAP).l(130, CAP).a(130, MID, 270, 300, 90, -90).done()
    g["E"] = P(380, CAP, 0, CAP, 0, BASE, 380, BASE) + G(0, MID, 330, MID, stem)
    g["F"] = P(380, CAP, 0, CAP, 0, BASE) + G(0, MID, 330, MID, stem)
    g["G"] = A(235, MID, 235, 300, 45, 360) + S(470, MID, 280, MID)
    g["H"] = S(0, BASE, 0, CAP) + S(400, BASE, 400, CAP) + G(0, MID, 400, MID, stem, (400, 0, 400, 1))
    g["I"] = S(150, BASE, 150, CAP) + S(0, CAP, 300, CAP) + S(0, BASE, 300, BASE)
    g["J"] = Path(380, CAP).l(380, 230).a(200, 230, 180, 180, 0, -165).done()
    g["K"] = S(0, BASE, 0, CAP) + G(380, CAP, 0, 290, None, stem) + G(140, 423, 400, BASE, (380, CAP, 0, 290))
    g["L"] = P(0, CAP, 0, BASE, 370, BASE)
    g["M"] = P(0, BASE, 0, CAP, 260, 230, 520, CAP, 520, BASE, bend=60)
    g["N"] = P(0, BASE, 0, CAP, 420, BASE, 420, CAP, bend=60)
    g["O"] = E(260, MID, 260, 300)
    g["P"] = Path(0, BASE).l(0, CAP).l(210, CAP).a(210, 490, 180, 160, 90, -90).l(0, 330).done()
    g["Q"] = E(260, MID, 260, 300) + S(330, 190, 520, 0)
    g["R"] = g["P"] + G(190, 330, 410, BASE, (0, 330, 1, 330))
    g["S"] = Path().a(200, 500, 185, 150, 25, 270).a(200, 200, 200, 150, 90, -155).done()
    g["T"] = S(0, CAP, 420, CAP) + G(210, CAP, 210, BASE, (0, CAP, 1, CAP))
    g["U"] = Path(0, CAP).l(0, 240).a(200, 240, 200, 190, 180, 360).l(400, CAP).done()
    g["V"] = P(0, CAP, 210, BASE, 420, CAP, bend=60)
    g["W"] = P(0, CAP, 140, BASE, 280, 470, 420, BASE, 560, CAP, bend=60)
    g["X"] = S(0, BASE, 420, CAP) + S(0, CAP, 420, BASE)
    g["Y"] = P(0, CAP, 210, 330, 420, CAP, bend=60) + G(210, 330 + TUBE, 210, BASE, (0, 330, 1, 330))
    g["Z"] = P(0, CAP, 400, CAP, 0, BASE, 400, BASE, bend=0)

    # --- lowercase (skeleton from BASE to XH, ascenders to ASC)
    bowl = (180, 250, 180, 200)
    g["a"] = E(*bowl) + S(360, BASE, 360, XH)
    g["b"] = S(0, BASE, 0, ASC) + E(*bowl)
    g["c"] = A(190, 250, 190, 200, 45, 315)
    g["d"] = E(*bowl) + S(360, BASE, 360, ASC)
    g["e"] = S(0, 250, 380, 250) + A(190, 250, 190, 200, 0, 318)
    g["f"] = Path().a(240, 570, 130, 130, 25, 180).l(110, BASE).done() + S(0, XH, 290, XH)
    g["g"] = E(*bowl) + Path(360, XH).l(360, -20).a(185, -20, 175, 130, 0, -165).done()
    g["h"] = S(0, BASE, 0, ASC) + Path().a(180, 280, 180, 170, 180, 0).l(360, BASE).done()
    g["i"] = S(0, BASE, 0, XH) + D(0, 630)
    g["j"] = Path(140, XH).l(140, -50).a(50, -50, 90, 90, 0, -165).done() + D(140, 630)
    g["k"] = S(0, BASE, 0, ASC) + G(340, XH, 0, 190, None, stem) + G(130, 290, 350, BASE, (340, XH, 0, 190))
    g["l"] = Path(0, ASC).l(0, 170).a(120, 170, 120, 120, 180, 270).l(180, BASE).done()
    g["m"] = (S(0, BASE, 0, XH) + Path().a(145, 290, 145, 160, 180, 0).l(290, BASE).done()
              + Path().a(435, 290, 145, 160, 180, 0).l(580, BASE).done())
    g["n"] = S(0, BASE, 0, XH) + Path().a(180, 280, 180, 170, 180, 0).l(360, BASE).done()
    g["o"] = E(190, 250, 190, 200)
    g["p"] = S(0, DESC, 0, XH) + E(*bowl)
    g["q"] = E(*bowl) + Path(360, XH).l(360, DESC).l(440, DESC + 60).done()
    g["r"] = S(0, BASE, 0, XH) + A(210, 270, 210, 180, 180, 62)
    g["s"] = Path().a(170, 350, 160, 100, 25, 270).a(170, 150, 170, 100, 90, -155).done()
    g["t"] = Path(110, 640).l(110, 170).a(230, 170, 120, 120, 180, 270).l(290, BASE).done() + S(0, XH, 280, XH)
    g["u"] = Path(0, XH).l(0, 220).a(180, 220, 180, 170, 180, 360).l(360, XH).done() + S(360, XH, 360, BASE)
    g["v"] = P(0, XH, 190, BASE, 380, XH, bend=60)
    g["w"] = P(0, XH, 130, BASE, 260, 360, 390, BASE, 520, XH, bend=60)
    g["x"] = S(0, BASE, 380, XH) + S(0, XH, 380, BASE)
    g["y"] = S(0, XH, 195, 60) + S(390, XH, 100, DESC)
    g["z"] = P(0, XH, 370, XH, 0, BASE, 370, BASE, bend=0)

    # --- digits (monospaced; the zero carries a slash to set it apart from O)
    g["0"] = E(190, MID, 190, 300) + S(90, 180, 290, 520)
    g["1"] = P(40, 520, 200, CAP, 200, BASE, bend=0)
    g["2"] = Path().a(190, 470, 180, 180, 160, -35).l(0, BASE).l(380, BASE).done()
    g["3"] = (Path().a(180, 500, 170, 150, 150, -90).done() + S(110, MID, 200, MID)
              + Path().a(180, 200, 195, 150, 90, -150).done())
    g["4"] = P(390, 220, 0, 220, 290, CAP, 290, BASE)
    g["5"] = Path(360, CAP).l(50, CAP).a(190, 220, 190, 170, 140, -150).done()
    g["6"] = E(190, 210, 185, 160) + A(420, 210, 415, 440, 180, 98)
    g["7"] = P(0, CAP, 380, CAP, 110, BASE, bend=0)
    g["8"] = E(190, 500, 165, 150) + E(190, 200, 190, 150)
    g["9"] = E(190, 490, 185, 160) + A(-40, 490, 415, 440, 0, -82)

    # --- punctuation
    g["!"] = S(0, 260, 0, CAP) + D(0, BASE)
    g['"'] = S(0, CAP, 0, 480) + S(140, CAP, 140, 480)
    g["#"] = S(130, 60, 190, 640) + S(320, 60, 380, 640) + S(20, 230, 480, 230) + S(40, 470, 500, 470)
    g["$"] = (Path().a(180, 470, 170, 120, 25, 270).a(180, 230, 180, 120, 90, -155).done()
              + S(180, 0, 180, 700))
    g["%"] = E(95, 555, 95, 100) + E(405, 145, 95, 100) + S(40, BASE, 460, CAP)
    g["&"] = (Path(440, BASE).l(120, 420).a(200, 535, 105, 115, 235, 360 + 300).done()
              + Path().a(200, 200, 195, 160, 120, 300).l(430, 300).done())
    g["'"] = S(0, CAP, 0, 480)
    g["("] = A(260, MID, 230, 390, 118, 242)
    g[")"] = mirror_x(g["("], 130)
    g["*"] = (S(150, 370, 150, 650) + S(150 - 121, 440, 150 + 121, 580) + S(150 - 121, 580, 150 + 121, 440))
    g["+"] = S(0, 310, 400, 310) + S(200, 110, 200, 510)
    g[","] = S(50, 60, 0, -110)
    g["-"] = S(0, 310, 260, 310)
    g["."] = D(0, BASE)
    g["/"] = S(0, 0, 330, 700)
    g[":"] = D(0, BASE) + D(0, 400)
    g[";"] = S(50, 60, 0, -110) + D(50, 400)
    g["<"] = P(380, 560, 0, 310, 380, 60, bend=0)
    g["="] = S(0, 210, 380, 210) + S(0, 410, 380, 410)
    g[">"] = mirror_x(g["<"], 190)
    g["?"] = Path().a(180, 490, 180, 160, 165, -60).l(180, 250).done() + D(180, BASE)
    g["@"] = (E(300, 330, 110, 130) + Path(410, 460).l(410, 230).a(490, 230, 80, 80, 180, 360).l(570, 330)
              .a(300, 330, 270, 300, 0, 285).done())
    g["["] = P(210, 700, 0, 700, 0, -50, 210, -50, bend=0)
    g["\\"] = S(0, 700, 330, 0)
    g["]"] = mirror_x(g["["], 105)
    g["^"] = P(0, 450, 190, CAP, 380, 450, bend=0)
    g["_"] = S(0, -110, 420, -110)
    g["`"] = S(0, 680, 110, 570)
    g["{"] = P(250, 700, 130, 700, 130, 400, 20, 325, 130, 250, 130, -50, 250, -50)
    g["|"] = S(0, -80, 0, 740)
    g["}"] = mirror_x(g["{"], 135)
    g["~"] = Path().a(100, 320, 100, 85, 180, 0).a(300, 320, 100, 85, 180, 360).done()
    return g


def notdef_design():
    return P(0, 0, 0, 650, 400, 650, 400, 0, 0, 0, bend=0) + S(0, 0, 400, 650)


# ---------------------------------------------------------------- font


def draw(pieces):
    pen = TTGlyphPen(None)
    for piece in pieces:
        contour = piece_contour(piece)
        pen.moveTo(_rounded(contour[0][0]))
        pending = []
        for pt, on in contour[1:]:
            if on:
                if pending:
                    pen.qCurveTo(*pending, _rounded(pt))
                    pending = []
                else:
                    pen.lineTo(_rounded(pt))
            else:
                pending.append(_rounded(pt))
        if pending:
            pen.qCurveTo(*pending, _rounded(contour[0][0]))
        pen.closePath()
    glyph = pen.glyph()
    if glyph.numberOfContours > 0:
        # Tell rasterisers that contours overlap on purpose.
        glyph.flags[0] |= flagOverlapSimple
    return glyph


def _rounded(pt):
    # floor(x + 0.5) is stable across platforms, unlike banker's rounding.
    return (int(math.floor(pt[0] + 0.5)), int(math.floor(pt[1] + 0.5)))


def shift(pieces, dx):
    out = []
    for p in pieces:
        if isinstance(p, Segment):
            out.append(Segment((p.p0[0] + dx, p.p0[1]), (p.p1[0] + dx, p.p1[1])))
        else:
            out.append(Arc(p.c[0] + dx, p.c[1], p.rx, p.ry, p.a0, p.a1))
    return out


def condensed(glyph):
    """Scales a finished outline horizontally by CONDENSE, on whole units."""
    if glyph.numberOfContours > 0:
        glyph.coordinates.scale((CONDENSE, 1.0))
        glyph.coordinates.toInt()
    return glyph


def skeleton_x_range(pieces):
    xs = [pt[0] for p in pieces for pt in piece_points(p)]
    return min(xs), max(xs)


def build_font(path):
    designs = glyph_designs()
    codes = list(range(0x20, 0x7F))
    names = [UV2AGL[c] for c in codes]
    glyph_order = [".notdef"] + names

    outlines = {}
    advances = {}
    for code, name in zip(codes, names):
        ch = chr(code)
        if ch == " ":
            outlines[name] = TTGlyphPen(None).glyph()
            advances[name] = int(round(SPACE_ADVANCE * CONDENSE))
            continue
        pieces = designs[ch]
        xmin, xmax = skeleton_x_range(pieces)
        ink = xmax - xmin + 2 * TUBE
        if ch.isdigit():
            advance = DIGIT_ADVANCE
            left = (DIGIT_ADVANCE - ink) / 2
            if left < 20:
                raise ValueError("digit %s is too wide for the shared advance" % ch)
        else:
            advance = int(round(ink + 2 * SIDE_BEARING))
            left = SIDE_BEARING
        outlines[name] = condensed(draw(shift(pieces, left + TUBE - xmin)))
        advances[name] = int(round(advance * CONDENSE))
    notdef = notdef_design()
    outlines[".notdef"] = condensed(draw(shift(notdef, SIDE_BEARING + TUBE)))
    advances[".notdef"] = int(round((400 + 2 * TUBE + 2 * SIDE_BEARING) * CONDENSE))

    fb = FontBuilder(UNITS_PER_EM, isTTF=True)
    fb.updateHead(created=FIXED_TIMESTAMP, modified=FIXED_TIMESTAMP, fontRevision=1.0)
    fb.setupGlyphOrder(glyph_order)
    fb.setupCharacterMap({code: name for code, name in zip(codes, names)})
    fb.setupGlyf(outlines)
    glyf = fb.font["glyf"]
    metrics = {}
    y_min = 0
    y_max = 0
    for name in glyph_order:
        glyph = glyf[name]
        lsb = glyph.xMin if glyph.numberOfContours else 0
        metrics[name] = (advances[name], lsb)
        if glyph.numberOfContours:
            y_min = min(y_min, glyph.yMin)
            y_max = max(y_max, glyph.yMax)
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=ASCENDER, descent=DESCENDER, lineGap=0)
    fb.setupNameTable({
        "copyright": "Made for the game Vaultrise",
        "familyName": FAMILY,
        "styleName": STYLE,
        "uniqueFontIdentifier": "%s %s %s" % (FAMILY, STYLE, VERSION),
        "fullName": "%s %s" % (FAMILY, STYLE),
        "version": VERSION,
        "psName": "ScreamingNeon-Regular",
        "description": "Neon-tube display face for the Vaultrise HUD",
    })
    fb.setupOS2(
        sTypoAscender=ASCENDER,
        sTypoDescender=DESCENDER,
        sTypoLineGap=0,
        usWinAscent=max(ASCENDER, y_max),
        usWinDescent=max(-DESCENDER, -y_min),
        sxHeight=X_HEIGHT,
        sCapHeight=CAP_HEIGHT,
        achVendID="VRSE",
        fsType=0,
        usWeightClass=400,
        fsSelection=0x40,  # REGULAR
    )
    fb.setupPost(underlinePosition=-120, underlineThickness=2 * TUBE)
    fb.font.recalcTimestamp = False
    fb.save(path)


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out = argv[1] if len(argv) > 1 else os.path.join(root, "assets", "fonts", "screaming_neon.ttf")
    out_dir = os.path.dirname(os.path.abspath(out))
    os.makedirs(out_dir, exist_ok=True)
    build_font(out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
