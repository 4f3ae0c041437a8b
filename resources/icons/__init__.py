"""Drawing code of the icons built into Quorlet.exe.

Each module draws one family of icons; ICONS maps every .ico file name to
a function that draws the picture at a given size on a fresh Canvas, and
ICON_SIZES maps it to the sizes its file holds, smallest first.  Most
icons are the usual 16, 24, 32 and 48 pixels (SIZES); a module whose
pictures are shown larger lists them in its own ICON_SIZES.
make_icons.py in the folder above writes the files.
"""

from . import about, alarm, alarm_state, archive, missed, options, program, report, ringing

SIZES = (16, 24, 32, 48)

ICONS = {}
ICON_SIZES = {}
for _module in (program, missed, options, report, alarm, archive, ringing, alarm_state, about):
    ICONS.update(_module.ICONS)
    _own = getattr(_module, "ICON_SIZES", {})
    for _name in _module.ICONS:
        ICON_SIZES[_name] = tuple(_own.get(_name, SIZES))
