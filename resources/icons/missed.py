"""Placeholder for a button whose icon file is gone: a grey question mark
on a light sheet framed by a dashed line."""

from .palette import GREY_FACE, GREY_LINE, GREY_MARK
from .raster import Canvas, arc, circle, rect, segment, shade, union, vertical

# Per size: frame line width, dash and gap lengths (the frame runs over
# pixels 1 .. n - 2, and the dashes are laid out so that every corner is
# drawn), then the question mark: its horizontal centre, the radius and
# half stroke width of the hook and its centre height, where the stem
# ends, the dot's height and radius.  At 16 pixels the mark is placed by
# hand (QUESTION_16, its top left corner at pixel 5, 3).
LAYOUT = {
    16: dict(line=1, dash=2, gap=2),
    24: dict(line=1, dash=2, gap=2, cx=12.5, r=4.0, w=1.5, cy=8.8, stem=14.0, dot=(17.6, 1.75)),
    32: dict(line=1, dash=2, gap=2, cx=16.5, r=5.4, w=1.5, cy=11.6, stem=18.6, dot=(23.6, 2.1)),
    48: dict(line=2, dash=4, gap=2, cx=24.0, r=8.0, w=2.0, cy=17.0, stem=28.0, dot=(35.0, 3.0)),
}

QUESTION_16 = (
    "+####+",
    "##++##",
    "##..##",
    "...+##",
    "..###+",
    "..##..",
    "......",
    "..##..",
    "..##..",
)


def dashes(p0, p1, line, dash, gap):
    """The dashes of the frame of the square [p0, p1], as rectangles."""
    length = p1 - p0
    period = dash + gap
    assert (length - dash) % period == 0, "the corners must fall on dashes"
    parts = []
    for t in range(p0, p1 - dash + 1, period):
        parts += [rect(t, p0, t + dash, p0 + line), rect(t, p1 - line, t + dash, p1),
                  rect(p0, t, p0 + line, t + dash), rect(p1 - line, t, p1, t + dash)]
    return parts


def draw(n):
    lay = LAYOUT[n]
    c = Canvas(n)
    line = lay["line"]
    p0, p1 = 1, n - 1
    c.fill(rect(p0 + line, p0 + line, p1 - line, p1 - line),
           vertical(GREY_FACE, shade(GREY_FACE, 0.92), p0, p1))
    # one at a time: the corners are covered twice, but they are opaque
    for part in dashes(p0, p1, line, lay["dash"], lay["gap"]):
        c.fill(part, GREY_LINE)

    if n == 16:
        # too small for a smooth curve: the mark is placed by hand
        c.pixels(5, 3, QUESTION_16, GREY_MARK)
        return c
    cx, r, w, cy = lay["cx"], lay["r"], lay["w"], lay["cy"]
    # the hook: from the left (a little below horizontal) over the top and
    # round to straight below its centre, then down into the stem
    hook = arc(cx, cy, r, w, -90.0, 200.0)
    stem = segment(cx, cy + r, cx, lay["stem"], w)
    dot_y, dot_r = lay["dot"]
    c.fill(union(hook, stem, circle(cx, dot_y, dot_r)), GREY_MARK)
    return c


ICONS = {"MissedIcon.ico": draw}
