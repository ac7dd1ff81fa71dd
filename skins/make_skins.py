#!/usr/bin/env python3
"""Draws the Bellwick clock faces.

Each skin is a folder holding two 65x65 pictures:
  Main.bmp   the face shown normally
  Blink.bmp  the face flashed while an alarm rings

The clock paints its white hands over the picture, turning about pixel
(31,31), and only the round window (2,2)-(63,63) is visible, so every face
keeps a dark middle and puts its markers near the edge.

Usage:
  python3 make_skins.py                    write skins/<Name>/*.bmp
  python3 make_skins.py --preview out.png  also write a 4x preview sheet
"""

import math
import os
import struct
import sys
import zlib

SIZE = 65
PIVOT = 31.5           # centre of pixel (31,31), where the hands turn
WINDOW_CENTRE = 32.5   # centre of the visible circle (2,2)-(63,63)
WINDOW_RADIUS = 30.5
FACE_RADIUS = 26.5     # the bezel is everything beyond this, seen from PIVOT
SUPERSAMPLE = 4

WHITE = (255, 255, 255)


# ---------------------------------------------------------------- colours

def hex_colour(text):
    value = int(text.lstrip("#"), 16)
    return (value >> 16, (value >> 8) & 0xFF, value & 0xFF)


def mix(a, b, t):
    """Blend colour a towards colour b; t=0 gives a, t=1 gives b."""
    t = min(1.0, max(0.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# ----------------------------------------------------------------- skins

def style(**colours_and_options):
    """A face description; colour strings become RGB tuples."""
    result = {}
    for key, value in colours_and_options.items():
        if isinstance(value, str) and value.startswith("#"):
            value = hex_colour(value)
        result[key] = value
    return result


def variant(base, **changes):
    return {**base, **style(**changes)}


# Options every face understands:
#   face_centre, face_edge   radial gradient of the dial
#   bezel_light, bezel_dark  rim, lit from the top left
#   edge_line                thin line where face and bezel meet
#   ring                     optional (inner radius, outer radius) accent ring
#   ring_colour
#   markers                  "bars" or "dots"
#   marker, major            colours of the hour markers / 12-3-6-9 markers
#   top_marker               colour of the 12 o'clock marker
#   minute_dots              colour of the 60 minute dots, or None
#   cap, cap_rim             the small disc under the hands

DEFAULT = style(
    face_centre="#1c2f5c", face_edge="#0a1330",
    bezel_light="#f2f4f8", bezel_dark="#6d7380", edge_line="#2b3140",
    ring=None, ring_colour=None,
    markers="bars", marker="#8fc4ff", major="#cfe6ff", top_marker="#cfe6ff",
    minute_dots="#4f78b0",
    cap="#c8ccd4", cap_rim="#50555f",
)
DEFAULT_BLINK = variant(
    DEFAULT,
    face_centre="#d4202a", face_edge="#7c0a10",
    bezel_light="#ffffff", bezel_dark="#9aa0ac", edge_line="#5a1010",
    marker="#ffe680", major="#ffffff", top_marker="#ffffff",
    minute_dots="#ff9a8a", cap="#ffe680", cap_rim="#7c0a10",
)

BLACK_WHITE = style(
    face_centre="#000000", face_edge="#000000",
    bezel_light="#ffffff", bezel_dark="#d8d8d8", edge_line="#000000",
    ring=None, ring_colour=None,
    markers="bars", marker="#ffffff", major="#ffffff", top_marker="#ffffff",
    minute_dots="#9a9a9a",
    cap="#ffffff", cap_rim="#000000",
)
BLACK_WHITE_BLINK = variant(
    BLACK_WHITE,
    face_centre="#e00000", face_edge="#b00000",
    bezel_light="#000000", bezel_dark="#000000", edge_line="#ffffff",
    minute_dots="#ffb0b0", cap="#000000", cap_rim="#ffffff",
)

GOLD = style(
    face_centre="#4a2a14", face_edge="#1e0f06",
    bezel_light="#fff0a8", bezel_dark="#8a5a10", edge_line="#3a2006",
    ring=(20.2, 20.7), ring_colour="#8a6424",
    markers="bars", marker="#e8c060", major="#ffe090", top_marker="#ffe090",
    minute_dots="#a07830",
    cap="#f0cc60", cap_rim="#5a3808",
)
GOLD_BLINK = variant(
    GOLD,
    face_centre="#d04800", face_edge="#761600",
    bezel_light="#fffad0", bezel_dark="#d0a030", edge_line="#601800",
    ring_colour="#ffe060", marker="#fff0a0", major="#ffffff",
    top_marker="#ffffff", minute_dots="#ffc070",
    cap="#fff0a0", cap_rim="#8a2000",
)

NEW_STYLE = style(
    face_centre="#34383e", face_edge="#1c1e22",
    bezel_light="#5a5f68", bezel_dark="#24272c", edge_line="#101214",
    ring=(25.0, 25.9), ring_colour="#1ec8b4",
    markers="dots", marker="#d8dde4", major="#ffffff", top_marker="#ff8a1e",
    minute_dots=None,
    cap="#ff8a1e", cap_rim="#1c1e22",
)
NEW_STYLE_BLINK = variant(
    NEW_STYLE,
    face_centre="#c8102a", face_edge="#700814",
    bezel_light="#ff9a3a", bezel_dark="#b04a00", edge_line="#400008",
    ring_colour="#ffe040", marker="#ffe8b0", major="#ffffff",
    top_marker="#ffe040", cap="#ffe040", cap_rim="#700814",
)

ORIGINAL = style(
    face_centre="#1e4a2e", face_edge="#0a2414",
    bezel_light="#dcc078", bezel_dark="#5e4212", edge_line="#241806",
    ring=(24.0, 24.5), ring_colour="#cbbf94",
    markers="bars", marker="#f2e6c4", major="#fff6dc", top_marker="#fff6dc",
    minute_dots="#cbbf94",
    cap="#e0c070", cap_rim="#3a2a08",
)
ORIGINAL_BLINK = variant(
    ORIGINAL,
    face_centre="#c81818", face_edge="#6a0808",
    ring_colour="#ffe8a0", marker="#fff4d0", major="#ffffff",
    top_marker="#ffffff", minute_dots="#ffd0a0",
)

SKINS = [
    ("Black-White", BLACK_WHITE, BLACK_WHITE_BLINK),
    ("Default", DEFAULT, DEFAULT_BLINK),
    ("Gold", GOLD, GOLD_BLINK),
    ("NewStyle", NEW_STYLE, NEW_STYLE_BLINK),
    ("Original", ORIGINAL, ORIGINAL_BLINK),
]


# --------------------------------------------------------------- drawing

def clock_angle(dx, dy):
    """Degrees clockwise from 12 o'clock for an offset from the pivot."""
    return math.degrees(math.atan2(dx, -dy)) % 360.0


def direction(degrees):
    a = math.radians(degrees)
    return math.sin(a), -math.cos(a)


def distance_to_mark(dx, dy, degrees, radius):
    """Distance from (dx,dy) to the point at `radius` in direction `degrees`."""
    ux, uy = direction(degrees)
    return math.hypot(dx - ux * radius, dy - uy * radius)


def on_bar(dx, dy, degrees, inner, outer, half_width):
    """True inside a radial bar running from `inner` to `outer`."""
    ux, uy = direction(degrees)
    along = dx * ux + dy * uy
    across = abs(dx * uy - dy * ux)
    return inner <= along <= outer and across <= half_width


def hour_marker_colour(face, dx, dy, angle):
    """Colour of the hour marker under this point, or None."""
    hour = round(angle / 30.0) % 12
    is_major = hour % 3 == 0
    if hour == 0:
        colour = face["top_marker"]
    elif is_major:
        colour = face["major"]
    else:
        colour = face["marker"]

    if face["markers"] == "dots":
        radius = 1.9 if is_major else 1.25
        if distance_to_mark(dx, dy, hour * 30, 22.8) <= radius:
            return colour
        return None

    if is_major:
        hit = on_bar(dx, dy, hour * 30, 21.0, 25.6, 1.25)
    else:
        hit = on_bar(dx, dy, hour * 30, 22.6, 25.6, 0.6)
    return colour if hit else None


def minute_dot_colour(face, dx, dy, angle):
    if face["minute_dots"] is None:
        return None
    minute = round(angle / 6.0) % 60
    if minute % 5 == 0:
        return None  # an hour marker sits here
    if distance_to_mark(dx, dy, minute * 6, 24.9) <= 0.5:
        return face["minute_dots"]
    return None


def bezel_colour(face, x, y, r):
    # Light falls from the top left: shade along the diagonal.
    t = ((x - PIVOT) + (y - PIVOT)) / (2 * WINDOW_RADIUS) * 0.5 + 0.5
    colour = mix(face["bezel_light"], face["bezel_dark"], t)
    window_r = math.hypot(x - WINDOW_CENTRE, y - WINDOW_CENTRE)
    # A fine line at the face edge and at the window edge gives the rim
    # crisp borders on any desktop.
    if r < FACE_RADIUS + 0.7 or WINDOW_RADIUS - 0.7 < window_r <= WINDOW_RADIUS:
        return face["edge_line"]
    return colour


def face_colour(face, x, y):
    """Colour of the dial at one (sub)pixel position."""
    dx, dy = x - PIVOT, y - PIVOT
    r = math.hypot(dx, dy)
    if r >= FACE_RADIUS:
        return bezel_colour(face, x, y, r)
    if r <= 2.6:
        return face["cap"] if r <= 2.0 else face["cap_rim"]

    angle = clock_angle(dx, dy)
    marker = hour_marker_colour(face, dx, dy, angle)
    if marker is not None:
        return marker
    dot = minute_dot_colour(face, dx, dy, angle)
    if dot is not None:
        return dot
    ring = face["ring"]
    if ring is not None and ring[0] <= r <= ring[1]:
        return face["ring_colour"]
    return mix(face["face_centre"], face["face_edge"], (r / FACE_RADIUS) ** 1.5)


def render(face):
    """65x65 rows of RGB tuples, each pixel averaged over 4x4 samples."""
    step = 1.0 / SUPERSAMPLE
    offsets = [(i + 0.5) * step for i in range(SUPERSAMPLE)]
    count = SUPERSAMPLE * SUPERSAMPLE
    rows = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            total = [0.0, 0.0, 0.0]
            for oy in offsets:
                for ox in offsets:
                    c = face_colour(face, px + ox, py + oy)
                    total[0] += c[0]
                    total[1] += c[1]
                    total[2] += c[2]
            row.append(tuple(int(round(v / count)) for v in total))
        rows.append(row)
    return rows


# --------------------------------------------------------------- writing

def bmp_bytes(rows):
    """A 24-bit bottom-up BMP, BGR pixels, rows padded to 4 bytes."""
    height, width = len(rows), len(rows[0])
    row_size = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b in row:
            pixels += bytes((b, g, r))
        pixels += bytes(row_size - width * 3)
    offset = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0,
                              len(pixels), 2835, 2835, 0, 0)
    return file_header + info_header + bytes(pixels)


def png_bytes(rows):
    """An 8-bit RGB PNG, no filtering."""
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


# --------------------------------------------------------------- preview

PREVIEW_SCALE = 4
PREVIEW_GAP = 12
DESKTOP = (96, 120, 150)


def in_window(px, py):
    return math.hypot(px + 0.5 - WINDOW_CENTRE, py + 0.5 - WINDOW_CENTRE) <= WINDOW_RADIUS


def near_segment(px, py, tip, half_width):
    """True if pixel (px,py) lies within half_width of the hand pivot->tip."""
    x, y = px + 0.5 - PIVOT, py + 0.5 - PIVOT
    tx, ty = tip
    t = max(0.0, min(1.0, (x * tx + y * ty) / (tx * tx + ty * ty)))
    return math.hypot(x - tx * t, y - ty * t) <= half_width


def with_hands_and_window(rows):
    """What the user sees at 10:10:30: white hands, the window cut round."""
    hands = [(305.25, 16, 1.0), (63.0, 20, 0.6), (180.0, 22, 0.5)]
    tips = []
    for degrees, length, half_width in hands:
        ux, uy = direction(degrees)
        tips.append(((ux * length, uy * length), half_width))
    seen = []
    for py, row in enumerate(rows):
        out = []
        for px, colour in enumerate(row):
            if not in_window(px, py):
                colour = DESKTOP
            elif any(near_segment(px, py, tip, hw) for tip, hw in tips):
                colour = WHITE
            out.append(colour)
        seen.append(out)
    return seen


def preview_sheet(pictures):
    """Main pictures on the top row, Blink pictures below, 4x scale."""
    cell = SIZE * PREVIEW_SCALE
    columns = len(pictures)
    width = PREVIEW_GAP + columns * (cell + PREVIEW_GAP)
    height = PREVIEW_GAP + 2 * (cell + PREVIEW_GAP)
    sheet = [[DESKTOP] * width for _ in range(height)]
    for column, (main, blink) in enumerate(pictures):
        for line, picture in enumerate((main, blink)):
            left = PREVIEW_GAP + column * (cell + PREVIEW_GAP)
            top = PREVIEW_GAP + line * (cell + PREVIEW_GAP)
            for py, row in enumerate(with_hands_and_window(picture)):
                for sy in range(PREVIEW_SCALE):
                    target = sheet[top + py * PREVIEW_SCALE + sy]
                    for px, colour in enumerate(row):
                        x = left + px * PREVIEW_SCALE
                        target[x:x + PREVIEW_SCALE] = [colour] * PREVIEW_SCALE
    return sheet


# ------------------------------------------------------------------ main

def main(argv):
    preview_path = None
    if len(argv) == 2 and argv[0] == "--preview":
        preview_path = argv[1]
    elif argv:
        sys.exit(__doc__)

    here = os.path.dirname(os.path.abspath(__file__))
    pictures = []
    for name, main_face, blink_face in SKINS:
        folder = os.path.join(here, name)
        os.makedirs(folder, exist_ok=True)
        main_rows, blink_rows = render(main_face), render(blink_face)
        for file_name, rows in (("Main.bmp", main_rows), ("Blink.bmp", blink_rows)):
            with open(os.path.join(folder, file_name), "wb") as f:
                f.write(bmp_bytes(rows))
        pictures.append((main_rows, blink_rows))
        print("wrote", os.path.join(name, "Main.bmp"), "and Blink.bmp")

    if preview_path:
        sheet = preview_sheet(pictures)
        with open(preview_path, "wb") as f:
            f.write(png_bytes([[tuple(int(v) for v in c) for c in row] for row in sheet]))
        print("wrote", preview_path)


if __name__ == "__main__":
    main(sys.argv[1:])
