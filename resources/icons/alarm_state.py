"""The alarm settings' pictures: the clock with a blue "play" badge when
the alarm is on (AlarmEnabled.ico), greyed out with a red "stop" badge
when it is off (AlarmDisabled.ico).  48 pixels, and 96 for 2x screens.
"""

from . import clock
from .palette import BLUE, RED, lit_colour
from .raster import Canvas, circle, inset, lerp, polygon, rect

SIZES = (48, 96)

# Per size: the clock (point between the feet, pixels per unit, outline
# width, fine detail) and the badge (centre, radius, the clear gap round
# it).  The badge sits over the clock's lower right corner.
LAYOUT = {
    48: dict(x=24.0, y=47.0, scale=0.655, rim=1.0, fine=False, badge=(37.0, 37.0, 10.5), gap=1.5),
    96: dict(x=48.0, y=94.0, scale=1.31, rim=1.3, fine=True, badge=(74.0, 74.0, 21.0), gap=2.5),
}

WHITE = (255, 255, 255)


def greyed(col):
    """The colour as a disabled control shows it: grey, a little paler."""
    r, g, b = col
    y = 0.299 * r + 0.587 * g + 0.114 * b
    return lerp((y, y, y), WHITE, 0.25)


def draw(n, enabled):
    lay = LAYOUT[n]
    cv = Canvas(n)
    pose = clock.Pose(lay["x"], lay["y"], lay["scale"])
    clock.draw(cv, pose, lay["rim"], fine=lay["fine"])
    if not enabled:
        cv.recolour(greyed)

    bx, by, r = lay["badge"]
    cv.erase(circle(bx, by, r + lay["gap"]))
    disc = circle(bx, by, r)
    rim = 1.0 if n < 96 else 1.5
    if enabled:
        lit_colour(cv, disc, BLUE, by - r, by + r, rim)
        # the triangle's centre of area a little right of the disc's
        left, right, half = bx - 0.34 * r, bx + 0.50 * r, 0.50 * r
        sign = polygon([(left, by - half), (right, by), (left, by + half)])
        cv.fill(inset(sign, -0.06 * r), WHITE)
    else:
        lit_colour(cv, disc, RED, by - r, by + r, rim)
        h = 0.34 * r
        cv.fill(rect(bx - h, by - h, bx + h, by + h, 0.10 * r), WHITE)
    return cv


ICONS = {"AlarmEnabled.ico": lambda n: draw(n, True), "AlarmDisabled.ico": lambda n: draw(n, False)}
ICON_SIZES = {name: SIZES for name in ICONS}
