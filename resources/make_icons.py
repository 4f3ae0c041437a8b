#!/usr/bin/env python3
"""Draw the icons of Quorlet.exe from their sources in icons/.

  python3 make_icons.py OUTDIR              write every .ico into OUTDIR
  python3 make_icons.py OUTDIR --png DIR    also write each size as a PNG
                                            into DIR, plain and enlarged 8x
  python3 make_icons.py OUTDIR --only NAME  just the icon NAME (e.g. Report.ico)

Every .ico holds 16x16, 24x24, 32x32 and 48x48 images as 32-bit BGRA DIBs
with an AND mask.  The output is byte-for-byte deterministic and only the
standard library is used.  The build runs this script; the icons are not
kept in the repository.
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source folder clean during builds
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from icons import ICONS, SIZES  # noqa: E402
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
        canvases = [ICONS[name](n) for n in SIZES]
        for cv in canvases:
            assert cv.size in SIZES
        with open(os.path.join(outdir, name), "wb") as fh:
            fh.write(ico_bytes(canvases))
        if png_dir:
            stem = os.path.splitext(name)[0]
            for cv in canvases:
                base = os.path.join(png_dir, "%s-%d" % (stem, cv.size))
                with open(base + ".png", "wb") as fh:
                    fh.write(png_bytes(cv))
                with open(base + "-8x.png", "wb") as fh:
                    fh.write(png_bytes(cv, 8))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
