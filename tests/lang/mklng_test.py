#!/usr/bin/env python3
"""The language file generator: exact file and header for a good source, and a
failed build, with no output left behind, for every kind of bad source."""
import os
import struct
import subprocess
import sys
import tempfile

MKLNG = sys.argv[1]
failures = 0
passed = 0


def run(source_text):
    with tempfile.TemporaryDirectory() as folder:
        return run_in(folder, source_text)


def run_in(folder, source_text):
    source = os.path.join(folder, "in.txt")
    output = os.path.join(folder, "out.lng")
    header = os.path.join(folder, "out.h")
    with open(source, "w", encoding="utf-8") as f:
        f.write(source_text)
    result = subprocess.run([sys.executable, MKLNG, source, output, header],
                            capture_output=True, text=True)
    data = None
    if os.path.exists(output):
        with open(output, "rb") as f:
            data = f.read()
    if os.path.exists(header):
        with open(header, encoding="utf-8") as f:
            data = (data, f.read())
    leftovers = sorted(set(os.listdir(folder)) - {"in.txt", "out.lng", "out.h"})
    return result.returncode, data, leftovers


def check(name, condition):
    global failures, passed
    if condition:
        passed += 1
    else:
        failures += 1
        print("FAILED: " + name)


# Shared texts are stored once; the slots are positional. The header names
# each text with the comment right above it.
code, data, _ = run("# file comment\n\n0 =\n# shown\n# twice\n1 Signal = Señal \n2 =   \n"
                    "#\n# again\n3 Signal2 = Señal\n")
expected = struct.pack("<4I", 16, 17, 16, 17) + b"\0Se\xf1al\0"
check("good source", code == 0 and data and data[0] == expected)
check("good header", code == 0 and data and
      "    Signal = 1,  // shown twice\n    Signal2 = 3,  // again\n};" in data[1])

for name, text in [
    ("no cp1252 code", "# a\n0 A = Señal →\n"),
    ("index twice", "0 =\n0 =\n"),
    ("index missing", "0 =\n2 =\n"),
    ("no equals sign", "0 =\n1\n"),
    ("index not a number", "x =\n"),
    ("no texts", "# nothing\n"),
    ("name missing", "# a\n0 = a\n"),
    ("name twice", "# a\n0 A = a\n# b\n1 A = b\n"),
    ("name of no text", "0 A =\n"),
    ("name not an identifier", "# a\n0 a-b = a\n"),
    ("name in lower case", "# a\n0 apple = a\n"),
    ("two names", "# a\n0 A B = a\n"),
    ("name before the index", "# a\nA 0 = a\n"),
    ("no role above", "# a\n\n0 A = a\n"),
    ("role ends in a backslash", "# a\\\n0 A = a\n"),
]:
    code, data, leftovers = run(text)
    check(name, code != 0 and data is None and not leftovers)

print("%d passed, %d failed" % (passed, failures))
sys.exit(1 if failures else 0)
