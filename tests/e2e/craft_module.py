#!/usr/bin/env python3
"""Writes a crafted copy of one of the game's Impulse Tracker modules.

craft_module.py HOW IN OUT, where HOW is one of:
  high-loop   64 channels of B-9 on a sample at C5 speed 2,000,000 with a
              loop of two frames
  slides64    64 channels sliding up by F DF on every row, ordinary C5 speed,
              on the same two-frame loop
  slide1      one channel of B-9 at C5 speed 2,000,000 sliding up by F DF on
              every row, on the two-frame loop
  fpe         one 8-bit looped sample at C5 speed 256, note C-0 and E FF on
              every row
The song becomes one pattern (appended to the file) played over and over.
"""
import struct
import sys

NOTE_C0, NOTE_B9 = 0, 119
CMD_E, CMD_F = 5, 6  # pitch slide down, up
SLIDE = 0xDF


def craft(how, data):
    b = bytearray(data)
    orders, instruments, samples, patterns = struct.unpack_from('<4H', b, 0x20)
    table = 0xC0 + orders
    sample = struct.unpack_from('<I', b, table + 4 * instruments)[0]
    channels = 1 if how in ('slide1', 'fpe') else 64
    # Every channel used is switched on, centred, at full volume.
    for c in range(64):
        b[0x40 + c] = 32 if c < channels else 160
        b[0x80 + c] = 64
    b[0xC0] = 0
    for k in range(1, orders):
        b[0xC0 + k] = 255

    flags = b[sample + 0x12]
    length = struct.unpack_from('<I', b, sample + 0x30)[0]
    if how == 'high-loop':
        struct.pack_into('<I', b, sample + 0x34, 0)
        struct.pack_into('<I', b, sample + 0x38, 2)
        struct.pack_into('<I', b, sample + 0x3C, 2000000)
        b[sample + 0x12] = flags | 0x10
    elif how in ('slides64', 'slide1'):
        if how == 'slide1':
            struct.pack_into('<I', b, sample + 0x3C, 2000000)
        struct.pack_into('<I', b, sample + 0x34, 0)
        struct.pack_into('<I', b, sample + 0x38, 2)
        b[sample + 0x12] = flags | 0x10
    elif how == 'fpe':
        loop_end = min(length, 4096)
        struct.pack_into('<I', b, sample + 0x30, loop_end)
        struct.pack_into('<I', b, sample + 0x34, 0)
        struct.pack_into('<I', b, sample + 0x38, loop_end)
        struct.pack_into('<I', b, sample + 0x3C, 256)
        b[sample + 0x12] = (flags & ~0x02) | 0x10  # 8-bit, looped
    b[sample + 0x13] = 64  # volume

    rows = 64
    packed = bytearray()
    for row in range(rows):
        for c in range(channels):
            if how == 'high-loop':
                event = [(c + 1) | 0x80, 0x03, NOTE_B9, 1] if row == 0 else []
            elif how == 'fpe':
                event = [(c + 1) | 0x80, 0x0B, NOTE_C0, 1, CMD_E, 0xFF] if row == 0 else [(c + 1) | 0x80, 0x08, CMD_E, 0xFF]
            else:
                note = NOTE_B9 if how == 'slide1' else 60
                event = [(c + 1) | 0x80, 0x0B, note, 1, CMD_F, SLIDE] if row == 0 else [(c + 1) | 0x80, 0x08, CMD_F, SLIDE]
            packed += bytes(event)
        packed.append(0)
    pattern = len(b)
    b += struct.pack('<HHI', len(packed), rows, 0) + packed
    struct.pack_into('<I', b, table + 4 * instruments + 4 * samples, pattern)
    return bytes(b)


if __name__ == '__main__':
    how, source, target = sys.argv[1:4]
    with open(source, 'rb') as f:
        data = f.read()
    with open(target, 'wb') as f:
        f.write(craft(how, data))
