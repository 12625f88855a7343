"""The program icon: a calendar sheet with a clock in front of its corner.

Each size is drawn from its own layout rather than scaled from another, so the
small ones can keep whole-pixel strokes and fewer details, and the large ones
can carry more. The 32 px layout is the original design the others follow.
"""
import struct
from dataclasses import dataclass

from .encoders import PNG_SIGNATURE, icon_images, png_bytes, true_colour_icon_image
from .shapes import circle, clamp, clock_direction, coverage, mix, rounded_rect, segment, to_byte

INK = (26, 36, 50)
PAPER = (250, 252, 255)
FACE = (255, 255, 255)
TURQUOISE = (18, 138, 150)
STEEL = (150, 168, 188)
# The classic colours the 16-colour images may use: black, teal, silver, grey, white.
SIXTEEN_COLOUR_CHOICES = (0, 6, 7, 8, 15)


@dataclass(frozen=True)
class Hand:
    degrees: float  # clockwise from twelve
    length: float
    half_width: float
    colour: tuple = INK


@dataclass(frozen=True)
class Layout:
    """Where everything sits at one size, in that size's pixels (whole numbers fall on pixel edges)."""
    size: int
    sheet: tuple  # left, top, right, bottom of the sheet's ink outline
    sheet_radius: float
    outline: float
    header_bottom: float
    rings: tuple  # centre x of each binder ring
    ring_span: tuple  # top, bottom
    ring_half_width: float
    ring_radius: float  # 0 for square ends, half the width for round ones
    dot_first: tuple  # centre of the top left grid dot
    dot_pitch: float
    dot_grid: tuple  # columns, rows
    dot_half: float
    dot_colour: tuple
    clock: tuple  # centre x, centre y, outer radius
    rim: float
    clearance: float  # transparent gap cut around the clock so it stands clear of the sheet
    tick_count: int
    tick_span: tuple  # inner, outer radius
    tick_half_width: float
    hands: tuple
    hub_radius: float
    shadow: tuple = None  # offset, softness, opacity of the soft shadow under sheet and clock
    shaded: bool = False  # gentle gradients on the header and the face
    today: tuple = None  # column, row of the grid dot drawn in turquoise


class _Canvas:
    """Premultiplied RGBA accumulation for one pixel; a hard-edged canvas rounds every coverage to 0 or 1."""

    def __init__(self, antialiased):
        self.rgb = [0.0, 0.0, 0.0]
        self.alpha = 0.0
        self.antialiased = antialiased

    def paint(self, colour, amount):
        if not self.antialiased:
            amount = 1.0 if amount >= 0.5 else 0.0
        if amount <= 0.0:
            return
        for k in range(3):
            self.rgb[k] = colour[k] * amount + self.rgb[k] * (1.0 - amount)
        self.alpha = amount + self.alpha * (1.0 - amount)

    def erase(self, amount):
        if not self.antialiased:
            amount = 1.0 if amount >= 0.5 else 0.0
        keep = 1.0 - amount
        self.rgb = [c * keep for c in self.rgb]
        self.alpha *= keep

    def pixel(self):
        if self.alpha <= 0.0:
            return (0, 0, 0, 0)
        r, g, b = (to_byte(c / self.alpha) for c in self.rgb)
        return (r, g, b, to_byte(self.alpha * 255.0))


def _shadow(layout, canvas, distance_at):
    """A soft shadow of the shape whose signed distance distance_at(px, py) gives, dropped down and right."""
    offset, softness, opacity = layout.shadow
    canvas.paint(INK, opacity * coverage(distance_at(-offset * 0.5, -offset), softness))


def _calendar(layout, canvas, px, py):
    left, top, right, bottom = layout.sheet

    def sheet_at(dx, dy):
        return rounded_rect(px + dx, py + dy, left, top, right, bottom, layout.sheet_radius)

    if layout.shadow:
        _shadow(layout, canvas, sheet_at)
    sheet = sheet_at(0.0, 0.0)
    canvas.paint(INK, coverage(sheet))
    inner = sheet + layout.outline
    canvas.paint(PAPER, coverage(inner))
    header = TURQUOISE
    if layout.shaded:
        header = mix(mix(TURQUOISE, FACE, 0.22), TURQUOISE, clamp((py - top) / (layout.header_bottom - top)))
    canvas.paint(header, coverage(max(inner, py - layout.header_bottom)))
    _rings(layout, canvas, px, py)
    _grid(layout, canvas, px, py)


def _rings(layout, canvas, px, py):
    ring_top, ring_bottom = layout.ring_span
    half = layout.ring_half_width
    for x in layout.rings:
        if layout.shaded:
            # The hole in the header the ring passes through.
            canvas.paint(mix(TURQUOISE, INK, 0.6), coverage(circle(px, py, x, ring_bottom - half, half * 1.5)))
        canvas.paint(INK, coverage(rounded_rect(px, py, x - half, ring_top, x + half, ring_bottom, layout.ring_radius)))
        if layout.shaded:
            canvas.paint(mix(INK, FACE, 0.3), coverage(segment(px, py, x - half * 0.35, ring_top + half,
                                                                x - half * 0.35, ring_bottom - half, half * 0.22)))


def _grid(layout, canvas, px, py):
    # Dots never touch, so only the nearest one can cover this pixel.
    columns, rows = layout.dot_grid
    first_x, first_y = layout.dot_first
    column = min(max(round((px - first_x) / layout.dot_pitch), 0), columns - 1)
    row = min(max(round((py - first_y) / layout.dot_pitch), 0), rows - 1)
    cx, cy = first_x + column * layout.dot_pitch, first_y + row * layout.dot_pitch
    half = layout.dot_half
    corner = half * 0.3 if layout.shaded else 0.0
    colour = TURQUOISE if (column, row) == layout.today else layout.dot_colour
    canvas.paint(colour, coverage(rounded_rect(px, py, cx - half, cy - half, cx + half, cy + half, corner)))


def _clock(layout, canvas, px, py):
    cx, cy, radius = layout.clock
    canvas.erase(coverage(circle(px, py, cx, cy, radius + layout.clearance)))
    if layout.shadow:
        _shadow(layout, canvas, lambda dx, dy: circle(px + dx, py + dy, cx, cy, radius))
    canvas.paint(INK, coverage(circle(px, py, cx, cy, radius)))
    face_radius = radius - layout.rim
    face = FACE
    if layout.shaded:
        face = mix(FACE, (226, 233, 241), clamp((py - cy + face_radius) / (2.0 * face_radius)) ** 2)
    canvas.paint(face, coverage(circle(px, py, cx, cy, face_radius)))
    inner, outer = layout.tick_span
    for tick in range(layout.tick_count):
        degrees = tick * 360.0 / layout.tick_count
        # Between the quarters the ticks are shorter, so three, six, nine and twelve stand out.
        start = inner if degrees % 90.0 == 0.0 else (inner + outer) * 0.5
        dx, dy = clock_direction(degrees)
        canvas.paint(STEEL, coverage(segment(px, py, cx + dx * start, cy + dy * start,
                                             cx + dx * outer, cy + dy * outer, layout.tick_half_width)))
    for hand in layout.hands:
        dx, dy = clock_direction(hand.degrees)
        canvas.paint(hand.colour, coverage(segment(px, py, cx, cy, cx + dx * hand.length, cy + dy * hand.length,
                                                   hand.half_width)))
    if layout.hub_radius:
        canvas.paint(TURQUOISE, coverage(circle(px, py, cx, cy, layout.hub_radius)))
        if layout.shaded:
            canvas.paint(FACE, coverage(circle(px, py, cx, cy, layout.hub_radius * 0.4)))


def render_icon(layout, antialiased=True):
    """Rows of straight-alpha RGBA pixels."""
    rows = []
    for iy in range(layout.size):
        row = []
        for ix in range(layout.size):
            canvas = _Canvas(antialiased)
            _calendar(layout, canvas, ix + 0.5, iy + 0.5)
            _clock(layout, canvas, ix + 0.5, iy + 0.5)
            row.append(canvas.pixel())
        rows.append(row)
    return rows


# Up to 24 px every stroke is a whole pixel wide and lies on the pixel grid: the hands show nine
# o'clock rather than ten, the ticks and hub go, and the rim is just thick enough that its inner
# edge misses the pixel centres at twelve, three, six and nine. The single-pixel dots are darker
# so they still read against the paper. From 48 px on the grid gains a day marked as today and
# the face all twelve ticks; 256 px adds shading, shadows and a second hand.
LAYOUTS = (
    Layout(16, sheet=(1, 2, 13, 14), sheet_radius=1.0, outline=1.0, header_bottom=6.0,
           rings=(4.5, 9.5), ring_span=(1.0, 4.0), ring_half_width=0.5, ring_radius=0.0,
           dot_first=(3.5, 7.5), dot_pitch=2.0, dot_grid=(2, 3), dot_half=0.5, dot_colour=(120, 138, 160),
           clock=(11.5, 11.5, 4.5), rim=1.3, clearance=1.0, tick_count=0, tick_span=(0.0, 0.0), tick_half_width=0.0,
           hands=(Hand(270.0, 1.0, 0.5), Hand(0.0, 2.0, 0.5)), hub_radius=0.0),
    Layout(20, sheet=(1, 2, 16, 17), sheet_radius=1.5, outline=1.0, header_bottom=7.0,
           rings=(5.5, 11.5), ring_span=(1.0, 5.0), ring_half_width=0.5, ring_radius=0.0,
           dot_first=(4.5, 9.5), dot_pitch=2.0, dot_grid=(3, 3), dot_half=0.5, dot_colour=(120, 138, 160),
           clock=(14.5, 14.5, 5.5), rim=1.3, clearance=1.0, tick_count=0, tick_span=(0.0, 0.0), tick_half_width=0.0,
           hands=(Hand(270.0, 2.0, 0.5), Hand(0.0, 3.0, 0.5)), hub_radius=0.0),
    Layout(24, sheet=(1, 3, 19, 21), sheet_radius=2.0, outline=1.0, header_bottom=8.0,
           rings=(6.0, 14.0), ring_span=(1.0, 6.0), ring_half_width=1.0, ring_radius=0.0,
           dot_first=(5.0, 11.0), dot_pitch=3.0, dot_grid=(3, 3), dot_half=1.0, dot_colour=STEEL,
           clock=(17.5, 17.5, 6.5), rim=1.6, clearance=1.2, tick_count=0, tick_span=(0.0, 0.0), tick_half_width=0.0,
           hands=(Hand(270.0, 2.0, 0.5), Hand(0.0, 4.0, 0.5)), hub_radius=0.0),
    Layout(32, sheet=(2, 4, 26, 28), sheet_radius=2.5, outline=1.0, header_bottom=11.0,
           rings=(8.0, 20.0), ring_span=(1.5, 7.5), ring_half_width=1.0, ring_radius=1.0,
           dot_first=(7.0, 15.0), dot_pitch=4.0, dot_grid=(3, 3), dot_half=1.0, dot_colour=STEEL,
           clock=(22.5, 22.5, 8.6), rim=1.7, clearance=1.6, tick_count=4, tick_span=(5.0, 6.0), tick_half_width=0.6,
           hands=(Hand(300.0, 3.6, 0.85), Hand(0.0, 5.2, 0.85)), hub_radius=1.4),
    Layout(48, sheet=(3, 6, 39, 42), sheet_radius=3.5, outline=2.0, header_bottom=16.0,
           rings=(12.5, 29.5), ring_span=(2.0, 11.0), ring_half_width=1.5, ring_radius=1.5,
           dot_first=(10.5, 21.5), dot_pitch=6.0, dot_grid=(5, 3), dot_half=1.5, dot_colour=STEEL, today=(1, 1),
           clock=(33.5, 33.5, 13.5), rim=2.5, clearance=2.0, tick_count=12, tick_span=(7.0, 10.0), tick_half_width=0.5,
           hands=(Hand(300.0, 5.5, 1.5), Hand(0.0, 8.0, 1.5)), hub_radius=2.0),
    Layout(256, sheet=(16, 32, 208, 224), sheet_radius=20.0, outline=6.0, header_bottom=88.0,
           rings=(64.0, 160.0), ring_span=(12.0, 60.0), ring_half_width=8.0, ring_radius=8.0,
           dot_first=(48.0, 112.0), dot_pitch=28.0, dot_grid=(6, 4), dot_half=8.0, dot_colour=STEEL, today=(1, 1),
           clock=(180.0, 180.0, 69.0), rim=12.0, clearance=10.0, tick_count=12, tick_span=(44.0, 54.0),
           tick_half_width=3.0,
           hands=(Hand(300.0, 30.0, 6.0), Hand(0.0, 44.0, 5.0), Hand(130.0, 50.0, 2.0, TURQUOISE)), hub_radius=9.0,
           shadow=(6.0, 8.0, 0.25), shaded=True),
)
# The classic sizes also get 16- and 256-colour images for low-colour displays.
LOW_COLOUR_SIZES = (16, 32)
PNG_SIZE = 256


def icon_entries():
    """(size, bits, image) for every image the program icon holds, smallest size first."""
    entries = []
    for layout in LAYOUTS:
        rows = render_icon(layout)
        if layout.size == PNG_SIZE:
            entries.append((layout.size, 32, png_bytes(rows)))
        elif layout.size in LOW_COLOUR_SIZES:
            hard_edged = render_icon(layout, antialiased=False)
            entries += [(layout.size, bits, image)
                        for bits, image in icon_images(rows, hard_edged, SIXTEEN_COLOUR_CHOICES)]
        else:
            entries.append((layout.size, 32, true_colour_icon_image(rows)))
    return entries


def check_icon(ico):
    """Reads the ICO back: one image per size and bit depth, each where the directory says and of the size it
    claims, the largest one a PNG and the rest DIBs."""
    _, kind, count = struct.unpack_from('<HHH', ico, 0)
    assert kind == 1, 'not an icon file'
    found = set()
    for index in range(count):
        width, height, _, _, _, bits, length, offset = struct.unpack_from('<BBBBHHII', ico, 6 + 16 * index)
        assert width == height and offset + length <= len(ico), f'icon image {index} is malformed'
        size = width or 256
        image = ico[offset:offset + length]
        if size == PNG_SIZE:
            assert image.startswith(PNG_SIGNATURE), f'the {size} px image is not a PNG'
            assert struct.unpack_from('>II', image, 16) == (size, size), f'the {size} px PNG has the wrong size'
        else:
            assert struct.unpack_from('<iiHH', image, 4) == (size, 2 * size, 1, bits), \
                f'the {size} px {bits}-bit DIB header disagrees with the directory'
        found.add((size, bits))
    expected = {(layout.size, 32) for layout in LAYOUTS}
    expected |= {(size, bits) for size in LOW_COLOUR_SIZES for bits in (4, 8)}
    assert found == expected and count == len(expected), f'icon holds {sorted(found)}, not {sorted(expected)}'
