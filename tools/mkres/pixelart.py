"""Pictures too small for shapes, drawn pixel by pixel on the 16-colour palette:
the toolbar strip and the 16 x 16 application icon."""
from formats import Indexed, VGA16
from raster import from_art

# Character -> index into VGA16; '.' is the background.
KEY = {
    ".": None, "k": 0, "r": 1, "g": 2, "o": 3, "n": 4, "p": 5, "t": 6, "s": 7,
    "d": 8, "R": 9, "G": 10, "Y": 11, "B": 12, "M": 13, "C": 14, "w": 15,
}

# Button face grey: toolbars map it to the system's button colour.
TOOLBAR_BACKGROUND = 7

NEW = [
    "................",
    "..kkkkkkkk......",
    "..kwwwwwwkk.....",
    "..kwwwwwwkwk....",
    "..kwwwwwwkwwk...",
    "..kwwwwwwkkkkk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kkkkkkkkkkkk..",
    "................",
]

OPEN = [
    "................",
    "................",
    ".kkkk...........",
    "kwwwwk..........",
    "kwooowkkkkkkk...",
    "kwoooooooooook..",
    "kwooookkkkkkkkkk",
    "kwoookYYYYYYYYYk",
    "kwookYYYYYYYYYk.",
    "kwokYYYYYYYYYk..",
    "kwkYYYYYYYYYk...",
    "kkYYYYYYYYYk....",
    "kkkkkkkkkkk.....",
    "................",
    "................",
]

SAVE = [
    "................",
    ".kkkkkkkkkkkkkk.",
    ".knkwwwwwwwwknk.",
    ".knkwddddddwknk.",
    ".knkwwwwwwwwknk.",
    ".knkwddddddwknk.",
    ".knkwwwwwwwwknk.",
    ".knnkkkkkkkknnk.",
    ".knnnnnnnnnnnnk.",
    ".knnkkkkkkkknnk.",
    ".knnkwwwkddknnk.",
    ".knnkwwwkddknnk.",
    ".knnkwwwkddknnk.",
    ".kkkkkkkkkkkkkk.",
    "................",
]

CUT = [
    "................",
    "....k.....k.....",
    "....kk....k.....",
    ".....k...kk.....",
    ".....kk..k......",
    "......k.kk......",
    "......kkk.......",
    ".......k........",
    "......RkR.......",
    "....RRR.RRR.....",
    "...R..R.R..R....",
    "...R..R.R..R....",
    "...R..R.R..R....",
    "....RR...RR.....",
    "................",
]

COPY = [
    "................",
    ".kkkkkkk........",
    ".kwwwwwkk.......",
    ".kwdddwkwk......",
    ".kwwwwwkkkk.....",
    ".kwdddkkkkkkk...",
    ".kwwwwkwwwwwkk..",
    ".kwdddkwdddwkwk.",
    ".kwwwwkwwwwwkkkk",
    ".kwdddkwddddddwk",
    ".kkkkkkwwwwwwwwk",
    "......kwddddddwk",
    "......kwwwwwwwwk",
    "......kkkkkkkkkk",
    "................",
]

PASTE = [
    "....kkkkk.......",
    ".kkkkwwwkkkk....",
    ".kokdddddkok....",
    ".kookkkkkook....",
    ".kooooooooook...",
    ".koooookkkkkkk..",
    ".koooookwwwwwkk.",
    ".koooookwdddwkwk",
    ".koooookwwwwwkkk",
    ".koooookwdddddwk",
    ".koooookwwwwwwwk",
    ".koooookwdddddwk",
    ".kkkkkkkwwwwwwwk",
    ".......kkkkkkkkk",
    "................",
]

PRINT = [
    "................",
    "....kkkkkkkk....",
    "....kwwwwwwk....",
    "....kwddddwk....",
    "....kwwwwwwk....",
    "..kkkkkkkkkkkk..",
    ".kwwwwwwwwwwwwk.",
    ".kddddddddddGdk.",
    ".kddddddddddddk.",
    ".kkkkkkkkkkkkkk.",
    ".kdkwwwwwwwwkdk.",
    "..kkwddddddwkk..",
    "....kwwwwwwk....",
    "....kkkkkkkk....",
    "................",
]

ABOUT = [
    "................",
    ".....kkkkkk.....",
    "...kkBBBBBBkk...",
    "..kBBBwwwwBBBk..",
    "..kBBwwBBwwBBk..",
    ".kBBBBBBBwwBBBk.",
    ".kBBBBBBwwBBBBk.",
    ".kBBBBBwwBBBBBk.",
    ".kBBBBBwwBBBBBk.",
    ".kBBBBBBBBBBBBk.",
    "..kBBBBwwBBBBk..",
    "..kBBBBwwBBBBk..",
    "...kkBBBBBBkk...",
    ".....kkkkkk.....",
    "................",
]

# Strip order is the toolbar's button order without separators.
TOOLBAR_IMAGES = [NEW, OPEN, SAVE, CUT, COPY, PASTE, PRINT, ABOUT]

FIGURE16 = [
    "................",
    "......kkkk......",
    "....kkddnnkk....",
    "...kddnnnnnnk...",
    "..kdnnkkkknnnk..",
    "..kdnkkkkkknnk..",
    "..kdnkwkkwknnk..",
    "..kdnkYkkYknnk..",
    "..kdnkkkkkknnk..",
    ".kdnnnkkkknnnnk.",
    ".kdnnnnnnnnnnnk.",
    ".kdnnnnnnnnnnnk.",
    "kdnnnnnnnnnnnnnk",
    "kdnnnnnnnnnnnnnk",
    "kkkkkkkkkkkkkkkk",
    "................",
]


def toolbar_strip():
    rows = []
    for y in range(15):
        rows.append("".join(image[y] for image in TOOLBAR_IMAGES))
    return from_art(rows, KEY, background=TOOLBAR_BACKGROUND)


def figure16():
    return from_art(FIGURE16, KEY)


def blank(size=32):
    """Nothing but mask: the list's 'no marker' image."""
    return Indexed(size, size, list(VGA16), [0] * (size * size), [True] * (size * size))
