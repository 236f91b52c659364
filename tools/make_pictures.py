#!/usr/bin/env python3
"""Draws Kestrune's pictures from assets/kestrune.svg with nothing but the standard library.

Writes:
  assets/tower.png             the title window's tower picture: 48 x 48, indexed, <= 256 colours
  assets/kestrune.png          the application icon, 256 x 256 RGBA
  assets/icons/48/kestrune.png the same icon at 48 x 48

The SVG is the single source of the motif. Only the shapes it uses are understood: rect
(with rx), circle and polygon with a flat "#rrggbb" fill and an optional opacity, inside
groups. Output is byte-for-byte reproducible; `--check` compares the pictures instead of writing them.
"""

import argparse
import math
import pathlib
import struct
import sys
import xml.etree.ElementTree as ET
import zlib

ROOT = pathlib.Path(__file__).resolve().parent.parent
SVG = ROOT / "assets" / "kestrune.svg"
NS = "{http://www.w3.org/2000/svg}"
SUBROWS = 8  # vertical samples per pixel; horizontal coverage is exact


# --- Reading the SVG -----------------------------------------------------------------------


def parse_colour(text):
    text = text.strip()
    if not (text.startswith("#") and len(text) == 7):
        raise ValueError(f"unsupported fill {text!r}: use #rrggbb")
    return tuple(int(text[i : i + 2], 16) for i in (1, 3, 5))


def arc_points(cx, cy, r, start, end, steps):
    return [
        (cx + r * math.cos(start + (end - start) * i / steps), cy + r * math.sin(start + (end - start) * i / steps))
        for i in range(steps + 1)
    ]


def shape_polygon(element):
    tag = element.tag.replace(NS, "")
    num = lambda name, default=None: float(element.get(name, default))  # noqa: E731
    if tag == "rect":
        x, y, w, h = num("x", 0), num("y", 0), num("width"), num("height")
        r = min(num("rx", 0), w / 2, h / 2)
        if r <= 0:
            return [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]
        pi = math.pi
        points = []
        points += arc_points(x + w - r, y + r, r, -pi / 2, 0, 16)
        points += arc_points(x + w - r, y + h - r, r, 0, pi / 2, 16)
        points += arc_points(x + r, y + h - r, r, pi / 2, pi, 16)
        points += arc_points(x + r, y + r, r, pi, 3 * pi / 2, 16)
        return points
    if tag == "circle":
        cx, cy, r = num("cx"), num("cy"), num("r")
        return arc_points(cx, cy, r, 0, 2 * math.pi, 64)[:-1]
    if tag == "polygon":
        values = [float(v) for v in element.get("points").replace(",", " ").split()]
        return list(zip(values[0::2], values[1::2]))
    raise ValueError(f"unsupported element <{tag}>")


def read_shapes(group_id):
    """The shapes of one group of the SVG, in painting order: (polygon, rgb, opacity)."""
    tree = ET.parse(SVG)
    group = next((g for g in tree.iter(NS + "g") if g.get("id") == group_id), None)
    if group is None:
        raise ValueError(f"no group {group_id!r} in {SVG}")
    shapes = []
    for element in group.iter():
        if not isinstance(element.tag, str):
            continue
        tag = element.tag.replace(NS, "")
        if tag in ("g", "title", "desc"):
            continue
        opacity = float(element.get("opacity", "1")) * float(element.get("fill-opacity", "1"))
        shapes.append((shape_polygon(element), parse_colour(element.get("fill")), opacity))
    return shapes


# --- Painting ------------------------------------------------------------------------------


class Canvas:
    """Premultiplied RGBA floats in 0..1."""

    def __init__(self, size, background=None):
        self.size = size
        fill = (0.0, 0.0, 0.0, 0.0) if background is None else (*[c / 255 for c in background], 1.0)
        self.pixels = [list(fill) for _ in range(size * size)]

    def set_row(self, y, rgb):
        for x in range(self.size):
            self.pixels[y * self.size + x] = [c / 255 for c in rgb] + [1.0]

    def fill_polygon(self, points, rgb, opacity, scale):
        size = self.size
        pts = [(x * scale, y * scale) for x, y in points]
        edges = [(pts[i], pts[(i + 1) % len(pts)]) for i in range(len(pts))]
        y_min = max(0, int(math.floor(min(p[1] for p in pts))))
        y_max = min(size - 1, int(math.ceil(max(p[1] for p in pts))))
        colour = [c / 255 for c in rgb]
        for py in range(y_min, y_max + 1):
            # Coverage of each pixel of this row, built from the spans of every sub-row.
            diff = [0.0] * (size + 1)
            partial = {}
            for k in range(SUBROWS):
                sy = py + (k + 0.5) / SUBROWS
                xs = []
                for (x0, y0), (x1, y1) in edges:
                    if (y0 <= sy < y1) or (y1 <= sy < y0):
                        xs.append(x0 + (sy - y0) * (x1 - x0) / (y1 - y0))
                xs.sort()
                for a, b in zip(xs[0::2], xs[1::2]):
                    a, b = max(a, 0.0), min(b, float(size))
                    if b <= a:
                        continue
                    w = 1.0 / SUBROWS
                    ia, ib = int(a), int(b)
                    if ia == ib:
                        partial[ia] = partial.get(ia, 0.0) + (b - a) * w
                        continue
                    partial[ia] = partial.get(ia, 0.0) + (ia + 1 - a) * w
                    diff[ia + 1] += w
                    diff[ib] -= w
                    if ib < size:
                        partial[ib] = partial.get(ib, 0.0) + (b - ib) * w
            running = 0.0
            for px in range(size):
                running += diff[px]
                cover = min(1.0, running + partial.get(px, 0.0))
                if cover <= 0.0:
                    continue
                alpha = cover * opacity
                pixel = self.pixels[py * size + px]
                for i in range(3):
                    pixel[i] = colour[i] * alpha + pixel[i] * (1 - alpha)
                pixel[3] = alpha + pixel[3] * (1 - alpha)

    def paint(self, shapes, view_size=48.0):
        for points, rgb, opacity in shapes:
            self.fill_polygon(points, rgb, opacity, self.size / view_size)

    def rgba_bytes(self):
        out = []
        for r, g, b, a in self.pixels:
            if a <= 0.0:
                out.append((0, 0, 0, 0))
            else:
                out.append(tuple(min(255, round(c / a * 255)) for c in (r, g, b)) + (round(a * 255),))
        return out


# --- PNG -----------------------------------------------------------------------------------


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_bytes(width, height, colour_type, rows, palette=None):
    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    data = b"\x89PNG\r\n\x1a\n"
    data += png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0))
    if palette is not None:
        data += png_chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    data += png_chunk(b"IDAT", zlib.compress(raw, 9))
    data += png_chunk(b"IEND", b"")
    return data


def rgba_png(canvas):
    pixels = canvas.rgba_bytes()
    size = canvas.size
    rows = [[v for p in pixels[y * size : (y + 1) * size] for v in p] for y in range(size)]
    return png_bytes(size, size, 6, rows)


def indexed_png(canvas, max_colours=256):
    """An opaque picture as an 8-bit palette PNG, merging close colours until they fit."""
    colours = [p[:3] for p in canvas.rgba_bytes()]
    step = 1
    while True:
        reduced = [tuple(min(255, (c // step) * step + step // 2) for c in rgb) for rgb in colours]
        counts = {}
        for rgb in reduced:
            counts[rgb] = counts.get(rgb, 0) + 1
        if len(counts) <= max_colours:
            break
        step *= 2
    palette = sorted(counts, key=lambda rgb: (-counts[rgb], rgb))
    index = {rgb: i for i, rgb in enumerate(palette)}
    size = canvas.size
    rows = [[index[rgb] for rgb in reduced[y * size : (y + 1) * size]] for y in range(size)]
    return png_bytes(size, size, 3, rows, palette)


# --- The pictures --------------------------------------------------------------------------


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def tower_picture():
    """The tower on a daylight sky with a strip of ground, as the title window shows it."""
    size = 48
    canvas = Canvas(size)
    for y in range(size):
        if y < 43:
            canvas.set_row(y, mix((120, 176, 232), (226, 240, 250), y / 42))
        else:
            canvas.set_row(y, mix((122, 104, 78), (92, 76, 56), (y - 43) / 4))
    canvas.paint(read_shapes("tower"))
    return indexed_png(canvas)


def icon(size):
    canvas = Canvas(size)
    canvas.paint(read_shapes("tile"))
    canvas.paint(read_shapes("tower"))
    return rgba_png(canvas)


def pictures():
    return {
        "assets/tower.png": tower_picture(),
        "assets/kestrune.png": icon(256),
        "assets/icons/48/kestrune.png": icon(48),
    }


def png_content(data):
    """The chunks of a PNG with the image data unpacked, so zlib versions do not matter."""
    chunks, pos, image = [], 8, b""
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos : pos + 8])
        body = data[pos + 8 : pos + 8 + length]
        if kind == b"IDAT":
            image += body
        else:
            chunks.append((kind, body))
        pos += 12 + length
    try:
        return chunks, zlib.decompress(image)
    except zlib.error:
        return chunks, None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="fail if a committed picture differs")
    args = parser.parse_args()
    stale = []
    for name, data in pictures().items():
        path = ROOT / name
        if args.check:
            if not path.exists() or png_content(path.read_bytes()) != png_content(data):
                stale.append(name)
            continue
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
        print(f"wrote {name} ({len(data)} bytes)")
    if stale:
        print("out of date, run tools/make_pictures.py: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
