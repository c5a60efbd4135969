#!/usr/bin/env python3
"""The common-first order of some characters, computed straight from the
Unihan source files (data/unihan/*.bz2) without any of Logodex's code:
kTGH levels 1-3, then kFrequency 1-5, then the rest; within a level the
higher kHanyuPinlu count first (of the reading given, else of all the
character's readings), then the code point.

    python3 tests/data/common_order.py CHARACTERS [READING]
    python3 tests/data/common_order.py 一义亦 yì      ->  义亦一

or the characters of one reading in that order, numbered from 1: a
Mandarin reading in the pinyin table's form, from the five pinyin fields
(as tests/data/unihan_figures.py gathers them), ranked by that reading's
count; or a whole reading of another field (a regular expression), case aside,
ranked by all readings' counts:

    python3 tests/data/common_order.py --pinyin YI4
    python3 tests/data/common_order.py --field kCantonese hou2
    python3 tests/data/common_order.py --field kCantonese 'hou[1-6]'
"""
import bz2
import glob
import os
import re
import sys
import unicodedata

sys.path.insert(0, os.path.dirname(__file__))
import unihan_figures  # noqa: E402

FOLDER = os.path.join(os.path.dirname(__file__), '..', '..', 'data', 'unihan')


def load(wanted=None):
    records = {}
    for path in glob.glob(os.path.join(FOLDER, '*.bz2')):
        for line in bz2.open(path, 'rt', encoding='utf-8'):
            if line.startswith('U+'):
                code, field, value = line.rstrip('\n').split('\t')
                if wanted is None or chr(int(code[2:], 16)) in wanted:
                    records.setdefault(chr(int(code[2:], 16)), {})[field] = value
    return {ch: f for ch, f in records.items() if 'kRSUnicode' in f}


def level(fields):
    if 'kTGH' in fields:
        index = int(fields['kTGH'].split()[0].split(':')[1])
        return 1 + (index > 3500) + (index > 6500)
    if 'kFrequency' in fields:
        return 3 + int(fields['kFrequency'])
    return 9


def count(fields, reading):
    return sum(int(n) for r, n in re.findall(r'(\S+)\((\d+)\)', fields.get('kHanyuPinlu', ''))
               if reading in ('', unicodedata.normalize('NFC', r)))


def ordered(records, characters, reading):
    def key(ch):
        fields = records.get(ch, {})
        rank = level(fields)
        pinlu = sum(int(n) for r, n in re.findall(r'(\S+)\((\d+)\)', fields.get('kHanyuPinlu', ''))
                    if unihan_figures.reading_form(r) == reading) if reading else count(fields, '')
        return (rank, -pinlu if rank < 9 else 0, ord(ch))
    return sorted(characters, key=key)


def main():
    if sys.argv[1] in ('--pinyin', '--field'):
        records = load()
        if sys.argv[1] == '--pinyin':
            reading = sys.argv[2]
            read = [ch for ch, f in records.items() if reading in unihan_figures.readings(f)]
        else:
            reading = ''
            read = [ch for ch, f in records.items()
                    if any(re.fullmatch(sys.argv[3], r.split(':')[0], re.IGNORECASE)
                           for r in f.get(sys.argv[2], '').split(' '))]
        for n, ch in enumerate(ordered(records, read, reading), 1):
            print(n, ch, 'U+%04X' % ord(ch))
        return
    characters = sys.argv[1]
    reading = unicodedata.normalize('NFC', sys.argv[2]) if len(sys.argv) > 2 else ''
    records = load(set(characters))

    def key(ch):
        fields = records.get(ch, {})
        rank = level(fields)
        return (rank, -count(fields, reading) if rank < 9 else 0, ord(ch))

    print(''.join(sorted(characters, key=key)))


if __name__ == '__main__':
    main()
