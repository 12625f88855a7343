"""Signed-distance shapes, colour mixing and deterministic noise.

Every shape is a signed distance in pixels (negative inside), so edges are
anti-aliased analytically from one sample per pixel: coverage() turns the
distance at a pixel centre into the fraction of the pixel the shape covers.
"""
import math


def clamp(value, low=0.0, high=1.0):
    return low if value < low else high if value > high else value


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def scale(colour, factor):
    return (colour[0] * factor, colour[1] * factor, colour[2] * factor)


def smoothstep(edge0, edge1, x):
    t = clamp((x - edge0) / (edge1 - edge0))
    return t * t * (3.0 - 2.0 * t)


def coverage(distance, softness=1.0):
    """Fraction of a pixel covered by a shape whose edge blurs over `softness` pixels."""
    return clamp(0.5 - distance / softness)


def circle(px, py, cx, cy, radius):
    return math.hypot(px - cx, py - cy) - radius


def ring(px, py, cx, cy, radius, half_width):
    return abs(math.hypot(px - cx, py - cy) - radius) - half_width


def rounded_rect(px, py, x0, y0, x1, y1, radius, bottom_radius=None):
    """Axis-aligned rectangle with rounded corners; the lower corners may use their own radius."""
    cx, cy = (x0 + x1) * 0.5, (y0 + y1) * 0.5
    r = radius if bottom_radius is None or py < cy else bottom_radius
    qx = abs(px - cx) - ((x1 - x0) * 0.5 - r)
    qy = abs(py - cy) - ((y1 - y0) * 0.5 - r)
    return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r


def tapered_segment(px, py, ax, ay, bx, by, radius_a, radius_b):
    """Capsule from a to b whose radius changes linearly along it (clock hands, strokes)."""
    dx, dy = bx - ax, by - ay
    length_sq = dx * dx + dy * dy
    t = clamp(((px - ax) * dx + (py - ay) * dy) / length_sq)
    return math.hypot(px - ax - dx * t, py - ay - dy * t) - (radius_a + (radius_b - radius_a) * t)


def segment(px, py, ax, ay, bx, by, radius):
    return tapered_segment(px, py, ax, ay, bx, by, radius, radius)


def clock_direction(degrees):
    """Unit vector on screen (y down) for a clock angle measured clockwise from twelve."""
    a = math.radians(degrees)
    return math.sin(a), -math.cos(a)


def _hash01(ix, iy, seed):
    h = (ix * 374761393 + iy * 668265263 + seed * 1442695041) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFFFF) / float(0x1000000)


def grain(ix, iy, seed):
    """Per-pixel white noise in [-1, 1)."""
    return _hash01(ix, iy, seed) * 2.0 - 1.0


def value_noise(x, y, seed):
    """Smooth noise in [0, 1) on a unit lattice."""
    ix, iy = math.floor(x), math.floor(y)
    fx, fy = x - ix, y - iy
    fx, fy = fx * fx * (3.0 - 2.0 * fx), fy * fy * (3.0 - 2.0 * fy)
    top = _hash01(ix, iy, seed) + (_hash01(ix + 1, iy, seed) - _hash01(ix, iy, seed)) * fx
    bottom = _hash01(ix, iy + 1, seed) + (_hash01(ix + 1, iy + 1, seed) - _hash01(ix, iy + 1, seed)) * fx
    return top + (bottom - top) * fy


def to_byte(value):
    return 0 if value <= 0.0 else 255 if value >= 255.0 else int(value + 0.5)


def render(width, height, shade):
    """Rows of 8-bit RGB triples from shade(px, py, ix, iy), sampled at pixel centres."""
    rows = []
    for iy in range(height):
        py = iy + 0.5
        row = []
        for ix in range(width):
            r, g, b = shade(ix + 0.5, py, ix, iy)
            row.append((to_byte(r), to_byte(g), to_byte(b)))
        rows.append(row)
    return rows
