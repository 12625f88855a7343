#!/usr/bin/env python3
"""Writes the seed corpus of the calendar fuzzer into fuzz/corpus/.

Each seed is: flags byte, int16 month count, 8 date bytes, then the text
(see CalendarFuzzer.cpp for the layout).
"""
import math
import os
import struct

UTF16, FOLDED = 1, 2
MIN_DATE = -657434  # 1 January 100

def raw(text, months=0, date=0.0, utf16=False):
    flags = UTF16 if utf16 else 0
    body = text.encode('utf-16-le') if utf16 else text.encode('latin-1')
    return struct.pack('<Bhd', flags, months, date) + body

def folded(text, day, fraction=0.0, months=0):
    # The fuzzer maps the stored day d to date value d + MIN_DATE - 1.
    stored = day - MIN_DATE + 1
    return (struct.pack('<BhiI', FOLDED, months, stored, int(fraction * 2**32))
            + text.encode('latin-1'))

SEEDS = {
    'valid-date': raw('13870719', months=1, date=36974.0),
    'long-year-end': raw('13871230|13880101', months=12, date=39892.0),
    'short-year-esfand-30': raw('13861230|13860101', months=-3),
    'corrected-short-year': raw('15021230', months=13, date=81809.5),
    'corrected-long-year': raw('15031230|15021229', months=-13),
    'last-accepted': raw('16001229', months=1, date=13870719.0),
    'first-rejected-year': raw('13041229', months=-32768, date=-1.5),
    'blank-fields': raw('1387 7 1', months=5, date=7751.25),
    'short-text': raw('13870', months=0, date=9999999.0),
    'out-of-range-fields': raw('00001340', months=32767, date=1e300),
    'hex-and-octal': raw('&H10&O7&H1', months=2, date=math.nan),
    'exponent-fields': raw('1E3 1.5D1', months=-1, date=math.inf),
    'fraction-month': raw('1387.501', months=-2, date=123456789.0),
    'persian-digits': raw('\u06f1\u06f3\u06f8\u06f7\u06f0\u06f7\u06f1\u06f9', utf16=True),
    'signed-fields': raw('-387+1-1', months=-14, date=-657434.0),
    'before-anchor': folded('13000101|12991229', day=7750, fraction=0.75),
    'first-date-value': folded('13050101', day=MIN_DATE, months=7),
    'last-date-value': folded('99991231', day=2958465, fraction=0.999),
}

out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus')
os.makedirs(out, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(out, name), 'wb') as f:
        f.write(data)
print(f'wrote {len(SEEDS)} seeds to {out}')
