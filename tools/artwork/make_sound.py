#!/usr/bin/env python3
"""Writes Sound.wav: a short two-note chime, 16-bit mono PCM at 22050 Hz."""
import math
import struct
import sys

RATE = 22050


def main(path):
    samples = []
    for freq, start, length in ((880.0, 0.0, 0.35), (1318.5, 0.12, 0.4)):
        begin = int(start * RATE)
        n = int(length * RATE)
        while len(samples) < begin + n:
            samples.append(0.0)
        for i in range(n):
            t = i / RATE
            envelope = math.exp(-t * 9.0) * min(1.0, t * 400.0)
            samples[begin + i] += 0.35 * envelope * math.sin(2 * math.pi * freq * t)
    pcm = b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32767)) for s in samples)
    header = b"RIFF" + struct.pack("<I", 36 + len(pcm)) + b"WAVE"
    header += b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, RATE, RATE * 2, 2, 16)
    header += b"data" + struct.pack("<I", len(pcm))
    with open(path, "wb") as f:
        f.write(header + pcm)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "Sound.wav")
