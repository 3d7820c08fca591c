"""File writers for the generated resources: ICO, BMP, WAV and a preview PNG."""
import math
import struct
import zlib

# The 16 colours every 4-bit picture uses: the platform's default palette, so
# that toolbar images survive the mapping of button colours to system colours.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


class Indexed:
    """A palette picture: rows of palette indices plus a transparency mask."""

    def __init__(self, width, height, palette, indices, transparent=None):
        assert len(indices) == width * height
        assert len(palette) <= 256
        self.width = width
        self.height = height
        self.palette = palette
        self.indices = indices
        # transparent[i] is True where the screen shows through (icons only).
        self.transparent = transparent or [False] * (width * height)

    def rgba(self):
        out = []
        for i, t in zip(self.indices, self.transparent):
            r, g, b = self.palette[i]
            out.append((r, g, b, 0 if t else 255))
        return out


def _dib_rows(pic, bpp):
    """Pixel rows bottom-up, each padded to a 4-byte boundary."""
    stride = ((pic.width * bpp + 31) // 32) * 4
    rows = []
    for y in range(pic.height - 1, -1, -1):
        line = pic.indices[y * pic.width:(y + 1) * pic.width]
        if bpp == 8:
            data = bytes(line)
        else:
            padded = list(line) + [0] * (len(line) % 2)
            data = bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))
        rows.append(data.ljust(stride, b"\0"))
    return b"".join(rows)


def _mask_rows(pic):
    stride = ((pic.width + 31) // 32) * 4
    rows = []
    for y in range(pic.height - 1, -1, -1):
        bits = bytearray(stride)
        for x in range(pic.width):
            if pic.transparent[y * pic.width + x]:
                bits[x >> 3] |= 0x80 >> (x & 7)
        rows.append(bytes(bits))
    return b"".join(rows)


def _palette_bytes(palette, bpp):
    entries = list(palette) + [(0, 0, 0)] * ((1 << bpp) - len(palette))
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in entries)


def _info_header(width, height, bpp, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, image_size, 0, 0, 0, 0)


def ico_bytes(images):
    """images: list of (Indexed, bpp) with bpp 4 or 8."""
    blobs = []
    for pic, bpp in images:
        # Transparent pixels carry colour 0 so the XOR pass leaves the screen as is.
        black = min(range(len(pic.palette)), key=lambda i: sum(pic.palette[i]))
        assert pic.palette[black] == (0, 0, 0), "icon palettes keep black"
        clean = Indexed(pic.width, pic.height, pic.palette,
                        [black if t else i for i, t in zip(pic.indices, pic.transparent)],
                        pic.transparent)
        xor = _dib_rows(clean, bpp)
        mask = _mask_rows(clean)
        blob = (_info_header(pic.width, pic.height * 2, bpp, len(xor) + len(mask))
                + _palette_bytes(pic.palette, bpp) + xor + mask)
        blobs.append((pic, bpp, blob))
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for pic, bpp, blob in blobs:
        colours = 0 if bpp == 8 else 1 << bpp
        out += struct.pack("<BBBBHHII", pic.width & 0xFF, pic.height & 0xFF, colours, 0,
                           1, bpp, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blob for _, _, blob in blobs)


def bmp_bytes(pic, bpp):
    pixels = _dib_rows(pic, bpp)
    info = _info_header(pic.width, pic.height, bpp, len(pixels)) + _palette_bytes(pic.palette, bpp)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return head + info + pixels


def beep_wav(rate=22050, freq=1000.0, ms=80, fade_ms=5, level=0.5):
    """A short sine beep, 16-bit mono PCM, with linear fades against clicks."""
    n = rate * ms // 1000
    fade = max(1, rate * fade_ms // 1000)
    samples = bytearray()
    for i in range(n):
        gain = min(1.0, i / fade, (n - 1 - i) / fade)
        v = int(round(32767 * level * gain * math.sin(2 * math.pi * freq * i / rate)))
        samples += struct.pack("<h", v)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    body = (b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
            + b"data" + struct.pack("<I", len(samples)) + bytes(samples))
    return b"RIFF" + struct.pack("<I", len(body)) + body


def png_bytes(width, height, rgb):
    """Plain 8-bit RGB PNG, for looking at the pictures during development."""
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for r, g, b in rgb[y * width:(y + 1) * width]:
            raw += bytes((r, g, b))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
