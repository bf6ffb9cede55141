#!/usr/bin/env python3
"""Reads an Impulse Tracker module's patterns and prints, per channel, the notes,
their distinct volumes and how many are laid back off the grid or played ahead
of the next row (SDx); then how the kick's bars vary and whether the drums
play in the first and last bar.
usage: patterns.py FILE.it"""
import collections
import struct
import sys

CHANNELS = ['lead', 'echo', 'pad', 'pad2', 'pad3', 'bass', 'arp', 'kick', 'brush']
CMD_S, CMD_H = ord('S') - ord('A') + 1, ord('H') - ord('A') + 1


def read_rows(path):
    f = open(path, 'rb').read()
    orders, instruments, samples, _ = struct.unpack_from('<HHHH', f, 0x20)
    pointers = 0xC0 + orders + 4 * (instruments + samples)
    song = []
    for o in range(orders):
        pattern = f[0xC0 + o]
        if pattern >= 254:
            break
        at = struct.unpack_from('<I', f, pointers + 4 * pattern)[0]
        rows = struct.unpack_from('<H', f, at + 2)[0]
        at += 8
        masks = [0] * 64
        for _ in range(rows):
            row = {}
            while f[at]:
                cv = f[at]
                at += 1
                channel = (cv - 1) & 63
                if cv & 0x80:
                    masks[channel] = f[at]
                    at += 1
                mask, cell = masks[channel], {}
                for bit, key in ((1, 'note'), (2, 'instrument'), (4, 'volume')):
                    if mask & bit:
                        cell[key] = f[at]
                        at += 1
                if mask & 8:
                    cell['command'], cell['parameter'] = f[at], f[at + 1]
                    at += 2
                row[channel] = cell
            at += 1
            song.append(row)
    return song


song = read_rows(sys.argv[1])
print(f"{len(song)} rows")
for channel, name in enumerate(CHANNELS):
    notes = [r[channel] for r in song if channel in r and r[channel].get('note', 255) < 120]
    if not notes:
        continue
    volumes = sorted({c.get('volume', -1) for c in notes})
    held = [c.get('parameter', 0) & 15 for c in notes if c.get('command') == CMD_S and c.get('parameter', 0) >> 4 == 0xD]
    late, early = [d for d in held if d <= 2], [d for d in held if d >= 4]  # SD4, SD5: a tick or two before the next row
    print(f"  {name:6} {len(notes):4} notes, {len(volumes):2} volumes ({volumes[0]}..{volumes[-1]}), "
          f"{len(late):3} laid back by SDx ({100 * len(late) // len(notes)} %), {len(early):3} ahead of the next row")
kick = [tuple((s, song[b * 16 + s].get(7, {}).get('note'), song[b * 16 + s].get(7, {}).get('volume'))
              for s in range(16)) for b in range(len(song) // 16)]
played = [b for b in kick if any(n is not None for _, n, _ in b)]
commonest = collections.Counter(played).most_common(1)[0][1] if played else 0
def drums_in(bar):
    return any(song[bar * 16 + s].get(k, {}).get('note') is not None for s in range(16) for k in (7, 8))
print(f"  kick: plays in {len(played)} of {len(kick)} bars, the commonest bar {commonest} times; "
      f"drums in the first bar: {drums_in(0)}, in the last: {drums_in(len(kick) - 1)}")
vibrato = sorted({hex(r[0]['parameter']) for r in song if r.get(0, {}).get('command') == CMD_H and r[0]['parameter']})
print(f"  lead vibrato commands: {vibrato}")
