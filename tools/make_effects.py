#!/usr/bin/env python3
"""Writes Kestrune's two effects, synthesized from scratch:

  assets/dom.wav  a dull bump (0.15 s) for walking into a wall: a low sine that sags in
                  pitch, with a short muffled knock on top;
  assets/Za.wav   a soft swish (0.1 s) for a step or a turn: band-passed noise whose band
                  rises, softened by a low-pass, in a smooth swell.

16-bit mono PCM at 44100 Hz, peaks well below full scale, starting and ending at zero.
Standard library only; a fixed random seed makes the output byte-for-byte reproducible.
Usage: tools/make_effects.py [output directory]   (default: the repository's assets/)
"""

import math
import os
import random
import struct
import sys
import wave

RATE = 44100


def edges(samples, fade_in, fade_out):
    """Short linear fades so that the sound starts and ends exactly at zero."""
    n = len(samples)
    a, b = int(fade_in * RATE), int(fade_out * RATE)
    for i in range(a):
        samples[i] *= i / a
    for i in range(b):
        samples[n - 1 - i] *= i / b
    return samples


def normalize(samples, peak):
    top = max(abs(s) for s in samples)
    return [s * peak / top for s in samples]


def bump(seconds=0.15):
    rng = random.Random(1987)
    n = int(seconds * RATE)
    out = []
    phase = 0.0
    knock = 0.0
    for i in range(n):
        t = i / RATE
        # The pitch sags from 140 Hz towards 55 Hz, like a soft body giving way.
        freq = 55.0 + 85.0 * math.exp(-t / 0.04)
        phase += 2.0 * math.pi * freq / RATE
        body = (math.sin(phase) + 0.25 * math.sin(2.0 * phase)) * math.exp(-t / 0.045)
        # Muffled knock: noise through a one-pole low-pass at about 700 Hz, gone in ~20 ms.
        knock += 0.095 * (rng.uniform(-1.0, 1.0) - knock)
        out.append(body + 1.6 * knock * math.exp(-t / 0.008))
    return edges(normalize(out, 0.6), 0.002, 0.02)


def swish(seconds=0.1):
    rng = random.Random(2718)
    n = int(seconds * RATE)
    out = []
    low = band = soft = 0.0
    damping = 1.1
    smooth = 1.0 - math.exp(-2.0 * math.pi * 3500.0 / RATE)  # one-pole low-pass at 3.5 kHz
    for i in range(n):
        x = i / (n - 1)
        # A state-variable band-pass whose centre rises from 1 kHz to 2.6 kHz.
        centre = 1000.0 + 1600.0 * x
        f = 2.0 * math.sin(math.pi * centre / RATE)
        high = rng.uniform(-1.0, 1.0) - low - damping * band
        band += f * high
        low += f * band
        soft += smooth * (band - soft)
        # Swell up over the first third, then die away: a smooth, breath-like shape.
        envelope = math.sin(math.pi * min(1.0, x / 0.35) / 2.0) ** 2 * (1.0 - x) ** 1.5
        out.append(soft * envelope)
    return edges(normalize(out, 0.35), 0.001, 0.005)


def write(path, samples):
    frames = b"".join(struct.pack("<h", int(round(s * 32767))) for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)
    peak = max(abs(s) for s in samples)
    print(f"wrote {path}: {len(samples) / RATE:.3f} s, peak {20 * math.log10(peak):.1f} dBFS")


def main():
    repo = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(repo, "assets")
    os.makedirs(out_dir, exist_ok=True)
    write(os.path.join(out_dir, "dom.wav"), bump())
    write(os.path.join(out_dir, "Za.wav"), swish())


if __name__ == "__main__":
    main()
