# The month's timetable read back: the CSV by Python's csv module, the HTML
# page printed to PDF by headless Chromium (one A4 page, the table whole);
# without Chromium or poppler-utils that half is skipped (exit 77).
# Usage: python3 timetable-pages.py <timetable_dump> <work folder>
import csv, os, re, shutil, subprocess, sys

dump, work = sys.argv[1:3]
os.makedirs(work, exist_ok=True)
html, csv_path, pdf = (os.path.join(work, name) for name in ('aban.html', 'aban.csv', 'aban.pdf'))
subprocess.run([dump, '1405', '8', html, csv_path], check=True)

assert open(csv_path, 'rb').read(3) == b'\xef\xbb\xbf', 'byte-order mark'
rows = list(csv.reader(open(csv_path, encoding='utf-8-sig', newline='')))
header, days = rows[0], rows[1:]
assert header[:4] == ['روز', 'شمسی', 'میلادی', 'قمری'] and header[-1] == 'روز دیگر', header
assert len(days) == 30 and all(len(day) == len(header) for day in days)
assert all(re.fullmatch(r'([01]\d|2[0-3]):[0-5]\d', cell) for day in days for cell in day[4:-1])

missing = [tool for tool in ('chromium', 'pdfinfo', 'pdftotext') if not shutil.which(tool)]
if missing:
    print('skipped: the PDF check needs ' + ', '.join(missing) + ' (Debian chromium, poppler-utils)')
    sys.exit(77)
subprocess.run(['chromium', '--headless', '--no-sandbox', '--disable-gpu', '--no-pdf-header-footer',
                '--print-to-pdf=' + pdf, 'file://' + os.path.abspath(html)],
               check=True, capture_output=True, timeout=120)
info = subprocess.run(['pdfinfo', pdf], check=True, capture_output=True, text=True).stdout
assert re.search(r'^Pages:\s+1$', info, re.M), info
size = re.search(r'Page size:\s+([\d.]+) x ([\d.]+)', info)
assert abs(float(size[1]) - 595) < 3 and abs(float(size[2]) - 842) < 3, 'A4 portrait: ' + size[0]
# The table whole: its first and last columns, the last day, the footer.
text = subprocess.run(['pdftotext', '-layout', pdf, '-'], check=True, capture_output=True,
                      text=True).stdout
# Without the directional embeddings pdftotext adds, and its spacing.
text = re.sub('[\u202a-\u202e ]', '', text)
for needle in ('Tavilo', 'اوقاتشرعیتهران', '۲۱نوامبر', 'روز', 'نیمه‌شبشرعی', 'توضیح'):
    assert needle in text, needle
