#!/usr/bin/env python3
"""Writes assets/bgm.mid: Kestrune's background piece, "Quiet Corridors".

A calm, looping General MIDI piece for walking a labyrinth: a warm pad, a harp arpeggio,
a fretless bass and a flute melody in A minor at 80 beats per minute, 28 bars of 4/4
(84 seconds). The form is A B A' and a four-bar turnaround whose last chord (E) leads back
to the first (A minor), so the piece loops. Every note ends by the last bar line and every
track ends exactly there, so a player that restarts at the end of the tracks loops without
a gap or a hanging note.

Standard library only; the output is byte-for-byte reproducible.
Usage: tools/make_bgm.py [output directory]   (default: the repository's assets/)
"""

import os
import struct
import sys

PPQ = 480  # ticks per quarter note
BPM = 80
BEATS_PER_BAR = 4
BAR = PPQ * BEATS_PER_BAR

NOTE_INDEX = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def pitch(name):
    """'C4' is middle C (60); accidentals '#' and 'b' follow the letter."""
    letter, rest = name[0], name[1:]
    value = NOTE_INDEX[letter]
    while rest and rest[0] in "#b":
        value += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + value


# --- Harmony: one entry per bar; a bar with two chords splits at beat 3. -----------------
# Each chord: (bass root, pad voicing, arpeggio voicing of five notes, low to high).
CHORDS = {
    "Am9": ("A2", "C4 E4 G4 B4", "A3 E4 G4 B4 C5"),
    "Fmaj7": ("F2", "A3 C4 E4 G4", "F3 C4 E4 G4 A4"),
    "Cmaj7": ("C3", "G3 B3 E4 G4", "C4 G4 B4 D5 E5"),
    "G/B": ("B1", "B3 D4 G4 A4", "B3 D4 G4 A4 D5"),
    "Dm7": ("D2", "A3 C4 F4 A4", "D4 A4 C5 E5 F5"),
    "Dm9": ("D2", "C4 E4 F4 A4", "D4 F4 A4 C5 E5"),
    "G13": ("G2", "B3 E4 F4 A4", "G3 D4 F4 B4 E5"),
    "Am7": ("A2", "G3 C4 E4 A4", "A3 E4 G4 C5 E5"),
    "Em7": ("E2", "G3 B3 D4 G4", "E4 B4 D5 G5 B5"),
    "Esus4": ("E2", "A3 B3 D4 E4", "E3 B3 D4 E4 A4"),
    "E": ("E2", "G#3 B3 D4 E4", "E3 B3 D4 E4 G#4"),
    "Gsus4": ("G2", "C4 D4 F4 G4", "G3 D4 F4 G4 C5"),
    "G": ("G2", "B3 D4 F4 G4", "G3 D4 F4 G4 B4"),
}

SECTION_A = ["Am9", "Fmaj7", "Cmaj7", "G/B", "Am9", "Fmaj7", "Dm7", "Esus4 E"]
SECTION_B = ["Dm9", "G13", "Cmaj7", "Am7", "Dm7", "Em7", "Fmaj7", "Gsus4 G"]
TURNAROUND = ["Fmaj7", "Em7", "Dm7", "Esus4 E"]
PROGRESSION = SECTION_A + SECTION_B + SECTION_A + TURNAROUND

# --- Melody: per bar, (note or "r", beats) pairs that fill the bar. ---------------------
MELODY = [
    # A
    [("r", 1), ("E5", 1.5), ("D5", 0.5), ("C5", 1)],
    [("A4", 2), ("C5", 1), ("E5", 1)],
    [("G5", 2), ("E5", 1), ("D5", 1)],
    [("D5", 3), ("r", 1)],
    [("r", 1), ("E5", 1.5), ("D5", 0.5), ("C5", 1)],
    [("A4", 1.5), ("G4", 0.5), ("A4", 1), ("C5", 1)],
    [("F5", 2), ("E5", 1), ("D5", 1)],
    [("B4", 2), ("G#4", 1), ("r", 1)],
    # B
    [("A4", 1), ("D5", 1), ("E5", 1), ("F5", 1)],
    [("E5", 2), ("D5", 1), ("B4", 1)],
    [("C5", 1.5), ("D5", 0.5), ("E5", 2)],
    [("E5", 1.5), ("C5", 0.5), ("A4", 2)],
    [("F5", 1.5), ("E5", 0.5), ("D5", 1), ("C5", 1)],
    [("B4", 1.5), ("D5", 0.5), ("G5", 2)],
    [("A5", 2), ("G5", 1), ("E5", 1)],
    [("D5", 3), ("r", 1)],
    # A'
    [("r", 1), ("A5", 1.5), ("G5", 0.5), ("E5", 1)],
    [("C5", 2), ("E5", 1), ("G5", 1)],
    [("G5", 2), ("E5", 2)],
    [("D5", 2), ("B4", 1), ("D5", 1)],
    [("C5", 1.5), ("B4", 0.5), ("A4", 1), ("E5", 1)],
    [("F5", 2), ("E5", 1), ("C5", 1)],
    [("D5", 1.5), ("C5", 0.5), ("D5", 1), ("F5", 1)],
    [("E5", 4)],
    # turnaround
    [("r", 2), ("A4", 1), ("C5", 1)],
    [("B4", 2), ("G4", 2)],
    [("A4", 1.5), ("C5", 0.5), ("D5", 2)],
    [("B4", 2), ("G#4", 1), ("r", 1)],
]

# Arpeggio patterns (indices into the five-note voicing), one per eighth note.
ARPEGGIO_FLOW = [0, 1, 2, 3, 4, 3, 2, 1]
ARPEGGIO_WEAVE = [0, 2, 1, 3, 2, 4, 3, 1]

# GM programs (0-based) and mix per track: (name, channel, program, volume, pan, reverb, chorus)
PAD = ("Pad", 0, 89, 70, 64, 90, 60)  # Pad 2 (warm)
HARP = ("Harp", 1, 46, 84, 48, 80, 20)  # Orchestral harp
BASS = ("Bass", 2, 35, 92, 64, 40, 0)  # Fretless bass
FLUTE = ("Flute", 3, 73, 96, 78, 85, 10)  # Flute


def bar_chords(bar_index):
    """[(chord name, start tick within bar, length in ticks)] for one bar."""
    names = PROGRESSION[bar_index].split()
    length = BAR // len(names)
    return [(name, i * length, length) for i, name in enumerate(names)]


def pad_notes():
    notes = []
    for b in range(len(PROGRESSION)):
        for name, start, length in bar_chords(b):
            for p in CHORDS[name][1].split():
                notes.append((b * BAR + start, length, pitch(p), 46))
    return notes


def harp_notes():
    notes = []
    eighth = PPQ // 2
    for b in range(len(PROGRESSION)):
        in_coda = b >= 24
        pattern = ARPEGGIO_WEAVE if 16 <= b < 24 else ARPEGGIO_FLOW
        for name, start, length in bar_chords(b):
            voicing = [pitch(p) for p in CHORDS[name][2].split()]
            step = PPQ if in_coda else eighth  # the turnaround slows to quarter notes
            for i in range(length // step):
                index = pattern[(start // step + i) % len(pattern)]
                tick = b * BAR + start + i * step
                accent = 58 if (tick % PPQ) == 0 else 48
                # Let each note ring a little past the next one, but never past its chord.
                ring = min(step * 2, length - i * step)
                notes.append((tick, ring, voicing[index], accent))
    return notes


def bass_notes():
    notes = []
    for b in range(len(PROGRESSION)):
        chords = bar_chords(b)
        for name, start, length in chords:
            root = pitch(CHORDS[name][0])
            tick = b * BAR + start
            if len(chords) == 1:
                notes.append((tick, 3 * PPQ, root, 72))
                notes.append((tick + 3 * PPQ, PPQ, root + 7, 60))
            else:
                notes.append((tick, length, root, 70))
    return notes


def melody_notes():
    notes = []
    for b, bar in enumerate(MELODY):
        tick = b * BAR
        for i, (name, beats) in enumerate(bar):
            length = int(beats * PPQ)
            if name != "r":
                # Phrase shape: the first note of a bar leans in, later ones relax.
                velocity = 82 if i == 0 else 74 - 2 * min(i, 3)
                # A slight gap keeps repeated notes articulated.
                notes.append((tick, length - 24, pitch(name), velocity))
            tick += length
        if tick != (b + 1) * BAR:
            raise ValueError(f"melody bar {b + 1} does not fill the bar")
    return notes


def variable_length(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def track_chunk(events, end_tick):
    """events: [(tick, order, bytes)]; note-offs sort before note-ons at the same tick."""
    data = bytearray()
    now = 0
    for tick, _, payload in sorted(events, key=lambda e: (e[0], e[1])):
        if tick > end_tick:
            raise ValueError("event after the end of the piece")
        data += variable_length(tick - now) + payload
        now = tick
    data += variable_length(end_tick - now) + b"\xff\x2f\x00"  # end of track
    return b"MTrk" + struct.pack(">I", len(data)) + bytes(data)


def meta_text(kind, text):
    raw = text.encode("ascii")
    return bytes([0xFF, kind]) + variable_length(len(raw)) + raw


def instrument_track(voice, notes, end_tick):
    name, channel, program, volume, pan, reverb, chorus = voice
    events = [
        (0, 0, meta_text(0x03, name)),
        (0, 1, bytes([0xC0 | channel, program])),
        (0, 2, bytes([0xB0 | channel, 7, volume])),
        (0, 3, bytes([0xB0 | channel, 10, pan])),
        (0, 4, bytes([0xB0 | channel, 91, reverb])),
        (0, 5, bytes([0xB0 | channel, 93, chorus])),
    ]
    for start, length, note, velocity in notes:
        events.append((start, 20, bytes([0x90 | channel, note, velocity])))
        events.append((start + length, 10, bytes([0x80 | channel, note, 64])))
    return track_chunk(events, end_tick)


def conductor_track(end_tick):
    tempo = 60_000_000 // BPM
    events = [
        (0, 0, meta_text(0x03, "Quiet Corridors")),
        (0, 1, b"\xff\x58\x04" + bytes([BEATS_PER_BAR, 2, 24, 8])),  # 4/4
        (0, 2, b"\xff\x59\x02\x00\x00"),  # A minor (no sharps or flats)
        (0, 3, b"\xff\x51\x03" + tempo.to_bytes(3, "big")),
    ]
    return track_chunk(events, end_tick)


def build():
    if len(MELODY) != len(PROGRESSION):
        raise ValueError("melody and harmony differ in length")
    end_tick = len(PROGRESSION) * BAR
    tracks = [
        conductor_track(end_tick),
        instrument_track(PAD, pad_notes(), end_tick),
        instrument_track(HARP, harp_notes(), end_tick),
        instrument_track(BASS, bass_notes(), end_tick),
        instrument_track(FLUTE, melody_notes(), end_tick),
    ]
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), PPQ)
    return header + b"".join(tracks)


def main():
    repo = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(repo, "assets")
    os.makedirs(out_dir, exist_ok=True)
    out = os.path.join(out_dir, "bgm.mid")
    data = build()
    with open(out, "wb") as f:
        f.write(data)
    seconds = len(PROGRESSION) * BEATS_PER_BAR * 60 / BPM
    print(f"wrote {out}: {len(data)} bytes, {len(PROGRESSION)} bars, {seconds:.1f} s")


if __name__ == "__main__":
    main()
