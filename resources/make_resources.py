#!/usr/bin/env python3
"""Generate the click sounds of Quorlet.

Writes, next to this script (or into the folder given as the first
argument):

  Icon.wav         click played on a launch and before command dialogs
  Tabsheet.wav     tick played when the user changes the tab sheet

The sounds are kept in the repository; run this after changing them.  The
icons are drawn by make_icons.py from the sources in icons/ while the
program is built.

The output is byte-for-byte deterministic: no randomness, no time stamps.
Only the standard library is used.

  python3 make_resources.py            regenerate the files
  python3 make_resources.py --check    exit 1 if a file on disk differs
"""

import io
import math
import os
import struct
import sys
import wave

# ---------------------------------------------------------------------------
# Click sounds
# ---------------------------------------------------------------------------

RATE = 22050


def click(duration_ms, partials, decay_ms, attack_ms, peak, fade_ms):
    """Sum of decaying sines.  partials: (frequency Hz, relative level).
    A raised-cosine attack and a final fade make both ends start and end
    at silence, so the sound does not pop."""
    n = int(RATE * duration_ms / 1000.0)
    att = max(1, int(RATE * attack_ms / 1000.0))
    fade = max(1, int(RATE * fade_ms / 1000.0))
    tau = decay_ms / 1000.0
    norm = sum(level for _, level in partials)
    samples = []
    for k in range(n):
        t = k / float(RATE)
        v = sum(level * math.sin(2 * math.pi * f * t) for f, level in partials) / norm
        env = math.exp(-t / tau)
        if k < att:
            env *= 0.5 - 0.5 * math.cos(math.pi * k / att)
        left = n - 1 - k
        if left < fade:
            env *= 0.5 - 0.5 * math.cos(math.pi * left / fade)
        samples.append(int(round(32767 * peak * env * v)))
    return samples


def wav_bytes(samples):
    buf = io.BytesIO()
    with wave.open(buf, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))
    return buf.getvalue()


def icon_click():
    # soft, fairly high: a short 2.6 kHz tap with a little body at 1.3 kHz
    return click(duration_ms=80, partials=[(2600, 1.0), (1300, 0.45), (5200, 0.12)],
                 decay_ms=14, attack_ms=1.5, peak=0.45, fade_ms=20)


def tabsheet_tick():
    # lower and softer: a rounded 900 Hz tick
    return click(duration_ms=110, partials=[(900, 1.0), (450, 0.35), (1800, 0.10)],
                 decay_ms=20, attack_ms=2.5, peak=0.32, fade_ms=30)


# ---------------------------------------------------------------------------

def build():
    return {
        "Icon.wav": wav_bytes(icon_click()),
        "Tabsheet.wav": wav_bytes(tabsheet_tick()),
    }


def main(argv):
    check = "--check" in argv
    rest = [a for a in argv if a != "--check"]
    outdir = rest[0] if rest else os.path.dirname(os.path.abspath(__file__))
    stale = []
    for name, data in build().items():
        path = os.path.join(outdir, name)
        if check:
            try:
                with open(path, "rb") as fh:
                    same = fh.read() == data
            except OSError:
                same = False
            if not same:
                stale.append(name)
        else:
            with open(path, "wb") as fh:
                fh.write(data)
            print("wrote %s (%d bytes)" % (path, len(data)))
    if stale:
        print("out of date: " + ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
