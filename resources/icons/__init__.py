"""Drawing code of the icons built into Quorlet.exe.

Each module draws one family of icons; ICONS maps every .ico file name to
a function that draws the picture at a given size (16, 24, 32 or 48
pixels) on a fresh Canvas.  make_icons.py in the folder above writes the
files.
"""

from . import alarm, archive, missed, options, program, report

SIZES = (16, 24, 32, 48)

ICONS = {}
for _module in (program, missed, options, report, alarm, archive):
    ICONS.update(_module.ICONS)
