"""The 350 x 140 background of the drop-down strip.

Pure red is the window's colour key, so every pixel is either exactly red
(cut away) or clearly part of the panel: the panel's outline is decided per
pixel centre and anti-aliased only against its own dark border, never
against red. The window shows the top 138 rows; the bottom two stay red.
"""
from .shapes import (clamp, coverage, mix, render, rounded_rect, ring, segment, circle,
                     clock_direction, smoothstep)

WIDTH, HEIGHT = 350, 140
VISIBLE_HEIGHT = 138
KEY = (255, 0, 0)

# Where the window's labels sit (x, y, width, height): they are drawn over the
# skin with transparent backgrounds in dark ink, so these areas stay light.
TITLE_RECT = (16, 8, 137, 25)
COUNTER_RECT = (24, 40, 169, 33)
DATE_RECT = (102, 104, 243, 29)

INK = (30, 44, 62)
PANEL_TOP = (252, 253, 255)
PANEL_BOTTOM = (224, 233, 243)
WHITE = (255, 255, 255)
STEEL = (112, 140, 170)
STEEL_LIGHT = (198, 211, 226)
TURQUOISE = (22, 146, 158)
TURQUOISE_LIGHT = (92, 196, 204)

BORDER_WIDTH = 1.5
TOP_RADIUS, BOTTOM_RADIUS = 8.0, 12.0
BAND_TOP = 134.0  # the turquoise band along the bottom edge: what stays on screen when parked
DIAL_X, DIAL_Y, DIAL_RADIUS = 292.0, 50.0, 34.0
PILL = (95.0, 100.0, 345.0, 133.0, 7.0)
CALENDAR = (34.0, 103.0, 62.0, 130.0)


def panel_distance(px, py):
    return rounded_rect(px, py, 0.0, 0.0, WIDTH, VISIBLE_HEIGHT, TOP_RADIUS, BOTTOM_RADIUS)


def _over(base, colour, amount):
    return mix(base, colour, amount) if amount > 0.0 else base


def _background(py):
    colour = mix(PANEL_TOP, PANEL_BOTTOM, (py / VISIBLE_HEIGHT) ** 1.3)
    return mix(colour, WHITE, 0.5 * (1.0 - smoothstep(0.0, 44.0, py)))


def _clock_watermark(colour, px, py):
    """A quiet 10:10 clock face in the free space right of the counter."""
    if abs(px - DIAL_X) > DIAL_RADIUS + 6 or abs(py - DIAL_Y) > DIAL_RADIUS + 6:
        return colour
    colour = _over(colour, STEEL_LIGHT, 0.55 * coverage(circle(px, py, DIAL_X + 1, DIAL_Y + 2, DIAL_RADIUS), 4.0))
    colour = _over(colour, (246, 249, 252), coverage(circle(px, py, DIAL_X, DIAL_Y, DIAL_RADIUS)))
    colour = _over(colour, STEEL, coverage(ring(px, py, DIAL_X, DIAL_Y, DIAL_RADIUS - 1.0, 1.1)))
    for hour in range(12):
        dx, dy = clock_direction(hour * 30)
        inner = DIAL_RADIUS - (9.0 if hour % 3 == 0 else 6.5)
        width = 1.3 if hour % 3 == 0 else 0.7
        colour = _over(colour, STEEL, coverage(segment(
            px, py, DIAL_X + dx * inner, DIAL_Y + dy * inner,
            DIAL_X + dx * (DIAL_RADIUS - 4.0), DIAL_Y + dy * (DIAL_RADIUS - 4.0), width)))
    for degrees, length, width, tint in ((305.0, 16.0, 1.9, INK), (60.0, 25.0, 1.3, INK), (216.0, 27.0, 0.6, TURQUOISE)):
        dx, dy = clock_direction(degrees)
        colour = _over(colour, tint, 0.85 * coverage(segment(
            px, py, DIAL_X - dx * 5.0, DIAL_Y - dy * 5.0, DIAL_X + dx * length, DIAL_Y + dy * length, width)))
    return _over(colour, TURQUOISE, coverage(circle(px, py, DIAL_X, DIAL_Y, 2.6)))


def _calendar_glyph(colour, px, py):
    """A small calendar sheet beside the date line."""
    x0, y0, x1, y1 = CALENDAR
    if not (x0 - 4 <= px <= x1 + 4 and y0 - 5 <= py <= y1 + 4):
        return colour
    sheet = rounded_rect(px, py, x0, y0, x1, y1, 3.0)
    colour = _over(colour, STEEL_LIGHT, 0.6 * coverage(rounded_rect(px, py, x0 + 1, y0 + 2, x1 + 1, y1 + 2, 3.0), 3.0))
    colour = _over(colour, WHITE, coverage(sheet))
    colour = _over(colour, TURQUOISE, coverage(max(sheet, py - (y0 + 8.0))))
    colour = _over(colour, STEEL, coverage(abs(sheet + 0.5) - 0.5))
    for ring_x in (x0 + 8.0, x1 - 8.0):
        colour = _over(colour, INK, coverage(segment(px, py, ring_x, y0 - 3.0, ring_x, y0 + 3.0, 1.2)))
    for row in range(3):
        for column in range(4):
            cx, cy = x0 + 5.5 + column * 5.7, y0 + 12.5 + row * 5.0
            cell_colour = TURQUOISE if (row, column) == (1, 2) else STEEL
            colour = _over(colour, cell_colour, coverage(rounded_rect(px, py, cx - 1.6, cy - 1.4, cx + 1.6, cy + 1.4, 0.6)))
    return colour


def _date_pill(colour, px, py):
    """The light, outlined field behind the black date line."""
    x0, y0, x1, y1, radius = PILL
    distance = rounded_rect(px, py, x0, y0, x1, y1, radius)
    fill = mix(WHITE, (244, 248, 252), clamp((py - y0) / (y1 - y0)))
    colour = _over(colour, fill, coverage(distance))
    return _over(colour, STEEL_LIGHT, coverage(abs(distance + 0.5) - 0.5))


def _decorations(px, py):
    colour = _background(py)
    colour = _over(colour, TURQUOISE, coverage(segment(px, py, 8.0, 12.0, 8.0, 29.0, 1.8)))
    colour = _clock_watermark(colour, px, py)
    # An etched rule between the counter and the date line.
    fade = smoothstep(14.0, 40.0, px) * (1.0 - smoothstep(300.0, 336.0, px))
    colour = _over(colour, STEEL_LIGHT, fade * coverage(abs(py - 92.5) - 0.5))
    colour = _over(colour, WHITE, fade * coverage(abs(py - 93.5) - 0.5))
    colour = _date_pill(colour, px, py)
    colour = _calendar_glyph(colour, px, py)
    band = mix(TURQUOISE_LIGHT, TURQUOISE, smoothstep(BAND_TOP, BAND_TOP + 2.5, py))
    return _over(colour, band, coverage(BAND_TOP - py))


def _shade(px, py, ix, iy):
    distance = panel_distance(px, py)
    if distance >= 0.0:
        return KEY
    colour = _decorations(px, py)
    # The border closes the panel on the sides and the top; the bottom edge keeps the
    # turquoise band so the parked strip shows on dark and light desktops alike.
    border = INK if py < BAND_TOP else TURQUOISE
    colour = _over(colour, WHITE, 0.7 * coverage(abs(distance + BORDER_WIDTH + 0.5) - 0.5) * (py < BAND_TOP))
    return mix(border, colour, coverage(distance + BORDER_WIDTH))


def render_skin():
    return render(WIDTH, HEIGHT, _shade)


def luminance(rgb):
    def linear(c):
        c /= 255.0
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def check_skin(rows):
    """Refuse a skin the colour key would spoil or on which dark labels would be hard to read."""
    assert len(rows) == HEIGHT and all(len(row) == WIDTH for row in rows)
    for y, row in enumerate(rows):
        for x, (r, g, b) in enumerate(row):
            if (r, g, b) == KEY:
                assert panel_distance(x + 0.5, y + 0.5) >= 0.0, f'key colour inside the panel at {x},{y}'
            else:
                assert not (r > 150 and r - max(g, b) > 90), f'reddish fringe pixel {x},{y}: {r},{g},{b}'
    assert all(pixel == KEY for pixel in rows[VISIBLE_HEIGHT] + rows[VISIBLE_HEIGHT + 1])
    for x0, y0, w, h in (TITLE_RECT, COUNTER_RECT, DATE_RECT):
        darkest = min(luminance(rows[y][x]) for y in range(y0, y0 + h) for x in range(x0, x0 + w))
        # Contrast against black text = (L + 0.05) / 0.05; 0.55 gives 12:1.
        assert darkest >= 0.55, f'label area {x0},{y0} too dark for black text ({darkest:.2f})'
    visible_bottom = sum(1 for pixel in rows[VISIBLE_HEIGHT - 1] if pixel != KEY)
    assert visible_bottom >= 0.85 * WIDTH, 'the parked strip would be too short to find'
