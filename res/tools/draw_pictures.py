#!/usr/bin/env python3
"""Draws the program's pictures (icons, hover cursor, check boxes, disk) as PNGs.

Run from anywhere: python3 res/tools/draw_pictures.py. The PNGs are committed;
this script is how they were made and how to remake them. No third-party
modules: a small supersampling rasteriser and a PNG writer are below.
"""
import math
import os
import struct
import zlib

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "pictures")


class Canvas:
    """RGBA canvas drawn at ss× resolution and box-filtered down on save."""

    def __init__(self, w, h, ss=4, bg=(0, 0, 0, 0)):
        self.w, self.h, self.ss = w, h, ss
        self.W, self.H = w * ss, h * ss
        self.px = [list(bg) for _ in range(self.W * self.H)]

    # -- primitives in output-pixel coordinates (floats) --
    def _blend(self, i, c):
        r, g, b, a = c
        if a >= 255:
            self.px[i] = [r, g, b, 255]
            return
        d = self.px[i]
        fa = a / 255.0
        da = d[3] / 255.0
        oa = fa + da * (1 - fa)
        if oa <= 0:
            self.px[i] = [0, 0, 0, 0]
            return
        self.px[i] = [
            (r * fa + d[0] * da * (1 - fa)) / oa,
            (g * fa + d[1] * da * (1 - fa)) / oa,
            (b * fa + d[2] * da * (1 - fa)) / oa,
            oa * 255.0,
        ]

    def fill(self, inside, color, bbox):
        x0, y0, x1, y1 = bbox
        s = self.ss
        X0 = max(0, int(math.floor(x0 * s)))
        Y0 = max(0, int(math.floor(y0 * s)))
        X1 = min(self.W, int(math.ceil(x1 * s)) + 1)
        Y1 = min(self.H, int(math.ceil(y1 * s)) + 1)
        for Y in range(Y0, Y1):
            y = (Y + 0.5) / s
            for X in range(X0, X1):
                x = (X + 0.5) / s
                if inside(x, y):
                    self._blend(Y * self.W + X, color)

    def polygon(self, pts, color):
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]

        def inside(x, y):
            c = False
            n = len(pts)
            for i in range(n):
                ax, ay = pts[i]
                bx, by = pts[(i + 1) % n]
                if (ay > y) != (by > y):
                    t = (y - ay) / (by - ay)
                    if x < ax + t * (bx - ax):
                        c = not c
            return c

        self.fill(inside, color, (min(xs), min(ys), max(xs), max(ys)))

    def rect(self, x0, y0, x1, y1, color):
        self.fill(lambda x, y: x0 <= x < x1 and y0 <= y < y1, color, (x0, y0, x1, y1))

    def round_rect(self, x0, y0, x1, y1, r, color):
        def inside(x, y):
            if not (x0 <= x < x1 and y0 <= y < y1):
                return False
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

        self.fill(inside, color, (x0, y0, x1, y1))

    def ellipse(self, cx, cy, rx, ry, color):
        self.fill(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, color,
                  (cx - rx, cy - ry, cx + rx, cy + ry))

    def ring(self, cx, cy, r_out, r_in, color):
        def inside(x, y):
            d = (x - cx) ** 2 + (y - cy) ** 2
            return r_in * r_in <= d <= r_out * r_out

        self.fill(inside, color, (cx - r_out, cy - r_out, cx + r_out, cy + r_out))

    def line(self, pts, width, color):
        """A polyline with round caps and joins."""
        hw = width / 2.0
        segs = list(zip(pts, pts[1:]))

        def dist2(x, y, a, b):
            ax, ay = a
            bx, by = b
            dx, dy = bx - ax, by - ay
            L = dx * dx + dy * dy
            t = 0 if L == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / L))
            px, py = ax + t * dx, ay + t * dy
            return (x - px) ** 2 + (y - py) ** 2

        def inside(x, y):
            return any(dist2(x, y, a, b) <= hw * hw for a, b in segs)

        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        self.fill(inside, color, (min(xs) - hw, min(ys) - hw, max(xs) + hw, max(ys) + hw))

    # -- output --
    def rows(self):
        s = self.ss
        n = s * s
        out = []
        for y in range(self.h):
            row = bytearray()
            for x in range(self.w):
                ar = ag = ab = aa = 0.0
                for j in range(s):
                    base = (y * s + j) * self.W + x * s
                    for i in range(s):
                        r, g, b, a = self.px[base + i]
                        ar += r * a
                        ag += g * a
                        ab += b * a
                        aa += a
                if aa > 0:
                    row += bytes((round(ar / aa), round(ag / aa), round(ab / aa), round(aa / n)))
                else:
                    row += bytes((0, 0, 0, 0))
            out.append(bytes(row))
        return out

    def save(self, name):
        write_png(os.path.join(OUT, name), self.w, self.h, self.rows(), alpha=True)


class Pixels:
    """Exact pixel grid for bitmaps whose colours carry meaning (transparent red, masks)."""

    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.set(x, y, c)

    def save(self, name):
        rows = [b"".join(bytes(c) for c in row) for row in self.px]
        write_png(os.path.join(OUT, name), self.w, self.h, rows, alpha=False)


def write_png(path, w, h, rows, alpha):
    def chunk(tag, data):
        c = struct.pack(">I", len(data)) + tag + data
        return c + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + r for r in rows)
    ihdr = struct.pack(">IIBBBBB", w, h, 8, 6 if alpha else 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", ihdr))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


# ---------------------------------------------------------------- colours
INK = (40, 40, 48, 255)
PAPER = (250, 250, 246, 255)
GREEN = (30, 150, 60, 255)
GREEN_D = (15, 95, 35, 255)
RED = (205, 40, 35, 255)
BLUE = (40, 95, 175, 255)
BLUE_L = (110, 160, 225, 255)
GREY = (150, 150, 155, 255)
WOOD = (150, 95, 50, 255)
WOOD_D = (95, 55, 25, 255)


def arrow_right(c, x0, y, x1, body, head, color, outline=None):
    """A fat arrow from x0 to x1 at height y."""
    hx = x1 - head
    pts = [(x0, y - body / 2), (hx, y - body / 2), (hx, y - head * 0.9), (x1, y),
           (hx, y + head * 0.9), (hx, y + body / 2), (x0, y + body / 2)]
    if outline:
        grow = [(px + (0.9 if px > x0 else -0.9), py + (0.9 if py > y else -0.9) if px != x1 else py)
                for px, py in pts]
        grow[3] = (x1 + 1.4, y)
        c.polygon(grow, outline)
    c.polygon(pts, color)


def trace(c, x0, x1, y, amp, color, width):
    """A seismogram-like trace: quiet, a sharp onset, then a decaying zigzag."""
    n = 14
    pts = []
    for i in range(n + 1):
        t = i / n
        env = 0.08 if t < 0.25 else math.exp(-(t - 0.25) * 3.2)
        pts.append((x0 + (x1 - x0) * t, y + amp * env * (1 if i % 2 else -1)))
    c.line(pts, width, color)


def page(c, x0, y0, x1, y1, fold):
    c.polygon([(x0 - 1, y0 - 1), (x1 - fold + 0.5, y0 - 1), (x1 + 1, y0 + fold - 0.5),
               (x1 + 1, y1 + 1), (x0 - 1, y1 + 1)], INK)
    c.polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], PAPER)
    c.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], (200, 200, 195, 255))


# ---------------------------------------------------------------- icons
def icon_app(size):
    """128: the program: a seismogram on a blue tile."""
    s = size / 32.0
    c = Canvas(size, size)
    c.round_rect(1 * s, 1 * s, 31 * s, 31 * s, 5 * s, (25, 60, 120, 255))
    c.round_rect(2.5 * s, 2.5 * s, 29.5 * s, 29.5 * s, 4 * s, BLUE)
    for k in range(1, 4):
        c.rect(4 * s, k * 8 * s, 28 * s, k * 8 * s + 0.6 * s, (90, 135, 200, 255))
    trace(c, 4 * s, 28 * s, 16 * s, 10 * s, (255, 255, 255, 255), 1.8 * s)
    return c


def icon_exit(size):
    """130: leave the program: an open door and an arrow going out."""
    s = size / 32.0
    c = Canvas(size, size)
    c.rect(3 * s, 3 * s, 19 * s, 30 * s, WOOD_D)          # door frame
    c.rect(5 * s, 5 * s, 17 * s, 30 * s, (35, 30, 30, 255))  # dark opening
    c.polygon([(5 * s, 5 * s), (13 * s, 8 * s), (13 * s, 31 * s), (5 * s, 30 * s)], WOOD)  # open leaf
    c.ellipse(11.2 * s, 18.5 * s, 1.1 * s, 1.1 * s, (240, 200, 60, 255))
    c.rect(1 * s, 29.5 * s, 22 * s, 31 * s, GREY)        # threshold
    arrow_right(c, 14 * s, 17 * s, 31 * s, 5 * s, 7 * s, RED, outline=(120, 20, 15, 255))
    return c


def icon_convert(size):
    """132: convert a time window: a clock, an arrow, a trace sheet."""
    s = size / 32.0
    c = Canvas(size, size)
    page(c, 17 * s, 3 * s, 30 * s, 29 * s, 4 * s)
    trace(c, 18.5 * s, 28.5 * s, 17 * s, 6 * s, BLUE, 1.1 * s)
    c.ellipse(10 * s, 12 * s, 9 * s, 9 * s, INK)
    c.ellipse(10 * s, 12 * s, 7.6 * s, 7.6 * s, PAPER)
    for k in range(12):
        a = k * math.pi / 6
        c.line([(10 * s + 6.4 * s * math.cos(a), 12 * s + 6.4 * s * math.sin(a)),
                (10 * s + 7.2 * s * math.cos(a), 12 * s + 7.2 * s * math.sin(a))], 0.8 * s, INK)
    c.line([(10 * s, 12 * s), (10 * s, 6.5 * s)], 1.4 * s, INK)
    c.line([(10 * s, 12 * s), (14 * s, 13.5 * s)], 1.4 * s, INK)
    arrow_right(c, 4 * s, 25 * s, 20 * s, 4 * s, 6 * s, GREEN, outline=GREEN_D)
    return c


def icon_convert_file(size):
    """134: convert one file: a recording file and an arrow out of it."""
    s = size / 32.0
    c = Canvas(size, size)
    page(c, 3 * s, 2 * s, 21 * s, 30 * s, 6 * s)
    for k in range(4):
        c.rect(6 * s, (10 + 3 * k) * s, 17 * s, (10 + 3 * k) * s + 1.0 * s, (160, 165, 175, 255))
    trace(c, 5.5 * s, 18.5 * s, 24 * s, 4 * s, BLUE, 1.0 * s)
    arrow_right(c, 13 * s, 18 * s, 31 * s, 5 * s, 7 * s, GREEN, outline=GREEN_D)
    return c


def check_box(c, x, y, box, ticked, s):
    c.rect(x, y, x + box, y + box, INK)
    c.rect(x + 0.9 * s, y + 0.9 * s, x + box - 0.9 * s, y + box - 0.9 * s, PAPER)
    if ticked:
        c.line([(x + 0.22 * box, y + 0.5 * box), (x + 0.42 * box, y + 0.72 * box),
                (x + 0.8 * box, y + 0.22 * box)], 1.7 * s, GREEN)


def list_rows(c, s, ticked, cross):
    c.rect(2 * s, 2 * s, 30 * s, 30 * s, INK)
    c.rect(3 * s, 3 * s, 29 * s, 29 * s, (236, 240, 248, 255))
    for k in range(3):
        y = (5.5 + 8 * k) * s
        check_box(c, 5 * s, y, 6 * s, ticked, s)
        c.rect(14 * s, y + 2 * s, 26 * s, y + 4 * s, (120, 125, 140, 255))
    if cross:
        c.line([(8 * s, 8 * s), (27 * s, 27 * s)], 3.2 * s, RED)
        c.line([(27 * s, 8 * s), (8 * s, 27 * s)], 3.2 * s, RED)


def icon_select_all(size):
    """135: select every station: a list with every row ticked."""
    c = Canvas(size, size)
    list_rows(c, size / 32.0, True, False)
    return c


def icon_clear(size):
    """136: clear the selection: the list struck through, boxes empty."""
    c = Canvas(size, size)
    list_rows(c, size / 32.0, False, True)
    return c


def cursor_hand():
    """133: hover cursor over the buttons: a pointing hand (hot spot at the fingertip, 9,1)."""
    c = Canvas(32, 32)
    black = (0, 0, 0, 255)
    white = (255, 255, 255, 255)
    shapes = [
        ("rr", (7.0, 0.5, 12.0, 16.0, 2.5)),   # index finger
        ("rr", (11.0, 7.5, 15.5, 18.0, 2.2)),  # middle
        ("rr", (14.5, 8.5, 19.0, 19.0, 2.2)),  # ring
        ("rr", (18.0, 10.0, 22.0, 20.0, 2.0)),  # little
        ("rr", (7.0, 12.0, 22.0, 26.0, 4.0)),  # palm
        ("poly", [(7.5, 22.0), (2.0, 15.5), (3.5, 13.5), (8.0, 16.0)]),  # thumb
    ]
    for grow, col in ((1.0, black), (0.0, white)):
        for kind, a in shapes:
            if kind == "rr":
                x0, y0, x1, y1, r = a
                c.round_rect(x0 - grow, y0 - grow, x1 + grow, y1 + grow, r + grow, col)
            else:
                cx = sum(p[0] for p in a) / len(a)
                cy = sum(p[1] for p in a) / len(a)
                pts = [(px + (grow if px > cx else -grow), py + (grow if py > cy else -grow))
                       for px, py in a]
                c.polygon(pts, col)
    for x in (11.5, 15.0, 18.5):
        c.line([(x, 15.0), (x, 19.0)], 0.6, black)
    return c


# ---------------------------------------------------------------- bitmaps
PURE_RED = (255, 0, 0)


def bitmap_checks():
    """129: two 16x16 check boxes side by side, pure red is transparent."""
    b = Pixels(32, 16, PURE_RED)
    frame = (64, 64, 64)
    white = (255, 255, 255)
    tick = (0, 0, 0)
    for img in (0, 1):
        ox = img * 16
        b.rect(ox + 2, 2, ox + 15, 15, frame)
        b.rect(ox + 3, 3, ox + 14, 14, white)
        if img == 1:
            for x, y0 in ((5, 7), (6, 8), (7, 9), (8, 8), (9, 7), (10, 6), (11, 5)):
                for dy in range(3):
                    b.set(ox + x, y0 + dy, tick)
    return b


def bitmap_disk():
    """137 and 138: a hard-disk drive for the free-space pane, and its AND mask
    (black where the picture is, white where the background shows)."""
    pic = Pixels(16, 16, (0, 0, 0))
    mask = Pixels(16, 16, (255, 255, 255))
    body = (170, 172, 180)
    dark = (70, 72, 80)
    light = (230, 232, 238)
    for y in range(5, 13):
        for x in range(1, 15):
            mask.set(x, y, (0, 0, 0))
            pic.set(x, y, body)
    for x in range(1, 15):
        pic.set(x, 5, light)
        pic.set(x, 12, dark)
    for y in range(5, 13):
        pic.set(1, y, light)
        pic.set(14, y, dark)
    for x in range(3, 10):
        pic.set(x, 9, dark)          # slot
    pic.set(12, 9, (40, 220, 60))     # activity lamp
    pic.set(11, 9, (20, 120, 30))
    return pic, mask


def main():
    os.makedirs(OUT, exist_ok=True)
    icons = {128: icon_app, 130: icon_exit, 132: icon_convert, 134: icon_convert_file,
             135: icon_select_all, 136: icon_clear}
    for rid, fn in icons.items():
        for size in (16, 32):
            fn(size).save("icon%d_%d.png" % (rid, size))
    # The desktop menu's application icon at the larger hicolor sizes; 16 and
    # 32 are icon128_16.png and icon128_32.png above.
    os.makedirs(os.path.join(OUT, "hicolor"), exist_ok=True)
    for size in (48, 64, 128, 256):
        icon_app(size).save(os.path.join("hicolor", "kelvaron_%d.png" % size))
    cursor_hand().save("cursor133.png")
    bitmap_checks().save("bitmap129.png")
    pic, mask = bitmap_disk()
    pic.save("bitmap137.png")
    mask.save("bitmap138.png")


if __name__ == "__main__":
    main()
