"""A 640 x 480 close-up "photograph" of a wall clock dial for the About window.

Lit from the upper left, with a brass bezel, printed ivory dial, raised hands
casting soft shadows, a glass reflection, shallow depth of field (edges soften
away from the centre), vignetting and film grain.
"""
import math

from .shapes import (circle, clamp, clock_direction, coverage, grain, mix, render, scale, smoothstep,
                     tapered_segment, value_noise)

WIDTH, HEIGHT = 640, 480
CX, CY = 318.0, 246.0
DIAL_RADIUS = 232.0
BEZEL_RADIUS = 282.0
LIGHT = (-0.46, -0.56, 0.69)  # towards the light: up-left and in front
LIGHT_2D = (-0.635, -0.773)

IVORY = (238, 230, 210)
PRINT = (34, 30, 32)
BRASS = (184, 142, 78)
BLUED_STEEL = (30, 36, 52)
SIGNAL_RED = (190, 40, 34)
WALL = (86, 58, 40)

# Hands: clock angle, length, tail, base and tip half-widths, lift above the dial (shadow offset).
HOUR_HAND = (304.5, 0.56 * DIAL_RADIUS, 30.0, 8.0, 3.2, 5.0)
MINUTE_HAND = (54.0, 0.88 * DIAL_RADIUS, 38.0, 6.5, 2.2, 8.0)
SECOND_HAND = (216.0, 0.93 * DIAL_RADIUS, 62.0, 1.3, 1.0, 12.0)


def _softness(px, py):
    """Depth of field: sharp at the hub, softer towards the rim and beyond."""
    return 1.0 + 3.2 * (math.hypot(px - CX, py - CY) / 300.0) ** 2


def _wall(px, py):
    """Out-of-focus wood panelling with a few bokeh highlights and the clock's shadow."""
    grain_band = value_noise(px * 0.012, py * 0.0025, 7) * 0.6 + value_noise(px * 0.05, py * 0.01, 11) * 0.4
    colour = scale(WALL, 0.75 + 0.35 * grain_band)
    colour = scale(colour, 0.8 + 0.45 * (1.0 - clamp(math.hypot(px - 60.0, py - 20.0) / 640.0)))
    for bx, by, radius, strength in ((40, 70, 34, 0.25), (600, 40, 46, 0.2), (590, 420, 30, 0.18), (28, 440, 40, 0.14)):
        colour = mix(colour, (255, 214, 160), strength * coverage(circle(px, py, bx, by, radius), 10.0))
    # The clock's own soft shadow on the wall.
    return scale(colour, 1.0 - 0.6 * coverage(circle(px, py, CX + 16.0, CY + 22.0, BEZEL_RADIUS), 46.0))


def _bezel(px, py, r):
    """A polished brass ring with a rounded profile."""
    u = clamp((r - DIAL_RADIUS) / (BEZEL_RADIUS - DIAL_RADIUS))
    radial = -math.cos(math.pi * u)
    nx, ny, nz = radial * (px - CX) / r, radial * (py - CY) / r, math.sin(math.pi * u)
    diffuse = max(0.0, nx * LIGHT[0] + ny * LIGHT[1] + nz * LIGHT[2])
    hx, hy, hz = LIGHT[0], LIGHT[1], LIGHT[2] + 1.0
    half = math.sqrt(hx * hx + hy * hy + hz * hz)
    specular = max(0.0, (nx * hx + ny * hy + nz * hz) / half) ** 36
    brushed = 0.92 + 0.16 * value_noise(r * 1.7, math.atan2(py - CY, px - CX) * 6.0, 3)
    colour = scale(BRASS, (0.22 + 0.95 * diffuse) * brushed)
    colour = mix(colour, (255, 244, 220), min(1.0, 1.1 * specular))
    groove = 1.0 - 0.55 * coverage(abs(r - DIAL_RADIUS - 5.0) - 0.8, 1.5)
    return scale(colour, groove)


def _dial_paper(px, py, r):
    dx, dy = (px - CX) / r if r else 0.0, (py - CY) / r if r else 0.0
    lit = 1.0 + 0.07 * ((px - CX) * LIGHT_2D[0] + (py - CY) * LIGHT_2D[1]) / DIAL_RADIUS
    paper = 0.97 + 0.04 * value_noise(px * 0.35, py * 0.35, 5) + 0.02 * value_noise(px * 0.04, py * 0.04, 9)
    colour = scale(IVORY, lit * paper)
    # The bezel lip shades the dial edge nearest the light.
    facing = max(0.0, dx * LIGHT_2D[0] + dy * LIGHT_2D[1])
    shade = (1.0 - smoothstep(0.0, 8.0 + 22.0 * facing, DIAL_RADIUS - r)) * (0.12 + 0.45 * facing)
    return scale(colour, 1.0 - shade)


def _print_distance(px, py, r):
    """Distance to the printed chapter ring, minute track and hour batons."""
    track_outer, track_inner = 0.955 * DIAL_RADIUS, 0.885 * DIAL_RADIUS
    distance = min(abs(r - track_outer) - 0.8, abs(r - track_inner) - 0.6, abs(r - 0.58 * DIAL_RADIUS) - 0.5)
    angle = math.degrees(math.atan2(px - CX, CY - py)) % 360.0
    minute = round(angle / 6.0) % 60
    offset = math.radians(angle - minute * 6.0)
    along, across = r * math.cos(offset), r * math.sin(offset)
    if minute % 5:
        tick = max(abs(across) - 1.1, along - track_outer, track_inner - along)
    else:
        half_width = 6.5 if minute % 15 == 0 else 4.6
        inner = 0.68 * DIAL_RADIUS if minute % 15 == 0 else 0.73 * DIAL_RADIUS
        bar = abs(abs(across) - 6.0) if minute == 0 else abs(across)
        tick = max(bar - (3.4 if minute == 0 else half_width), along - track_outer, inner - along)
    return min(distance, tick)


def _hand_distance(px, py, hand, lift=0.0):
    degrees, length, tail, base, tip, _ = hand
    dx, dy = clock_direction(degrees)
    ox, oy = CX + lift * 0.7, CY + lift * 0.9
    distance = tapered_segment(px, py, ox - dx * tail, oy - dy * tail, ox + dx * length, oy + dy * length, base, tip)
    if hand is SECOND_HAND:
        counterweight = circle(px, py, ox - dx * 44.0, oy - dy * 44.0, 7.5)
        distance = min(distance, counterweight, abs(circle(px, py, ox + dx * 150.0, oy + dy * 150.0, 6.0)) - 1.4)
    return distance


def _hand_colour(px, py, hand, base_colour):
    """Hands are ridged: the half facing the light is brighter."""
    dx, dy = clock_direction(hand[0])
    across = (px - CX) * -dy + (py - CY) * dx
    normal_x, normal_y = -dy * (0.55 if across > 0 else -0.55), dx * (0.55 if across > 0 else -0.55)
    light = normal_x * LIGHT[0] + normal_y * LIGHT[1] + 0.83 * LIGHT[2]
    return mix(scale(base_colour, 0.7 + 0.6 * max(0.0, light)), (210, 215, 225), 0.25 * max(0.0, light - 0.7) * 3.0)


def _dial(px, py, r, softness):
    colour = _dial_paper(px, py, r)
    colour = mix(colour, PRINT, 0.92 * coverage(_print_distance(px, py, r), softness))
    for hand in (HOUR_HAND, MINUTE_HAND, SECOND_HAND):
        lift = hand[5]
        colour = scale(colour, 1.0 - 0.32 * coverage(_hand_distance(px, py, hand, lift), 2.0 + lift * 0.8))
    return colour


def _hands_and_hub(colour, px, py, softness):
    if math.hypot(px - CX, py - CY) > MINUTE_HAND[1] + 12.0:
        return colour
    for hand, base_colour in ((HOUR_HAND, BLUED_STEEL), (MINUTE_HAND, BLUED_STEEL), (SECOND_HAND, SIGNAL_RED)):
        amount = coverage(_hand_distance(px, py, hand), softness)
        if amount > 0.0:
            colour = mix(colour, _hand_colour(px, py, hand, base_colour), amount)
    hub = math.hypot(px - CX + 3.0, py - CY + 3.5) / 11.0
    colour = mix(colour, scale(BRASS, 1.25 - 0.6 * hub), coverage(circle(px, py, CX, CY, 11.0), softness))
    return mix(colour, (60, 48, 34), coverage(circle(px, py, CX, CY, 3.2), softness))


def _glass(colour, px, py, r):
    """A crescent reflection on the cover glass along the rim nearest the light."""
    facing = max(0.0, ((px - CX) * LIGHT_2D[0] + (py - CY) * LIGHT_2D[1]) / max(r, 1.0))
    rim = coverage(circle(px, py, CX, CY, DIAL_RADIUS - 8.0), 8.0)
    clear = coverage(circle(px, py, CX + 34.0, CY + 42.0, DIAL_RADIUS - 4.0), 36.0)
    crescent = rim * (1.0 - clear) * smoothstep(0.2, 0.9, facing)
    return mix(colour, (255, 255, 255), 0.32 * crescent + 0.03)


def _shade(px, py, ix, iy):
    r = math.hypot(px - CX, py - CY)
    softness = _softness(px, py)
    if r > BEZEL_RADIUS + 20.0:
        colour = _wall(px, py)
    else:
        colour = _bezel(px, py, max(r, 1.0)) if r > DIAL_RADIUS - 10.0 else (0.0, 0.0, 0.0)
        if r < DIAL_RADIUS + 10.0:
            dial = _hands_and_hub(_dial(px, py, r, softness), px, py, softness)
            dial = _glass(dial, px, py, r)
            colour = mix(colour, dial, coverage(r - DIAL_RADIUS, softness))
        if r > BEZEL_RADIUS - 20.0:
            colour = mix(_wall(px, py), colour, coverage(r - BEZEL_RADIUS, softness + 0.5))
    vignette = 1.0 - 0.42 * (math.hypot(px - WIDTH / 2, py - HEIGHT / 2) / 400.0) ** 2.2
    warm = (colour[0] * 1.03, colour[1] * 1.0, colour[2] * 0.93)
    noise = 3.0 * grain(ix, iy, 17)
    return tuple(c * vignette + noise for c in warm)


def render_photo():
    return render(WIDTH, HEIGHT, _shade)
