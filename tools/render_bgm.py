#!/usr/bin/env python3
"""Renders the background piece for the browser: a compressed loop of assets/bgm.mid.

The desktop synthesizes the MIDI file while it plays; a browser gets it as audio. FluidSynth's
command line renders it with the same soundfont and gain as the desktop, the render is cut at
the piece's musical end (its last bar line, where the desktop's sequencer loops) and the
release and reverb that ring past the end are folded onto the start, as they ring into the
first bar of the next round on the desktop. So the page can loop the buffer with no gap.

Usage: tools/render_bgm.py MIDI SOUNDFONT OUTPUT.ogg [QUALITY]
Needs the fluidsynth and oggenc (vorbis-tools) programs.
"""

import array
import os
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 44100
GAIN = "0.8"  # as the desktop's synthesizer


def midi_length_seconds(data):
    """The time of the last end-of-track event, following the tempo map."""
    if data[:4] != b"MThd":
        raise ValueError("not a MIDI file")
    _, _, division = struct.unpack(">HHH", data[8:14])
    pos = 8 + struct.unpack(">I", data[4:8])[0]
    tempo_changes = []  # (tick, microseconds per quarter)
    track_ends = []
    while pos < len(data):
        kind, size = data[pos:pos + 4], struct.unpack(">I", data[pos + 4:pos + 8])[0]
        body, pos = data[pos + 8:pos + 8 + size], pos + 8 + size
        if kind != b"MTrk":
            continue
        i, tick, status = 0, 0, 0
        while i < len(body):
            delta = 0
            while True:
                b = body[i]
                i += 1
                delta = (delta << 7) | (b & 0x7F)
                if b < 0x80:
                    break
            tick += delta
            if body[i] >= 0x80:
                status = body[i]
                i += 1
            if status == 0xFF:
                meta = body[i]
                i += 1
                length = 0
                while True:
                    b = body[i]
                    i += 1
                    length = (length << 7) | (b & 0x7F)
                    if b < 0x80:
                        break
                if meta == 0x51:
                    tempo_changes.append((tick, int.from_bytes(body[i:i + 3], "big")))
                if meta == 0x2F:
                    track_ends.append(tick)
                i += length
            elif status in (0xF0, 0xF7):
                length = 0
                while True:
                    b = body[i]
                    i += 1
                    length = (length << 7) | (b & 0x7F)
                    if b < 0x80:
                        break
                i += length
            else:
                i += 1 if (status & 0xF0) in (0xC0, 0xD0) else 2
    end = max(track_ends)
    seconds, last_tick, tempo = 0.0, 0, 500000
    for tick, new_tempo in sorted(tempo_changes):
        if tick > end:
            break
        seconds += (tick - last_tick) * tempo / division / 1e6
        last_tick, tempo = tick, new_tempo
    return seconds + (end - last_tick) * tempo / division / 1e6


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    midi, soundfont, output = sys.argv[1:4]
    quality = sys.argv[4] if len(sys.argv) > 4 else "1"
    with open(midi, "rb") as f:
        loop_frames = round(midi_length_seconds(f.read()) * RATE)
    with tempfile.TemporaryDirectory() as work:
        raw = os.path.join(work, "render.wav")
        subprocess.run(["fluidsynth", "-ni", "-q", "-g", GAIN, "-r", str(RATE), "-O", "s16",
                        "-T", "wav", "-F", raw, soundfont, midi],
                       check=True, stdout=subprocess.DEVNULL)
        with wave.open(raw, "rb") as w:
            channels = w.getnchannels()
            samples = array.array("h", w.readframes(w.getnframes()))
        loop = samples[:loop_frames * channels]
        loop.extend([0] * (loop_frames * channels - len(loop)))
        tail = samples[loop_frames * channels:]
        for n, value in enumerate(tail[:len(loop)]):
            loop[n] = max(-32768, min(32767, loop[n] + value))
        folded = os.path.join(work, "loop.wav")
        with wave.open(folded, "wb") as w:
            w.setnchannels(channels)
            w.setsampwidth(2)
            w.setframerate(RATE)
            w.writeframes(loop.tobytes())
        subprocess.run(["oggenc", "-Q", "-q", quality, "-o", output, folded], check=True)


if __name__ == "__main__":
    main()
