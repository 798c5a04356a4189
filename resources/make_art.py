#!/usr/bin/env python3
"""Draw Quillon Light's toolbar glyphs and program icon.

Run from anywhere:  python3 resources/make_art.py
The files are written next to this script.  Only the standard library is
used, and the output is byte-for-byte reproducible.

Toolbar glyphs are 16x16 (help.bmp is two 16x16 images side by side),
24-bit uncompressed bottom-up BMP files.  Every pixel that is not part of a
glyph is pure magenta, RGB(255,0,255), which the program treats as
transparent.  No glyph ever uses magenta itself, and the bottom-left pixel of
every glyph is background, so "the bottom-left pixel is the transparent
colour" gives the same answer.

quillon.ico holds a 32x32 and a 16x16 image, both 32-bit BGRA with an AND
mask.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

MAGENTA = (255, 0, 255)

# A 16-colour-like palette.  '.' is "not drawn".
PAL = {
    'k': (0, 0, 0),        # black
    'w': (255, 255, 255),  # white
    'g': (192, 192, 192),  # light grey
    'd': (128, 128, 128),  # dark grey
    'n': (0, 0, 128),      # navy
    'b': (0, 0, 255),      # blue
    't': (0, 128, 128),    # teal
    'c': (0, 255, 255),    # cyan
    'o': (128, 128, 0),    # olive
    'y': (255, 255, 0),    # yellow
    'r': (255, 0, 0),      # red
    'm': (128, 0, 0),      # maroon
    'G': (0, 128, 0),      # green
    'l': (0, 255, 0),      # lime
}


class Canvas:
    """A small grid of RGB tuples; None means background."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[None] * w for _ in range(h)]

    def set(self, x, y, col):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = PAL[col] if isinstance(col, str) else col

    def get(self, x, y):
        return self.px[y][x]

    def art(self, rows, x0=0, y0=0, recolour=None):
        """Paint character art; '.' leaves the pixel alone."""
        width = len(rows[0])
        for r in rows:
            assert len(r) == width, "ragged art row: %r" % r
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == '.':
                    continue
                if recolour and ch in recolour:
                    ch = recolour[ch]
                self.set(x0 + dx, y0 + dy, ch)

    def rect(self, x0, y0, x1, y1, col):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, col)

    def frame(self, x0, y0, x1, y1, col):
        for x in range(x0, x1 + 1):
            self.set(x, y0, col)
            self.set(x, y1, col)
        for y in range(y0, y1 + 1):
            self.set(x0, y, col)
            self.set(x1, y, col)

    def line(self, x0, y0, x1, y1, col):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            self.set(x0, y0, col)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, col):
        """Fill pixels whose centres lie within r of (cx, cy)."""
        for y in range(self.h):
            for x in range(self.w):
                if math.hypot(x + 0.5 - cx, y + 0.5 - cy) <= r:
                    self.set(x, y, col)

    def paste(self, other, x0, y0):
        for y in range(other.h):
            for x in range(other.w):
                p = other.px[y][x]
                if p is not None:
                    if 0 <= x0 + x < self.w and 0 <= y0 + y < self.h:
                        self.px[y0 + y][x0 + x] = p

    def mirrored(self):
        m = Canvas(self.w, self.h)
        for y in range(self.h):
            m.px[y] = list(reversed(self.px[y]))
        return m


# ---------------------------------------------------------------------------
# Reusable pieces
# ---------------------------------------------------------------------------

def page(c, x0, y0, x1, y1, fold=3, lines=True, line_col='d'):
    """A white sheet with a dog-eared top-right corner."""
    c.rect(x0, y0, x1, y1, 'w')
    # cut the corner away, then draw the fold
    for i in range(fold + 1):
        for x in range(x1 - fold + i, x1 + 1):
            c.px[y0 + i][x] = None
    c.frame(x0, y0, x1, y1, 'k')
    for i in range(fold + 1):
        for x in range(x1 - fold + i + 1, x1 + 1):
            c.px[y0 + i][x] = None
    fx = x1 - fold
    for i in range(fold + 1):
        c.set(fx, y0 + i, 'k')            # fold crease
        c.set(fx + i, y0 + i, 'k')        # diagonal edge
        c.set(fx + i, y0 + fold, 'k')     # fold bottom
    for i in range(1, fold):
        for x in range(fx + 1, fx + i):
            c.set(x, y0 + i, 'g')
    if lines:
        for y in range(y0 + fold + 2, y1 - 1, 2):
            c.line(x0 + 2, y, x1 - 2, y, line_col)


def window(c, x0, y0, x1, y1, active=True):
    """A document window: outline, title bar, white client area."""
    c.rect(x0, y0, x1, y1, 'w')
    c.frame(x0, y0, x1, y1, 'k')
    c.rect(x0 + 1, y0 + 1, x1 - 1, y0 + 2, 'n' if active else 'd')
    c.set(x1 - 2, y0 + 1, 'g' if active else 'w')   # a close box hint


def magnifier(c, cx, cy, r_out, handle_to, handle_w=2):
    """A round lens with a glint and a handle towards handle_to."""
    hx, hy = handle_to
    # handle first, so the rim covers its inner end
    ang = math.atan2(hy - cy, hx - cx)
    sx = int(cx + math.cos(ang) * (r_out - 1))
    sy = int(cy + math.sin(ang) * (r_out - 1))
    for off in range(handle_w):
        c.line(sx + off, sy, hx, hy - off, 'k')
        c.line(sx, sy + off, hx - off, hy, 'k')
    c.disc(cx, cy, r_out, 'k')
    c.disc(cx, cy, r_out - 1.1, 'w')
    # lower-right of the glass a little shaded, upper-left glint
    for y in range(c.h):
        for x in range(c.w):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r_out - 1.1 and (x + 0.5 - cx) + (y + 0.5 - cy) > r_out * 0.55:
                c.set(x, y, 'c')
    gx, gy = int(cx - r_out * 0.45), int(cy - r_out * 0.45)
    c.set(gx, gy, 'g')
    c.set(gx + 1, gy - 1 if r_out > 4 else gy, 'g')


# ---------------------------------------------------------------------------
# The glyphs
# ---------------------------------------------------------------------------

def g_new():
    c = Canvas(16, 16)
    page(c, 2, 1, 13, 14, fold=4, lines=False)
    return c


def g_open():
    c = Canvas(16, 16)
    c.art([
        "................",
        "................",
        "................",
        "................",
        ".kkkk...........",
        "kwyyyk..........",
        "kyooookkkkkkk...",
        "kyooooooooooook.",
        "kyookkkkkkkkkkkk",
        "kyookyyyyyyyyyk.",
        "kyokwyyyyyyyyyk.",
        "kyokyyyyyyyyyk..",
        "kykwyyyyyyyyyk..",
        "kkkyyyyyyyyyk...",
        "kkkkkkkkkkkkk...",
        "................",
    ])
    return c


def g_save():
    c = Canvas(16, 16)
    c.art([
        "................",
        ".kkkkkkkkkkkkk..",
        ".knwwwwwwwwwwnk.",
        ".knwddddddddwnk.",
        ".knwwwwwwwwwwnk.",
        ".knwddddddddwnk.",
        ".knwwwwwwwwwwnk.",
        ".knnnnnnnnnnnnk.",
        ".knnnnnnnnnnnnk.",
        ".knnggggggggnnk.",
        ".knngkkggggdnnk.",
        ".knngkkggggdnnk.",
        ".knngkkggggdnnk.",
        ".knnddddddddnnk.",
        "..kkkkkkkkkkkkk.",
        "................",
    ])
    return c


def g_print():
    c = Canvas(16, 16)
    c.art([
        "................",
        "....kkkkkkkk....",
        "....kwwwwwwk....",
        "....kwddddwk....",
        "....kwwwwwwk....",
        "....kwddwwwk....",
        "..kkkkkkkkkkkk..",
        ".kwwwwwwwwwwwgk.",
        ".kggggggggglGdk.",
        ".kgggggggggggdk.",
        ".kddddddddddddk.",
        ".kkkkkkkkkkkkkk.",
        "..kdwwwwwwwwdk..",
        "...kwddddddwk...",
        "...kkkkkkkkkk...",
        "................",
    ])
    return c


def g_send():
    c = Canvas(16, 16)
    c.art([
        "................",
        "................",
        "................",
        "...kkkkkkkkkkkkk",
        "...kkwwwwwwwwwkk",
        "...kwkwwwwwwwkwk",
        "dd.kwwkwwwwwkwwk",
        "...kwwwkwwwkwwwk",
        "dd.kwwwwkwkwwwwk",
        "...kwwwwwkwwwwwk",
        "dd.kwwkwwwwwkwwk",
        "...kwkwwwwwwwkwk",
        "...kkwwwwwwwwwkk",
        "...kkkkkkkkkkkkk",
        "................",
        "................",
    ])
    return c


def g_cut():
    c = Canvas(16, 16)
    c.art([
        "................",
        ".....k....k.....",
        ".....kg..gk.....",
        ".....kg..gk.....",
        "......kg.k......",
        "......kggk......",
        ".......kk.......",
        ".......dk.......",
        "......kkkk......",
        ".....n....n.....",
        "..nnnn....nnnn..",
        ".n...n....n...n.",
        ".n...n....n...n.",
        ".n...n....n...n.",
        "..nnn......nnn..",
        "................",
    ])
    return c


def g_copy():
    c = Canvas(16, 16)
    page(c, 1, 1, 9, 11, fold=3, lines=False)
    for y in (5, 7, 9):
        c.line(3, y, 4, y, 'd')
    page(c, 6, 4, 14, 14, fold=3, lines=False)
    for y in (9, 11):
        c.line(8, y, 12, y, 'd')
    return c


def g_paste():
    c = Canvas(16, 16)
    c.art([
        "................",
        ".....kkkk.......",
        ".kkkkkggkkkkk...",
        ".kookggggkook...",
        ".kookkkkkkook...",
        ".kooooooooook...",
        ".kooooo.........",
        ".kooooo.........",
        ".kooooo.........",
        ".kooooo.........",
        ".kooooo.........",
        ".kooooo.........",
        ".kooooo.........",
        ".kooooo.........",
        ".kkkkkk.........",
        "................",
    ])
    page(c, 7, 6, 14, 14, fold=2, lines=False)
    for y in (10, 12):
        c.line(9, y, 12, y, 'd')
    return c


def g_delsel():
    c = Canvas(16, 16)
    for y, x1 in ((2, 12), (5, 10), (8, 13), (11, 9), (14, 11)):
        c.line(1, y, x1, y, 'k')
    for a, b in (((5, 4), (14, 13)), ((14, 4), (5, 13))):
        (x0, y0), (x1, y1) = a, b
        c.line(x0, y0, x1, y1, 'r')
        step = 1 if x1 > x0 else -1
        c.line(x0 + step, y0, x1, y1 - 1, 'r')
        c.line(x0, y0 + 1, x1 - step, y1, 'm')
    return c


def g_undo():
    c = Canvas(16, 16)
    c.art([
        "................",
        "................",
        "................",
        "....n...........",
        "...nn...........",
        "..nbnnnnnnnnn...",
        ".nbbbbbbbbbbbn..",
        "..nbnnnnnnnnbbn.",
        "...nn.......nbbn",
        "....n........nbn",
        ".............nbn",
        "............nbbn",
        "........nnnnbbn.",
        "........nbbbbn..",
        "........nnnnn...",
        "................",
    ])
    return c


def g_search():
    c = Canvas(16, 16)
    magnifier(c, 6.5, 6.5, 5.6, (14, 14), handle_w=3)
    return c


def g_replace():
    c = Canvas(16, 16)
    c.art([
        ".kkk...n...rrr..",
        "k...k...n..r..r.",
        "kkkkk.nnnn.rrr..",
        "k...k...n..r..r.",
        "k...k..n...rrr..",
    ], y0=1)
    magnifier(c, 6.5, 11.0, 3.9, (13, 15), handle_w=2)
    return c


def g_fontup():
    c = Canvas(16, 16)
    c.art([
        "....kkk....",
        "....kkk....",
        "...kk.kk...",
        "...kk.kk...",
        "..kk...kk..",
        "..kk...kk..",
        "..kkkkkkk..",
        ".kkkkkkkkk.",
        ".kk.....kk.",
        ".kk.....kk.",
        "kk.......kk",
        "kkk.....kkk",
    ], x0=0, y0=3)
    c.art([
        "..n..",
        ".nbn.",
        "nbbbn",
        "nnbnn",
        ".nbn.",
        ".nbn.",
        ".nnn.",
    ], x0=11, y0=0)
    return c


def g_fontdown():
    c = Canvas(16, 16)
    c.art([
        "...k...",
        "..kkk..",
        "..k.k..",
        ".kk.kk.",
        ".kkkkk.",
        ".k...k.",
        "kk...kk",
    ], x0=1, y0=8)
    c.art([
        ".nnn.",
        ".nbn.",
        ".nbn.",
        "nnbnn",
        "nbbbn",
        ".nbn.",
        "..n..",
    ], x0=10, y0=2)
    return c


def g_wordwrap():
    c = Canvas(16, 16)
    c.art([
        "................",
        "................",
        "kkkkkkkkkkkkk...",
        "................",
        "................",
        "kkkkkkkk..nnnnn.",
        "..........nnnnn.",
        ".............nn.",
        ".......n.....nn.",
        "......nn.....nn.",
        ".....nnnnnnnnnn.",
        ".....nnnnnnnnnn.",
        "......nn........",
        ".......n........",
        "kkkkkkkkkk......",
        "................",
    ])
    return c


def g_cascade():
    c = Canvas(16, 16)
    window(c, 0, 0, 9, 8, active=False)
    window(c, 3, 3, 12, 11, active=False)
    window(c, 6, 6, 15, 14, active=True)
    return c


def g_tileh():
    c = Canvas(16, 16)
    window(c, 1, 1, 14, 7, active=True)
    window(c, 1, 8, 14, 14, active=False)
    return c


def g_tilev():
    c = Canvas(16, 16)
    window(c, 1, 1, 7, 14, active=True)
    window(c, 8, 1, 14, 14, active=False)
    return c


ARROW_LEFT = [
    "....k......",
    "...kk......",
    "..kGkkkkkkk",
    ".kGGGGGGGGk",
    "kGlllllllGk",
    ".kGGGGGGGGk",
    "..kGkkkkkkk",
    "...kk......",
    "....k......",
]


def g_prevdoc():
    c = Canvas(16, 16)
    page(c, 5, 1, 14, 14, fold=3)
    c.art(ARROW_LEFT, x0=0, y0=4)
    return c


def g_nextdoc():
    c = Canvas(16, 16)
    page(c, 1, 1, 10, 14, fold=3)
    c.art([row[::-1] for row in ARROW_LEFT], x0=5, y0=4)
    return c


BUBBLE = [
    "................",
    "...kkkkkkkkkk...",
    "..kwwwwwwwwwwk..",
    ".kwwwwnnnnwwwwk.",
    ".kwwwnnwwnnwwwk.",
    ".kwwwwwwwnnwwwk.",
    ".kwwwwwwnnwwwwk.",
    ".kwwwwwnnwwwwwk.",
    ".kwwwwwnnwwwwwk.",
    ".kwwwwwwwwwwwwk.",
    ".kwwwwwnnwwwwwk.",
    "..kwwwwnnwwwwk..",
    "...kwwkkkkkkk...",
    "...kwk..........",
    "...kk...........",
    "................",
]


def g_help():
    c = Canvas(32, 16)
    c.art(BUBBLE, x0=0)
    # second image: the highlighted state, a yellow bubble
    c.art(BUBBLE, x0=16, recolour={'w': 'y'})
    return c


GLYPHS = [
    ("new", g_new), ("open", g_open), ("save", g_save), ("print", g_print),
    ("send", g_send), ("cut", g_cut), ("copy", g_copy), ("paste", g_paste),
    ("delsel", g_delsel), ("undo", g_undo), ("search", g_search),
    ("replace", g_replace), ("fontup", g_fontup), ("fontdown", g_fontdown),
    ("wordwrap", g_wordwrap), ("cascade", g_cascade), ("tileh", g_tileh),
    ("tilev", g_tilev), ("prevdoc", g_prevdoc), ("nextdoc", g_nextdoc),
    ("help", g_help),
]


# ---------------------------------------------------------------------------
# Menu glyphs: the window commands of the system menu and the check marks of
# the popup menus (16x16, drawn in black so that a disabled item embosses
# them), and the small window buttons of a menu bar (8x8).
# ---------------------------------------------------------------------------

def g_sysrestore():
    c = Canvas(16, 16)
    c.frame(6, 3, 12, 9, 'k')
    c.line(6, 4, 12, 4, 'k')
    for y in range(6, 13):
        for x in range(3, 10):
            c.px[y][x] = None
    c.frame(3, 6, 9, 12, 'k')
    c.line(3, 7, 9, 7, 'k')
    return c


def g_sysmove():
    c = Canvas(16, 16)
    c.art([
        ".......k.......",
        "......kkk......",
        ".....kkkkk.....",
        ".......k.......",
        "...k...k...k...",
        "..kk...k...kk..",
        ".kkkkkkkkkkkkk.",
        "..kk...k...kk..",
        "...k...k...k...",
        ".......k.......",
        ".....kkkkk.....",
        "......kkk......",
        ".......k.......",
    ], x0=0, y0=1)
    return c


def g_syssize():
    c = Canvas(16, 16)
    c.art([
        "kkkkk........",
        "kk...........",
        "k.k..........",
        "k..k.........",
        "k...k........",
        ".....k.......",
        "......k......",
        ".......k.....",
        "........k...k",
        ".........k..k",
        "..........k.k",
        "...........kk",
        "........kkkkk",
    ], x0=1, y0=1)
    return c


def g_sysminimize():
    c = Canvas(16, 16)
    c.rect(4, 10, 10, 11, 'k')
    return c


def g_sysmaximize():
    c = Canvas(16, 16)
    c.frame(3, 3, 12, 12, 'k')
    c.line(3, 4, 12, 4, 'k')
    return c


def g_sysclose():
    c = Canvas(16, 16)
    for i in range(8):
        c.set(4 + i, 4 + i, 'k')
        c.set(5 + i, 4 + i, 'k')
        c.set(11 - i, 4 + i, 'k')
        c.set(12 - i, 4 + i, 'k')
    return c


def g_checkmark():
    c = Canvas(16, 16)
    c.art([
        "......k",
        ".....kk",
        "k...kkk",
        "kk.kkk.",
        "kkkkk..",
        ".kkk...",
        "..k....",
    ], x0=5, y0=5)
    return c


def g_radioitem():
    c = Canvas(16, 16)
    c.disc(8, 8, 3, 'k')
    return c


GLYPHS += [
    ("sysrestore", g_sysrestore), ("sysmove", g_sysmove),
    ("syssize", g_syssize), ("sysminimize", g_sysminimize),
    ("sysmaximize", g_sysmaximize), ("sysclose", g_sysclose),
    ("checkmark", g_checkmark), ("radioitem", g_radioitem),
]


SMALL_GLYPHS = [
    ("minsmall", [
        "........",
        "........",
        "........",
        "........",
        "........",
        ".kkkkkk.",
        ".kkkkkk.",
    ]),
    ("restsmall", [
        "..kkkkkk",
        "..k....k",
        "kkkkkk.k",
        "kkkkkk.k",
        "k....kkk",
        "k....k..",
        "kkkkkk..",
    ]),
    ("closesmall", [
        "kk....kk",
        ".kk..kk.",
        "..kkkk..",
        "...kk...",
        "..kkkk..",
        ".kk..kk.",
        "kk....kk",
    ]),
]


def small_glyph(rows):
    # One blank row below: the bottom-left pixel is the transparent colour.
    c = Canvas(len(rows[0]), len(rows) + 1)
    c.art(rows)
    return c


# ---------------------------------------------------------------------------
# The program icon: a quill over a page
# ---------------------------------------------------------------------------

def quill(c, tip, top, vane_from, vane_to, width, notches):
    """Draw a feather quill from the top end down to the nib at tip.

    The feather is the region around the shaft between the fractions
    vane_from..vane_to of the way from top to tip; it is widest near its
    upper third and tapers to both ends.
    """
    tx, ty = tip
    ux, uy = top
    L = math.hypot(tx - ux, ty - uy)
    ax, ay = (tx - ux) / L, (ty - uy) / L          # along, towards the nib
    nx, ny = -ay, ax                                # across
    mask = {}
    for y in range(c.h):
        for x in range(c.w):
            px, py = x + 0.5 - ux, y + 0.5 - uy
            t = (px * ax + py * ay) / L
            d = px * nx + py * ny
            if vane_from <= t <= vane_to:
                s = (t - vane_from) / (vane_to - vane_from)
                half = width * math.sin(math.pi * s ** 0.7) ** 0.8
                # the near side of the feather is a little narrower
                lim = half if d > 0 else half * 0.8
                if abs(d) <= lim:
                    cut = any(abs(t - n) < 0.6 / L and d * side > 0.6
                              for n, side in notches)
                    if not cut:
                        mask[(x, y)] = 'vane_a' if d > 0 else 'vane_b'
            if abs(d) <= 0.55 and -0.01 <= t <= 1.0:
                if t > 0.84:
                    mask[(x, y)] = 'nib'
                elif t > vane_to - 0.02:
                    mask[(x, y)] = 'barrel'
                else:
                    mask[(x, y)] = 'shaft'
    colours = {
        'vane_a': (96, 200, 200), 'vane_b': PAL['t'], 'shaft': PAL['w'],
        'barrel': (224, 224, 208), 'nib': PAL['k'],
    }
    # dark outline around the whole quill so it reads on the page
    for (x, y) in list(mask):
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            q = (x + dx, y + dy)
            if q not in mask and 0 <= q[0] < c.w and 0 <= q[1] < c.h:
                c.set(q[0], q[1], 'n')
    for (x, y), part in mask.items():
        c.set(x, y, colours[part])


def icon32():
    c = Canvas(32, 32)
    page(c, 2, 4, 20, 29, fold=5, lines=False)
    for y, x1 in ((13, 17), (16, 16), (19, 17), (22, 12), (25, 14)):
        c.line(5, y, x1, y, 'd')
    quill(c, tip=(12, 26), top=(30, 1), vane_from=0.0, vane_to=0.62,
          width=4.6, notches=[(0.22, 1), (0.4, -1)])
    # a fresh stroke of ink under the nib
    c.line(5, 27, 11, 27, 'n')
    return c


def icon16():
    c = Canvas(16, 16)
    page(c, 1, 2, 10, 15, fold=3, lines=False)
    for y, x1 in ((7, 7), (9, 6), (11, 5)):
        c.line(3, y, x1, y, 'd')
    quill(c, tip=(6, 13), top=(15, 0), vane_from=0.0, vane_to=0.6,
          width=2.4, notches=[])
    return c


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------

def bmp_bytes(c):
    row_len = (c.w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(c.h - 1, -1, -1):           # bottom-up
        row = bytearray()
        for x in range(c.w):
            r, g, b = c.px[y][x] or MAGENTA
            row += bytes((b, g, r))
        row += b'\0' * (row_len - len(row))
        pixels += row
    info = struct.pack('<IiiHHIIiiII', 40, c.w, c.h, 1, 24, 0,
                       len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return head + info + bytes(pixels)


def ico_image(c):
    xor = bytearray()
    mask_row = ((c.w + 31) // 32) * 4
    andm = bytearray()
    for y in range(c.h - 1, -1, -1):
        bits = bytearray(mask_row)
        for x in range(c.w):
            p = c.px[y][x]
            if p is None:
                xor += b'\0\0\0\0'
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = p
                xor += bytes((b, g, r, 255))
        andm += bits
    info = struct.pack('<IiiHHIIiiII', 40, c.w, c.h * 2, 1, 32, 0,
                       len(xor) + len(andm), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(andm)


def ico_bytes(images):
    blobs = [ico_image(c) for c in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, blob in zip(images, blobs):
        out += struct.pack('<BBBBHHII', c.w % 256, c.h % 256, 0, 0, 1, 32,
                           len(blob), offset)
        offset += len(blob)
    return out + b''.join(blobs)


def check_glyph(name, c):
    assert c.h == 16 and c.w % 16 == 0, name
    for row in c.px:
        assert MAGENTA not in row, "%s draws in the transparent colour" % name
    for x0 in range(0, c.w, 16):
        assert c.px[15][x0] is None, "%s: bottom-left pixel is drawn" % name


def main():
    for name, fn in GLYPHS:
        c = fn()
        check_glyph(name, c)
        with open(os.path.join(HERE, name + '.bmp'), 'wb') as f:
            f.write(bmp_bytes(c))
    for name, rows in SMALL_GLYPHS:
        c = small_glyph(rows)
        assert c.px[c.h - 1][0] is None, name
        with open(os.path.join(HERE, name + '.bmp'), 'wb') as f:
            f.write(bmp_bytes(c))
    with open(os.path.join(HERE, 'quillon.ico'), 'wb') as f:
        f.write(ico_bytes([icon32(), icon16()]))


if __name__ == '__main__':
    main()
