#!/usr/bin/env python3
"""The language file generator: exact output for a good source, and a failed
build, with no output left behind, for every kind of bad source."""
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
    with open(source, "w", encoding="utf-8") as f:
        f.write(source_text)
    result = subprocess.run([sys.executable, MKLNG, source, output],
                            capture_output=True, text=True)
    data = None
    if os.path.exists(output):
        with open(output, "rb") as f:
            data = f.read()
    leftovers = sorted(set(os.listdir(folder)) - {"in.txt", "out.lng"})
    return result.returncode, data, leftovers


def check(name, condition):
    global failures, passed
    if condition:
        passed += 1
    else:
        failures += 1
        print("FAILED: " + name)


# Shared texts are stored once; the slots are positional.
code, data, _ = run("# comment\n\n0 =\n1 = Señal \n2 =   \n3 = Señal\n")
expected = struct.pack("<4I", 16, 17, 16, 17) + b"\0Se\xf1al\0"
check("good source", code == 0 and data == expected)

for name, text in [
    ("no cp1252 code", "0 = Señal →\n"),
    ("index twice", "0 = a\n0 = b\n"),
    ("index missing", "0 = a\n2 = b\n"),
    ("no equals sign", "0 = a\n1 b\n"),
    ("index not a number", "x = a\n"),
    ("no texts", "# nothing\n"),
]:
    code, data, leftovers = run(text)
    check(name, code != 0 and data is None and not leftovers)

print("%d passed, %d failed" % (passed, failures))
sys.exit(1 if failures else 0)
