"""A small baseline JPEG encoder (JFIF, YCbCr 4:2:0, the standard Huffman tables)."""
import math
import struct

ZIGZAG = [
    0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5,
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6, 7, 14, 21, 28,
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
]

LUMINANCE_QUANT = [
    16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55,
    14, 13, 16, 24, 40, 57, 69, 56, 14, 17, 22, 29, 51, 87, 80, 62,
    18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99,
]
CHROMINANCE_QUANT = [
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
] + [99] * 32


def _ac_values(leading):
    """The standard AC symbol list: its most frequent symbols first, then every other (run, size) in order."""
    rest = [run << 4 | size for run in range(16) for size in range(1, 11) if run << 4 | size not in leading]
    return leading + rest


DC_LUMINANCE = ([0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0], list(range(12)))
DC_CHROMINANCE = ([0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0], list(range(12)))
AC_LUMINANCE = ([0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D], _ac_values([
    0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07,
    0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xA1, 0x08, 0x23, 0x42, 0xB1, 0xC1, 0x15, 0x52, 0xD1, 0xF0,
    0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0A, 0x16]))
AC_CHROMINANCE = ([0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77], _ac_values([
    0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71,
    0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xA1, 0xB1, 0xC1, 0x09, 0x23, 0x33, 0x52, 0xF0,
    0x15, 0x62, 0x72, 0xD1, 0x0A, 0x16, 0x24, 0x34, 0xE1, 0x25, 0xF1]))

_DCT = [[(math.sqrt(0.5) if u == 0 else 1.0) * 0.5 * math.cos((2 * x + 1) * u * math.pi / 16)
         for x in range(8)] for u in range(8)]


def _scaled_table(table, quality):
    factor = 5000 / quality if quality < 50 else 200 - 2 * quality
    return [min(255, max(1, int((q * factor + 50) // 100))) for q in table]


def _huffman_codes(table):
    counts, symbols = table
    assert sum(counts) == len(symbols) == len(set(symbols))
    codes, code, k = {}, 0, 0
    for length, count in enumerate(counts, start=1):
        for _ in range(count):
            codes[symbols[k]] = (code, length)
            code, k = code + 1, k + 1
        code <<= 1
    return codes


class _BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.buffer = 0
        self.count = 0

    def write(self, value, length):
        self.buffer = (self.buffer << length) | (value & ((1 << length) - 1))
        self.count += length
        while self.count >= 8:
            self.count -= 8
            byte = (self.buffer >> self.count) & 0xFF
            self.out.append(byte)
            if byte == 0xFF:
                self.out.append(0)  # byte stuffing: 0xFF in entropy data is followed by 0x00
        self.buffer &= (1 << self.count) - 1

    def flush(self):
        if self.count:
            self.write((1 << (8 - self.count)) - 1, 8 - self.count)


def _forward_dct(block):
    rows = [[sum(c * v for c, v in zip(basis, block[y * 8:y * 8 + 8])) for basis in _DCT] for y in range(8)]
    return [sum(_DCT[v][y] * rows[y][u] for y in range(8)) for v in range(8) for u in range(8)]


def _magnitude(value):
    size = abs(value).bit_length()
    return size, value if value >= 0 else value + (1 << size) - 1


def _encode_block(writer, block, table, previous_dc, dc_codes, ac_codes):
    coefficients = _forward_dct(block)
    quantised = [int(math.floor(coefficients[i] / table[i] + 0.5)) for i in ZIGZAG]
    size, bits = _magnitude(quantised[0] - previous_dc)
    writer.write(*dc_codes[size])
    writer.write(bits, size)
    run = 0
    for value in quantised[1:]:
        if value == 0:
            run += 1
            continue
        while run > 15:
            writer.write(*ac_codes[0xF0])
            run -= 16
        size, bits = _magnitude(value)
        writer.write(*ac_codes[run << 4 | size])
        writer.write(bits, size)
        run = 0
    if run:
        writer.write(*ac_codes[0x00])
    return quantised[0]


def _planes(rows):
    """Level-shifted Y, Cb and Cr planes (JFIF conversion)."""
    y_plane, cb_plane, cr_plane = [], [], []
    for row in rows:
        y_plane.append([0.299 * r + 0.587 * g + 0.114 * b - 128 for r, g, b in row])
        cb_plane.append([-0.168736 * r - 0.331264 * g + 0.5 * b for r, g, b in row])
        cr_plane.append([0.5 * r - 0.418688 * g - 0.081312 * b for r, g, b in row])
    return y_plane, cb_plane, cr_plane


def _block(plane, x0, y0):
    return [plane[y0 + y][x0 + x] for y in range(8) for x in range(8)]


def _half_block(plane, x0, y0):
    """An 8x8 block of the plane averaged over 2x2 pixels, starting at full-size (x0, y0)."""
    return [(plane[y0 + 2 * y][x0 + 2 * x] + plane[y0 + 2 * y][x0 + 2 * x + 1]
             + plane[y0 + 2 * y + 1][x0 + 2 * x] + plane[y0 + 2 * y + 1][x0 + 2 * x + 1]) * 0.25
            for y in range(8) for x in range(8)]


def _segment(marker, payload):
    return struct.pack('>HH', marker, len(payload) + 2) + payload


def jpeg_bytes(rows, quality=90):
    """A baseline JPEG of RGB rows whose width and height are multiples of 16."""
    height, width = len(rows), len(rows[0])
    assert width % 16 == 0 and height % 16 == 0
    luma_table = _scaled_table(LUMINANCE_QUANT, quality)
    chroma_table = _scaled_table(CHROMINANCE_QUANT, quality)
    dc_l, ac_l = _huffman_codes(DC_LUMINANCE), _huffman_codes(AC_LUMINANCE)
    dc_c, ac_c = _huffman_codes(DC_CHROMINANCE), _huffman_codes(AC_CHROMINANCE)
    y_plane, cb_plane, cr_plane = _planes(rows)
    writer = _BitWriter()
    dc = [0, 0, 0]
    for my in range(0, height, 16):
        for mx in range(0, width, 16):
            for bx, by in ((0, 0), (8, 0), (0, 8), (8, 8)):
                dc[0] = _encode_block(writer, _block(y_plane, mx + bx, my + by), luma_table, dc[0], dc_l, ac_l)
            dc[1] = _encode_block(writer, _half_block(cb_plane, mx, my), chroma_table, dc[1], dc_c, ac_c)
            dc[2] = _encode_block(writer, _half_block(cr_plane, mx, my), chroma_table, dc[2], dc_c, ac_c)
    writer.flush()

    def huffman_table(table_class, table_id, table):
        return bytes([table_class << 4 | table_id] + table[0] + table[1])

    return b''.join([
        b'\xFF\xD8',
        _segment(0xFFE0, b'JFIF\x00' + struct.pack('>BBBHHBB', 1, 1, 1, 96, 96, 0, 0)),
        _segment(0xFFDB, bytes([0] + [luma_table[i] for i in ZIGZAG] + [1] + [chroma_table[i] for i in ZIGZAG])),
        _segment(0xFFC0, struct.pack('>BHHB', 8, height, width, 3) + bytes([1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1])),
        _segment(0xFFC4, huffman_table(0, 0, DC_LUMINANCE) + huffman_table(1, 0, AC_LUMINANCE)
                 + huffman_table(0, 1, DC_CHROMINANCE) + huffman_table(1, 1, AC_CHROMINANCE)),
        _segment(0xFFDA, bytes([3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0])),
        bytes(writer.out),
        b'\xFF\xD9',
    ])
