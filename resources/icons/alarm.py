"""The alarm clock: resting (steel) and armed (red, with ringing marks)."""

import math

from .palette import (INK, PAPER_BOTTOM, PAPER_TOP, RED, STEEL_BOTTOM, STEEL_EDGE,
                      STEEL_TOP, lit, rim_of, tint)
from .raster import Canvas, arc, circle, half_plane, intersect, lerp, rect, segment, union

# Per size: centre of the face (cx, cy) and radius of the case; width of the
# case round the face; bells (radius, distance of their centres from the
# face's centre); the hands as (half width, length), the minute hand
# pointing to twelve and the hour hand to three so that both lie on the
# pixel grid; the legs (from, to, half width, relative to the centre); the
# ringing marks of the armed clock (radius round each bell, half width,
# half the angle they span).
LAYOUT = {
    16: dict(cx=8.5, cy=9.5, R=5.5, case=2.0, bell=(2.6, 5.6), minute=(0.5, 2.5), hour=(0.5, 2.5),
             legs=((3.0, 4.5), (4.5, 5.8), 0.7), marks=(4.2, 0.6, 22.0), knob=None),
    24: dict(cx=12.0, cy=13.0, R=9.0, case=2.0, bell=(3.6, 8.6), minute=(1.0, 5.0), hour=(1.0, 3.5),
             legs=((5.0, 7.0), (7.0, 9.2), 1.0), marks=(6.0, 0.8, 24.0), knob=(1.5, 1.5)),
    32: dict(cx=16.0, cy=18.0, R=11.0, case=3.0, bell=(4.6, 11.5), minute=(1.0, 7.0), hour=(1.0, 5.0),
             legs=((6.5, 9.0), (9.0, 12.5), 1.2), marks=(7.4, 1.0, 24.0), knob=(2.0, 2.0)),
    48: dict(cx=24.0, cy=27.0, R=17.0, case=4.0, bell=(6.8, 17.2), minute=(1.0, 11.0), hour=(2.0, 7.0),
             legs=((10.0, 13.5), (13.5, 18.5), 1.8), marks=(11.0, 1.4, 24.0), knob=(3.0, 3.0)),
}

RESTING = dict(top=STEEL_TOP, bottom=STEEL_BOTTOM, edge=STEEL_EDGE)
ARMED = dict(top=tint(RED, 0.30), bottom=RED, edge=rim_of(RED))


def bell(cx, cy, r, d, side):
    """A bell cap: the outer half of a disc whose centre lies up and to
    the side of the face at distance d; side is -1 (left) or 1 (right)."""
    bx, by = cx + side * d * math.sqrt(0.5), cy - d * math.sqrt(0.5)
    # cut along the line through the bell's centre, across the radius
    cut = half_plane(bx, by, -side, 1.0)
    return intersect(circle(bx, by, r), cut), (bx, by)


def draw_clock(n, paint, armed):
    lay = LAYOUT[n]
    cv = Canvas(n)
    cx, cy, R = lay["cx"], lay["cy"], lay["R"]
    top, bottom, edge = paint["top"], paint["bottom"], paint["edge"]

    # legs, bells and the knob on top sit behind the case
    (x0, y0), (x1, y1), lw = lay["legs"]
    legs = union(segment(cx - x0, cy + y0, cx - x1, cy + y1, lw),
                 segment(cx + x0, cy + y0, cx + x1, cy + y1, lw))
    cv.fill(legs, edge)
    br, bd = lay["bell"]
    bells = []
    for side in (-1, 1):
        shape, centre = bell(cx, cy, br, bd, side)
        bells.append(centre)
        lit(cv, shape, top, bottom, edge, centre[1] - br, centre[1])
    if lay["knob"]:
        kw, kh = lay["knob"]
        knob = rect(cx - kw, cy - R - kh, cx + kw, cy - R + 1, 1.0)
        lit(cv, knob, top, bottom, edge, cy - R - kh, cy - R + 1)

    case = circle(cx, cy, R)
    lit(cv, case, top, bottom, edge, cy - R, cy + R)
    face = circle(cx, cy, R - lay["case"])
    # the face's own edge is only a soft shadow of the case round it
    face_edge = lerp(PAPER_BOTTOM, edge, 0.45) if n > 24 else PAPER_BOTTOM
    lit(cv, face, PAPER_TOP, PAPER_BOTTOM, face_edge, cy - R, cy + R)

    # hands: minute to twelve, hour to three, and the pin
    mw, ml = lay["minute"]
    hw, hl = lay["hour"]
    cv.fill(rect(cx - mw, cy - ml, cx + mw, cy + hw), INK)
    cv.fill(rect(cx - mw, cy - hw, cx + hl, cy + hw), INK)
    if n >= 32:
        cv.fill(circle(cx, cy, mw + 1.0), INK)
        cv.fill(circle(cx, cy, mw * 0.6), RED if armed else STEEL_TOP)

    if armed:
        radius, half_width, span = lay["marks"]
        for side, (bx, by) in zip((-1, 1), bells):
            mid = 135.0 if side < 0 else 45.0
            cv.fill(arc(bx, by, radius, half_width, mid - span, mid + span), edge)
    return cv


def draw_resting(n):
    return draw_clock(n, RESTING, False)


def draw_armed(n):
    return draw_clock(n, ARMED, True)


ICONS = {"Alarm.ico": draw_resting, "AlarmOn.ico": draw_armed}
