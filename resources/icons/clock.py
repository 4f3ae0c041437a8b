"""The large alarm clock of the alarm window and the alarm settings.

It is the armed clock of AlarmOn.ico (red case, two bells, legs, a white
face with hands) with the detail a picture of 48 pixels and more can
carry: tick marks, tapered hands and a second hand, lips and finials on
the bells, a hammer between them, a steel bezel and highlights.

The clock is drawn in its own units with the origin at the bottom centre
between its feet and y pointing down, so it stands on y = 0 and reaches
up to y = -80 with its hammer (-69 without).  A Pose places it on a
canvas: where the origin lands, how many pixels a unit is and how far the
clock leans, turning about its feet.  The clock is symmetric apart from
its hands and highlights.
"""

import math

from .palette import INK, PAPER_BOTTOM, PAPER_TOP, RED, STEEL_BOTTOM, STEEL_EDGE, STEEL_TOP, rim_of
from .raster import (arc, circle, half_plane, inset, intersect, lerp, polygon, rect, rotate, segment,
                     shade, subtract, tint, union, vertical)

CX, CY = 0.0, -38.0         # centre of the case
CASE_R = 27.0               # outer radius of the case
BEZEL_R = 22.6              # steel ring between case and face
FACE_R = 21.0
BELL_R, BELL_D = 11.0, 27.5  # bell radius; its centre's distance from the case's at 45 degrees
LEG_TOP, LEG_FOOT, LEG_W = (13.0, -24.0), (22.0, -4.6), 2.3   # right leg; the left one mirrors it
FOOT_R = 3.2                # the feet are balls resting on y = 0
KNOB = (-4.2, -69.0, 4.2, -63.0)    # the red block on top the hammer stands on
HAMMER_PIVOT = (0.0, -67.0)
HAMMER_ARM, HAMMER_HEAD = 8.0, 2.9  # arm length, radius of the ball at its end
# ringing marks round each bell: (distance from the bell's surface, half
# the angle spanned) for the inner and the outer arc, their half width,
# and the direction they face (degrees from the right bell's outward
# direction towards straight up), which keeps them inside the canvas when
# the clock leans that way
MARKS = ((3.8, 26.0), (7.6, 19.0))
MARK_W = 1.25
MARK_TURN = 14.0

CASE = dict(top=tint(RED, 0.30), bottom=RED, edge=rim_of(RED))
LEGS = dict(top=tint(rim_of(RED), 0.20), bottom=rim_of(RED), edge=shade(rim_of(RED), 0.70))
STEEL = dict(top=STEEL_TOP, bottom=STEEL_BOTTOM, edge=STEEL_EDGE)
WHITE = (255, 255, 255)

# the clock shows ten past ten and 35 seconds: angles clockwise from twelve
HOUR_ANGLE = 305.0
MINUTE_ANGLE = 60.0
SECOND_ANGLE = 210.0


class Pose:
    """Where the clock stands on a canvas: its origin (between the feet)
    at pixel (x, y), scale pixels per unit, leaning tilt degrees to the
    right (negative: to the left)."""

    def __init__(self, x, y, scale, tilt=0.0):
        self.x, self.y, self.scale = x, y, scale
        a = math.radians(tilt)
        self.cos, self.sin = math.cos(a), math.sin(a)

    def to_units(self, x, y):
        dx, dy = (x - self.x) / self.scale, (y - self.y) / self.scale
        return self.cos * dx + self.sin * dy, self.cos * dy - self.sin * dx

    def shape(self, f):
        """A shape in clock units as a shape in pixels."""
        def g(x, y):
            u, v = self.to_units(x, y)
            return self.scale * f(u, v)
        return g

    def paint(self, p):
        if not callable(p):
            return p
        return lambda x, y: p(*self.to_units(x, y))


class Pen:
    """Draws shapes given in clock units onto a canvas."""

    def __init__(self, canvas, pose):
        self.cv, self.pose = canvas, pose
        self.scale = pose.scale

    def px(self, pixels):
        """A length of so many pixels in clock units."""
        return pixels / self.scale

    def fill(self, shape, paint, opacity=1.0):
        self.cv.fill(self.pose.shape(shape), self.pose.paint(paint), opacity)

    def lit(self, shape, colours, y0, y1, rim):
        """Rim colour, then a gradient from y0 to y1 (units) rim pixels
        inside it, as palette.lit does."""
        self.fill(shape, colours["edge"])
        self.fill(inset(shape, self.px(rim)), vertical(colours["top"], colours["bottom"], y0, y1))


def hand(angle, length, tail, base, tip, round_):
    """A tapered hand from tail units behind the centre to length units in
    front of it, base and tip its half widths, corners rounded by round_."""
    a = math.radians(angle)
    ux, uy = math.sin(a), -math.cos(a)      # along the hand, clockwise from twelve
    nx, ny = -uy, ux
    bx, by = CX - ux * tail, CY - uy * tail
    tx, ty = CX + ux * length, CY + uy * length
    pts = [(bx + nx * base, by + ny * base), (tx + nx * tip, ty + ny * tip),
           (tx - nx * tip, ty - ny * tip), (bx - nx * base, by - ny * base)]
    return inset(polygon(pts), -round_)


def bell(side):
    """The bell cap on side -1 (left) or 1 (right): the outer half of a
    disc, and its centre and outward direction."""
    ox, oy = side * math.sqrt(0.5), -math.sqrt(0.5)
    bx, by = CX + ox * BELL_D, CY + oy * BELL_D
    return intersect(circle(bx, by, BELL_R), half_plane(bx, by, -ox, -oy)), (bx, by), (ox, oy)


def hammer(swing):
    """Arm and ball, swung swing degrees to the right about the pivot."""
    px, py = HAMMER_PIVOT
    top = py - HAMMER_ARM
    arm = rotate(segment(px, py, px, top, 1.1), px, py, -swing)
    ball = rotate(circle(px, top, HAMMER_HEAD), px, py, -swing)
    return arm, ball


def draw(cv, pose, rim, marks=False, hammer_swing=None, fine=True):
    """The clock on cv.  rim: width in pixels of the dark outline of each
    part; marks: ringing marks beside both bells; hammer_swing: None for no
    hammer, otherwise how far it leans to the right (degrees); fine: tick
    marks for every hour, a second hand, a steel bezel and finials on the
    bells, for the larger pictures."""
    pen = Pen(cv, pose)
    thin = pen.px(1.0)              # one pixel in units: lines never get thinner

    # legs and feet, behind the case
    lx, ly = LEG_TOP
    fx, fy = LEG_FOOT
    legs = union(*[segment(s * lx, ly, s * fx, fy, LEG_W) for s in (-1, 1)]
                 + [circle(s * (fx + 0.4), -FOOT_R, FOOT_R) for s in (-1, 1)])
    pen.lit(legs, LEGS, -24.0, 0.0, rim * 0.8)

    # the posts holding the bells, then the bells with a lip along their
    # open side, a finial on top and a gleam on the dome
    for side in (-1, 1):
        shape, (bx, by), (ox, oy) = bell(side)
        pen.fill(segment(CX, CY, bx, by, 2.2), CASE["edge"])
        pen.lit(shape, CASE, by - BELL_R, by + 2.0, rim)
        px, py = -oy, ox            # along the open side
        lip = segment(bx - px * (BELL_R + 0.6), by - py * (BELL_R + 0.6),
                      bx + px * (BELL_R + 0.6), by + py * (BELL_R + 0.6), max(1.2, thin))
        pen.lit(lip, CASE, by - BELL_R, by + BELL_R, rim * 0.7)
        if fine:
            fin = circle(bx + ox * (BELL_R + 1.0), by + oy * (BELL_R + 1.0), 2.1)
            pen.lit(fin, CASE, by - BELL_R - 3.0, by - BELL_R, rim * 0.7)
        mid = 135.0 if side < 0 else 45.0
        gleam_from = mid + 18.0 if side < 0 else mid + 8.0
        pen.fill(arc(bx, by, BELL_R - 3.2, max(0.9, thin * 0.6), gleam_from, gleam_from + 26.0),
                 WHITE, 0.55)

    # the knob on top and the hammer standing on it
    if hammer_swing is not None:
        arm, ball = hammer(hammer_swing)
        top = HAMMER_PIVOT[1] - HAMMER_ARM - HAMMER_HEAD
        pen.lit(arm, STEEL, top, HAMMER_PIVOT[1], rim * 0.7)
        pen.lit(ball, STEEL, top, top + 2 * HAMMER_HEAD, rim * 0.8)
    kx0, ky0, kx1, ky1 = KNOB
    pen.lit(rect(kx0, ky0, kx1, ky1, 1.5), CASE, ky0, ky1, rim * 0.8)

    # the case, with a gleam along its upper left
    pen.lit(circle(CX, CY, CASE_R), CASE, CY - CASE_R, CY + CASE_R, rim)
    ring_mid = (CASE_R + BEZEL_R) / 2.0
    pen.fill(arc(CX, CY, ring_mid, max(1.0, thin * 0.6), 112.0, 160.0), WHITE, 0.55)
    pen.fill(arc(CX, CY, ring_mid, max(0.7, thin * 0.45), 168.0, 178.0), WHITE, 0.45)

    # steel bezel (too fine for the smaller pictures, where it would blur
    # into the case), face with a soft shadow of the bezel along its top
    if fine:
        pen.lit(circle(CX, CY, BEZEL_R), STEEL, CY - BEZEL_R, CY + BEZEL_R, rim * 0.7)
    face_edge = lerp(PAPER_BOTTOM, STEEL_EDGE, 0.35)
    pen.lit(circle(CX, CY, FACE_R), dict(top=PAPER_TOP, bottom=PAPER_BOTTOM, edge=face_edge),
            CY - FACE_R, CY + FACE_R, rim * 0.6)
    pen.fill(subtract(circle(CX, CY, FACE_R), circle(CX, CY + 1.8, FACE_R)), INK, 0.10)

    # tick marks: long ones at 12, 3, 6 and 9, short ones between
    outer = FACE_R - 2.0
    for k in range(12):
        major = k % 3 == 0
        if not (major or fine):
            continue
        length, half = (4.4, max(1.05, thin * 0.6)) if major else (2.2, max(0.55, thin * 0.55))
        a = math.radians(30.0 * k)
        ux, uy = math.sin(a), -math.cos(a)
        r0 = outer - length + half
        r1 = outer - half
        colour = INK if major else lerp(INK, PAPER_BOTTOM, 0.35)
        pen.fill(segment(CX + ux * r0, CY + uy * r0, CX + ux * r1, CY + uy * r1, half), colour)

    # hands and the pin
    round_ = max(0.35, thin * 0.4)
    pen.fill(hand(HOUR_ANGLE, 10.5, 2.5, 1.9, 1.0, round_), INK)
    pen.fill(hand(MINUTE_ANGLE, 15.5, 3.0, 1.5, 0.6, round_), INK)
    if fine:
        a = math.radians(SECOND_ANGLE)
        ux, uy = math.sin(a), -math.cos(a)
        w = max(0.45, thin * 0.5)
        pen.fill(segment(CX - ux * 5.0, CY - uy * 5.0, CX + ux * 17.0, CY + uy * 17.0, w), RED)
    pen.fill(circle(CX, CY, 2.5), INK)
    pen.fill(circle(CX, CY, 1.1), RED)

    if marks:
        for side in (-1, 1):
            _, (bx, by), _ = bell(side)
            mid = 135.0 - MARK_TURN if side < 0 else 45.0 + MARK_TURN
            w = max(MARK_W, thin * 0.75)
            for gap, span in MARKS:
                pen.fill(arc(bx, by, BELL_R + gap, w, mid - span, mid + span), CASE["edge"])
    return cv
