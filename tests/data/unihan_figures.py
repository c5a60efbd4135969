#!/usr/bin/env python3
"""Figures of the shipped Unihan data, computed straight from the source
files (data/unihan/*.bz2) without any of Logodex's code: the expected
values of the data tests come from here.

    python3 tests/data/unihan_figures.py [data/unihan]
"""
import bz2
import collections
import glob
import os
import sys
import unicodedata

TONES = {'\u0304': '1', '\u0301': '2', '\u030c': '3', '\u0300': '4'}
PINYIN_FIELDS = ['kMandarin', 'kTGHZ2013', 'kXHC1983', 'kHanyuPinlu', 'kHanyuPinyin']


def load(folder):
    records = collections.defaultdict(dict)
    for path in sorted(glob.glob(os.path.join(folder, 'Unihan_*.txt.bz2'))):
        for line in bz2.open(path, 'rt', encoding='utf-8'):
            if line.startswith('U+'):
                code, field, value = line.rstrip('\n').split('\t')
                records[int(code[2:], 16)][field] = value
    return {cp: f for cp, f in records.items() if 'kRSUnicode' in f}


def reading_form(reading):
    tone = '5'
    out = ''
    for ch in unicodedata.normalize('NFD', reading):
        if ch in TONES:
            tone = TONES[ch]
        elif ch == '\u0308':
            out = out[:-1] + '&#xdc;'
        elif ch == '\u0302':
            pass
        else:
            out += ch.upper()
    return out + tone


def readings(fields):
    found = []
    for name in PINYIN_FIELDS:
        value = fields.get(name)
        if value is None:
            continue
        for entry in value.split(' '):
            if name in ('kTGHZ2013', 'kXHC1983'):
                found.append(entry.split(':', 1)[1])
            elif name == 'kHanyuPinyin':
                found.extend(entry.split(':', 1)[1].split(','))
            elif name == 'kHanyuPinlu':
                found.append(entry.split('(', 1)[0])
            else:
                found.append(entry)
    out = []
    for r in found:
        form = reading_form(r)
        if form not in out:
            out.append(form)
    return out


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '../../data/unihan')
    records = load(folder)
    print('repertoire', len(records))
    pinyin = {cp: readings(f) for cp, f in records.items() if any(n in f for n in PINYIN_FIELDS)}
    print('pinyin lines', len(pinyin), 'with more than one reading', sum(len(r) > 1 for r in pinyin.values()))
    for cp in (0x957F, 0x9577, 0x884C, 0x5F97, 0x5074, 0x6B38, 0x4E00, 0x4E48, 0x53F0, 0x30000):
        print('  U+%04X %s' % (cp, ' '.join(pinyin.get(cp, []))))
    for syllable in ('MA', 'CHANG', 'HANG', 'YI'):
        print('pinyin', syllable, 'per tone',
              [sum(syllable + t in r for r in pinyin.values()) for t in '12345'])
    print('definition lines', sum('kDefinition' in f for f in records.values()))
    print('radical-stroke lines', sum('kRSUnicode' in f for f in records.values()))
    print('matthews lines', sum('kMatthews' in f for f in records.values()))
    print('stroke lines', sum('kTotalStrokes' in f for f in records.values()))
    strokes = collections.Counter(int(f['kTotalStrokes'].split()[0]) for f in records.values())
    print('stroke count 12 has', strokes[12])
    rs = collections.Counter(f['kRSUnicode'].split()[0] for f in records.values())
    print('radical-stroke 140.8 has', rs['140.8'], '1.5 has', rs['1.5'])
    for field in ('kSimplifiedVariant', 'kTraditionalVariant'):
        values = [f[field] for f in records.values() if field in f]
        forms = [' '.join('%04X' % c for c in sorted({int(w[2:], 16) for w in v.split()})) for v in values]
        outside = sum(int(w[2:], 16) not in records for v in values for w in v.split())
        print(field, 'entries', len(values), 'longest', max(map(len, forms)), 'outside the repertoire', outside)
    print('unihan.txt lines', sum(len(f) for f in records.values()),
          'bytes after the preface', sum(len(('U+%04X\t%s\t%s\n' % (cp, k, v)).encode()) for cp, f in records.items()
                                         for k, v in f.items()))
    def extract_size(values, name):
        return sum(len('U+%04X\t%s\t%s\r\n' % (cp, name, v)) for cp, v in values.items())
    definitions = {cp: ''.join(c if ord(c) < 128 else '&#x%x;' % ord(c) for c in f['kDefinition'])
                   for cp, f in records.items() if 'kDefinition' in f}
    def matthews(v):
        v = v.split()[0]
        digits = len(v) - len(v.lstrip('0123456789'))
        return 'M+' + v[:digits] + 'p' * (4 - digits) + v[digits:]
    print('extract bytes: pinyin', extract_size({cp: ' '.join(r) for cp, r in pinyin.items()}, 'kMandarin'),
          'definition', extract_size(definitions, 'kDefinition'),
          'radical-stroke', extract_size({cp: f['kRSUnicode'].split()[0] for cp, f in records.items()}, 'kRSUnicode'),
          'matthews', extract_size({cp: matthews(f['kMatthews']) for cp, f in records.items() if 'kMatthews' in f},
                                   'kMatthews'))
    search_figures(records, pinyin)
    order = sorted((int(f['kTotalStrokes'].split()[0]), cp) for cp, f in records.items())
    print('stroke list first %d %04X last %d %04X' % (order[0] + order[-1]))
    blocks = [('URO', 0x4E00, 0x9FFF), ('A', 0x3400, 0x4DBF), ('B', 0x20000, 0x2A6DF), ('C', 0x2A700, 0x2B73F),
              ('D', 0x2B740, 0x2B81F), ('E', 0x2B820, 0x2CEAF), ('F', 0x2CEB0, 0x2EBEF), ('G', 0x30000, 0x3134F),
              ('H', 0x31350, 0x323AF), ('Compatibility', 0xF900, 0xFAFF), ('Compatibility Supplement', 0x2F800, 0x2FA1F)]
    for name, lo, hi in blocks:
        print('block', name, sum(lo <= cp <= hi for cp in records))


def code_text(cp):
    return '%04X' % cp


def search_figures(records, pinyin):
    """What the searches find, by the rules they follow, over extracts
    written here from the source."""
    for syllable in ('MA', 'YI', 'HE', 'L&#xdc;', 'CHANG', 'HANG'):
        tones = [sorted(code_text(cp) for cp, r in pinyin.items() if syllable + t in r) for t in '12345']
        print('pinyin search %s per tone %s, first of tone 1 %s'
              % (syllable, [len(t) for t in tones], tones[0][0] if tones[0] else '-'))
    text = ''.join('U+%04X\tkDefinition\t%s\r\n' % (cp, ''.join(c if ord(c) < 128 else '&#x%x;' % ord(c)
                                                                 for c in f['kDefinition']))
                   for cp, f in sorted(records.items()) if 'kDefinition' in f)
    text = text[:-1]  # the last byte is held as NUL

    def word(c):
        return c.isascii() and c.isalnum()
    for key in ('hillock', 'mound', 'water', 'to', 'of', 'kDefinition', '(J)', 'hill'):
        results, examined, at = [], 0, 0
        while at < len(text) and len(results) < 9000 and examined < 9000:
            found = text.find(key, at)
            if found < 0:
                break
            end = found + len(key)
            if not (found > 0 and word(text[found - 1])) and not (end < len(text) and word(text[end])):
                start = text.rfind('\r\n', 0, found)
                start = 0 if start < 0 else start + 2
                results.append(text[start + 2:text.find('\t', start)])
            examined += 1
            at = end + 1
        print('definition search %s: %d results, %d repeated, first %s'
              % (key, len(results), len(results) - len(set(results)), results[0] if results else '-'))
    order = sorted((int(f['kTotalStrokes'].split()[0]), cp) for cp, f in records.items())
    for n in (1, 2, 12, 14, 49, 64):
        codes = [code_text(cp) for count, cp in order if count == n]
        print('stroke search %d: %d, first %s, last %s' % (n, len(codes), codes[0] if codes else '-',
                                                          codes[-1] if codes else '-'))
    for value in ('140.8', '1.4', '1.2', '1.5', '120.3', "120'.3"):
        codes = [code_text(cp) for cp, f in sorted(records.items()) if f['kRSUnicode'].split()[0] == value]
        print('radical-stroke search %s: %d, first %s' % (value, len(codes), codes[0]))


if __name__ == "__main__":
    main()
