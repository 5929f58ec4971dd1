#!/usr/bin/env python3
"""Reads a WAV that OpenAL Soft's wave writer made (PCM 8/16/32-bit or float,
plain or extensible header) and prints, for the samples from FROM to TO
seconds (default: the whole file), the peak as a fraction of full scale and
the time in seconds of the first sample above 1/1000 (or -1 when none).

Usage: wav_level.py FILE [FROM [TO]]
"""
import struct
import sys


def read(path):
    data = open(path, "rb").read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        sys.exit(f"{path}: not a WAV file")
    pos, fmt, samples = 12, None, b""
    while pos + 8 <= len(data):
        chunk, size = data[pos:pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
        body = data[pos + 8:pos + 8 + size]
        if chunk == b"fmt ":
            tag, channels, rate = struct.unpack_from("<HHI", body)
            bits = struct.unpack_from("<H", body, 14)[0]
            if tag == 0xFFFE:  # extensible: the real format is the sub-format GUID's first two bytes
                tag = struct.unpack_from("<H", body, 24)[0]
            fmt = (tag, channels, rate, bits)
        elif chunk == b"data":
            # A writer killed before it closed leaves the size unset: take the rest.
            samples = data[pos + 8:] if size in (0, 0xFFFFFFFF) else body
        pos += 8 + size + (size & 1)
    if fmt is None:
        sys.exit(f"{path}: no fmt chunk")
    tag, channels, rate, bits = fmt
    width = bits // 8
    count = len(samples) // width
    if tag == 3 and bits == 32:
        values = struct.unpack_from(f"<{count}f", samples)
    elif tag == 1 and bits == 16:
        values = [v / 32768.0 for v in struct.unpack_from(f"<{count}h", samples)]
    elif tag == 1 and bits == 32:
        values = [v / 2147483648.0 for v in struct.unpack_from(f"<{count}i", samples)]
    elif tag == 1 and bits == 8:
        values = [(v - 128) / 128.0 for v in samples[:count]]
    else:
        sys.exit(f"{path}: format {tag} with {bits} bits is not read here")
    return values, channels, rate


values, channels, rate = read(sys.argv[1])
start = int(float(sys.argv[2]) * rate) * channels if len(sys.argv) > 2 else 0
end = int(float(sys.argv[3]) * rate) * channels if len(sys.argv) > 3 else len(values)
if end < 0:
    end = len(values) + end
part = values[start:end]
peak = max((abs(v) for v in part), default=0.0)
onset = next((i for i, v in enumerate(part) if abs(v) > 1e-3), None)
first = -1 if onset is None else (start + onset) // channels / rate
print(f"{peak:.6f} {first:.4f} {len(values) // channels / rate:.3f}")
