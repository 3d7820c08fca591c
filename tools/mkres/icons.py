"""The 32 x 32 icon pictures, drawn from shapes."""
import math

from raster import (Canvas, arc, box, circle, ellipse, linear, polygon, radial,
                    segment, to_indexed8, union)

INK = (16, 16, 20)


def _finish(canvas):
    return to_indexed8(canvas.width, canvas.height, canvas.pixels())


def figure():
    """A hooded dark figure with two light eyes: the application's mark."""
    c = Canvas(32, 32)
    body = circle(16, 11.5, 9.5) | polygon([(7.2, 12), (24.8, 12), (29, 30.5), (3, 30.5)])
    c.outlined(body, linear((92, 98, 128), (18, 18, 28), 6, 3, 26, 30), INK)
    hood = ellipse(16, 14, 6.6, 6.2)
    c.paint(hood.grow(1.0), (104, 110, 140))
    c.paint(hood, linear((4, 4, 8), (26, 26, 40), 16, 8, 16, 20))
    for ex in (13.1, 18.9):
        c.paint(ellipse(ex, 14.2, 1.9, 2.6).grow(0.6), (120, 110, 60))
        c.paint(ellipse(ex, 14.2, 1.9, 2.6), radial((255, 255, 230), (250, 220, 120), ex, 13.6, 2.6))
    return _finish(c)


def _gear(cx, cy, root, tip, teeth, hole, phase):
    parts = [circle(cx, cy, root)]
    width = 2 * math.pi * root / teeth * 0.5
    for k in range(teeth):
        tooth = box(cx - width / 2, cy - tip, cx + width / 2, cy - root + 1, 0.6)
        parts.append(tooth.rotate(phase + k * 360.0 / teeth, cx, cy))
    return union(parts) - circle(cx, cy, hole)


def gears():
    c = Canvas(32, 32)
    grey = _gear(12.5, 12.5, 7.4, 10.6, 8, 2.6, 0)
    c.outlined(grey, linear((238, 238, 242), (104, 104, 116), 4, 3, 20, 21), INK)
    c.paint(circle(12.5, 12.5, 4.6) - circle(12.5, 12.5, 3.4), (140, 140, 150))
    blue = _gear(22.5, 22.5, 5.4, 8.2, 7, 1.9, 12)
    c.outlined(blue, linear((150, 196, 255), (18, 56, 168), 16, 16, 29, 29), INK)
    c.paint(circle(22.5, 22.5, 3.4) - circle(22.5, 22.5, 2.5), (40, 90, 200))
    return _finish(c)


def _key(hx, hy, angle, light, dark):
    """A key with its bow at (hx, hy) and its blade along `angle` degrees."""
    bow = circle(hx, hy, 5.2) - circle(hx, hy, 2.0)
    blade = box(hx + 3.5, hy - 1.4, hx + 20, hy + 1.4, 0.4)
    bits = (box(hx + 14, hy, hx + 16.2, hy + 4.6, 0.3)
            | box(hx + 17.6, hy, hx + 20, hy + 3.6, 0.3))
    shape = (bow | blade | bits).rotate(angle, hx, hy)
    c0x, c0y = hx - 4, hy - 4
    return shape, linear(light, dark, c0x, c0y, c0x + 20, c0y + 20)


def keys():
    c = Canvas(32, 32)
    silver, sfill = _key(7.5, 6.5, 30, (250, 250, 252), (120, 122, 138))
    c.outlined(silver, sfill, INK)
    gold, gfill = _key(6.5, 15.5, 30, (255, 232, 120), (176, 112, 10))
    c.outlined(gold, gfill, INK)
    return _finish(c)


def note():
    """A sheet of paper with a pen lying across it."""
    c = Canvas(32, 32)
    page = polygon([(4.5, 1.5), (20.5, 1.5), (26.5, 7.5), (26.5, 30.5), (4.5, 30.5)])
    c.outlined(page, linear((255, 255, 255), (206, 210, 220), 4, 2, 27, 30), INK)
    c.outlined(polygon([(20.5, 1.5), (20.5, 7.5), (26.5, 7.5)]), (196, 200, 212), INK, 0.6)
    for k, y in enumerate((11, 14, 17, 20, 23, 26)):
        end = 22 if k % 3 != 2 else 16
        c.paint(box(7.5, y, end, y + 1.1), (132, 140, 168))
    # The pen: from its cap at the top right down to the nib at the lower left.
    ax, ay, bx, by = 29.5, 6.0, 16.0, 22.5
    dx, dy = bx - ax, by - ay
    ln = math.hypot(dx, dy)
    ux, uy = dx / ln, dy / ln
    nx, ny = -uy, ux
    body = segment(ax, ay, bx, by, 2.1)
    c.outlined(body, linear((110, 150, 255), (24, 44, 150), ax + nx * 2, ay + ny * 2,
                            ax - nx * 2, ay - ny * 2), INK)
    tip_base = (bx, by)
    cone = polygon([(tip_base[0] + nx * 2.1, tip_base[1] + ny * 2.1),
                    (tip_base[0] - nx * 2.1, tip_base[1] - ny * 2.1),
                    (bx + ux * 5.5, by + uy * 5.5)])
    c.outlined(cone, (236, 200, 150), INK, 0.8)
    c.paint(polygon([(bx + ux * 3.6 + nx * 0.8, by + uy * 3.6 + ny * 0.8),
                     (bx + ux * 3.6 - nx * 0.8, by + uy * 3.6 - ny * 0.8),
                     (bx + ux * 5.5, by + uy * 5.5)]), INK)
    c.paint(segment(ax + ux * 4, ay + uy * 4, ax + ux * 4.1, ay + uy * 4.1, 2.2), (220, 220, 230))
    return _finish(c)


def magnifier():
    c = Canvas(32, 32)
    c.outlined(segment(20.5, 20.5, 28.2, 28.2, 2.7),
               linear((150, 86, 40), (50, 24, 8), 20, 26, 26, 20), INK)
    c.paint(segment(18.5, 18.5, 21.5, 21.5, 1.9), (90, 90, 100))
    c.outlined(circle(12.5, 12.5, 10.0), linear((220, 222, 230), (70, 72, 86), 4, 4, 20, 20), INK)
    c.outlined(circle(12.5, 12.5, 7.4), radial((236, 248, 255), (120, 176, 232), 10, 9, 11), INK, 0.7)
    c.paint(arc(12.5, 12.5, 5.0, 1.5, 110, 170), (255, 255, 255))
    return _finish(c)


def network_card():
    """An expansion card: board, slot bracket with its socket, chip, edge fingers."""
    c = Canvas(32, 32)
    board = box(5.5, 6.5, 30.5, 22.5, 1.0) | box(10, 20, 27, 26.5, 0.5)
    c.outlined(board, linear((64, 176, 92), (16, 96, 44), 6, 6, 30, 26), INK)
    for x in range(11, 26, 2):
        c.paint(box(x + 0.15, 22.8, x + 1.35, 26.4), linear((255, 226, 96), (196, 140, 20), x, 23, x, 26))
    for y in (10.5, 13.0):
        c.paint(box(23, y, 29, y + 0.7), (140, 220, 150))
    c.paint(box(14, 17.5, 20, 18.2), (140, 220, 150))
    c.outlined(box(15, 8.5, 22, 15.5, 0.4), linear((80, 80, 90), (20, 20, 24), 15, 9, 22, 15), INK, 0.6)
    for k in range(4):
        c.paint(box(15.8 + k * 1.7, 7.4, 16.6 + k * 1.7, 8.5), (210, 210, 220))
        c.paint(box(15.8 + k * 1.7, 15.5, 16.6 + k * 1.7, 16.6), (210, 210, 220))
    bracket = box(1.5, 1.5, 5.0, 30.5, 0.3) | box(1.5, 1.5, 8.5, 4.0, 0.3)
    c.outlined(bracket, linear((240, 240, 246), (120, 120, 134), 1, 2, 8, 30), INK)
    c.outlined(box(3.0, 9.0, 10.5, 17.5, 0.5), linear((228, 228, 236), (130, 130, 142), 3, 9, 10, 17), INK, 0.8)
    c.paint(box(4.0, 10.8, 8.2, 15.7, 0.3), (28, 28, 32))
    c.paint(box(5.2, 15.0, 7.0, 15.9), (28, 28, 32))
    c.paint(circle(26.5, 18.5, 1.1), (255, 210, 40))
    return _finish(c)
