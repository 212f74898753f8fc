#!/usr/bin/env python3
"""Draws the tool-bar and button pictures of the main frame as 24-bit BMP files.

Each bar bitmap is a strip of 16 x 15 pictures; the picture buttons are 24 x 22. Run it from
this folder after changing a picture: python3 draw_bitmaps.py
"""
import math
import struct

GRAY = (192, 192, 192)
BLACK = (0, 0, 0)
BLUE = (0, 0, 160)
RED = (192, 0, 0)
GREEN = (0, 128, 0)
WHITE = (255, 255, 255)
DARK = (96, 96, 96)
YELLOW = (224, 192, 0)


class Canvas:
    def __init__(self, w, h, bg=GRAY):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def dot(self, x, y, c):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def line(self, x0, y0, x1, y1, c):
        n = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(n + 1):
            t = i / n
            self.dot(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, c)

    def rect(self, x0, y0, x1, y1, c, fill=None):
        if fill:
            for y in range(y0, y1 + 1):
                for x in range(x0, x1 + 1):
                    self.dot(x, y, fill)
        self.line(x0, y0, x1, y0, c); self.line(x1, y0, x1, y1, c)
        self.line(x1, y1, x0, y1, c); self.line(x0, y1, x0, y0, c)

    def arc(self, cx, cy, r, a0, a1, c):
        steps = max(8, int(r * abs(a1 - a0) / 20))
        for i in range(steps + 1):
            a = math.radians(a0 + (a1 - a0) * i / steps)
            self.dot(cx + r * math.cos(a), cy - r * math.sin(a), c)

    def circle(self, cx, cy, r, c):
        self.arc(cx, cy, r, 0, 360, c)

    def glyph(self, x, y, rows, c):
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch == '#':
                    self.dot(x + i, y + j, c)

    def paste(self, other, ox):
        for y in range(other.h):
            for x in range(other.w):
                self.px[y][ox + x] = other.px[y][x]

    def save(self, path):
        row = (self.w * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            line = bytearray()
            for (r, g, b) in self.px[y]:
                line += bytes((b, g, r))
            line += b'\0' * (row - len(line))
            data += line
        header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, self.w, self.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        with open(path, 'wb') as f:
            f.write(header + info + data)


LETTERS = {
    'A': [".##.", "#..#", "####", "#..#", "#..#"],
    'T': ["###", ".#.", ".#.", ".#.", ".#."],
    'M': ["#...#", "##.##", "#.#.#", "#...#", "#...#"],
    'G': [".###", "#...", "#.##", "#..#", ".###"],
    'R': ["###.", "#..#", "###.", "#.#.", "#..#"],
    'N': ["#..#", "##.#", "#.##", "#..#", "#..#"],
    'F': ["####", "#...", "###.", "#...", "#..."],
    'E': ["###", "#..", "##.", "#..", "###"],
    'W': ["#...#", "#...#", "#.#.#", "##.##", "#...#"],
    'Y': ["#.#", "#.#", ".#.", ".#.", ".#."],
    '1': [".#", "##", ".#", ".#", ".#"],
    '2': ["##.", "..#", ".#.", "#..", "###"],
    '?': ["###", "..#", ".#.", "...", ".#."],
    'U': ["#..#", "#..#", "#..#", "#..#", ".##."],
    'X': ["#...#", ".#.#.", "..#..", ".#.#.", "#...#"],
    'S': [".###", "#...", ".##.", "...#", "###."],
}


def text(c, s, x, y, col):
    for ch in s:
        g = LETTERS[ch]
        c.glyph(x, y, g, col)
        x += len(g[0]) + 1


def pic(draw):
    c = Canvas(16, 15)
    draw(c)
    return c


def strip(path, pictures):
    s = Canvas(16 * len(pictures), 15)
    for i, p in enumerate(pictures):
        s.paste(pic(p), 16 * i)
    s.save(path)


def button(path, draw, pressed=False):
    c = Canvas(24, 22)
    c.rect(0, 0, 23, 21, DARK if not pressed else BLACK)
    if pressed:
        c.line(1, 1, 22, 1, DARK); c.line(1, 1, 1, 20, DARK)
    else:
        c.line(1, 1, 22, 1, WHITE); c.line(1, 1, 1, 20, WHITE)
    d = 1 if pressed else 0
    draw(c, 4 + d, 3 + d)
    c.save(path)


# File bar: new, open, save, cut, copy, paste, screen print, context help
def page(c):
    c.rect(3, 1, 11, 13, BLACK, WHITE); c.line(9, 1, 11, 3, BLACK)
def folder(c):
    c.rect(1, 5, 12, 12, BLACK, YELLOW); c.line(2, 4, 6, 4, BLACK); c.line(8, 2, 14, 2, BLUE); c.line(14, 2, 14, 6, BLUE)
def disk(c):
    c.rect(2, 1, 13, 13, BLACK, BLUE); c.rect(4, 2, 11, 6, BLACK, WHITE); c.rect(5, 9, 10, 13, BLACK, GRAY)
def scissors(c):
    c.line(4, 1, 10, 9, BLACK); c.line(11, 1, 5, 9, BLACK); c.circle(4, 11, 2, BLUE); c.circle(11, 11, 2, BLUE)
def copy(c):
    c.rect(1, 1, 8, 9, BLACK, WHITE); c.rect(6, 5, 13, 13, BLACK, WHITE)
def paste(c):
    c.rect(2, 2, 11, 13, BLACK, YELLOW); c.rect(5, 1, 8, 3, BLACK, GRAY); c.rect(7, 6, 13, 13, BLACK, WHITE)
def printer(c):
    c.rect(1, 6, 14, 11, BLACK, GRAY); c.rect(4, 1, 11, 6, BLACK, WHITE); c.rect(4, 10, 11, 13, BLACK, WHITE); c.dot(12, 8, GREEN)
def help_(c):
    c.line(2, 2, 2, 10, BLACK); c.line(2, 2, 8, 8, BLACK); text(c, '?', 10, 5, BLUE)

strip('file_bar.bmp', [page, folder, disk, scissors, copy, paste, printer, help_])

# Command bar: point, line, circle, arc, text, dimension, free-hand, loop, multi-text, group, delete, symbol
def cmd_point(c):
    c.line(7, 4, 7, 10, BLACK); c.line(4, 7, 10, 7, BLACK); c.rect(6, 6, 8, 8, RED)
def cmd_line(c):
    c.line(2, 12, 13, 2, BLACK); c.rect(1, 11, 3, 13, RED); c.rect(12, 1, 14, 3, RED)
def cmd_circle(c):
    c.circle(7.5, 7, 6, BLACK); c.dot(7, 7, RED)
def cmd_arc(c):
    c.arc(7.5, 11, 7, 10, 170, BLACK); c.dot(7, 11, RED)
def cmd_text(c):
    text(c, 'A', 2, 4, BLACK); text(c, 'T', 8, 4, BLUE); c.line(1, 12, 14, 12, DARK)
def cmd_dim(c):
    c.line(2, 2, 2, 12, BLACK); c.line(13, 2, 13, 12, BLACK); c.line(3, 7, 12, 7, BLUE)
    c.line(3, 7, 5, 5, BLUE); c.line(3, 7, 5, 9, BLUE); c.line(12, 7, 10, 5, BLUE); c.line(12, 7, 10, 9, BLUE)
def cmd_free(c):
    pts = [(1, 10), (4, 4), (6, 9), (9, 3), (11, 11), (14, 5)]
    for a, b in zip(pts, pts[1:]):
        c.line(a[0], a[1], b[0], b[1], BLACK)
def cmd_loop(c):
    pts = [(2, 3), (13, 2), (11, 12), (3, 11), (2, 3)]
    for a, b in zip(pts, pts[1:]):
        c.line(a[0], a[1], b[0], b[1], BLACK)
def cmd_mtext(c):
    for y in (3, 7, 11):
        c.line(2, y, 13, y, BLACK)
    c.line(2, 3, 2, 11, BLUE)
def cmd_group(c):
    c.rect(1, 1, 14, 13, BLUE); c.line(3, 10, 8, 3, BLACK); c.circle(10, 9, 3, BLACK)
def cmd_delete(c):
    c.line(2, 2, 13, 12, RED); c.line(13, 2, 2, 12, RED); c.line(3, 2, 14, 12, RED); c.line(12, 2, 1, 12, RED)
def cmd_symbol(c):
    c.rect(2, 2, 13, 12, BLACK); c.circle(7.5, 7, 3, BLUE); c.line(2, 2, 13, 12, DARK)

strip('command_bar.bmp', [cmd_point, cmd_line, cmd_circle, cmd_arc, cmd_text, cmd_dim, cmd_free, cmd_loop,
                          cmd_mtext, cmd_group, cmd_delete, cmd_symbol])

# Screen bar: screen operation, redraw, home position
def scr_op(c):
    c.rect(1, 1, 14, 13, BLACK, WHITE); c.rect(4, 4, 11, 10, BLUE)
    c.line(7, 1, 7, 3, RED); c.line(7, 11, 7, 13, RED)
def scr_redraw(c):
    c.arc(7.5, 7, 5, 30, 330, GREEN); c.line(12, 5, 12, 9, GREEN); c.line(10, 9, 12, 9, GREEN)
def scr_home(c):
    c.line(2, 7, 7, 2, BLACK); c.line(7, 2, 12, 7, BLACK); c.rect(3, 7, 11, 13, BLACK, WHITE); c.rect(6, 9, 8, 13, BLACK, BLUE)

strip('screen_bar.bmp', [scr_op, scr_redraw, scr_home])

# Box-search bar: inversion, by layer, select all, latest box, inside, crossing, deform range
def box_inv(c):
    c.rect(1, 2, 7, 12, BLACK, BLACK); c.rect(8, 2, 14, 12, BLACK, WHITE)
def box_layer(c):
    for i, col in enumerate((RED, GREEN, BLUE)):
        c.rect(2 + i * 2, 2 + i * 3, 11 + i * 2, 6 + i * 3, col)
def box_all(c):
    c.rect(1, 1, 14, 13, BLUE); c.line(3, 10, 7, 4, BLACK); c.circle(10, 9, 2, BLACK)
def box_latest(c):
    c.rect(3, 3, 12, 11, RED); text(c, '1', 7, 5, BLACK)
def box_inside(c):
    c.rect(1, 1, 14, 13, BLUE); c.line(4, 9, 10, 4, BLACK)
def box_cross(c):
    c.rect(4, 3, 14, 13, BLUE); c.line(1, 10, 9, 5, BLACK)
def box_deform(c):
    c.rect(1, 1, 9, 9, BLUE); c.line(9, 9, 14, 13, RED); c.line(12, 13, 14, 13, RED); c.line(14, 11, 14, 13, RED)

strip('box_search_bar.bmp', [box_inv, box_layer, box_all, box_latest, box_inside, box_cross, box_deform])

# Input bar: font, numeric, text, write layer, reference layer, all layers, text attribute, attribute search
def in_font(c):
    text(c, 'F', 2, 4, BLACK); text(c, 'A', 8, 4, BLUE)
def in_num(c):
    text(c, '1', 2, 4, BLACK); text(c, '2', 6, 4, BLACK); c.line(1, 12, 14, 12, DARK)
def in_text(c):
    text(c, 'T', 2, 4, BLUE); c.line(7, 8, 13, 8, BLACK); c.line(1, 12, 14, 12, DARK)
def in_write(c):
    text(c, 'W', 5, 1, BLACK); c.rect(1, 8, 14, 13, BLUE, WHITE)
def in_ref(c):
    text(c, 'Y', 6, 1, BLACK); c.rect(1, 8, 14, 13, GREEN, WHITE)
def in_all(c):
    text(c, 'E', 6, 1, BLACK); c.rect(1, 8, 14, 10, BLUE, WHITE); c.rect(1, 11, 14, 13, GREEN, WHITE)
def in_attr(c):
    text(c, 'A', 1, 2, BLACK); c.rect(7, 5, 14, 12, RED, WHITE)
def in_search(c):
    c.circle(6, 6, 4, BLACK); c.line(9, 9, 13, 13, BLACK); c.line(10, 9, 14, 13, BLACK)

strip('input_bar.bmp', [in_font, in_num, in_text, in_write, in_ref, in_all, in_attr, in_search])

# Auxiliary bar: reset, undo, redo, step back, draft-line mode, measure
def aux_reset(c):
    c.circle(7.5, 7, 6, RED); text(c, '?', 6, 5, RED)
def aux_undo(c):
    c.arc(8, 8, 5, 0, 180, BLUE); c.line(3, 8, 1, 6, BLUE); c.line(3, 8, 5, 6, BLUE)
def aux_redo(c):
    c.arc(7, 8, 5, 0, 180, BLUE); c.line(12, 8, 10, 6, BLUE); c.line(12, 8, 14, 6, BLUE)
def aux_back(c):
    c.line(2, 7, 13, 7, BLACK); c.line(2, 7, 6, 3, BLACK); c.line(2, 7, 6, 11, BLACK)
def aux_draft(c):
    for x in range(1, 15, 3):
        c.line(x, 12 - x * 0.7, x + 1, 12 - (x + 1) * 0.7, DARK)
def aux_measure(c):
    c.rect(1, 5, 14, 9, BLACK, YELLOW)
    for x in range(3, 14, 2):
        c.line(x, 5, x, 7, BLACK)

strip('aux_bar.bmp', [aux_reset, aux_undo, aux_redo, aux_back, aux_draft, aux_measure])

# Constraint bar: relative coordinates, numeric-move origin, constraint point, point constraint,
# release, horizontal, vertical, interval
def con_rel(c):
    c.line(3, 2, 3, 12, BLUE); c.line(3, 12, 13, 12, BLUE); c.line(3, 12, 10, 5, RED)
def con_origin(c):
    c.line(7, 2, 7, 12, BLACK); c.line(2, 7, 12, 7, BLACK); c.line(3, 3, 11, 11, RED); c.line(11, 3, 3, 11, RED)
def con_point(c):
    c.rect(5, 5, 9, 9, RED, RED); c.line(7, 1, 7, 13, BLUE)
def con_pcon(c):
    c.circle(7, 7, 4, BLUE); c.rect(6, 6, 8, 8, RED, RED)
def con_release(c):
    c.circle(7, 7, 4, BLUE); c.line(2, 12, 12, 2, RED)
def con_horz(c):
    c.line(1, 7, 14, 7, BLUE); c.line(1, 7, 3, 5, BLUE); c.line(1, 7, 3, 9, BLUE); c.line(14, 7, 12, 5, BLUE); c.line(14, 7, 12, 9, BLUE)
def con_vert(c):
    c.line(7, 1, 7, 13, BLUE); c.line(7, 1, 5, 3, BLUE); c.line(7, 1, 9, 3, BLUE); c.line(7, 13, 5, 11, BLUE); c.line(7, 13, 9, 11, BLUE)
def con_interval(c):
    for x in (2, 6, 10, 14):
        c.line(x, 4, x, 10, BLUE)
    c.line(2, 12, 14, 12, RED)

strip('constraint_bar.bmp', [con_rel, con_origin, con_point, con_pcon, con_release, con_horz, con_vert, con_interval])

# Element-search bar: all kinds, points, lines, circles, arcs, texts, (6, 7 unused), linked items
def es_all(c):
    c.rect(1, 1, 14, 13, BLACK); c.dot(4, 4, RED); c.line(6, 11, 12, 4, BLACK)
def blank(c):
    pass
def es_linked(c):
    c.circle(5, 7, 3, BLUE); c.circle(10, 7, 3, BLUE)

strip('element_search_bar.bmp', [es_all, cmd_point, cmd_line, cmd_circle, cmd_arc, cmd_text, blank, blank, es_linked])

# Point-search bar: all kinds, end points, intersections, feature points, on elements, free, two-element
def ps_end(c):
    c.line(2, 12, 12, 2, BLACK); c.rect(10, 0, 14, 4, RED)
def ps_cross(c):
    c.line(2, 12, 13, 2, BLACK); c.line(2, 2, 13, 12, BLACK); c.rect(5, 5, 9, 9, RED)
def ps_feature(c):
    c.circle(7, 7, 5, BLACK); c.rect(5, 5, 9, 9, RED)
def ps_on(c):
    c.line(1, 10, 14, 10, BLACK); c.rect(5, 8, 9, 12, RED)
def ps_free(c):
    c.line(7, 2, 7, 12, RED); c.line(2, 7, 12, 7, RED)
def ps_two(c):
    c.circle(5, 7, 4, BLACK); c.line(6, 1, 14, 13, BLACK); c.rect(7, 3, 11, 7, RED)

strip('point_search_bar.bmp', [es_all, ps_end, ps_cross, ps_feature, ps_on, ps_free, ps_two])

# Picture buttons: line type, creation environment, layer condition, dimension and group selection types
def b_linetype(c, x, y):
    c.line(x, y + 4, x + 15, y + 4, BLACK)
    for i in range(0, 16, 4):
        c.line(x + i, y + 10, x + i + 2, y + 10, BLACK)
def b_env(c, x, y):
    text(c, 'E', x + 1, y + 5, BLUE); text(c, 'N', x + 6, y + 5, BLUE)
def b_layer(c, x, y):
    for i, col in enumerate((RED, GREEN, BLUE)):
        c.rect(x + i * 2, y + i * 4, x + 9 + i * 2, y + 4 + i * 4, col)
def b_dim(c, x, y):
    c.line(x, y + 8, x + 15, y + 8, BLUE); c.line(x, y + 3, x, y + 13, BLACK); c.line(x + 15, y + 3, x + 15, y + 13, BLACK)
def b_group(c, x, y):
    text(c, 'G', x + 2, y + 5, BLACK); c.rect(x, y + 2, x + 15, y + 13, BLUE)

for name, draw in (('line_type', b_linetype), ('creation_env', b_env), ('layer_condition', b_layer),
                   ('dim_select', b_dim), ('group_select', b_group)):
    button(name + '.bmp', draw)
    button(name + '_down.bmp', draw, pressed=True)

# The switched states of two picture buttons; their pressed pictures stay the common ones.
# Creation environment of the selected element: the element highlighted with the pointer on it.
def b_env_selected(c, x, y):
    c.line(x, y + 12, x + 11, y + 1, RED); c.line(x + 1, y + 12, x + 12, y + 1, RED)
    # The pointer, its tip on the element: a white arrow with a black outline.
    tx, ty = x + 7, y + 6
    for j in range(8):
        c.line(tx, ty + j, tx + j * 5 // 8, ty + j, WHITE)
    c.line(tx, ty, tx, ty + 8, BLACK); c.line(tx, ty, tx + 5, ty + 5, BLACK)
    c.line(tx, ty + 8, tx + 2, ty + 6, BLACK); c.line(tx + 5, ty + 5, tx + 3, ty + 5, BLACK)
    c.line(tx + 2, ty + 6, tx + 4, ty + 9, BLACK); c.line(tx + 3, ty + 5, tx + 5, ty + 8, BLACK)
# Creation environment of the reference element: an "R" over the element in the reference color.
def b_env_reference(c, x, y):
    c.line(x, y + 13, x + 15, y + 13, GREEN); c.line(x, y + 14, x + 15, y + 14, GREEN)
    text(c, 'R', x + 2, y + 3, BLACK); text(c, 'E', x + 8, y + 3, BLACK)
# Layer condition "the element's layer": the middle layer of the stack filled.
def b_layer_same(c, x, y):
    for i, col in enumerate((RED, GREEN, BLUE)):
        c.rect(x + i * 2, y + i * 4, x + 9 + i * 2, y + 4 + i * 4, col, fill=GREEN if i == 1 else None)
# Layer condition "a new layer": the stack with a layer being added.
def b_layer_new(c, x, y):
    for i, col in enumerate((RED, GREEN)):
        c.rect(x + i * 2, y + 4 + i * 4, x + 9 + i * 2, y + 8 + i * 4, col)
    c.line(x + 12, y, x + 12, y + 6, BLACK); c.line(x + 9, y + 3, x + 15, y + 3, BLACK)

for name, draw in (('creation_env_selected', b_env_selected), ('creation_env_reference', b_env_reference),
                   ('layer_condition_same', b_layer_same), ('layer_condition_new', b_layer_new)):
    button(name + '.bmp', draw)

# The states of two more picture buttons: the dimension lines chosen by their members; groups not
# chosen.
def b_dim_members(c, x, y):
    b_dim(c, x, y)
    for i in range(3, 14, 4):
        c.line(x + i, y + 6, x + i, y + 10, RED)
def b_group_none(c, x, y):
    b_group(c, x, y)
    c.line(x, y + 13, x + 15, y + 2, RED)

for name, draw in (('dim_select_members', b_dim_members), ('group_select_none', b_group_none)):
    button(name + '.bmp', draw)

# The program's icon on its windows (32 x 32): a drawing sheet with a circle, its centre lines, a
# dimension below it and a pencil, as the desktop's icon shows them.
def icon(path):
    SHEET, EDGE, NAVY, PENCIL = (244, 246, 248), (48, 67, 90), (0, 0, 140), (224, 192, 0)
    c = Canvas(32, 32, GRAY)
    c.rect(2, 2, 29, 29, EDGE, fill=SHEET)
    c.rect(3, 3, 28, 28, EDGE)
    for x in range(7, 24, 3):
        c.line(x, 14, x + 1, 14, EDGE)
    for y in range(6, 23, 3):
        c.line(15, y, 15, y + 1, EDGE)
    for r in (5, 5.6):
        c.circle(15, 14, r, NAVY)
    c.line(9, 24, 21, 24, RED); c.line(9, 22, 9, 26, RED); c.line(21, 22, 21, 26, RED)
    for i in range(9):
        c.line(27 - i, 5 + i, 25 - i, 3 + i, PENCIL)
    c.line(27, 5, 18, 14, EDGE); c.line(25, 3, 16, 12, EDGE); c.line(16, 12, 18, 14, EDGE)
    c.save(path)

icon('zelk.bmp')
