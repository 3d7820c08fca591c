#!/usr/bin/env python3
"""Builds a language file from its readable source.

Source: UTF-8, one line per index, "index = text"; blank lines and lines
starting with '#' are skipped, spaces around the text are dropped. Every index
from 0 to the highest one must appear exactly once (the offset table is
positional). Output: one unsigned 32-bit little-endian offset per index, then
the NUL-terminated strings in Windows-1252, each distinct text stored once.
Any fault in the source fails the build with a message naming the line.
"""
import os
import struct
import sys

ENCODING = "cp1252"


def fail(message):
    sys.stderr.write("mklng: %s\n" % message)
    sys.exit(1)


def parse(path):
    try:
        with open(path, "r", encoding="utf-8", newline=None) as source:
            lines = source.read().splitlines()
    except (OSError, UnicodeDecodeError) as error:
        fail("%s: %s" % (path, error))
    texts = {}
    for number, line in enumerate(lines, 1):
        where = "%s:%d" % (path, number)
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        key, sep, text = line.partition("=")
        if not sep:
            fail("%s: expected 'index = text'" % where)
        key = key.strip()
        if not key.isdigit() or not key.isascii():
            fail("%s: index '%s' is not a number" % (where, key))
        index = int(key)
        if index in texts:
            fail("%s: index %d given twice" % (where, index))
        text = text.strip()
        if "\0" in text:
            fail("%s: a text can't hold a NUL" % where)
        try:
            texts[index] = text.encode(ENCODING)
        except UnicodeEncodeError as error:
            fail("%s: '%s' has no %s code" % (where, text[error.start:error.end], ENCODING))
    if not texts:
        fail("%s: no texts" % path)
    count = max(texts) + 1
    missing = [i for i in range(count) if i not in texts]
    if missing:
        fail("%s: no line for index %s" % (path, ", ".join(map(str, missing))))
    return [texts[i] for i in range(count)]


def build(texts):
    table_size = 4 * len(texts)
    offsets = []
    pool = bytearray()
    placed = {}
    for text in texts:
        if text not in placed:
            placed[text] = table_size + len(pool)
            pool += text + b"\0"
        offsets.append(placed[text])
    if table_size + len(pool) > 0xFFFFFFFF:
        fail("file too large for 32-bit offsets")
    return struct.pack("<%dI" % len(offsets), *offsets) + bytes(pool)


def main(argv):
    if len(argv) != 3:
        fail("usage: mklng.py SOURCE.txt OUTPUT.lng")
    image = build(parse(argv[1]))
    # Written beside the target and renamed, so a failed run never leaves a
    # half-written file that a later build would take as up to date.
    temporary = argv[2] + ".tmp"
    try:
        with open(temporary, "wb") as output:
            output.write(image)
        os.replace(temporary, argv[2])
    except OSError as error:
        fail("%s: %s" % (argv[2], error))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
