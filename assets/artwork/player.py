"""The 350 x 140 background of the song player window.

Drawn in the strip skin's palette: a light gradient with a turquoise band
along the bottom, a quiet disc with a pair of beamed eighth notes on the left
and an equaliser on the right. The middle, where the window's Play and Stop
buttons sit, stays plain so the buttons read clearly. The window's client
area is one pixel narrower and shorter, so the last column and row are hidden.
"""
import math

from .shapes import circle, clamp, coverage, mix, render, ring, rounded_rect, segment, smoothstep
from .skin import (INK, PANEL_BOTTOM, PANEL_TOP, STEEL, STEEL_LIGHT, TURQUOISE, TURQUOISE_LIGHT, WHITE,
                   luminance)

WIDTH, HEIGHT = 350, 140
VISIBLE_WIDTH, VISIBLE_HEIGHT = 349, 139

# The Play and Stop buttons at 96 dots per inch (x, y, width, height).
BUTTON_RECTS = ((160, 32, 81, 33), (160, 80, 81, 33))
CALM_MARGIN = 10  # plain background kept around each button

DISC_FACE = (246, 249, 252)
BAND_TOP = 134.0

DISC_X, DISC_Y, DISC_RADIUS = 76.0, 64.0, 40.0
# Note heads (centre x, centre y) and the top of each stem; the beam joins the stem tops.
NOTE_HEADS = ((63.0, 83.0), (91.0, 76.0))
STEM_TOPS = (46.0, 39.0)
HEAD_RADII = (6.4, 4.5)
HEAD_TILT = math.radians(-24.0)
BEAM_HALF_THICKNESS = 2.6

# Equaliser: bar heights from left to right, standing on a common baseline.
EQ_LEFT, EQ_BAR_WIDTH, EQ_GAP, EQ_BASELINE = 262.0, 6.0, 4.0, 108.0
EQ_HEIGHTS = (16.0, 30.0, 46.0, 36.0, 54.0, 40.0, 26.0, 18.0)
EQ_PEAK_LIFT = 4.0
EQ_REFLECTION_DEPTH = 12.0


def _over(base, colour, amount):
    return mix(base, colour, amount) if amount > 0.0 else base


def _background(py):
    colour = mix(PANEL_TOP, PANEL_BOTTOM, (py / VISIBLE_HEIGHT) ** 1.3)
    return mix(colour, WHITE, 0.5 * (1.0 - smoothstep(0.0, 44.0, py)))


def _note_head(px, py, cx, cy):
    """Signed distance to a tilted oval note head (close enough near its edge for anti-aliasing)."""
    dx, dy = px - cx, py - cy
    c, s = math.cos(HEAD_TILT), math.sin(HEAD_TILT)
    u, v = dx * c + dy * s, -dx * s + dy * c
    a, b = HEAD_RADII
    return (math.hypot(u / a, v / b) - 1.0) * min(a, b)


def _beam(px, py):
    """A parallelogram from one stem top to the other, slanted with the stems' tops."""
    (x0, _), (x1, _) = NOTE_HEADS
    x0, x1 = x0 + HEAD_RADII[0] - 1.0, x1 + HEAD_RADII[0] - 1.0
    y0, y1 = STEM_TOPS
    slope = (y1 - y0) / (x1 - x0)
    across = abs(py - (y0 + (px - x0) * slope)) / math.hypot(1.0, slope) - BEAM_HALF_THICKNESS
    return max(across, x0 - 1.1 - px, px - x1 - 1.1)


def _music_disc(colour, px, py):
    """A soft disc like the strip's clock face, carrying two beamed eighth notes."""
    if abs(px - DISC_X) > DISC_RADIUS + 6 or abs(py - DISC_Y) > DISC_RADIUS + 6:
        return colour
    colour = _over(colour, STEEL_LIGHT, 0.55 * coverage(circle(px, py, DISC_X + 1, DISC_Y + 2, DISC_RADIUS), 4.0))
    colour = _over(colour, DISC_FACE, coverage(circle(px, py, DISC_X, DISC_Y, DISC_RADIUS)))
    colour = _over(colour, STEEL, coverage(ring(px, py, DISC_X, DISC_Y, DISC_RADIUS - 1.0, 1.1)))
    # Faint grooves, as on a record.
    for radius in (DISC_RADIUS - 6.0, DISC_RADIUS - 10.0):
        colour = _over(colour, STEEL_LIGHT, 0.6 * coverage(ring(px, py, DISC_X, DISC_Y, radius, 0.35)))
    for (cx, cy), top in zip(NOTE_HEADS, STEM_TOPS):
        stem_x = cx + HEAD_RADII[0] - 1.0
        colour = _over(colour, INK, 0.9 * coverage(segment(px, py, stem_x, cy - 1.5, stem_x, top, 1.05)))
        colour = _over(colour, INK, 0.9 * coverage(_note_head(px, py, cx, cy)))
    return _over(colour, TURQUOISE, coverage(_beam(px, py)))


def _equaliser(colour, px, py):
    """Bars with peak marks on an etched baseline, and their faint reflection below it."""
    right = EQ_LEFT + len(EQ_HEIGHTS) * (EQ_BAR_WIDTH + EQ_GAP) - EQ_GAP
    if not (EQ_LEFT - 8 <= px <= right + 8 and py <= EQ_BASELINE + EQ_REFLECTION_DEPTH + 2):
        return colour
    fade = smoothstep(EQ_LEFT - 8, EQ_LEFT + 4, px) * (1.0 - smoothstep(right - 4, right + 8, px))
    colour = _over(colour, STEEL_LIGHT, fade * coverage(abs(py - (EQ_BASELINE + 1.5)) - 0.5))
    colour = _over(colour, WHITE, fade * coverage(abs(py - (EQ_BASELINE + 2.5)) - 0.5))
    for index, height in enumerate(EQ_HEIGHTS):
        x0 = EQ_LEFT + index * (EQ_BAR_WIDTH + EQ_GAP)
        x1 = x0 + EQ_BAR_WIDTH
        if not x0 - 1 <= px <= x1 + 1:
            continue
        top = EQ_BASELINE - height
        if py <= EQ_BASELINE + 1:
            bar = max(rounded_rect(px, py, x0, top, x1, EQ_BASELINE + 4.0, 1.6), py - EQ_BASELINE)
            tint = mix(TURQUOISE_LIGHT, TURQUOISE, smoothstep(top, EQ_BASELINE, py))
            colour = _over(colour, tint, coverage(bar))
            peak_y = top - EQ_PEAK_LIFT
            colour = _over(colour, STEEL, coverage(rounded_rect(px, py, x0, peak_y - 1.0, x1, peak_y + 1.0, 0.8)))
        else:
            depth = py - (EQ_BASELINE + 3.0)
            if 0.0 <= depth <= min(height, EQ_REFLECTION_DEPTH):
                strength = 0.22 * (1.0 - depth / EQ_REFLECTION_DEPTH)
                colour = _over(colour, TURQUOISE_LIGHT, strength * coverage(max(x0 - px, px - x1)))
    return colour


def _shade(px, py, ix, iy):
    colour = _background(py)
    colour = _music_disc(colour, px, py)
    colour = _equaliser(colour, px, py)
    band = mix(TURQUOISE_LIGHT, TURQUOISE, smoothstep(BAND_TOP, BAND_TOP + 2.5, py))
    colour = _over(colour, band, coverage(BAND_TOP - py))
    # A white highlight line sets the band off from the gradient above it.
    return _over(colour, WHITE, 0.7 * coverage(abs(py - (BAND_TOP - 0.5)) - 0.5) * clamp(BAND_TOP - py))


def render_player():
    return render(WIDTH, HEIGHT, _shade)


def check_player(rows):
    """Refuse a background on which the buttons would sit on busy or dark ground."""
    assert len(rows) == HEIGHT and all(len(row) == WIDTH for row in rows)
    for x0, y0, w, h in BUTTON_RECTS:
        area = [row[x0 - CALM_MARGIN:x0 + w + CALM_MARGIN] for row in rows[y0 - CALM_MARGIN:y0 + h + CALM_MARGIN]]
        # Only the gentle vertical gradient may show there: no glyph, edge or rule.
        assert all(len(set(line)) == 1 for line in area), f'detail beside the button at {x0},{y0}'
        steps = [max(abs(a - b) for a, b in zip(upper[0], lower[0])) for upper, lower in zip(area, area[1:])]
        assert max(steps) <= 2, f'an edge runs beside the button at {x0},{y0}'
        darkest = min(luminance(line[0]) for line in area)
        assert darkest >= 0.7, f'ground beside the button at {x0},{y0} too dark ({darkest:.2f})'
    visible_bottom = rows[VISIBLE_HEIGHT - 1][:VISIBLE_WIDTH]
    assert all(b > r for r, _, b in visible_bottom), 'the turquoise band must reach the last visible row'
