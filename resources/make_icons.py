#!/usr/bin/env python3
"""Draws the two program icons.

  Bellwick.ico  the clock: a round face with hands at ten past ten
  Plannery.ico  the alarm editor: a calendar page with a small bell

Each icon holds one 32x32 picture with a 256-colour palette and a
transparency mask.

Usage:
  python3 make_icons.py                    write the .ico files
  python3 make_icons.py --preview out.png  also write an 8x preview
"""

import math
import os
import struct
import sys
import zlib

SIZE = 32
SUPERSAMPLE = 4
CLEAR = None  # a sample that lets the desktop show through


def hex_colour(text):
    value = int(text.lstrip("#"), 16)
    return (value >> 16, (value >> 8) & 0xFF, value & 0xFF)


def mix(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# ----------------------------------------------------------------- shapes

def distance_to_segment(x, y, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - x0 - dx * t, y - y0 - dy * t)


def in_rounded_rect(x, y, left, top, right, bottom, radius):
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return math.hypot(x - cx, y - cy) <= radius


def direction(degrees):
    """Unit vector for a clock angle (clockwise from 12, y pointing down)."""
    a = math.radians(degrees)
    return math.sin(a), -math.cos(a)


# ------------------------------------------------------------ clock icon

CLOCK_CENTRE = 16.0
NAVY, NAVY_EDGE = hex_colour("#24407a"), hex_colour("#0c1838")
SILVER_LIGHT, SILVER_DARK = hex_colour("#f4f6fa"), hex_colour("#6a7080")
OUTLINE = hex_colour("#1a1e28")
TICK = hex_colour("#a8d4ff")
WHITE = (255, 255, 255)
RED = hex_colour("#e8303a")


def clock_hand_colour(x, y):
    """White hour and minute hands at 10:10 and a red second hand."""
    c = CLOCK_CENTRE
    hands = [(305.0, 7.5, 1.3, WHITE), (60.0, 10.5, 0.95, WHITE),
             (165.0, 11.0, 0.45, RED)]
    for degrees, length, half_width, colour in reversed(hands):
        ux, uy = direction(degrees)
        if distance_to_segment(x, y, c, c, c + ux * length, c + uy * length) <= half_width:
            return colour
    return None


def clock_sample(x, y):
    dx, dy = x - CLOCK_CENTRE, y - CLOCK_CENTRE
    r = math.hypot(dx, dy)
    if r > 15.6:
        return CLEAR
    if r > 14.4:
        return OUTLINE
    if r > 12.6:
        # Rim lit from the top left.
        return mix(SILVER_LIGHT, SILVER_DARK, (dx + dy) / 30.0 + 0.5)
    if r > 12.0:
        return OUTLINE
    if r <= 1.6:
        return RED if r <= 1.0 else WHITE
    hand = clock_hand_colour(x, y)
    if hand is not None:
        return hand
    hour = round(math.degrees(math.atan2(dx, -dy)) / 30.0) % 12
    ux, uy = direction(hour * 30)
    along, across = dx * ux + dy * uy, abs(dx * uy - dy * ux)
    is_major = hour % 3 == 0
    inner = 8.2 if is_major else 9.6
    if inner <= along <= 11.4 and across <= (0.95 if is_major else 0.5):
        return WHITE if is_major else TICK
    return mix(NAVY, NAVY_EDGE, (r / 12.0) ** 1.5)


# --------------------------------------------------------- planner icon

PAGE = hex_colour("#fbfbf7")
PAGE_SHADE = hex_colour("#dcdcd4")
HEADER_LIGHT, HEADER_DARK = hex_colour("#3c78d8"), hex_colour("#1f4fa0")
GRID = hex_colour("#aeb6c4")
MARKED_DAY = hex_colour("#e8303a")
RING = hex_colour("#5a606c")
BELL_LIGHT, BELL_DARK = hex_colour("#ffe070"), hex_colour("#c88a10")
BELL_OUTLINE = hex_colour("#5a3a00")

PAGE_BOX = (2.5, 4.5, 27.5, 29.5)   # left, top, right, bottom
HEADER_BOTTOM = 11.0
BELL_X, BELL_Y = 23.5, 23.5         # centre of the bell's dome


def bell_shape(x, y, grow):
    """True inside the bell, enlarged by `grow` for its outline."""
    dx, dy = x - BELL_X, y - BELL_Y
    if math.hypot(dx, dy + 2.0) <= 4.2 + grow and dy <= -2.0:
        return True  # round crown
    if -2.0 <= dy <= 3.0 and abs(dx) <= 4.2 + 0.3 * (dy + 2.0) + grow:
        return True  # flaring waist
    if 3.0 <= dy <= 4.4 + grow and abs(dx) <= 6.3 + grow:
        return True  # the rim
    if math.hypot(dx, dy - 5.0) <= 1.5 + grow:
        return True  # the clapper
    return math.hypot(dx, dy + 6.9) <= 1.0 + grow  # the knob on top


def bell_sample(x, y):
    if bell_shape(x, y, 0.0):
        if y - BELL_Y > 4.4:
            return BELL_DARK  # clapper
        return mix(BELL_LIGHT, BELL_DARK, (x - BELL_X + 4.0) / 10.0)
    if bell_shape(x, y, 0.8):
        return BELL_OUTLINE
    return None


def calendar_sample(x, y):
    left, top, right, bottom = PAGE_BOX
    # Binder rings stand above the page.
    for ring_x in (9.0, 21.0):
        if abs(x - ring_x) <= 1.1 and 2.0 <= y <= 7.5:
            return RING
    if not in_rounded_rect(x, y, left - 0.8, top - 0.8, right + 0.8, bottom + 0.8, 3.0):
        return CLEAR
    if not in_rounded_rect(x, y, left, top, right, bottom, 2.3):
        return OUTLINE
    if y < HEADER_BOTTOM:
        return mix(HEADER_LIGHT, HEADER_DARK, (y - top) / (HEADER_BOTTOM - top))
    if y < HEADER_BOTTOM + 0.7:
        return HEADER_DARK
    # A 4x3 grid of day squares; one day is marked for an alarm.
    column, row = (x - 5.0) / 5.5, (y - 13.5) / 5.0
    if 0 <= column < 4 and 0 <= row < 3:
        inside_x, inside_y = column % 1.0, row % 1.0
        if inside_x < 0.62 and inside_y < 0.66:
            if int(column) == 1 and int(row) == 1:
                return MARKED_DAY
            return GRID
    return mix(PAGE, PAGE_SHADE, (y - HEADER_BOTTOM) / (bottom - HEADER_BOTTOM) * 0.6)


def planner_sample(x, y):
    bell = bell_sample(x, y)
    return bell if bell is not None else calendar_sample(x, y)


# -------------------------------------------------------------- rendering

def render(sample):
    """32x32 rows of (colour, coverage), averaged over 4x4 samples."""
    offsets = [(i + 0.5) / SUPERSAMPLE for i in range(SUPERSAMPLE)]
    rows = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            painted = [sample(px + ox, py + oy) for oy in offsets for ox in offsets]
            painted = [c for c in painted if c is not CLEAR]
            coverage = len(painted) / SUPERSAMPLE ** 2
            if painted:
                colour = tuple(sum(c[i] for c in painted) / len(painted) for i in range(3))
            else:
                colour = (0, 0, 0)
            row.append((colour, coverage))
        rows.append(row)
    return rows


def posterise(colour, step):
    return tuple(min(255, int(round(v / step)) * step) for v in colour)


def build_palette(rows):
    """Round colours more coarsely until the picture fits 256 entries.

    Index 0 stays black: it fills the transparent pixels.
    """
    opaque = [colour for row in rows for colour, coverage in row if coverage >= 0.5]
    step = 1
    while True:
        colours = sorted({posterise(c, step) for c in opaque} - {(0, 0, 0)})
        if len(colours) <= 255:
            return [(0, 0, 0)] + colours, step
        step += 1


def ico_bytes(rows):
    palette, step = build_palette(rows)
    index_of = {colour: i for i, colour in enumerate(palette)}
    pixels, mask = bytearray(), bytearray()
    for row in reversed(rows):   # both planes are stored bottom-up
        bits = 0
        for px, (colour, coverage) in enumerate(row):
            transparent = coverage < 0.5
            pixels.append(0 if transparent else index_of[posterise(colour, step)])
            bits = (bits << 1) | transparent
        mask += bits.to_bytes(SIZE // 8, "big")
    colour_table = bytearray()
    for r, g, b in palette + [(0, 0, 0)] * (256 - len(palette)):
        colour_table += bytes((b, g, r, 0))

    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0,
                       len(pixels) + len(mask), 0, 0, 0, 0)
    image = info + colour_table + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


# ---------------------------------------------------------------- preview

PREVIEW_SCALE = 8
PREVIEW_GAP = 16
CHECKER = ((200, 204, 212), (170, 176, 188))


def png_bytes(rows):
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for pixel in row:
            raw += bytes(pixel)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def preview_sheet(pictures):
    """The icons as Windows shows them (palette colours, hard mask) at 8x,
    on a checkerboard so the transparent corners are visible."""
    cell = SIZE * PREVIEW_SCALE
    width = PREVIEW_GAP + len(pictures) * (cell + PREVIEW_GAP)
    height = cell + 2 * PREVIEW_GAP
    sheet = [[CHECKER[(x // 16 + y // 16) % 2] for x in range(width)] for y in range(height)]
    for column, rows in enumerate(pictures):
        _, step = build_palette(rows)
        left = PREVIEW_GAP + column * (cell + PREVIEW_GAP)
        for py, row in enumerate(rows):
            for px, (colour, coverage) in enumerate(row):
                if coverage < 0.5:
                    continue
                shown = posterise(colour, step)
                for sy in range(PREVIEW_SCALE):
                    y = PREVIEW_GAP + py * PREVIEW_SCALE + sy
                    x = left + px * PREVIEW_SCALE
                    sheet[y][x:x + PREVIEW_SCALE] = [shown] * PREVIEW_SCALE
    return sheet


# ------------------------------------------------------------------- main

ICONS = [("Bellwick.ico", clock_sample), ("Plannery.ico", planner_sample)]


def main(argv):
    preview_path = None
    if len(argv) == 2 and argv[0] == "--preview":
        preview_path = argv[1]
    elif argv:
        sys.exit(__doc__)

    here = os.path.dirname(os.path.abspath(__file__))
    pictures = []
    for file_name, sample in ICONS:
        rows = render(sample)
        with open(os.path.join(here, file_name), "wb") as f:
            f.write(ico_bytes(rows))
        pictures.append(rows)
        print("wrote", file_name)

    if preview_path:
        with open(preview_path, "wb") as f:
            f.write(png_bytes(preview_sheet(pictures)))
        print("wrote", preview_path)


if __name__ == "__main__":
    main(sys.argv[1:])
