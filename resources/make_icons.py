#!/usr/bin/env python3
"""Draw the icons of Quorlet.exe from their sources in icons/.

  python3 make_icons.py OUTDIR              write every .ico into OUTDIR
  python3 make_icons.py OUTDIR --png DIR    also write each size as a PNG
                                            into DIR, plain and enlarged
                                            (8x up to 48 pixels, then 4x
                                            at 96 and 2x at 192)
  python3 make_icons.py OUTDIR --only NAME  just the icon NAME (e.g. Report.ico)

Most .ico files hold 16x16, 24x24, 32x32 and 48x48 images; the pictures of
the alarm window (AlarmFrame0..2.ico: 96x96 and 192x192), of the alarm
settings (AlarmEnabled.ico, AlarmDisabled.ico: 48x48 and 96x96) and the
about box's emblem (AboutEmblem.ico: 48x48 and 96x96) are larger.
icons.ICON_SIZES lists the sizes of each file.  Every image is a 32-bit
BGRA DIB with an AND mask, drawn at its own size.  The output is
byte-for-byte deterministic and only the standard library is used.  The
build runs this script; the icons are not kept in the repository.
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source folder clean during builds
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from icons import ICON_SIZES, ICONS  # noqa: E402
from icons.raster import ico_bytes, png_bytes  # noqa: E402


def main(argv):
    args = list(argv)
    png_dir = None
    only = None
    if "--png" in args:
        k = args.index("--png")
        png_dir = args[k + 1]
        del args[k:k + 2]
    if "--only" in args:
        k = args.index("--only")
        only = args[k + 1]
        del args[k:k + 2]
    if len(args) != 1:
        sys.stderr.write(__doc__)
        return 2
    outdir = args[0]
    os.makedirs(outdir, exist_ok=True)
    if png_dir:
        os.makedirs(png_dir, exist_ok=True)
    names = [only] if only else sorted(ICONS)
    for name in names:
        sizes = ICON_SIZES[name]
        canvases = [ICONS[name](n) for n in sizes]
        assert tuple(cv.size for cv in canvases) == sizes, name
        with open(os.path.join(outdir, name), "wb") as fh:
            fh.write(ico_bytes(canvases))
        if png_dir:
            stem = os.path.splitext(name)[0]
            for cv in canvases:
                base = os.path.join(png_dir, "%s-%d" % (stem, cv.size))
                with open(base + ".png", "wb") as fh:
                    fh.write(png_bytes(cv))
                scale = enlarged(cv.size)
                with open("%s-%dx.png" % (base, scale), "wb") as fh:
                    fh.write(png_bytes(cv, scale))
    return 0


def enlarged(size):
    """How much a PNG for inspection is blown up: 8x for the small icons,
    less for the large pictures so that none grows past 384 pixels."""
    return max(1, min(8, 384 // size))


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
