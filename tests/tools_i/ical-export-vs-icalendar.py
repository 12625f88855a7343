# The calendar export read back by Debian's python3-icalendar: CRLF, every
# line at most 75 octets and whole UTF-8; every event all-day with an
# exclusive end, on the Gregorian date of the Shamsi date its description
# gives (counted from a known Nowruz); the expected summaries, occurrences
# and escapes; the same UIDs from a second export.
# Usage: python3 ical-export-vs-icalendar.py <ical_export_dump> <events.tsv>
import calendar, datetime, os, subprocess, sys
import icalendar

dump, events = sys.argv[1:3]
NOWRUZ = {1403: datetime.date(2024, 3, 20), 1405: datetime.date(2026, 3, 21)}
MONTHS = 'فروردین اردیبهشت خرداد تیر مرداد شهریور مهر آبان آذر دی بهمن اسفند'.split()
EXPECTED = {'تولد مریم, خواهرم': 1, 'قسط وام': 12, 'سالگرد': 1, 'سی‌ام اسفند': 1}  # per year
HOLIDAYS = {line.split('\t')[5].strip() for line in open(os.path.join(
    os.path.dirname(__file__), '../../data/iran-holidays.txt'), encoding='utf-8') if line[0] != '#'}

def export(year, stamp):
    raw = subprocess.run([dump, str(year), str(stamp), events], check=True, capture_output=True).stdout
    lines = raw.split(b'\r\n')
    assert lines[-1] == b'' and b'\n' not in raw.replace(b'\r\n', b''), 'CRLF line ends'
    for line in lines:
        assert len(line) <= 75, line
        line.decode('utf-8')  # a fold inside a character would not decode
    unfolded = raw.replace(b'\r\n ', b'').decode('utf-8')  # the parser also takes unescaped text
    assert r'تولد مریم\, خواهرم' in unfolded and r'کیک\; شمع\nو \\ بادکنک' in unfolded
    cal = icalendar.Calendar.from_ical(raw)
    assert cal['VERSION'] == '2.0' and cal['PRODID']
    return cal.walk('VEVENT')

def gregorian(year, description):
    day, month, y = description.split(' ')[1:4]
    digits = str.maketrans('۰۱۲۳۴۵۶۷۸۹', '0123456789')
    assert int(y.translate(digits)) == year, description
    m = MONTHS.index(month)
    return NOWRUZ[year] + datetime.timedelta(m * 31 - max(0, m - 6) + int(day.translate(digits)) - 1)

for year in NOWRUZ:
    found, vevents = {}, export(year, 1796684000)
    for event in vevents:
        start, end, summary = event['DTSTART'].dt, event['DTEND'].dt, str(event['SUMMARY'])
        assert type(start) is datetime.date and end == start + datetime.timedelta(1), event
        assert start == gregorian(year, str(event['DESCRIPTION'])), event
        category = str(event['CATEGORIES'].cats[0])
        assert (event['TRANSP'] == 'OPAQUE') == (category == 'تعطیل رسمی'), event
        if category == 'رویداد من':
            found.setdefault(summary, []).append(start)
        else:
            assert summary in HOLIDAYS, summary  # none estimated in these years
            kinds = ['ملی', 'مذهبی', 'بین\u200cالمللی', 'باستانی']
            assert [str(c) for c in event['CATEGORIES'].cats][1:] in [[k] for k in kinds], event
    assert {title: len(days) for title, days in found.items()} == dict(EXPECTED, **(
        {'یک‌بار': 1} if year == 1405 else {})), found
    assert all(d.day == calendar.monthrange(d.year, d.month)[1] for d in found['قسط وام'])
    note = [e for e in vevents if e['SUMMARY'] == 'تولد مریم, خواهرم'][0]['DESCRIPTION']
    assert note.endswith('\nکیک; شمع\nو \\ بادکنک'), note
    uids = [str(e['UID']) for e in vevents]
    assert len(set(uids)) == len(uids) and uids == [str(e['UID']) for e in export(year, 1800000000)]

# Far beyond Iran's published lunar calendars the lunar occasions are estimated.
marked = [str(e['SUMMARY']) for e in export(1500, 0) if str(e['SUMMARY']).endswith(' (تخمینی)')]
assert 'عید سعید فطر (تخمینی)' in marked, marked
print('ok')
