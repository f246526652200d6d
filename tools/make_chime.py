#!/usr/bin/env python3
"""Synthesize Morvex's expiry sound and write it as a WAV file.

Usage: make_chime.py OUTPUT_WAV

The sound is a short, soft chime: three bell tones rising in a major chord
(G5, C6, E6), each a few sine partials with an exponential decay, 0.8 s
long in all. Format: PCM, mono, 16 bit, 11025 Hz (about 17 KB).

Only the Python standard library is used and nothing random enters the
computation, so every run writes the same bytes.
"""

import math
import os
import struct
import sys
import wave

RATE = 11025          # samples per second
DURATION = 0.80       # seconds
PEAK = 0.55           # peak level relative to full scale (a soft sound)
ATTACK = 0.004        # seconds of raised-cosine fade-in for each tone
FADE_OUT = 0.08       # seconds of fade-out at the very end

# (start time in s, fundamental in Hz, loudness, decay time constant in s)
TONES = (
    (0.00, 783.99, 1.00, 0.22),   # G5
    (0.12, 1046.50, 0.85, 0.20),  # C6
    (0.24, 1318.51, 0.75, 0.18),  # E6
)

# Partials of a soft bell: (frequency ratio, relative amplitude,
# decay factor). Higher partials die away faster, so each tone starts with a
# bright strike and settles into a nearly pure tone.
PARTIALS = (
    (1.00, 1.00, 1.0),
    (2.00, 0.30, 1.8),
    (3.00, 0.10, 2.6),
    (4.16, 0.05, 3.5),
)


def synthesize():
    count = int(round(RATE * DURATION))
    nyquist_margin = 0.45 * RATE
    samples = [0.0] * count
    for start, freq, loud, tau in TONES:
        first = int(round(start * RATE))
        attack_n = max(1, int(round(ATTACK * RATE)))
        for i in range(first, count):
            t = (i - first) / RATE
            value = 0.0
            for ratio, amp, decay in PARTIALS:
                f = freq * ratio
                if f >= nyquist_margin:
                    continue  # keep every partial well below Nyquist
                value += (amp * math.exp(-t * decay / tau)
                          * math.sin(2.0 * math.pi * f * t))
            k = i - first
            if k < attack_n:
                value *= 0.5 - 0.5 * math.cos(math.pi * k / attack_n)
            samples[i] += loud * value
    fade_n = int(round(FADE_OUT * RATE))
    for k in range(fade_n):
        i = count - fade_n + k
        samples[i] *= 0.5 + 0.5 * math.cos(math.pi * (k + 1) / fade_n)
    top = max(abs(v) for v in samples) or 1.0
    scale = PEAK * 32767.0 / top
    return [max(-32768, min(32767, int(round(v * scale)))) for v in samples]


def main(argv):
    if len(argv) == 2 and argv[1] in ('-h', '--help'):
        sys.stdout.write(__doc__)
        return 0
    # An option is never taken for the output's name.
    if len(argv) != 2 or argv[1].startswith('-'):
        sys.stderr.write('usage: make_chime.py OUTPUT_WAV\n')
        return 2
    path = argv[1]
    folder = os.path.dirname(path)
    if folder:
        os.makedirs(folder, exist_ok=True)
    data = synthesize()
    frames = struct.pack('<%dh' % len(data), *data)
    tmp = path + '.tmp'
    with wave.open(tmp, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)
    os.replace(tmp, path)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
