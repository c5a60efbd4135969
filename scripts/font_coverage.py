#!/usr/bin/env python3
"""How many characters of each Han block of the repertoire the installed
CJK fonts draw, alone and along the pane's fallback chain, by fc-query.

    python3 scripts/font_coverage.py build/native/data/RadicalStrokeSearchData
"""
import subprocess
import sys

BLOCKS = [('URO', 0x4E00, 0x9FFF), ('Extension A', 0x3400, 0x4DBF), ('Extension B', 0x20000, 0x2A6DF),
          ('Extension C', 0x2A700, 0x2B73F), ('Extension D', 0x2B740, 0x2B81F), ('Extension E', 0x2B820, 0x2CEAF),
          ('Extension F', 0x2CEB0, 0x2EBEF), ('Extension G', 0x30000, 0x3134F), ('Extension H', 0x31350, 0x323AF),
          ('Compatibility', 0xF900, 0xFAFF), ('Compatibility Supplement', 0x2F800, 0x2FA1F)]
FACES = ['HanaMinA', 'HanaMinB', 'BabelStone Han']


def charset(family):
    files = subprocess.run(['fc-list', ':family=' + family, 'file'], capture_output=True, text=True).stdout.split()
    covered = set()
    for path in files:
        ranges = subprocess.run(['fc-query', '--format=%{charset}', path.rstrip(':')],
                                capture_output=True, text=True).stdout.split()
        for r in ranges:
            lo, _, hi = r.partition('-')
            covered.update(range(int(lo, 16), int(hi or lo, 16) + 1))
    return covered


def main():
    codes = [int(line.split('\t')[0][2:], 16) for line in open(sys.argv[1], encoding='ascii') if line.startswith('U+')]
    sets = {face: charset(face) for face in FACES}
    chain = set().union(*sets.values())
    print('| block | characters | ' + ' | '.join(FACES) + ' | the chain |')
    print('|---|---:|' + '---:|' * (len(FACES) + 1))
    totals = [0] * (len(FACES) + 2)
    for name, lo, hi in BLOCKS:
        block = [c for c in codes if lo <= c <= hi]
        row = [len(block)] + [sum(c in sets[f] for c in block) for f in FACES] + [sum(c in chain for c in block)]
        totals = [t + r for t, r in zip(totals, row)]
        print('| %s | ' % name + ' | '.join('{:,}'.format(n) for n in row) + ' |')
    print('| all | ' + ' | '.join('{:,}'.format(n) for n in totals) + ' |')


main()
