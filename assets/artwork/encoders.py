"""Writers for the picture formats the resources need: 24-bit BMP, PNG and multi-image ICO."""
import struct
import zlib

PIXELS_PER_METRE_96_DPI = 3780
PNG_SIGNATURE = b'\x89PNG\r\n\x1a\n'

# The sixteen colours of the classic Windows palette, in their usual order.
WINDOWS_16_COLOURS = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def _dib_header(width, height, bits, image_size, colours_used):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, image_size,
                       PIXELS_PER_METRE_96_DPI, PIXELS_PER_METRE_96_DPI, colours_used, 0)


def _row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def bmp24_bytes(rows):
    """A bottom-up 24-bit BMP file of RGB rows."""
    height, width = len(rows), len(rows[0])
    stride = _row_stride(width, 24)
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    offset = 14 + 40
    file_header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return file_header + _dib_header(width, height, 24, len(pixels), 0) + bytes(pixels)


def _distance(a, b):
    # Weighted towards green, as the eye is, so darks and greys map sensibly.
    return 2 * (a[0] - b[0]) ** 2 + 4 * (a[1] - b[1]) ** 2 + 3 * (a[2] - b[2]) ** 2


def nearest_index(colour, palette, usable=None):
    candidates = range(len(palette)) if usable is None else usable
    return min(candidates, key=lambda i: _distance(colour, palette[i]))


def median_cut_palette(colours, size):
    """At most `size` colours that represent `colours` (a list of RGB triples, repeats weigh more)."""
    boxes = [sorted(colours)]
    while len(boxes) < size:
        splittable = [b for b in boxes if len(set(b)) > 1]
        if not splittable:
            break
        box = max(splittable, key=lambda b: (max(_channel_ranges(b)), len(b)))
        channel = max(range(3), key=lambda c: _channel_ranges(box)[c])
        box.sort(key=lambda c: (c[channel], c))
        # Cut where the channel changes value, as near the middle as possible, so equal colours stay together.
        cuts = [i for i in range(1, len(box)) if box[i][channel] != box[i - 1][channel]]
        middle = min(cuts, key=lambda i: (abs(i - len(box) // 2), i))
        boxes = [b for b in boxes if b is not box] + [box[:middle], box[middle:]]
    return sorted(tuple(round(sum(c[k] for c in b) / len(b)) for k in range(3)) for b in boxes)


def _channel_ranges(box):
    return [max(c[k] for c in box) - min(c[k] for c in box) for k in range(3)]


def _mask_rows(rgba_rows):
    """The 1-bit AND mask: 1 where the icon is transparent."""
    width = len(rgba_rows[0])
    stride = _row_stride(width, 1)
    mask = bytearray()
    for row in reversed(rgba_rows):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return mask


def _indexed_icon_image(rgba_rows, palette, bits, usable=None):
    width, height = len(rgba_rows[0]), len(rgba_rows)
    stride = _row_stride(width, bits)
    per_byte = 8 // bits
    pixels = bytearray()
    for row in reversed(rgba_rows):
        line = bytearray(stride)
        for x, (r, g, b, a) in enumerate(row):
            # Transparent pixels must be black (index 0) so the XOR pass leaves the screen alone.
            index = nearest_index((r, g, b), palette, usable) if a >= 128 else 0
            shift = (per_byte - 1 - x % per_byte) * bits
            line[x // per_byte] |= index << shift
        pixels += line
    table = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    table += bytes(4 * ((1 << bits) - len(palette)))
    mask = _mask_rows(rgba_rows)
    header = _dib_header(width, height * 2, bits, len(pixels) + len(mask), 1 << bits)
    return header + table + bytes(pixels) + bytes(mask)


def true_colour_icon_image(rgba_rows):
    width, height = len(rgba_rows[0]), len(rgba_rows)
    pixels = bytearray()
    for row in reversed(rgba_rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask = _mask_rows(rgba_rows)
    return _dib_header(width, height * 2, 32, len(pixels) + len(mask), 0) + bytes(pixels) + bytes(mask)


def icon_images(true_colour_rows, sixteen_colour_rows, usable_16=None):
    """16-colour, 256-colour and 32-bit alpha icon images: (bits, DIB bytes).

    The 16-colour image comes from its own hard-edged drawing, as anti-aliased
    edges have no good match among the classic colours; usable_16 limits it to
    the classic colours the picture needs.
    """
    opaque = [(r, g, b) for row in true_colour_rows for r, g, b, a in row if a >= 128]
    palette_256 = [(0, 0, 0)] + [c for c in median_cut_palette(opaque, 255) if c != (0, 0, 0)]
    return [
        (4, _indexed_icon_image(sixteen_colour_rows, WINDOWS_16_COLOURS, 4, usable_16)),
        (8, _indexed_icon_image(true_colour_rows, palette_256, 8)),
        (32, true_colour_icon_image(true_colour_rows)),
    ]


def _png_chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))


def _paeth(left, up, up_left):
    estimate = left + up - up_left
    near_left, near_up, near_up_left = abs(estimate - left), abs(estimate - up), abs(estimate - up_left)
    if near_left <= near_up and near_left <= near_up_left:
        return left
    return up if near_up <= near_up_left else up_left


def _filtered_rows(raw_rows, bytes_per_pixel):
    """Each row with whichever PNG filter leaves it smallest by the usual sum-of-magnitudes guess."""
    previous = bytes(len(raw_rows[0]))
    out = bytearray()
    for raw in raw_rows:
        candidates = []
        for kind in range(5):
            line = bytearray(len(raw))
            for i, value in enumerate(raw):
                left = raw[i - bytes_per_pixel] if i >= bytes_per_pixel else 0
                up = previous[i]
                up_left = previous[i - bytes_per_pixel] if i >= bytes_per_pixel else 0
                predictor = (0, left, up, (left + up) // 2, _paeth(left, up, up_left))[kind]
                line[i] = (value - predictor) & 0xFF
            candidates.append((sum(min(v, 256 - v) for v in line), kind, line))
        _, kind, line = min(candidates, key=lambda c: (c[0], c[1]))
        out += bytes((kind,)) + line
        previous = raw
    return bytes(out)


def png_bytes(rgba_rows):
    """An 8-bit RGBA PNG file of straight-alpha rows."""
    width, height = len(rgba_rows[0]), len(rgba_rows)
    raw_rows = [bytes(channel for pixel in row for channel in pixel) for row in rgba_rows]
    header = struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)
    return (PNG_SIGNATURE + _png_chunk(b'IHDR', header)
            + _png_chunk(b'IDAT', zlib.compress(_filtered_rows(raw_rows, 4), 9)) + _png_chunk(b'IEND', b''))


def ico_bytes(images):
    """An ICO file of (size, bits, image) entries; an image is a DIB or, for 256 px, a PNG file."""
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, data = b'', b''
    for size, bits, image in images:
        colour_count = 1 << bits if bits < 8 else 0
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, colour_count, 0, 1, bits,
                               len(image), offset + len(data))
        data += image
    return directory + entries + data
