#!/usr/bin/env python3
"""Draws EffectPanel.png, the picture of the VirtualDJ effect panel (EffectPanel.xml).

The picture is 252 x 542 RGBA. Its top 252 x 252 is the panel as it shows with every control
up; below it, at the offsets the XML names, are the other states of the controls: the lit
title-bar buttons (y 257), the 2D slider's handle (37, 262), the selected buttons (y 275), the
hovered and pressed buttons (y 293), the 25 frames of the round sliders (4, 312; five a row) and
their clip mask (4, 501). Everything else is transparent.

Run it from anywhere; it writes the picture beside itself. Only the standard library is used.
"""
import math
import os
import struct
import zlib

WIDTH, HEIGHT = 252, 542
pixels = bytearray(WIDTH * HEIGHT * 4)

BACKGROUND = (22, 26, 40, 255)
FRAME = (70, 86, 130, 255)
TITLE = (34, 40, 62, 255)
CONTROL = (44, 52, 80, 255)
LIT = (90, 190, 255, 255)
HOVER = (150, 120, 255, 255)
KNOB = (60, 70, 104, 255)
MARK = (235, 240, 255, 255)


def put(x, y, colour):
    if 0 <= x < WIDTH and 0 <= y < HEIGHT:
        pixels[(y * WIDTH + x) * 4:(y * WIDTH + x) * 4 + 4] = bytes(colour)


def fill(x, y, w, h, colour):
    for row in range(y, y + h):
        for column in range(x, x + w):
            put(column, row, colour)


def box(x, y, w, h, inside, edge):
    fill(x, y, w, h, edge)
    fill(x + 1, y + 1, w - 2, h - 2, inside)


def disc(x, y, size, colour, inner=0.0):
    centre = (size - 1) / 2.0
    for row in range(size):
        for column in range(size):
            distance = math.hypot(column - centre, row - centre)
            if inner * size / 2.0 <= distance <= size / 2.0:
                put(x + column, y + row, colour)


def knob(x, y, size, turn):
    """A round slider's frame: the knob with its mark at turn (0 to 1) of 270 degrees."""
    disc(x, y, size, FRAME)
    disc(x + 2, y + 2, size - 4, KNOB)
    angle = math.radians(225 - 270 * turn)
    centre = (size - 1) / 2.0
    for step in range(4, int(size / 2) - 2):
        put(x + round(centre + step * math.cos(angle)), y + round(centre - step * math.sin(angle)),
            MARK)


def cross(x, y, w, h, colour):
    for i in range(4, min(w, h) - 4):
        put(x + i, y + i, colour)
        put(x + w - 1 - i, y + i, colour)


def panel():
    box(0, 0, 252, 252, BACKGROUND, FRAME)
    fill(1, 1, 250, 23, TITLE)
    box(8, 4, 16, 16, CONTROL, FRAME)  # toggle
    box(204, 4, 17, 16, CONTROL, FRAME)  # dock
    fill(208, 14, 9, 2, MARK)
    box(227, 4, 17, 16, CONTROL, FRAME)  # close
    cross(227, 4, 17, 16, MARK)
    for x, y, w in ((170, 42, 67), (93, 213, 67), (62, 213, 25)):
        box(x, y, w, 17, CONTROL, FRAME)
    box(27, 46, 130, 128, CONTROL, FRAME)  # 2D slider's area
    for i in range(1, 4):
        fill(27 + i * 130 // 4, 47, 1, 126, FRAME)
        fill(28, 46 + i * 128 // 4, 128, 1, FRAME)
    for y in (75, 135, 195):
        knob(185, y, 37, 0.0)


def states():
    box(8, 257, 16, 16, LIT, FRAME)
    box(204, 257, 17, 16, LIT, FRAME)
    fill(208, 267, 9, 2, MARK)
    box(227, 257, 17, 16, LIT, FRAME)
    cross(227, 257, 17, 16, MARK)
    disc(37, 262, 14, MARK)
    disc(40, 265, 8, LIT)
    box(170, 275, 67, 17, LIT, FRAME)
    box(62, 275, 25, 17, LIT, FRAME)
    box(170, 293, 67, 17, HOVER, FRAME)
    for frame in range(25):
        knob(4 + 37 * (frame % 5), 312 + 37 * (frame // 5), 37, frame / 24.0)
    disc(4, 501, 37, (255, 255, 255, 255))


def png():
    rows = b"".join(b"\x00" + bytes(pixels[y * WIDTH * 4:(y + 1) * WIDTH * 4])
                    for y in range(HEIGHT))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


panel()
states()
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "EffectPanel.png"), "wb") as f:
    f.write(png())
