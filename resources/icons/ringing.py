"""The alarm window's clock, rocking while the alarm rings: three frames
shown one after another at the same place.  AlarmFrame0.ico leans to the
left, AlarmFrame1.ico stands upright and AlarmFrame2.ico leans to the
right; all three turn about the same point between the feet, so the
clock rocks on its legs.  The leaning frames ring: marks beside the bells
and the hammer swung over to the bell on the lower side.

The frames are 96 pixels for normal screens and 192 for 2x screens, each
drawn at its own size.
"""

from . import clock
from .raster import Canvas

TILT = 13.0         # degrees either way
SWING = 22.0        # the hammer, on top of the tilt
SIZES = (96, 192)

# Per size: where the point between the feet lies, the pixels per clock
# unit, the width of the outlines.  The clock leaning either way, with its
# ringing marks, stays a pixel or two inside the canvas at both sizes.
LAYOUT = {
    96: dict(x=48.0, y=88.0, scale=0.92, rim=1.1),
    192: dict(x=96.0, y=176.0, scale=1.84, rim=1.8),
}


def frame(n, k):
    lay = LAYOUT[n]
    tilt = (-TILT, 0.0, TILT)[k]
    swing = (-SWING, 0.0, SWING)[k]
    pose = clock.Pose(lay["x"], lay["y"], lay["scale"], tilt)
    return clock.draw(Canvas(n), pose, lay["rim"], marks=(k != 1), hammer_swing=swing)


def _drawer(k):
    return lambda n: frame(n, k)


ICONS = {"AlarmFrame%d.ico" % k: _drawer(k) for k in range(3)}
ICON_SIZES = {name: SIZES for name in ICONS}
