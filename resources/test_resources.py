"""Checks of the generated icons and the alarm tone.  From the repository
root:

  python3 -B -m unittest resources/test_resources.py

(-B keeps __pycache__ out of the source folder.)  Only the standard
library is used; every file is written into a temporary folder.
"""

import contextlib
import io
import math
import os
import shutil
import struct
import sys
import tempfile
import unittest
import wave
import zlib

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
if HERE not in sys.path:
    sys.path.insert(0, HERE)

import make_icons  # noqa: E402
import make_resources  # noqa: E402

SMALL = (16, 24, 32, 48)
EXPECTED_SIZES = {
    "Quorlet.ico": SMALL, "MissedIcon.ico": SMALL, "Options.ico": SMALL, "Report.ico": SMALL,
    "Alarm.ico": SMALL, "AlarmOn.ico": SMALL, "Backup.ico": SMALL, "Restore.ico": SMALL,
    "AlarmFrame0.ico": (96, 192), "AlarmFrame1.ico": (96, 192), "AlarmFrame2.ico": (96, 192),
    "AlarmEnabled.ico": (48, 96), "AlarmDisabled.ico": (48, 96),
    "AboutEmblem.ico": (48, 96),
}
FRAMES = ("AlarmFrame0.ico", "AlarmFrame1.ico", "AlarmFrame2.ico")


def read_ico(test, data):
    """The images of an .ico as {size: rows of (r, g, b, a)}, top row first,
    checking the directory, each 32-bit DIB and its AND mask (or each PNG of
    the large sizes) on the way."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    test.assertEqual((reserved, kind), (0, 1))
    images = {}
    for e in range(count):
        w, h, colours, res, planes, bpp, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * e)
        test.assertEqual((w, colours, res, planes, bpp), (h, 0, 0, 1, 32))
        n = w or 256
        test.assertLessEqual(offset + length, len(data))
        if data[offset:offset + 8] == b"\x89PNG\r\n\x1a\n":
            test.assertGreaterEqual(n, 96, "small images stay DIBs")
            images[n] = read_png(test, data[offset:offset + length], n)
            continue
        (hsize, width, height, dplanes, dbpp, compression, image_size) = struct.unpack_from(
            "<IiiHHII", data, offset)
        test.assertEqual((hsize, width, height, dplanes, dbpp, compression), (40, n, 2 * n, 1, 32, 0))
        stride = (n + 31) // 32 * 4
        test.assertEqual(length, 40 + 4 * n * n + stride * n)
        test.assertEqual(image_size, length - 40)
        xor = offset + 40
        mask = xor + 4 * n * n
        rows = []
        for j in range(n - 1, -1, -1):      # bottom-up
            row = []
            for i in range(n):
                b, g, r, a = data[xor + 4 * (j * n + i):xor + 4 * (j * n + i) + 4]
                masked = bool(data[mask + j * stride + i // 8] & (0x80 >> (i % 8)))
                if masked != (a < 128):
                    test.fail("AND mask disagrees with alpha at %d, %d of %d" % (i, n - 1 - j, n))
                row.append((r, g, b, a))
            rows.append(row)
        images[n] = rows
    test.assertEqual(len(images), count, "a size appears twice")
    return images


def read_png(test, data, n):
    """Rows of (r, g, b, a) of an n x n 8-bit RGBA PNG as the icons store
    them: one IDAT chunk, no interlace, every row unfiltered."""
    at = 8
    chunks = {}
    while at < len(data):
        length, = struct.unpack_from(">I", data, at)
        kind = data[at + 4:at + 8]
        body = data[at + 8:at + 8 + length]
        crc, = struct.unpack_from(">I", data, at + 8 + length)
        test.assertEqual(crc, zlib.crc32(kind + body) & 0xffffffff)
        chunks[kind] = body
        at += 12 + length
    test.assertEqual(struct.unpack(">IIBBBBB", chunks[b"IHDR"]), (n, n, 8, 6, 0, 0, 0))
    raw = zlib.decompress(chunks[b"IDAT"])
    test.assertEqual(len(raw), n * (1 + 4 * n))
    rows = []
    for j in range(n):
        line = raw[j * (1 + 4 * n):(j + 1) * (1 + 4 * n)]
        test.assertEqual(line[0], 0)
        rows.append([tuple(line[1 + 4 * i:5 + 4 * i]) for i in range(n)])
    return rows


def face_centre(rows):
    """Mean position of the opaque near-white pixels: the face, and a few
    of the bezel, all of which turn with the clock."""
    sx = sy = count = 0
    for j, row in enumerate(rows):
        for i, (r, g, b, a) in enumerate(row):
            if a == 255 and min(r, g, b) >= 215 and max(r, g, b) - min(r, g, b) <= 20:
                sx += i + 0.5
                sy += j + 0.5
                count += 1
    return sx / count, sy / count


class IconTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp()
        make_icons.main([cls.dir])
        cls.files = sorted(os.listdir(cls.dir))
        cls.images = {}

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dir)

    def ico(self, name):
        if name not in self.images:
            with open(os.path.join(self.dir, name), "rb") as fh:
                self.images[name] = read_ico(self, fh.read())
        return self.images[name]

    def test_every_icon_holds_its_sizes_as_32_bit_images(self):
        self.assertEqual(self.files, sorted(EXPECTED_SIZES))
        for name, sizes in EXPECTED_SIZES.items():
            with self.subTest(name=name):
                self.assertEqual(tuple(self.ico(name)), sizes)

    def test_leaning_clock_stays_inside_the_canvas(self):
        for name in FRAMES:
            for n, rows in self.ico(name).items():
                with self.subTest(name=name, size=n):
                    border = rows[0] + rows[-1] + [row[0] for row in rows] + [row[-1] for row in rows]
                    self.assertEqual(max(p[3] for p in border), 0)

    def test_frames_rock_the_clock_about_its_feet(self):
        for n in (96, 192):
            left, upright, right = [self.ico(name)[n] for name in FRAMES]
            with self.subTest(size=n):
                self.assertNotEqual(left, upright)
                self.assertNotEqual(right, upright)
                self.assertNotEqual(left, right)
                # the outlines: upright is symmetric, right mirrors left
                for a, b in ((upright, upright), (left, right)):
                    worst = max(abs(a[j][i][3] - b[j][n - 1 - i][3]) for j in range(n) for i in range(n))
                    self.assertLessEqual(worst, 2)
                # turning about the point between the feet (the bottom
                # centre of the upright clock) takes the face sideways by
                # h sin(tilt) and down by h (1 - cos(tilt)), h its height
                # above that point; the sideways shift gives the tilt, the
                # drop must agree with it
                bottom = max(j for j, row in enumerate(upright) if any(p[3] for p in row)) + 1
                x1, y1 = face_centre(upright)
                self.assertAlmostEqual(x1, n / 2.0, delta=0.5)
                h = bottom - y1
                for frame, sign in ((left, -1), (right, 1)):
                    x, y = face_centre(frame)
                    tilt = math.asin((x - x1) / h)
                    self.assertTrue(11.0 <= sign * math.degrees(tilt) <= 16.0, math.degrees(tilt))
                    self.assertAlmostEqual(y - y1, h * (1 - math.cos(tilt)), delta=max(0.4, n / 400.0))

    def test_settings_pictures_show_state_by_colour(self):
        def counts(rows, quadrant_bottom_right):
            n = len(rows)
            half = n // 2
            red = blue = coloured = 0
            for j, row in enumerate(rows):
                for i, (r, g, b, a) in enumerate(row):
                    if a < 200 or (i >= half and j >= half) != quadrant_bottom_right:
                        continue
                    red += r > g + 80 and r > b + 80
                    blue += b > r + 60 and b > g + 30
                    coloured += max(r, g, b) - min(r, g, b) > 3
            return red, blue, coloured

        for n in (48, 96):
            on = self.ico("AlarmEnabled.ico")[n]
            off = self.ico("AlarmDisabled.ico")[n]
            area = n * n / 4.0
            with self.subTest(size=n):
                # away from the badge: a red clock, a grey one
                red, _, _ = counts(on, False)
                self.assertGreater(red, area * 0.05)
                _, _, coloured = counts(off, False)
                self.assertEqual(coloured, 0)
                # the badges: blue play, red stop
                red, blue, _ = counts(on, True)
                self.assertGreater(blue, area * 0.2)
                red, blue, _ = counts(off, True)
                self.assertGreater(red, area * 0.2)
                self.assertEqual(blue, 0)


def run_quietly(fn, *args):
    with contextlib.redirect_stdout(io.StringIO()), contextlib.redirect_stderr(io.StringIO()):
        return fn(*args)


class SoundTest(unittest.TestCase):

    def setUp(self):
        self.dir = tempfile.mkdtemp()

    def tearDown(self):
        shutil.rmtree(self.dir)

    def write_tone(self, name):
        path = os.path.join(self.dir, name)
        self.assertEqual(run_quietly(make_resources.main, ["--alarm-tone", path]), 0)
        with open(path, "rb") as fh:
            return fh.read()

    def test_alarm_tone_is_a_clean_mono_pcm_chime(self):
        data = self.write_tone("Alarm1.wav")
        self.assertEqual(os.listdir(self.dir), ["Alarm1.wav"])
        with wave.open(io.BytesIO(data)) as w:
            self.assertEqual((w.getnchannels(), w.getsampwidth(), w.getcomptype()), (1, 2, "NONE"))
            rate = w.getframerate()
            self.assertIn(rate, (22050, 44100))
            count = w.getnframes()
            samples = struct.unpack("<%dh" % count, w.readframes(count))
        self.assertTrue(3.0 <= count / float(rate) <= 4.0, count / float(rate))
        peak = max(abs(s) for s in samples) / 32768.0
        self.assertTrue(0.55 <= peak <= 0.75, peak)
        # no sample at either rail (clipping), and both ends near silence
        self.assertLess(max(abs(s) for s in samples), 32767)
        # no pop: it begins at silence and rises over more than a
        # millisecond, and the ring has died away before the end
        for end in (samples[0], samples[-1]):
            self.assertLess(abs(end), 0.001 * 32768)
        ms = rate // 1000
        self.assertLess(max(abs(s) for s in samples[:ms]), 0.03 * 32768)
        self.assertLess(max(abs(s) for s in samples[-10 * ms:]), 0.01 * 32768)

    def test_alarm_tone_is_deterministic(self):
        self.assertEqual(self.write_tone("a.wav"), self.write_tone("b.wav"))

    def test_default_run_writes_only_the_click_sounds(self):
        self.assertEqual(run_quietly(make_resources.main, [self.dir]), 0)
        self.assertEqual(sorted(os.listdir(self.dir)), ["Icon.wav", "Tabsheet.wav"])
        # and the copies kept in the repository are still what it makes
        self.assertEqual(run_quietly(make_resources.main, ["--check"]), 0)

    def test_alarm_tone_needs_exactly_a_path(self):
        for argv in (["--alarm-tone"], ["--alarm-tone", os.path.join(self.dir, "x.wav"), "--check"]):
            with self.subTest(argv=argv):
                self.assertEqual(run_quietly(make_resources.main, argv), 2)
                self.assertEqual(os.listdir(self.dir), [])


if __name__ == "__main__":
    unittest.main()
