#!/usr/bin/env python3
"""The resource generator's outputs and its refusal of text outside Windows-1252."""
import os
import struct
import subprocess
import sys
import tempfile
import unittest

MKRES = sys.argv.pop(1) if len(sys.argv) > 1 else None


def run(*args):
    return subprocess.run([sys.executable, MKRES, *args], capture_output=True, text=True)


class Cp1252(unittest.TestCase):
    def test_accents_become_single_bytes_with_crlf_lines(self):
        with tempfile.TemporaryDirectory() as tmp:
            src, out = os.path.join(tmp, "a.rc"), os.path.join(tmp, "b.rc")
            with open(src, "w", encoding="utf-8") as f:
                f.write('POPUP "&Edición"\n1 "tamaño €"\n')
            self.assertEqual(run("cp1252", src, out).returncode, 0)
            with open(out, "rb") as f:
                self.assertEqual(f.read(), b'POPUP "&Edici\xf3n"\r\n1 "tama\xf1o \x80"\r\n')

    def test_text_without_a_code_is_refused(self):
        with tempfile.TemporaryDirectory() as tmp:
            src, out = os.path.join(tmp, "a.rc"), os.path.join(tmp, "b.rc")
            with open(src, "w", encoding="utf-8") as f:
                f.write('1 "flecha \u2192"\n')
            result = run("cp1252", src, out)
            self.assertNotEqual(result.returncode, 0)
            self.assertIn("\u2192", result.stderr)
            self.assertFalse(os.path.exists(out))


class Pictures(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        assert run("pictures", cls.tmp.name).returncode == 0
        assert run("wav", os.path.join(cls.tmp.name, "test.wav")).returncode == 0

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def read(self, name):
        with open(os.path.join(self.tmp.name, name), "rb") as f:
            return f.read()

    def icon_images(self, name):
        data = self.read(name)
        reserved, kind, count = struct.unpack_from("<HHH", data)
        self.assertEqual((reserved, kind), (0, 1))
        images = []
        for i in range(count):
            w, h, _, _, _, bpp, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
            self.assertLessEqual(offset + size, len(data))
            hdr = struct.unpack_from("<IiiHH", data, offset)
            self.assertEqual(hdr, (40, w, 2 * h, 1, bpp))
            images.append((w, h, bpp, data[offset:offset + size]))
        return images

    def test_icons_carry_the_listed_images(self):
        self.assertEqual([i[:3] for i in self.icon_images("app.ico")], [(32, 32, 8), (16, 16, 4)])
        for name in ("keys.ico", "gears.ico", "note.ico", "card.ico", "magnifier.ico"):
            self.assertEqual([i[:3] for i in self.icon_images(name)], [(32, 32, 8)], name)

    def test_blank_icon_is_all_mask(self):
        (w, h, bpp, blob), = self.icon_images("blank.ico")
        self.assertEqual((w, h, bpp), (32, 32, 4))
        mask = blob[-32 * 4:]
        colour = blob[40 + 16 * 4:-32 * 4]
        self.assertEqual(set(mask), {0xFF})
        self.assertEqual(set(colour), {0})

    def test_bitmaps_have_their_sizes_and_depths(self):
        for name, size, bpp in (("toolbar.bmp", (128, 15), 4), ("about.bmp", (400, 266), 8)):
            data = self.read(name)
            self.assertEqual(data[:2], b"BM")
            self.assertEqual(struct.unpack_from("<I", data, 2)[0], len(data))
            _, w, h, _, depth = struct.unpack_from("<IiiHH", data, 14)
            self.assertEqual(((w, h), depth), (size, bpp), name)

    def test_beep_is_short_mono_pcm(self):
        data = self.read("test.wav")
        self.assertEqual((data[:4], data[8:16]), (b"RIFF", b"WAVEfmt "))
        fmt, channels, rate, _, _, bits = struct.unpack_from("<HHIIHH", data, 20)
        self.assertEqual((fmt, channels, rate, bits), (1, 1, 22050, 16))
        samples = struct.unpack_from("<%dh" % ((len(data) - 44) // 2), data, 44)
        self.assertEqual(len(samples), 22050 * 80 // 1000)
        self.assertEqual(samples[0], 0)
        self.assertLess(abs(samples[-1]), 200)
        self.assertGreater(max(samples), 10000)


if __name__ == "__main__":
    unittest.main()
