"""Shapes as signed distance functions, a supersampling canvas and colour reduction."""
import math

from formats import Indexed, VGA16


class Shape:
    """sd(x, y) < 0 inside, in pixel units; bbox bounds the inside (x0, y0, x1, y1)."""

    def __init__(self, sd, bbox):
        self.sd = sd
        self.bbox = bbox

    def __or__(self, other):
        a, b = self.sd, other.sd
        return Shape(lambda x, y: min(a(x, y), b(x, y)), _bbox_union(self.bbox, other.bbox))

    def __sub__(self, other):
        a, b = self.sd, other.sd
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.bbox)

    def grow(self, d):
        a = self.sd
        x0, y0, x1, y1 = self.bbox
        return Shape(lambda x, y: a(x, y) - d, (x0 - d, y0 - d, x1 + d, y1 + d))

    def rotate(self, degrees, cx, cy):
        c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
        a = self.sd

        def sd(x, y):
            dx, dy = x - cx, y - cy
            return a(cx + c * dx + s * dy, cy - s * dx + c * dy)

        x0, y0, x1, y1 = self.bbox
        pts = [(cx + c * (px - cx) - s * (py - cy), cy + s * (px - cx) + c * (py - cy))
               for px, py in ((x0, y0), (x1, y0), (x0, y1), (x1, y1))]
        return Shape(sd, (min(p[0] for p in pts), min(p[1] for p in pts),
                          max(p[0] for p in pts), max(p[1] for p in pts)))

def _bbox_union(a, b):
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def union(shapes):
    fns = [s.sd for s in shapes]
    box = shapes[0].bbox
    for s in shapes[1:]:
        box = _bbox_union(box, s.bbox)
    return Shape(lambda x, y: min(f(x, y) for f in fns), box)


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry):
    # Scaled circle distance: not exact, close enough for outlines of a pixel.
    k = min(rx, ry)
    return Shape(lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * k,
                 (cx - rx, cy - ry, cx + rx, cy + ry))


def box(x0, y0, x1, y1, r=0.0):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def sd(x, y):
        qx = abs(x - cx) - hx + r
        qy = abs(y - cy) - hy + r
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r

    return Shape(sd, (x0, y0, x1, y1))


def segment(ax, ay, bx, by, r):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy or 1e-9

    def sd(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - r

    return Shape(sd, (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r))


def polygon(points):
    pts = list(points)
    edges = []
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[i - 1]
        ex, ey = xj - xi, yj - yi
        edges.append((xi, yi, xj, yj, ex, ey, 1.0 / ((ex * ex + ey * ey) or 1e-9)))

    def sd(x, y):
        d2 = float("inf")
        inside = False
        for xi, yi, xj, yj, ex, ey, inv in edges:
            wx, wy = x - xi, y - yi
            t = (wx * ex + wy * ey) * inv
            t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
            px, py = wx - ex * t, wy - ey * t
            q = px * px + py * py
            if q < d2:
                d2 = q
            if (yi > y) != (yj > y) and x < xi + (y - yi) * ex / ey:
                inside = not inside
        d = math.sqrt(d2)
        return -d if inside else d

    return Shape(sd, (min(p[0] for p in pts), min(p[1] for p in pts),
                      max(p[0] for p in pts), max(p[1] for p in pts)))


def arc(cx, cy, r, width, a0, a1):
    """A band of the given width along a circle, between angles a0..a1 (degrees,
    counter-clockwise from +x with y pointing down the screen), round ends."""
    ring = circle(cx, cy, r + width / 2) - circle(cx, cy, r - width / 2)
    ends = []
    for a in (a0, a1):
        px = cx + r * math.cos(math.radians(a))
        py = cy - r * math.sin(math.radians(a))
        ends.append(circle(px, py, width / 2))
    mid = math.radians((a0 + a1) / 2)
    half = math.radians((a1 - a0) / 2)
    ring_sd = ring.sd

    def sd(x, y):
        ang = math.atan2(-(y - cy), x - cx)
        off = (ang - mid + math.pi) % (2 * math.pi) - math.pi
        return ring_sd(x, y) if abs(off) <= half else float("inf")

    outer = r + width / 2
    steps = [a0 + (a1 - a0) * k / 32 for k in range(33)]
    xs = [cx + outer * math.cos(math.radians(a)) for a in steps] + [ends[0].bbox[0], ends[1].bbox[0]]
    ys = [cy - outer * math.sin(math.radians(a)) for a in steps] + [ends[0].bbox[1], ends[1].bbox[1]]
    xs += [cx + (r - width) * math.cos(math.radians(a)) for a in (a0, a1)]
    ys += [cy - (r - width) * math.sin(math.radians(a)) for a in (a0, a1)]
    band = Shape(sd, (min(xs) - width, min(ys) - width, max(xs) + width, max(ys) + width))
    return band | ends[0] | ends[1]


def mix(c0, c1, t):
    t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
    return (int(c0[0] + (c1[0] - c0[0]) * t + 0.5), int(c0[1] + (c1[1] - c0[1]) * t + 0.5),
            int(c0[2] + (c1[2] - c0[2]) * t + 0.5))


def linear(c0, c1, x0, y0, x1, y1):
    """Colour function: c0 at (x0, y0) blending to c1 at (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy or 1e-9
    return lambda x, y: mix(c0, c1, ((x - x0) * dx + (y - y0) * dy) / ll)


def radial(c0, c1, cx, cy, r):
    return lambda x, y: mix(c0, c1, math.hypot(x - cx, y - cy) / r)


class Canvas:
    """Paints shapes at ss x ss samples per pixel; pixels end up with the mean
    colour of their covered samples and count as opaque when half is covered."""

    def __init__(self, width, height, ss=4):
        self.width, self.height, self.ss = width, height, ss
        self.sw, self.sh = width * ss, height * ss
        self.samples = [None] * (self.sw * self.sh)

    def fill(self, colour):
        """Colour every pixel from colour(x, y) at its centre: for smooth backgrounds."""
        ss = self.ss
        for y in range(self.height):
            for x in range(self.width):
                c = colour(x + 0.5, y + 0.5)
                for j in range(y * ss, y * ss + ss):
                    row = j * self.sw
                    self.samples[row + x * ss:row + x * ss + ss] = [c] * ss

    def paint(self, shape, colour):
        ss = self.ss
        x0, y0, x1, y1 = shape.bbox
        i0, i1 = max(0, int(x0 * ss) - 1), min(self.sw, int(math.ceil(x1 * ss)) + 1)
        j0, j1 = max(0, int(y0 * ss) - 1), min(self.sh, int(math.ceil(y1 * ss)) + 1)
        sd = shape.sd
        fn = colour if callable(colour) else None
        samples = self.samples
        for j in range(j0, j1):
            y = (j + 0.5) / ss
            row = j * self.sw
            for i in range(i0, i1):
                x = (i + 0.5) / ss
                if sd(x, y) <= 0.0:
                    samples[row + i] = fn(x, y) if fn else colour

    def outlined(self, shape, fill, outline=(0, 0, 0), width=1.0):
        self.paint(shape.grow(width), outline)
        self.paint(shape, fill)

    def pixels(self):
        """Per pixel (r, g, b) or None for transparent."""
        ss, out = self.ss, []
        half = ss * ss / 2.0
        for y in range(self.height):
            for x in range(self.width):
                acc = [0, 0, 0]
                n = 0
                for j in range(y * ss, y * ss + ss):
                    row = j * self.sw
                    for i in range(x * ss, x * ss + ss):
                        c = self.samples[row + i]
                        if c is not None:
                            acc[0] += c[0]
                            acc[1] += c[1]
                            acc[2] += c[2]
                            n += 1
                if n >= half:
                    out.append((acc[0] // n, acc[1] // n, acc[2] // n))
                else:
                    out.append(None)
        return out


def median_cut(colours, limit):
    """colours: {rgb: count}. Returns (palette, {rgb: index})."""

    def spread(items):
        best = (-1, 0)
        for ch in range(3):
            vals = [c[ch] for c, _ in items]
            best = max(best, (max(vals) - min(vals), ch))
        return best

    boxes = [(spread(list(colours.items())), list(colours.items()))]
    while len(boxes) < limit:
        k = max(range(len(boxes)), key=lambda i: boxes[i][0][0] if len(boxes[i][1]) > 1 else -1)
        (rng, ch), items = boxes[k]
        if rng <= 0 or len(items) < 2:
            break
        items.sort(key=lambda item: item[0][ch])
        total = sum(n for _, n in items)
        acc, cut = 0, len(items) - 1
        for i, (_, n) in enumerate(items):
            acc += n
            if acc >= total / 2:
                cut = min(max(i + 1, 1), len(items) - 1)
                break
        lo, hi = items[:cut], items[cut:]
        boxes[k] = (spread(lo), lo)
        boxes.append((spread(hi), hi))
    palette, lookup = [], {}
    for _, items in boxes:
        total = sum(n for _, n in items)
        mean = tuple(int(round(sum(c[ch] * n for c, n in items) / total)) for ch in range(3))
        for c, _ in items:
            lookup[c] = len(palette)
        palette.append(mean)
    return palette, lookup


def to_indexed8(width, height, pixels):
    """Reduce to at most 256 colours; black stays exact for icon transparency."""
    if len(set(pixels)) > 4096:
        # Large pictures: drop the lowest bits first so the cut stays quick.
        pixels = [p if p is None else (p[0] & 0xFC, p[1] & 0xFC, p[2] & 0xFC) for p in pixels]
    counts = {}
    for p in pixels:
        if p is not None and p != (0, 0, 0):
            counts[p] = counts.get(p, 0) + 1
    palette, lookup = median_cut(counts, 255) if counts else ([], {})
    palette = [(0, 0, 0)] + palette
    indices = [0 if p is None or p == (0, 0, 0) else lookup[p] + 1 for p in pixels]
    return Indexed(width, height, palette, indices, [p is None for p in pixels])


def from_art(rows, key, background=None):
    """Pixel art: rows of characters, key maps a character to a VGA16 index or
    None (transparent). Returns an Indexed picture on the 16-colour palette;
    transparent pixels take the background index when one is given."""
    height, width = len(rows), len(rows[0])
    indices, transparent = [], []
    for row in rows:
        assert len(row) == width, row
        for ch in row:
            idx = key[ch]
            transparent.append(idx is None)
            indices.append(background if idx is None and background is not None else (idx or 0))
    return Indexed(width, height, list(VGA16), indices, transparent)
