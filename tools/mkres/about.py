"""The about box picture: the hooded figure sending radio waves beside the name."""
import math

from raster import Canvas, arc, box, circle, ellipse, linear, mix, polygon, radial, to_indexed8

WIDTH, HEIGHT = 400, 266

# A 5 x 7 pixel font, only the letters the picture uses.
GLYPHS = {
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "á": ["...#.", "..#..", ".###.", "....#", ".####", "#...#", ".####"],
    "b": ["#....", "#....", "#.##.", "##..#", "#...#", "#...#", "####."],
    "c": [".....", ".....", ".###.", "#....", "#....", "#...#", ".###."],
    "d": ["....#", "....#", ".##.#", "#..##", "#...#", "#...#", ".####"],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "i": ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    "l": [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#...#", "#...#"],
    "n": [".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    "ó": ["...#.", "..#..", ".###.", "#...#", "#...#", "#...#", ".###."],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    "s": [".....", ".....", ".####", "#....", ".###.", "....#", "####."],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    ".": [".....", ".....", ".....", ".....", ".....", ".##..", ".##.."],
    " ": ["....."] * 7,
}


def text_dots(text, x, y, cell):
    """Centres of the lit font pixels of `text` at (x, y), `cell` pixels per dot."""
    dots = []
    for n, ch in enumerate(text):
        glyph = GLYPHS[ch]
        for row, line in enumerate(glyph):
            for col, bit in enumerate(line):
                if bit == "#":
                    dots.append((x + (n * 6 + col + 0.5) * cell, y + (row + 0.5) * cell))
    return dots


def text_width(text, cell):
    return (len(text) * 6 - 1) * cell


def picture():
    c = Canvas(WIDTH, HEIGHT, ss=2)
    sky = linear((8, 12, 30), (30, 44, 86), 0, 0, 0, HEIGHT)
    c.fill(lambda x, y: mix((44, 62, 118), sky(x, y), math.hypot(x - 96, y - 120) / 150))
    # Waves leave the figure's head on both sides, fading with distance.
    for k, r in enumerate((56, 72, 88)):
        col = mix((120, 220, 255), (40, 70, 130), k / 3)
        c.paint(arc(96, 104, r, 5, -40, 40), col)
        c.paint(arc(96, 104, r, 5, 140, 220), col)
    c.paint(ellipse(96, 252, 92, 12), (12, 16, 34))
    body = circle(96, 102, 46) | polygon([(52, 104), (140, 104), (168, 252), (24, 252)])
    c.paint(body.grow(3), (96, 110, 160))
    c.paint(body, linear((58, 64, 92), (10, 10, 18), 50, 60, 150, 250))
    hood = ellipse(96, 112, 31, 29)
    c.paint(hood.grow(4), (74, 82, 118))
    c.paint(hood, linear((2, 2, 6), (22, 22, 36), 96, 84, 96, 140))
    for ex in (82, 110):
        c.paint(ellipse(ex, 112, 11, 14), radial((120, 110, 50), (2, 2, 6), ex, 112, 14))
        c.paint(ellipse(ex, 112, 7, 10), radial((255, 255, 236), (246, 210, 110), ex, 109, 11))
    title_x = 198
    for x, y in text_dots("Kesu", title_x, 52, 8):
        c.paint(circle(x, y, 4.1), radial((255, 255, 255), (120, 220, 255), x - 1.3, y - 1.3, 5.0))
    for n, line in enumerate(("Escáner de redes", "inalámbricas")):
        for x, y in text_dots(line, title_x + 2, 132 + n * 20, 2):
            c.paint(box(x - 1, y - 1, x + 1, y + 1), (200, 214, 240))
    version = "Versión 1.0"
    for x, y in text_dots(version, WIDTH - 14 - text_width(version, 2), HEIGHT - 28, 2):
        c.paint(box(x - 1, y - 1, x + 1, y + 1), (120, 140, 190))
    return to_indexed8(WIDTH, HEIGHT, c.pixels())
