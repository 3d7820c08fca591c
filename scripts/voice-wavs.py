#!/usr/bin/env python3
"""Measures the announcements the voice wrote with KESU_VOICE_WAV=<folder>.

    scripts/voice-wavs.py FOLDER [--expect N]

Prints, in speaking order, each NNNN.wav's length, how much of it is sound,
and the sentence it holds (NNNN.txt); exits non-zero when a file is cut short,
silent, or of a length no reading of its sentence has, or when --expect N
files were wanted and another number is there.
"""
import argparse
import array
import math
import pathlib
import struct
import sys

# The engine reads Spanish at about 15 characters a second; numbers read out in
# full make a sentence longer, so the bounds are wide.
SECONDS_PER_CHARACTER = (0.04, 0.25)
# A 20 ms frame louder than this (of full scale) counts as sound.
SOUND_LEVEL = 0.02
MIN_SOUND_SHARE = 0.3


def read_wav(path):
    """(rate, samples, complete) of a 16-bit mono PCM file."""
    data = path.read_bytes()
    if len(data) < 12 or data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError("not a WAV file")
    pos, rate, samples, complete = 12, 0, None, False
    while pos + 8 <= len(data):
        tag, size = struct.unpack_from("<4sI", data, pos)
        body = data[pos + 8 : pos + 8 + size]
        if tag == b"fmt ":
            fmt, channels, rate, _, _, bits = struct.unpack_from("<HHIIHH", body)
            if fmt != 1 or channels != 1 or bits != 16:
                raise ValueError("not 16-bit mono PCM")
        elif tag == b"data":
            complete = len(body) == size and size > 0
            samples = array.array("h", body[: len(body) // 2 * 2])
            if sys.byteorder != "little":
                samples.byteswap()
        pos += 8 + size + (size & 1)
    if not rate or samples is None:
        raise ValueError("no format or no data chunk")
    return rate, samples, complete


def sound_seconds(rate, samples):
    frame = max(1, rate // 50)
    loud = 0
    for start in range(0, len(samples), frame):
        chunk = samples[start : start + frame]
        rms = math.sqrt(sum(s * s for s in chunk) / len(chunk)) / 32768
        loud += rms > SOUND_LEVEL
    return loud * frame / rate


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("folder", type=pathlib.Path)
    parser.add_argument("--expect", type=int)
    args = parser.parse_args()

    wavs = sorted(p for p in args.folder.glob("*.wav") if p.stem.isdigit())
    faults = 0
    print(f"{'file':>8} {'length':>7} {'sound':>6} {'chars':>5} {'s/char':>6}  sentence")
    for wav in wavs:
        text_file = wav.with_suffix(".txt")
        text = text_file.read_text(encoding="utf-8").strip() if text_file.exists() else ""
        try:
            rate, samples, complete = read_wav(wav)
        except (OSError, ValueError) as error:
            print(f"{wav.name:>8} {error}")
            faults += 1
            continue
        seconds = len(samples) / rate
        sound = sound_seconds(rate, samples)
        per_char = seconds / max(1, len(text))
        verdict = []
        if not complete:
            verdict.append("cut short")
        if sound < MIN_SOUND_SHARE * seconds or sound == 0:
            verdict.append("mostly silent")
        if not text:
            verdict.append("no sentence beside it")
        elif not SECONDS_PER_CHARACTER[0] <= per_char <= SECONDS_PER_CHARACTER[1]:
            verdict.append("implausible length")
        faults += bool(verdict)
        note = f"  <- {', '.join(verdict)}" if verdict else ""
        print(f"{wav.name:>8} {seconds:6.2f}s {sound:5.2f}s {len(text):5} {per_char:6.3f}  {text}{note}")

    print(f"{len(wavs)} files, {faults} faulty")
    if args.expect is not None and args.expect != len(wavs):
        print(f"expected {args.expect} files")
        return 1
    return 1 if faults or not wavs else 0


if __name__ == "__main__":
    sys.exit(main())
