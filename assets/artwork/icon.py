"""The 32 x 32 program icon: a calendar sheet with a clock in front of its corner."""
from .shapes import circle, clock_direction, coverage, rounded_rect, segment, to_byte

SIZE = 32
INK = (26, 36, 50)
PAPER = (250, 252, 255)
TURQUOISE = (18, 138, 150)
STEEL = (150, 168, 188)
CLOCK_X, CLOCK_Y, CLOCK_RADIUS = 22.5, 22.5, 8.6
CLEARANCE = 1.6  # transparent gap cut around the clock so it stands clear of the sheet
# The classic colours the 16-colour image may use: black, teal, silver, grey, white.
SIXTEEN_COLOUR_CHOICES = (0, 6, 7, 8, 15)


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


def _calendar(canvas, px, py):
    # Edges sit on whole pixels so the 16- and 256-colour images stay crisp.
    sheet = rounded_rect(px, py, 2.0, 4.0, 26.0, 28.0, 2.5)
    canvas.paint(INK, coverage(sheet))
    inner = sheet + 1.0
    canvas.paint(PAPER, coverage(inner))
    canvas.paint(TURQUOISE, coverage(max(inner, py - 11.0)))
    for ring_x in (8.0, 20.0):
        canvas.paint(INK, coverage(segment(px, py, ring_x, 2.5, ring_x, 6.5, 1.0)))
    for row in range(3):
        for column in range(3):
            cx, cy = 7.0 + column * 4.0, 15.0 + row * 4.0
            canvas.paint(STEEL, coverage(rounded_rect(px, py, cx - 1.0, cy - 1.0, cx + 1.0, cy + 1.0, 0.0)))


def _clock(canvas, px, py):
    canvas.erase(coverage(circle(px, py, CLOCK_X, CLOCK_Y, CLOCK_RADIUS + CLEARANCE)))
    canvas.paint(INK, coverage(circle(px, py, CLOCK_X, CLOCK_Y, CLOCK_RADIUS)))
    canvas.paint((255, 255, 255), coverage(circle(px, py, CLOCK_X, CLOCK_Y, CLOCK_RADIUS - 1.7)))
    for hour in (0, 3, 6, 9):
        dx, dy = clock_direction(hour * 30)
        canvas.paint(STEEL, coverage(segment(px, py, CLOCK_X + dx * 5.0, CLOCK_Y + dy * 5.0,
                                             CLOCK_X + dx * 6.0, CLOCK_Y + dy * 6.0, 0.6)))
    for degrees, length in ((300.0, 3.6), (0.0, 5.2)):
        dx, dy = clock_direction(degrees)
        canvas.paint(INK, coverage(segment(px, py, CLOCK_X, CLOCK_Y, CLOCK_X + dx * length, CLOCK_Y + dy * length, 0.85)))
    canvas.paint(TURQUOISE, coverage(circle(px, py, CLOCK_X, CLOCK_Y, 1.4)))


def render_icon(antialiased=True):
    """Rows of straight-alpha RGBA pixels."""
    rows = []
    for iy in range(SIZE):
        row = []
        for ix in range(SIZE):
            canvas = _Canvas(antialiased)
            _calendar(canvas, ix + 0.5, iy + 0.5)
            _clock(canvas, ix + 0.5, iy + 0.5)
            row.append(canvas.pixel())
        rows.append(row)
    return rows
