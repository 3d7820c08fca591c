#!/usr/bin/env python3
"""Makes the program's pictures and sound, and the resource script's code page.

  mkres.py pictures DIR      icons and bitmaps the resource script names
  mkres.py wav FILE          the proximity beep
  mkres.py cp1252 IN OUT     re-encode a UTF-8 script as Windows-1252
  mkres.py sheet FILE.png    everything enlarged on one sheet, for looking at
"""
import os
import sys

# No __pycache__ beside the sources: the build runs this from the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import about  # noqa: E402
import icons  # noqa: E402
import pixelart  # noqa: E402
from formats import beep_wav, bmp_bytes, ico_bytes, png_bytes  # noqa: E402


def _icons():
    """File name -> list of (picture, bits per pixel), largest first."""
    return {
        "app.ico": [(icons.figure(), 8), (pixelart.figure16(), 4)],
        "keys.ico": [(icons.keys(), 8)],
        "gears.ico": [(icons.gears(), 8)],
        "blank.ico": [(pixelart.blank(), 4)],
        "note.ico": [(icons.note(), 8)],
        "card.ico": [(icons.network_card(), 8)],
        "magnifier.ico": [(icons.magnifier(), 8)],
    }


def _write(path, data):
    # The pictures and the re-encoded script are made by separate steps that a
    # parallel build may run in either order: whichever comes first makes the folder.
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def make_pictures(folder):
    for name, images in _icons().items():
        _write(os.path.join(folder, name), ico_bytes(images))
    _write(os.path.join(folder, "toolbar.bmp"), bmp_bytes(pixelart.toolbar_strip(), 4))
    _write(os.path.join(folder, "about.bmp"), bmp_bytes(about.picture(), 8))


def to_cp1252(source, target):
    with open(source, encoding="utf-8") as f:
        text = f.read()
    try:
        data = text.encode("cp1252")
    except UnicodeEncodeError as e:
        sys.exit(f"{source}: character {text[e.start]!r} has no Windows-1252 code")
    _write(target, data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n"))


def make_sheet(path):
    pictures = [images[0][0] for images in _icons().values()] + [pixelart.figure16()]
    scale, cell = 6, 200
    strip = pixelart.toolbar_strip()
    art = about.picture()
    width = cell * len(pictures)
    height = cell + 80 + strip.height * 4 + 20 + art.height + 10
    canvas = [(90, 90, 96)] * (width * height)

    def put(pic, ox, oy, k, checker=True):
        colours = pic.rgba()
        for y in range(pic.height * k):
            for x in range(pic.width * k):
                r, g, b, a = colours[(y // k) * pic.width + x // k]
                if not a:
                    if not checker:
                        continue
                    r = g = b = 200 if ((x // 8) + (y // 8)) % 2 else 240
                canvas[(oy + y) * width + ox + x] = (r, g, b)

    for n, pic in enumerate(pictures):
        put(pic, n * cell + 4, 4, scale * 32 // pic.width)
        for m, bg in enumerate(((255, 255, 255), (212, 208, 200), (10, 36, 106))):
            ox, oy = n * cell + 10 + m * 60, cell + 20
            for y in range(40):
                for x in range(40):
                    canvas[(oy + y) * width + ox + x] = bg
            put(pic, ox + 4, oy + 4, 1, checker=False)
    put(strip, 4, cell + 80, 4)
    put(art, 4, cell + 80 + strip.height * 4 + 20, 1)
    _write(path, png_bytes(width, height, canvas))


def main(argv):
    if len(argv) == 3 and argv[1] == "pictures":
        make_pictures(argv[2])
    elif len(argv) == 3 and argv[1] == "wav":
        _write(argv[2], beep_wav())
    elif len(argv) == 4 and argv[1] == "cp1252":
        to_cp1252(argv[2], argv[3])
    elif len(argv) == 3 and argv[1] == "sheet":
        make_sheet(argv[2])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
