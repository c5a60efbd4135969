#!/usr/bin/env python3
"""Writes the stroke medians of hanzi-writer-data as stroke files, drawn as
a person draws on the pad: each median one stroke, its points scaled from
the data's 1024-unit square (y upwards, the baseline at 900) into a pad of
300 pixels, y downwards. One file per character of the kTGH levels
(Unihan kTGH "2013:N": level 1 is N 1-3500, level 2 3501-6500, level 3
6501-8105), named by its code point, in OUT/level1, level2, level3; a
character the package has no data for is listed in OUT/missing.txt.

  medians_to_strokes.py PACKAGE_DIR UNIHAN_DIR OUT"""
import bz2, glob, json, os, re, sys

PAD = 300

package, unihan, out = sys.argv[1:4]
levels = {}
for name in glob.glob(os.path.join(unihan, "Unihan_*.txt.bz2")):
    for line in bz2.open(name, "rt", encoding="utf-8"):
        match = re.match(r"U\+([0-9A-F]+)\tkTGH\t2013:(\d+)", line)
        if match:
            number = int(match.group(2))
            levels[int(match.group(1), 16)] = 1 if number <= 3500 else 2 if number <= 6500 else 3
missing = []
for level in (1, 2, 3):
    os.makedirs(os.path.join(out, "level%d" % level), exist_ok=True)
for code, level in sorted(levels.items()):
    path = os.path.join(package, chr(code) + ".json")
    if not os.path.exists(path):
        missing.append("%04X" % code)
        continue
    medians = json.load(open(path, encoding="utf-8"))["medians"]
    lines = ["size %d %d" % (PAD, PAD)]
    for median in medians:
        points = []
        for x, y in median:
            px = min(PAD - 1, max(0, x * PAD // 1024))
            py = min(PAD - 1, max(0, (900 - y) * PAD // 1024))
            points.append("%d,%d" % (px, py))
        lines.append(" ".join(points))
    with open(os.path.join(out, "level%d" % level, "%04X.txt" % code), "w") as f:
        f.write("\n".join(lines) + "\n")
with open(os.path.join(out, "missing.txt"), "w") as f:
    f.write("".join(code + "\n" for code in missing))
