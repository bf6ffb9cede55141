#!/usr/bin/env python3
"""Figures of the painted scenes: per scene, the pixels with no neighbour of
their own colour (of the eight round them: dither and speckle show up here)
and the number of colours; then how much of each pair of sibling rooms is the
same picture, pixel for pixel; last, the colours each path's rooms share.
usage: art.py DATA_DIR [SCENE...]  (no scenes: the maze rooms and two town rooms)"""
import struct
import sys

SIBLINGS = [('scene9', 'scene2'), ('scene13', 'scene12'), ('p7s2', 'p7s1a')]


def load_pcx(path):
    """The top-left 80x60 of a 24-bit PCX (three planes, RLE) as rows of (r, g, b)."""
    f = open(path, 'rb').read()
    xmin, ymin, xmax, ymax = struct.unpack_from('<HHHH', f, 4)
    planes, line = f[65], struct.unpack_from('<H', f, 66)[0]
    w, h = xmax - xmin + 1, ymax - ymin + 1
    out, at = bytearray(), 128
    while len(out) < planes * line * h and at < len(f):
        b = f[at]
        at += 1
        if b >= 0xC0:
            out += bytes([f[at]]) * (b & 63)
            at += 1
        else:
            out.append(b)
    rows = []
    for y in range(min(h, 60)):
        row = out[y * planes * line:(y + 1) * planes * line]
        rows.append([tuple(row[p * line + x] for p in range(planes)) for x in range(min(w, 80))])
    return rows


def lonely(px):
    h, w = len(px), len(px[0])
    near = [(a, b) for a in (-1, 0, 1) for b in (-1, 0, 1) if a or b]
    return sum(1 for y in range(h) for x in range(w)
               if not any(0 <= x + a < w and 0 <= y + b < h and px[y + b][x + a] == px[y][x] for a, b in near))


def same_share(a, b):
    return sum(1 for y in range(len(a)) for x in range(len(a[0])) if a[y][x] == b[y][x]) / (len(a) * len(a[0]))


data = sys.argv[1]
names = sys.argv[2:] or ['scene1', 'scene7'] + ['p8s%d' % i for i in range(2, 9)]
scene = lambda n: load_pcx(f"{data}/graphics/screens/{n}.pcx")
for n in names:
    px = scene(n)
    print(f"{n:7} {lonely(px):5} pixels without a same-coloured neighbour, {len({p for r in px for p in r}):3} colours")
for a, b in SIBLINGS:
    print(f"{a} against {b}: {100 * same_share(scene(a), scene(b)):.1f} % identical")
import os
paths = {}
for f in sorted(os.listdir(f"{data}/graphics/screens")):
    n = f[:-4]
    key = 'town' if n.startswith('scene') else n[:2] if n.startswith('p') else n
    paths.setdefault(key, set()).update(p for r in scene(n) for p in r)
print('colours per path: ' + ', '.join(f"{k} {len(v)}" for k, v in paths.items()))
