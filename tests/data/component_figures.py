#!/usr/bin/env python3
"""Figures of the components search, computed straight from the source
files without any of Logodex's code: the decomposition data
(data/hanzi/cjk-decomp.txt.js.bz2), the description sequences and radical
tables (data/ucd/*.bz2) and, for the repertoire, the strokes and how common
each character is, the Unihan files (data/unihan/*.bz2).

    python3 tests/data/component_figures.py [KEY...]
    python3 tests/data/component_figures.py --found-in CHARACTER...

prints the characters of each block that have components, then for each
key (default: the keys of the components tests) how many characters have
all its components and where the expected ones stand on the page: common
first (the General Standard table, then other kFrequency characters, then
the rest), the 400 most common, grouped by total strokes within each band.
With --found-in: how many characters contain each character, and the
first 24 of them, common first (as a character page lists them).
"""
import bz2
import collections
import glob
import os
import re
import sys

TOP = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
SHOWN = 400
KEYS = {'目隹灬': '瞧', '木目': '相', '氵每': '海', '水每': '海', '日月': '明', '口口口': '品器',
        '女子': '好'}
BLOCKS = [('URO', 0x4E00, 0x9FFF), ('Extension A', 0x3400, 0x4DBF), ('Extension B', 0x20000, 0x2A6DF),
          ('Extension C', 0x2A700, 0x2B73F), ('Extension D', 0x2B740, 0x2B81F),
          ('Extension E', 0x2B820, 0x2CEAF), ('Extension F', 0x2CEB0, 0x2EBEF),
          ('Extension G', 0x30000, 0x3134F), ('Extension H', 0x31350, 0x323AF),
          ('Compatibility', 0xF900, 0xFAFF), ('Compatibility Supplement', 0x2F800, 0x2FA1F)]


def text(path):
    return bz2.open(path, 'rt', encoding='utf-8').read()


def unihan():
    records = collections.defaultdict(dict)
    for path in glob.glob(os.path.join(TOP, 'data/unihan/Unihan_*.txt.bz2')):
        for line in text(path).splitlines():
            if line.startswith('U+'):
                code, field, value = line.split('\t')
                records[int(code[2:], 16)][field] = value
    return {cp: f for cp, f in records.items() if 'kRSUnicode' in f}


def stands_for(records):
    radical, table = {}, {}
    for line in text(os.path.join(TOP, 'data/ucd/CJKRadicals.txt.bz2')).splitlines():
        if line and not line.startswith('#'):
            number, form, ideograph = [f.strip() for f in line.split(';')]
            if not number.endswith("'"):
                radical[number] = int(ideograph, 16)
    for line in text(os.path.join(TOP, 'data/ucd/CJKRadicals.txt.bz2')).splitlines():
        if line and not line.startswith('#'):
            number, form, ideograph = [f.strip() for f in line.split(';')]
            for code in (form, ideograph):
                if code and int(code, 16) != radical[number.rstrip("'")]:
                    table[int(code, 16)] = radical[number.rstrip("'")]
    for line in text(os.path.join(TOP, 'data/ucd/EquivalentUnifiedIdeograph.txt.bz2')).splitlines():
        data = line.split('#')[0].strip()
        if data:
            codes, ideograph = [f.strip() for f in data.split(';')]
            first, _, last = codes.partition('..')
            for cp in range(int(first, 16), int(last or first, 16) + 1):
                table.setdefault(cp, int(ideograph, 16))
    for cp, fields in records.items():
        m = re.match(r"^(\d+)'*\.0$", fields['kRSUnicode'].split()[0])
        if m and m.group(1) in radical and radical[m.group(1)] != cp:
            table[cp] = radical[m.group(1)]
    for form in table:
        for _ in range(4):
            table[form] = table.get(table[form], table[form])
    return table


def sources():
    records = {}
    body = text(os.path.join(TOP, 'data/hanzi/cjk-decomp.txt.js.bz2'))
    body = body[body.index('`') + 1:body.rindex('`')]
    for line in body.split('\n'):
        m = re.match(r'^(\d+|.):([^(]*)\((.*)\)$', line)
        if m and all(re.fullmatch(r'\d+|.', p) for p in m.group(3).split(',') if p):
            records[m.group(1)] = (m.group(2), [p for p in m.group(3).split(',') if p])
    described = {}
    for line in text(os.path.join(TOP, 'data/ucd/USourceData.txt.bz2')).splitlines():
        f = line.split(';')
        if line.startswith('#') or not re.fullmatch(r'URO|Ext[A-H]|Comp', f[1]) or not f[5]:
            continue
        cp = int(f[2][2:], 16)
        if cp in described:
            continue
        parts = re.findall(r'〾?[^\u2ff0-\u2fff？〾]', re.sub(r'\[[^\]]*\]', '', f[5]))
        if parts and parts != [chr(cp)]:
            described[cp] = parts
    return records, described


def drawn(op):
    if op.startswith(('ref', 'rot', 'm')) or op == 'c':
        return 0
    if op.startswith(('rref', 'rrot')):
        return 1
    if op.startswith('r'):
        return int(op[1]) if op[1:2].isdigit() else 2
    return 1


def decompose(records, described, table):
    memo, busy = {}, set()

    def expand(key):
        if key in memo:
            return memo[key]
        if key in busy:
            return collections.Counter()
        busy.add(key)
        found = collections.Counter()
        if key in records and records[key][1]:
            times = drawn(records[key][0])
            for part in records[key][1] if times else []:
                if not part.isdigit():
                    found[table.get(ord(part), ord(part))] += times
                for c, n in expand(part).items():
                    found[c] += n * times
        elif not key.isdigit() and ord(key) in described:
            for part in described[ord(key)]:
                if not part.startswith('〾'):
                    found[table.get(ord(part), ord(part))] += 1
                for c, n in expand(part[-1]).items():
                    found[c] += n
        if not key.isdigit():
            found.pop(ord(key), None)
        busy.discard(key)
        memo[key] = found
        return found

    return expand


def rank(fields):
    level = 9
    if 'kTGH' in fields:
        index = int(fields['kTGH'].split()[0].split(':')[1])
        level = 1 if index <= 3500 else 2 if index <= 6500 else 3
    elif 'kFrequency' in fields:
        level = 3 + int(fields['kFrequency'])
    # Hanyu Pinlu orders each of the eight levels; the rest go by code point.
    pinlu = sum(int(n) for n in re.findall(r'\((\d+)\)', fields.get('kHanyuPinlu', ''))) if level < 9 else 0
    return level, -pinlu


def main():
    records = unihan()
    table = stands_for(records)
    expand = decompose(*sources(), table)
    components = {cp: expand(chr(cp)) for cp in records}
    if sys.argv[1:2] == ['--found-in']:
        for c in sys.argv[2:]:
            wanted = table.get(ord(c), ord(c))
            found = sorted((cp for cp, parts in components.items() if parts[wanted]),
                           key=lambda cp: (rank(records[cp]), cp))
            print('%s: found in %d; first: %s' % (c, len(found), ''.join(chr(cp) for cp in found[:24])))
        return
    for name, first, last in BLOCKS:
        block = [cp for cp in records if first <= cp <= last]
        print('%s: %d of %d' % (name, sum(1 for cp in block if components[cp]), len(block)))
    print('all: %d of %d' % (sum(1 for c in components.values() if c), len(records)))
    for key in sys.argv[1:] or KEYS:
        wanted = collections.Counter(table.get(ord(c), ord(c)) for c in key)
        found = [cp for cp, c in components.items() if all(c[w] >= n for w, n in wanted.items())]
        found.sort(key=lambda cp: (rank(records[cp]), cp))
        shown = found[:SHOWN]
        band = lambda cp: (lambda level: 0 if level <= 3 else 1 if level <= 8 else 2)(rank(records[cp])[0])
        strokes = lambda cp: int(records[cp]['kTotalStrokes'].split()[0])
        shown.sort(key=lambda cp: (band(cp), strokes(cp)))
        places = ['%s at %d' % (c, shown.index(ord(c)) + 1 if ord(c) in shown else 0) for c in KEYS.get(key, '')]
        print('%s: %d characters; %s; first: %s' % (key, len(found), ', '.join(places),
                                                   ''.join(chr(cp) for cp in shown[:12])))


if __name__ == '__main__':
    main()
