#!/usr/bin/env python3
"""Generates Lumera's pictures (icons, bitmaps, cursor) as XPM files, and
the desktop's icons as PNG files drawn from the same program icon.

Everything is drawn here from simple shapes on a pixel grid, using the
classic 16-colour palette and the light grey of button edges.  Run from
anywhere:

    python3 res/images/make_images.py

The output files are written next to this script, in bitmaps/, icons/,
cursors/ and hicolor/ (lumera-<size>.png for each size desktops look up).
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# One-letter keys for the 16-colour palette (plus transparency).
PALETTE = {
    "k": "#000000",  # black
    "r": "#800000",  # dark red
    "g": "#008000",  # dark green
    "o": "#808000",  # olive
    "n": "#000080",  # navy
    "p": "#800080",  # purple
    "t": "#008080",  # teal
    "s": "#C0C0C0",  # silver
    "d": "#808080",  # grey
    "R": "#FF0000",  # red
    "L": "#00FF00",  # lime
    "y": "#FFFF00",  # yellow
    "b": "#0000FF",  # blue
    "m": "#FF00FF",  # magenta
    "c": "#00FFFF",  # cyan
    "w": "#FFFFFF",  # white
    "l": "#DFDFDF",  # light grey: the light edge of a button frame
    " ": "None",     # transparent
}


class Canvas:
    def __init__(self, w, h, fill=" "):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def get(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            return self.px[y][x]
        return None

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        """Filled rectangle, inclusive corners."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def hline(self, x0, x1, y, c):
        self.rect(x0, y, x1, y, c)

    def vline(self, x, y0, y1, c):
        self.rect(x, y0, x, y1, c)

    def mask(self, pred, c, x0=0, y0=0, w=None, h=None):
        """Paints every pixel whose centre (local coords) satisfies pred."""
        w = self.w if w is None else w
        h = self.h if h is None else h
        for y in range(h):
            for x in range(w):
                if pred(x + 0.5, y + 0.5):
                    self.set(x0 + x, y0 + y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def art(self, x0, y0, rows, key):
        """Blits ASCII art; characters missing from key are skipped."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch in key:
                    self.set(x0 + i, y0 + j, key[ch])

    def outline(self, inside, c, diagonal=False):
        """Paints c on pixels not in `inside` that touch a pixel in it."""
        marks = []
        for y in range(self.h):
            for x in range(self.w):
                if (x, y) in inside:
                    continue
                near = [(1, 0), (-1, 0), (0, 1), (0, -1)]
                if diagonal:
                    near += [(1, 1), (-1, 1), (1, -1), (-1, -1)]
                if any((x + dx, y + dy) in inside for dx, dy in near):
                    marks.append((x, y))
        for x, y in marks:
            self.set(x, y, c)

    def colours(self):
        return sorted({c for row in self.px for c in row})

    def save(self, relpath, hotspot=None):
        name = os.path.splitext(os.path.basename(relpath))[0].lower()
        name = "".join(ch if ch.isalnum() else "_" for ch in name)
        if name[0].isdigit():
            name = "img_" + name
        used = self.colours()
        assert len([c for c in used if c != " "]) <= 16, relpath
        header = f"{self.w} {self.h} {len(used)} 1"
        if hotspot is not None:
            header += f" {hotspot[0]} {hotspot[1]}"
        lines = ["/* XPM */", f"static const char *const {name}_xpm[] = {{",
                 f'"{header}",']
        for c in used:
            lines.append(f'"{c} c {PALETTE[c]}",')
        for j, row in enumerate(self.px):
            end = "," if j < self.h - 1 else ""
            lines.append('"' + "".join(row) + '"' + end)
        lines.append("};")
        path = os.path.join(HERE, relpath)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", newline="\n") as f:
            f.write("\n".join(lines) + "\n")
        print(f"{relpath}: {self.w}x{self.h}, {len(used)} colours")


def pixels_of(canvas, colours):
    return {(x, y) for y in range(canvas.h) for x in range(canvas.w)
            if canvas.px[y][x] in colours}


# ---------------------------------------------------------------------------
# Sparkle and open book (program icon)
# ---------------------------------------------------------------------------

def sparkle(cv, cx, cy, radius, rays=0, fill="y", edge="o", core="w"):
    """A four-pointed star of light centred on pixel (cx, cy), with
    optional short diagonal rays `rays` pixels long."""
    star = set()
    for y in range(cy - radius, cy + radius + 1):
        for x in range(cx - radius, cx + radius + 1):
            dx, dy = abs(x - cx), abs(y - cy)
            if math.sqrt(dx) + math.sqrt(dy) <= math.sqrt(radius) + 0.01:
                star.add((x, y))
    if edge:
        cv.outline(star, edge)
    for x, y in star:
        cv.set(x, y, fill)
    for k in range(rays):
        d = radius // 2 + 1 + k
        for sx in (-1, 1):
            for sy in (-1, 1):
                cv.set(cx + sx * d, cy + sy * d, fill if k < rays - 1 else edge)
    if core:
        cv.set(cx, cy, core)


def open_book(cv, spine, top, profile, page_h, cover_h, text_rows, text_from):
    """Open book seen from the front, symmetric about column `spine`.
    profile[i] is how far the page top dips at distance i from the spine
    (profile[0] is the spine itself); its length sets the page width."""
    n = len(profile)
    for i in range(n):
        t = top + profile[i]
        b = t + page_h
        for x in {spine - i, spine + i}:
            cv.vline(x, t, b, "w")
            cv.set(x, t, "k")
            cv.set(x, b, "k")
            cv.vline(x, b + 1, b + cover_h, "r")
            cv.set(x, b + cover_h + 1, "k")
    # outer edges run down through the cover
    for x in (spine - n + 1, spine + n - 1):
        t = top + profile[n - 1]
        cv.vline(x, t, t + page_h + cover_h + 1, "k")
    # spine
    cv.vline(spine, top + profile[0], top + profile[0] + page_h + cover_h, "k")
    # lines of text on both pages; the last one ends early
    last = len(text_rows) - 1
    for k, row in enumerate(text_rows):
        for i in range(text_from, n - 2):
            for side in (-1, 1):
                if k == last and side < 0 and i < n // 2:
                    continue
                if k == last and side > 0 and i > n // 2:
                    continue
                cv.set(spine + side * i, top + profile[i] + row, "d")


def make_icon_32():
    cv = Canvas(32, 32)
    prof = [3, 3, 2, 2, 2, 2, 1, 1, 1, 1, 1, 0, 0, 0, 0]
    open_book(cv, 15, 14, prof, 12, 2, (3, 5, 7, 9), 2)
    sparkle(cv, 15, 6, 5, rays=2)
    cv.save("icons/IDR_MAINFRAME_32.xpm")
    return cv


def make_icon_16():
    cv = Canvas(16, 16)
    # at this size the book is clearer drawn pixel by pixel
    cv.art(0, 7, ["kkkk       kkkk",
                  "kwwwkkkkkkkwwwk",
                  "kwddddwkwddddwk",
                  "kwwwwwwkwwwwwwk",
                  "kwddddwkwddddwk",
                  "kkkkwwwkwwwkkkk",
                  "krrrkkkkkkkrrrk",
                  "kkkkrrrkrrrkkkk",
                  "    kkkkkkk    "], {"k": "k", "w": "w", "d": "d", "r": "r"})
    cv.art(4, 0, ["   o   ",
                  "   y   ",
                  "  oyo  ",
                  "oyywyyo",
                  "  oyo  ",
                  "   y   ",
                  "   o   "], {"o": "o", "y": "y", "w": "w"})
    cv.save("icons/IDR_MAINFRAME_16.xpm")
    return cv


# ---------------------------------------------------------------------------
# Lettering
# ---------------------------------------------------------------------------

def superellipse(x, y, cx, cy, a, b, p=3.0):
    return (abs(x - cx) / a) ** p + (abs(y - cy) / b) ** p <= 1.0


def glyph_pred(ch, w, h, sw):
    """Returns a predicate telling whether the pixel centre (x, y) lies on
    the stroke of capital letter ch drawn in a w x h box with stroke
    width sw.  Only the letters the logos need are defined."""
    dw = sw * 1.25           # horizontal width of slanted strokes

    def ring(x, y, x0, y0, x1, y1):
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        a, b = (x1 - x0) / 2, (y1 - y0) / 2
        return (superellipse(x, y, cx, cy, a, b)
                and not superellipse(x, y, cx, cy, a - sw, b - sw))

    def slant(x, y, xa, ya, xb, yb):
        """Slanted stroke whose left edge runs from (xa, ya) to (xb, yb)."""
        if not (min(ya, yb) <= y <= max(ya, yb)):
            return False
        t = (y - ya) / (yb - ya)
        left = xa + t * (xb - xa)
        return left <= x <= left + dw

    if ch == "O":
        return lambda x, y: ring(x, y, 0, 0, w, h)
    if ch == "E":
        mid = h / 2
        return lambda x, y: (x < sw or y < sw or y > h - sw
                             or (abs(y - mid) < sw / 2 and x < w * 0.85))
    if ch == "N":
        return lambda x, y: (x < sw or x > w - sw
                             or slant(x, y, 0, 0, w - dw, h))
    if ch == "V":
        return lambda x, y: (slant(x, y, 0, 0, (w - dw) / 2, h)
                             or slant(x, y, w - dw, 0, (w - dw) / 2, h))
    if ch == "A":
        bar = h * 0.58

        def a_pred(x, y):
            if slant(x, y, (w - dw) / 2, 0, 0, h):
                return True
            if slant(x, y, (w - dw) / 2, 0, w - dw, h):
                return True
            if bar <= y < bar + sw:
                t = y / h
                return (w - dw) / 2 * (1 - t) < x < w - (w - dw) / 2 * (1 - t)
            return False
        return a_pred
    if ch == "R":
        bowl_h = h * 0.56

        def r_pred(x, y):
            if x < sw:
                return True
            if y < bowl_h:
                if x < w * 0.5:
                    return y < sw or bowl_h - sw <= y
                return ring(x, y, -w * 0.05, 0, w - 0.5, bowl_h)
            return slant(x, y, w * 0.35, bowl_h - sw / 2, w - dw, h)
        return r_pred
    raise ValueError(ch)


def draw_word(cv, x0, y0, word, w, h, sw, gap, colour):
    x = x0
    for ch in word:
        cv.mask(glyph_pred(ch, w, h, sw), colour, x, y0, w, h)
        x += w + gap
    return x - gap


def word_width(word, w, gap):
    return len(word) * (w + gap) - gap


# A plain 5x7 pixel font for the small lettering.
FONT5X7 = {
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
}


def draw_small(cv, x0, y0, text, colour, spacing=1):
    x = x0
    for ch in text:
        cv.art(x, y0, FONT5X7[ch], {"#": colour})
        x += 5 + spacing
    return x - spacing


def small_width(text, spacing=1):
    return len(text) * (5 + spacing) - spacing


# ---------------------------------------------------------------------------
# Orvane Press emblem: an oil lamp with its flame
# ---------------------------------------------------------------------------

def lamp(cv, x0, y0, size, body="y", shade="o", flame="y", hot="w",
         flame_edge="R", edge=None):
    """Draws the lamp emblem in a size x size box at (x0, y0)."""
    s = float(size)

    def u(x, y):
        return x / s, y / s

    def in_body(x, y):
        ux, uy = u(x, y)
        if superellipse(ux, uy, 0.42, 0.66, 0.30, 0.14, 2):
            return True
        if superellipse(ux, uy, 0.42, 0.52, 0.11, 0.06, 2) and uy < 0.56:
            return True                                   # lid
        if (ux - 0.42) ** 2 + (uy - 0.45) ** 2 <= 0.035 ** 2:
            return True                                   # knob
        if 0.77 <= uy <= 0.88:                            # foot
            half = 0.09 + (uy - 0.77) * 0.6
            return abs(ux - 0.42) <= half
        # spout: a tapering beak rising to the right
        if 0.60 <= ux <= 0.90:
            t = (ux - 0.60) / 0.30
            top = 0.60 - t * 0.12
            bot = 0.74 - t * 0.22
            return top <= uy <= bot
        # handle: a ring on the left
        if ux < 0.17:
            r = math.hypot(ux - 0.17, uy - 0.62)
            return 0.06 <= r <= 0.13
        return False

    def in_flame(x, y):
        ux, uy = u(x, y)
        fx, fy = 0.88, 0.37           # centre of the round part
        if math.hypot(ux - fx, uy - fy) <= 0.085:
            return True
        if 0.08 <= uy < fy:           # pointed tip
            t = (fy - uy) / (fy - 0.08)
            return abs(ux - fx) <= 0.085 * (1 - t) ** 1.2
        return False

    def in_hot(x, y):
        ux, uy = u(x, y)
        return math.hypot(ux - 0.88, (uy - 0.38) * 0.7) <= 0.04

    def in_gleam(x, y):
        ux, uy = u(x, y)
        return superellipse(ux, uy, 0.30, 0.61, 0.07, 0.025, 2)

    def in_shade(x, y):
        ux, uy = u(x, y)
        return uy > 0.70 and in_body(x, y)

    body_px = {(x0 + i, y0 + j) for j in range(size) for i in range(size)
               if in_body(i + 0.5, j + 0.5)}
    flame_px = {(x0 + i, y0 + j) for j in range(size) for i in range(size)
                if in_flame(i + 0.5, j + 0.5)}
    if edge:
        cv.outline(body_px | flame_px, edge)
    for (x, y) in body_px:
        cv.set(x, y, body)
    cv.mask(in_shade, shade, x0, y0, size, size)
    if size >= 32:
        cv.mask(in_gleam, hot, x0, y0, size, size)
    for (x, y) in flame_px:
        cv.set(x, y, flame)
    if flame_edge:
        inner = {(x0 + i, y0 + j) for j in range(size) for i in range(size)
                 if in_hot(i + 0.5, j + 0.5)}
        for (x, y) in flame_px:
            if any((x + dx, y + dy) not in flame_px
                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                cv.set(x, y, flame_edge)
        for (x, y) in inner:
            cv.set(x, y, hot)


def make_orvane():
    """The edition banner: lamp, name, rule and the word PRESS."""
    W, H = 200, 48
    cv = Canvas(W, H, "n")
    # a thin frame just inside the edge
    cv.hline(2, W - 3, 2, "b")
    cv.hline(2, W - 3, H - 3, "b")
    cv.vline(2, 2, H - 3, "b")
    cv.vline(W - 3, 2, H - 3, "b")
    lamp(cv, 6, 5, 40)
    gw, gh, sw, gap = 17, 24, 4, 6
    tw = word_width("ORVANE", gw, gap)
    tx = 52 + (W - 8 - 52 - tw) // 2
    draw_word(cv, tx + 1, 7 + 1, "ORVANE", gw, gh, sw, gap, "k")
    draw_word(cv, tx, 7, "ORVANE", gw, gh, sw, gap, "w")
    # rule with PRESS set in the middle of it
    pw = small_width("PRESS", 3)
    px = tx + (tw - pw) // 2
    ry = 38
    draw_small(cv, px, ry - 3, "PRESS", "y", 3)
    cv.hline(tx, px - 5, ry, "y")
    cv.hline(px + pw + 4, tx + tw - 1, ry, "y")
    cv.save("bitmaps/ORVANE.xpm")


def make_about_logo():
    """The small maker's mark for the about box."""
    W, H = 103, 26
    cv = Canvas(W, H, "s")
    lamp(cv, 1, 1, 24, edge="k")
    gw, gh, sw, gap = 10, 13, 2, 3
    tw = word_width("ORVANE", gw, gap)
    tx = 27 + (W - 27 - tw) // 2
    draw_word(cv, tx, 2, "ORVANE", gw, gh, sw, gap, "n")
    pw = small_width("PRESS", 2)
    px = tx + (tw - pw) // 2
    ry = 20
    draw_small(cv, px, ry - 3, "PRESS", "r", 2)
    cv.hline(tx, px - 4, ry, "r")
    cv.hline(px + pw + 3, tx + tw - 1, ry, "r")
    cv.save("bitmaps/133.xpm")


# ---------------------------------------------------------------------------
# Editor buttons: a whole 24 x 22 button face, raised (U) or pressed (D)
# ---------------------------------------------------------------------------

BTN_W, BTN_H = 24, 22


def button(pressed):
    """The frame in the fixed button colours that the program maps to the
    desktop's palette: face "s", light edge "l", shadow "d"; the outer dark
    edge is black."""
    cv = Canvas(BTN_W, BTN_H, "s")
    r, b = BTN_W - 1, BTN_H - 1
    if not pressed:
        cv.hline(0, r - 1, 0, "l")
        cv.vline(0, 0, b - 1, "l")
        cv.hline(1, r - 1, b - 1, "d")
        cv.vline(r - 1, 1, b - 1, "d")
        cv.hline(0, r, b, "k")
        cv.vline(r, 0, b, "k")
    else:
        cv.hline(0, r, 0, "d")
        cv.vline(0, 0, b, "d")
        cv.hline(1, r - 1, 1, "k")
        cv.vline(1, 1, b - 1, "k")
        cv.hline(1, r, b, "l")
        cv.vline(r, 1, b, "l")
    return cv


def triangle(cv, tip_x, cy, half, direction):
    """Yellow arrow head with a black edge; direction -1 points left,
    +1 points right.  It is 2*half+1 rows tall and half+1 columns wide."""
    for k in range(half + 1):
        x = tip_x - direction * k
        for y in range(cy - k, cy + k + 1):
            edge = y in (cy - k, cy + k) or k == half
            cv.set(x, y, "k" if edge else "y")


def bar(cv, x, cy, half):
    cv.rect(x, cy - half, x + 1, cy + half, "k")


def sym_first(cv, ox, oy):
    bar(cv, 7 + ox, 10 + oy, 5)
    triangle(cv, 10 + ox, 10 + oy, 5, -1)


def sym_prev(cv, ox, oy):
    triangle(cv, 9 + ox, 10 + oy, 5, -1)


def sym_next(cv, ox, oy):
    triangle(cv, 14 + ox, 10 + oy, 5, 1)


def sym_last(cv, ox, oy):
    triangle(cv, 13 + ox, 10 + oy, 5, 1)
    bar(cv, 15 + ox, 10 + oy, 5)


PAGE_NEW = [
    "kkkkkkkk....",
    "kwwwwwwkk...",
    "kwwwwwwksk..",
    "kwwwwwwkssk.",
    "kwwwwwwkkkkk",
    "kwwwwwwwwwwk",
    "kwwwwwwwwwwk",
    "kwwwwwwwwwwk",
    "kwwwwwwwwwwk",
    "kwwwwwwwwwwk",
    "kwwwwwwwwwwk",
    "kwwwwwwwwwwk",
    "kwwwwwwwwwwk",
    "kwwwwwwwwwwk",
    "kwwwwwwwwwwk",
    "kkkkkkkkkkkk",
]

PAGE_TEXT = [
    "kkkkkkkkkkkk",
    "kwwwwwwwwwwk",
    "kwddddddddwk",
    "kwwwwwwwwwwk",
    "kwddddddwwwk",
    "kwwwwwwwwwwk",
    "kwdddddddwwk",
    "kwwwwwwwwwwk",
    "kwddddddddwk",
    "kwwwwwwwwwwk",
    "kwdddddwwwwk",
    "kwwwwwwwwwwk",
    "kwddddddddwk",
    "kwwwwwwwwwwk",
    "kwwwwwwwwwwk",
    "kkkkkkkkkkkk",
]

PAGE_KEY = {"k": "k", "w": "w", "s": "s", "d": "d"}


def sym_new(cv, ox, oy):
    cv.art(6 + ox, 3 + oy, PAGE_NEW, PAGE_KEY)


def sym_delete(cv, ox, oy):
    cv.art(6 + ox, 3 + oy, PAGE_TEXT, PAGE_KEY)
    # a bold red cross over the page
    for k in range(14):
        for dx in (0, 1):
            cv.set(5 + k + dx + ox, 4 + k + oy, "R")
            cv.set(18 - k - dx + ox, 4 + k + oy, "R")


BUTTONS = {
    "FIRST": sym_first,
    "PREV": sym_prev,
    "NEXT": sym_next,
    "LAST": sym_last,
    "NEW": sym_new,
    "DELETE": sym_delete,
}


def make_buttons():
    for name, draw in BUTTONS.items():
        for pressed in (False, True):
            cv = button(pressed)
            shift = 1 if pressed else 0
            draw(cv, shift, shift)
            cv.save(f"bitmaps/{name}{'D' if pressed else 'U'}.xpm")


# ---------------------------------------------------------------------------
# Link cursor: a pointing hand; the tip of the index finger is the hot spot
# ---------------------------------------------------------------------------

HAND = [
    "      XX",
    "     X..X",
    "     X..X",
    "     X..X",
    "     X..X",
    "     X..XXX",
    "     X..X..XXX",
    "     X..X..X..XXX",
    "     X..X..X..X..X",
    "  XX X..X..X..X..X",
    " X..XX..X..X..X..X",
    " X...X...........X",
    "  X..X...........X",
    "  X..............X",
    "   X.............X",
    "   X.............X",
    "    X...........X",
    "    X...........X",
    "     X.........X",
    "     X.........X",
    "     XXXXXXXXXXX",
]

HAND_HOTSPOT = (6, 0)


def make_cursor():
    cv = Canvas(32, 32)
    cv.art(0, 0, HAND, {"X": "k", ".": "w"})
    assert cv.get(*HAND_HOTSPOT) == "k"
    cv.save("cursors/IDC_LINK_CURSOR.xpm", hotspot=HAND_HOTSPOT)


# ---------------------------------------------------------------------------
# Desktop icons (PNG, hicolor sizes)
# ---------------------------------------------------------------------------

def rgba_of(canvas):
    """The canvas as rows of (r, g, b, a) tuples."""
    def colour(c):
        if c == " ":
            return (0, 0, 0, 0)
        v = PALETTE[c]
        return (int(v[1:3], 16), int(v[3:5], 16), int(v[5:7], 16), 255)
    return [[colour(c) for c in row] for row in canvas.px]


def enlarged(rows, factor):
    """Each pixel becomes a factor x factor block, keeping the pixel look."""
    return [[px for px in row for _ in range(factor)] for row in rows for _ in range(factor)]


def reduced(rows, size):
    """Area-weighted reduction to size x size, averaging with
    premultiplied alpha so transparent pixels do not darken the edges."""
    n = len(rows)
    scale = n / size
    out = []
    for ty in range(size):
        out_row = []
        for tx in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            area = 0.0
            for sy in range(int(ty * scale), min(n, math.ceil((ty + 1) * scale))):
                wy = min(sy + 1, (ty + 1) * scale) - max(sy, ty * scale)
                for sx in range(int(tx * scale), min(n, math.ceil((tx + 1) * scale))):
                    w = wy * (min(sx + 1, (tx + 1) * scale) - max(sx, tx * scale))
                    r, g, b, a = rows[sy][sx]
                    acc[0] += w * r * a
                    acc[1] += w * g * a
                    acc[2] += w * b * a
                    acc[3] += w * a
                    area += w
            alpha = acc[3] / area
            if acc[3] == 0:
                out_row.append((0, 0, 0, 0))
            else:
                out_row.append(tuple(round(acc[k] / acc[3]) for k in range(3)) + (round(alpha),))
        out.append(out_row)
    return out


def save_png(relpath, rows):
    """Writes an 8-bit RGBA PNG with no timestamp, so runs are repeatable."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    h, w = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)
    data = (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))
    path = os.path.join(HERE, relpath)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    print(f"{relpath}: {w}x{h}")


def make_desktop_icons(icon16, icon32):
    """The program icon at every size desktops look up: the 16-pixel
    drawing as it is, the 32-pixel one reduced for 22 and 24 (and for 48
    from its double) and
    enlarged block by block for the bigger sizes."""
    small, big = rgba_of(icon16), rgba_of(icon32)
    sizes = {16: small, 22: reduced(big, 22), 24: reduced(big, 24), 32: big, 48: reduced(enlarged(big, 2), 48)}
    for factor in (2, 4, 8):
        sizes[32 * factor] = enlarged(big, factor)
    for size, rows in sorted(sizes.items()):
        save_png(f"hicolor/lumera-{size}.png", rows)


if __name__ == "__main__":
    make_desktop_icons(make_icon_16(), make_icon_32())
    make_orvane()
    make_about_logo()
    make_buttons()
    make_cursor()
