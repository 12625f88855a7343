# The calendar export read back by Debian's python3-icalendar: every line at
# most 75 octets and whole UTF-8, every event on the Gregorian date of the
# Shamsi date its description gives (counted from a known Nowruz), all-day
# with an exclusive end, the summaries and UIDs as expected.
# Usage: python3 ical-export-vs-icalendar.py <ical_export_dump> <events.tsv>
import calendar, datetime, subprocess, sys
import icalendar

dump, events = sys.argv[1:3]
NOWRUZ = {1403: datetime.date(2024, 3, 20), 1405: datetime.date(2026, 3, 21)}
MONTHS = 'فروردین اردیبهشت خرداد تیر مرداد شهریور مهر آبان آذر دی بهمن اسفند'.split()
# The fixture's events: how often each occurs in the year.
EXPECTED = {1403: {'تولد مریم, خواهرم': 1, 'قسط وام': 12, 'سالگرد': 1, 'سی‌ام اسفند': 1},
            1405: {'تولد مریم, خواهرم': 1, 'قسط وام': 12, 'سالگرد': 1, 'سی‌ام اسفند': 1, 'یک‌بار': 1}}
HOLIDAY_NAMES = {line.rstrip('\n').split('\t')[4] for line in open(sys.argv[0].replace(
    'tests/tools_i/ical-export-vs-icalendar.py', 'data/iran-holidays.txt'), encoding='utf-8')
    if line.strip() and not line.startswith('#')}

def export(year, stamp):
    raw = subprocess.run([dump, str(year), str(stamp), events], check=True, capture_output=True).stdout
    lines = raw.split(b'\r\n')
    assert lines[-1] == b'' and b'\n' not in raw.replace(b'\r\n', b''), 'CRLF line ends'
    for line in lines:
        assert len(line) <= 75, line
        line.decode('utf-8')  # a fold inside a character would not decode
    cal = icalendar.Calendar.from_ical(raw)
    assert cal['VERSION'] == '2.0' and cal['PRODID']
    return cal.walk('VEVENT')

def shamsi_to_gregorian(year, text):
    day, month, y = text.split(' ')[1:4]
    digits = str.maketrans('۰۱۲۳۴۵۶۷۸۹', '0123456789')
    day, month_index, y = int(day.translate(digits)), MONTHS.index(month), int(y.translate(digits))
    assert y == year, text
    return NOWRUZ[year] + datetime.timedelta(month_index * 31 - max(0, month_index - 6) + day - 1)

for year in NOWRUZ:
    found = {}
    vevents = export(year, 1796684000)
    for event in vevents:
        start, end = event['DTSTART'].dt, event['DTEND'].dt
        assert type(start) is datetime.date and end == start + datetime.timedelta(1), event
        assert start == shamsi_to_gregorian(year, str(event['DESCRIPTION'])), event
        summary, category = str(event['SUMMARY']), str(event['CATEGORIES'].cats[0])
        if category == 'رویداد من':
            found.setdefault(summary, []).append(start)
            assert event['TRANSP'] == 'TRANSPARENT'
        else:
            assert summary in HOLIDAY_NAMES, summary  # none estimated in these years
            assert (event['TRANSP'] == 'OPAQUE') == (category == 'تعطیل رسمی'), event
    assert {title: len(days) for title, days in found.items()} == EXPECTED[year], found
    # The Gregorian 31st falls on each month's last day.
    assert all(d.day == calendar.monthrange(d.year, d.month)[1] for d in found['قسط وام'])
    note = [e for e in vevents if e['SUMMARY'] == 'تولد مریم, خواهرم'][0]['DESCRIPTION']
    assert note.endswith('\nکیک; شمع\nو \\ بادکنک'), note
    uids = [str(e['UID']) for e in vevents]
    assert len(set(uids)) == len(uids)
    assert uids == [str(e['UID']) for e in export(year, 1800000000)], 'UIDs changed'

# Far beyond Iran's published lunar calendars the lunar occasions are estimated.
marked = [str(e['SUMMARY']) for e in export(1500, 0) if str(e['SUMMARY']).endswith(' (تخمینی)')]
assert 'عید سعید فطر (تخمینی)' in marked, marked
print('ok')
