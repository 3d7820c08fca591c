#!/usr/bin/env python3
"""Builds a language file, and the header that names its texts, from the
readable source.

Source: UTF-8, one line per index, "index Name = text"; blank lines and lines
starting with '#' are skipped, spaces around the text are dropped. Every index
from 0 to the highest one must appear exactly once (the offset table is
positional). An index with a text carries a name (a letter in upper case, then
letters and digits), unique in the file, and the comment lines right above it
say its role; an index without a text is never asked for and has no name.
Output: one unsigned 32-bit little-endian offset per index, then the
NUL-terminated strings in Windows-1252, each distinct text stored once. The
header, if asked for, holds one enum with every name at its index and its role.
Any fault in the source fails the build with a message naming the line, and
leaves neither output behind.
"""
import os
import re
import struct
import sys

ENCODING = "cp1252"
NAME = re.compile(r"[A-Z][A-Za-z0-9]*\Z")


def fail(message):
    sys.stderr.write("mklng: %s\n" % message)
    sys.exit(1)


def parse(path):
    """The texts in index order, and (index, name, role) for each named one."""
    try:
        with open(path, "r", encoding="utf-8", newline=None) as source:
            lines = source.read().splitlines()
    except (OSError, UnicodeDecodeError) as error:
        fail("%s: %s" % (path, error))
    texts = {}
    names = {}
    entries = []
    comment = []
    for number, line in enumerate(lines, 1):
        where = "%s:%d" % (path, number)
        if line.lstrip().startswith("#"):
            comment.append(line.lstrip()[1:].strip())
            continue
        role, comment = " ".join(part for part in comment if part), []
        if not line.strip():
            continue
        key, sep, text = line.partition("=")
        if not sep:
            fail("%s: expected 'index Name = text'" % where)
        words = key.split()
        if not words or len(words) > 2:
            fail("%s: expected 'index Name = text'" % where)
        if not words[0].isdigit() or not words[0].isascii():
            fail("%s: index '%s' is not a number" % (where, words[0]))
        index = int(words[0])
        if index in texts:
            fail("%s: index %d given twice" % (where, index))
        text = text.strip()
        if "\0" in text:
            fail("%s: a text can't hold a NUL" % where)
        try:
            texts[index] = text.encode(ENCODING)
        except UnicodeEncodeError as error:
            fail("%s: '%s' has no %s code" % (where, text[error.start:error.end], ENCODING))
        name = words[1] if len(words) == 2 else None
        if not text:
            if name:
                fail("%s: '%s' names no text" % (where, name))
            continue
        if not name:
            fail("%s: the text of index %d has no name" % (where, index))
        if not NAME.match(name):
            fail("%s: '%s' is not a name (a capital, then letters and digits)" % (where, name))
        if name in names:
            fail("%s: name '%s' already names index %d" % (where, name, names[name]))
        if not role:
            fail("%s: no comment right above says what '%s' is for" % (where, name))
        if role.endswith("\\"):
            fail("%s: a role can't end in a backslash (it would join the next line in C++)" % where)
        names[name] = index
        entries.append((index, name, role))
    if not texts:
        fail("%s: no texts" % path)
    count = max(texts) + 1
    missing = [i for i in range(count) if i not in texts]
    if missing:
        fail("%s: no line for index %s" % (path, ", ".join(map(str, missing))))
    return [texts[i] for i in range(count)], entries


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


def header(entries, source_name):
    lines = [
        "// The language file's texts by name, each at its index, with its role.",
        "// Generated from %s by tools/mklng/mklng.py: edit the source, not this." % source_name,
        "#ifndef KESU_RES_LANGUAGETEXT_H",
        "#define KESU_RES_LANGUAGETEXT_H",
        "",
        "enum class LanguageText : int",
        "{",
    ]
    for index, name, role in entries:
        lines.append("    %s = %d,  // %s" % (name, index, role))
    lines += ["};", "", "#endif", ""]
    return "\n".join(lines).encode("utf-8")


def write_all(outputs):
    # Written beside each target and renamed once all are written, so a failed
    # run never leaves a half-written file that a later build would take as up
    # to date.
    temporaries = []
    try:
        for path, data in outputs:
            temporaries.append(path + ".tmp")
            with open(temporaries[-1], "wb") as output:
                output.write(data)
        for path, _ in outputs:
            os.replace(path + ".tmp", path)
    except OSError as error:
        for temporary in temporaries:
            if os.path.exists(temporary):
                os.remove(temporary)
        fail(str(error))


def main(argv):
    if len(argv) not in (3, 4):
        fail("usage: mklng.py SOURCE.txt OUTPUT.lng [HEADER.h]")
    texts, entries = parse(argv[1])
    outputs = [(argv[2], build(texts))]
    if len(argv) == 4:
        outputs.append((argv[3], header(entries, os.path.basename(argv[1]))))
    write_all(outputs)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
