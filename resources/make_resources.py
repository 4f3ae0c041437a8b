#!/usr/bin/env python3
"""Generate the click sounds of Quorlet.

Writes, next to this script (or into the folder given as the first
argument):

  Icon.wav         click played on a launch and before command dialogs
  Tabsheet.wav     tick played when the user changes the tab sheet

The sounds are kept in the repository; run this after changing them.  The
icons are drawn by make_icons.py from the sources in icons/ while the
program is built.

The alarm tone Alarm1.wav (a three-note chime rung three times, 3.6
seconds) is a file beside Quorlet.exe, which a new alarm proposes and the
user may swap for any sound of their own.  It is not kept here and is not
written by default: --alarm-tone writes it, and nothing else, to the
path given.

The output is byte-for-byte deterministic: no randomness, no time stamps.
Only the standard library is used.

  python3 make_resources.py                  regenerate the files
  python3 make_resources.py --check          exit 1 if a file on disk differs
  python3 make_resources.py --alarm-tone PATH
                                             write just the alarm tone to
                                             PATH (e.g. .../Alarm1.wav)
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
# Alarm tone
# ---------------------------------------------------------------------------

# A struck metal bar: its partials (ratio to the note, level, how fast they
# fade relative to the note) are not harmonic, which makes it ring like a
# chime rather than hum like an organ.
CHIME_PARTIALS = ((1.0, 1.0, 1.0), (2.76, 0.24, 0.30), (5.40, 0.07, 0.12))


def note(semitones_from_a4):
    return 440.0 * 2.0 ** (semitones_from_a4 / 12.0)


def chime(strikes, duration_s, decay_s, attack_ms, peak, fade_ms):
    """A sum of struck notes.  strikes: (start s, frequency Hz, level).
    Every note fades in over a raised-cosine attack and then dies away
    exponentially; a raised-cosine fade at the end takes the tail to
    silence.  The sum is scaled so that its loudest sample is peak (of
    full scale)."""
    n = int(round(RATE * duration_s))
    att = max(1, int(RATE * attack_ms / 1000.0))
    fade = max(1, int(RATE * fade_ms / 1000.0))
    mix = [0.0] * n
    for start, freq, level in strikes:
        k0 = int(round(RATE * start))
        parts = [(2 * math.pi * freq * ratio / RATE, level * amp, 1.0 / (RATE * decay_s * speed))
                 for ratio, amp, speed in CHIME_PARTIALS]
        for k in range(k0, n):
            m = k - k0
            env = 0.5 - 0.5 * math.cos(math.pi * m / att) if m < att else 1.0
            mix[k] += env * sum(a * math.exp(-m * d) * math.sin(w * m) for w, a, d in parts)
    for k in range(n - fade, n):
        left = n - 1 - k
        mix[k] *= 0.5 - 0.5 * math.cos(math.pi * left / fade)
    top = max(abs(v) for v in mix)
    return [int(round(32767 * peak * v / top)) for v in mix]


def alarm_tone():
    # G5, C6, E6 rising, 150 ms apart, rung three times 1.2 s apart; the
    # top note a little softer so that the run sounds even
    run = ((0.00, note(-2), 1.0), (0.15, note(3), 0.95), (0.30, note(7), 0.85))
    strikes = [(rep * 1.2 + t, f, level) for rep in range(3) for t, f, level in run]
    return chime(strikes, duration_s=3.6, decay_s=0.32, attack_ms=10.0, peak=0.65, fade_ms=250)


# ---------------------------------------------------------------------------

def build():
    return {
        "Icon.wav": wav_bytes(icon_click()),
        "Tabsheet.wav": wav_bytes(tabsheet_tick()),
    }


def main(argv):
    if "--alarm-tone" in argv:
        # the alarm tone alone, written where the caller says
        if len(argv) != 2 or argv[0] != "--alarm-tone":
            sys.stderr.write(__doc__)
            return 2
        path = argv[1]
        data = wav_bytes(alarm_tone())
        with open(path, "wb") as fh:
            fh.write(data)
        print("wrote %s (%d bytes)" % (path, len(data)))
        return 0
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
