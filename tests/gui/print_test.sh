#!/usr/bin/env bash
# Printing for real: a CUPS scheduler with a CUPS-PDF printer "PDF" as the
# default printer, the print jobs of print_gui_test.exe (one Logodex run
# each), and every job's PDF read back with pdfinfo and pdftotext: page
# counts, the numbered lines on each page, the margins, copies in their
# order, the selection alone, nothing from a cancelled job.
#   print_test.sh BIN_DIR
# A missing prerequisite (the set-up installs them all) fails the test.
# The printers and the default printer are left as they were found.
set -u
bin=$1
conf=/etc/cups/cups-pdf.conf
out=$(mktemp -d)
chmod 777 "$out"
shots="$bin/gui-artefacts"
mkdir -p "$shots"
cupsd_pid=""
saved_conf=""
made_printer=""
saved_default=""

missing() { echo "print test FAILED: $* (scripts/setup.sh installs it)"; exit 1; }

cleanup() {
  if [ -n "$saved_conf" ]; then cp "$saved_conf" "$conf"; rm -f "$saved_conf"; fi
  if [ -n "$made_printer" ]; then lpadmin -x PDF 2>/dev/null; fi
  if [ -n "$saved_default" ]; then lpadmin -d "$saved_default" 2>/dev/null; fi
  if [ -n "$cupsd_pid" ]; then kill "$cupsd_pid" 2>/dev/null; wait "$cupsd_pid" 2>/dev/null; fi
  rm -rf "$out"
}
trap cleanup EXIT

# The scheduler, its PDF printer and the driver's output folder belong to
# the machine: a second test run printing at the same time would take this
# run's jobs and PDFs, so runs print one after another. Nothing started
# here inherits the lock (a scheduler or wineserver left running would
# hold it for good).
command -v flock >/dev/null || missing "no flock"
exec 9>/tmp/logodex-print-test.lock
flock -w 300 9 || { echo "print test FAILED: another run held the printer for 5 minutes"; exit 1; }

command -v cupsd >/dev/null && command -v lpadmin >/dev/null || missing "no cupsd"
command -v pdftotext >/dev/null && command -v pdfinfo >/dev/null && command -v pdffonts >/dev/null ||
  missing "no pdftotext, pdfinfo or pdffonts"
command -v python3 >/dev/null || missing "no python3"
[ -f "$conf" ] && [ -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ] || missing "no CUPS-PDF printer driver"

# A scheduler already running is used as it is; else one is started here
# and stopped at the end.
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  mkdir -p /run/cups 2>/dev/null
  cupsd -f >/dev/null 2>&1 9>&- &
  cupsd_pid=$!
  for _ in $(seq 1 100); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    kill -0 "$cupsd_pid" 2>/dev/null || break
    sleep 0.1
  done
  lpstat -r 2>/dev/null | grep -q 'is running' || { cupsd_pid=""; missing "cupsd does not start"; }
fi
saved_conf=$(mktemp)
cp "$conf" "$saved_conf"
if grep -q '^Out ' "$conf"; then sed -i "s|^Out .*|Out $out|" "$conf"; else echo "Out $out" >>"$conf"; fi
lpstat -p PDF >/dev/null 2>&1 || made_printer=yes
saved_default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
lpadmin -d PDF
lpstat -d | grep -q 'PDF' || missing "the PDF printer cannot be made the default"

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# Runs one job; its PDF is left in $pdf (empty when none came).
pdf=""
run_job() {
  local test=$1 wait_s=${2:-60}
  local before
  before=$(ls "$out" | wc -l)
  (cd "$bin" && wine print_gui_test.exe --gtest_filter="Printing.$test") >"$out.log" 2>&1 9>&- ||
    { fail "$test: the driver failed"; grep -E 'Failure' -A3 "$out.log"; }
  rm -f "$out.log"
  pdf=""
  for _ in $(seq 1 $((wait_s * 5))); do
    if [ "$(ls "$out" | wc -l)" -gt "$before" ]; then
      pdf=$(ls -t "$out"/*.pdf | head -n 1)
      # complete once its size holds still
      local size=-1
      while [ "$size" != "$(stat -c %s "$pdf")" ]; do size=$(stat -c %s "$pdf"); sleep 0.5; done
      cp "$pdf" "$shots/print-$test.pdf"
      return 0
    fi
    sleep 0.2
  done
}

pages() { pdfinfo "$1" | sed -n 's/^Pages: *//p'; }
# The numbered lines of one page, one per line: "001", "002", ...
page_lines() { pdftotext -layout -f "$2" -l "$2" "$1" - | grep -oE 'Line [0-9]{3}' | sed 's/Line //'; }
all_lines() { pdftotext -layout "$1" - | grep -oE 'Line [0-9]{3}' | sed 's/Line //'; }

# The whole document: lines 001 to 150, each once, in order, over more
# than one page, inside the margins (0.75 inch = 54 pt at the sides,
# 1 inch = 72 pt at the top and bottom), pages following on each other.
run_job WholeDocument
whole=$pdf
if [ -z "$whole" ]; then
  fail "WholeDocument: no PDF"
else
  whole_pages=$(pages "$whole")
  [ "$whole_pages" -ge 3 ] || fail "WholeDocument: $whole_pages pages, 150 lines need 3 or more"
  [ "$(all_lines "$whole" | tr '\n' ' ')" = "$(seq -f '%03g' 1 150 | tr '\n' ' ')" ] ||
    fail "WholeDocument: the lines are not 001 to 150 once each in order"
  # Word boxes in points: the extremes over the first page.
  read -r xmin ymin xmax ymax < <(pdftotext -bbox -f 1 -l 1 "$whole" - |
    awk -F'"' '/<page /{w=$2; h=$4} /<word /{x0=$2; y0=$4; x1=$6; y1=$8;
      if (n++ == 0 || x0 < a) a = x0; if (n == 1 || y0 < b) b = y0; if (x1 > c) c = x1; if (y1 > d) d = y1}
      END {print a, b, c, d}')
  page_h=$(pdfinfo "$whole" | sed -n 's/^Page size: *[0-9.]* x \([0-9.]*\).*/\1/p')
  awk -v x="$xmin" -v y="$ymin" -v yy="$ymax" -v h="$page_h" \
    'BEGIN {exit !(x >= 53.5 && x < 60 && y >= 71.5 && y < 90 && yy <= h - 71.5)}' ||
    fail "WholeDocument: text at x $xmin, y $ymin to $ymax on a page $page_h high, outside the margins"
fi

page_text() { page_lines "$1" "$2" | tr '\n' ' '; }
# The text of every marked span of a PDF (/ActualText in the property
# lists that its pages' content streams open with BDC), in page order.
actual_text() {
  python3 - "$1" <<'PY'
import re, sys, zlib
data = open(sys.argv[1], "rb").read()
objects = {int(m.group(1)): m.group(2) for m in re.finditer(rb"(\d+) 0 obj(.*?)endobj", data, re.S)}
def stream(body):
    m = re.search(rb"stream\r?\n(.*)endstream", body, re.S)
    raw = m.group(1) if m else b""
    try:
        return zlib.decompress(raw)
    except zlib.error:
        return raw
def literal(s):  # a PDF literal string's bytes
    out, i = bytearray(), 0
    while i < len(s):
        c = s[i]
        if c == 0x5C:
            i += 1
            if s[i:i+1].isdigit():
                j = i
                while j < len(s) and j < i + 3 and s[j:j+1].isdigit(): j += 1
                out.append(int(s[i:j], 8)); i = j; continue
            out += {b"n": b"\n", b"r": b"\r", b"t": b"\t"}.get(s[i:i+1], s[i:i+1])
        else:
            out.append(c)
        i += 1
    return bytes(out)
def actual(number):
    m = re.search(rb"/ActualText\s*\(((?:\\.|[^\\)])*)\)", objects.get(number, b""), re.S)
    return literal(m.group(1)).decode("utf-16") if m else ""
text = ""
for number in sorted(objects):
    page = objects[number]
    if not re.search(rb"/Type\s*/Page\b", page): continue
    props = {}
    m = re.search(rb"/Properties\s+(\d+) 0 R", page)
    if m:
        for name, ref in re.findall(rb"/(\w+)\s+(\d+) 0 R", objects[int(m.group(1))]):
            props[name] = int(ref)
    content = re.search(rb"/Contents\s+(\d+) 0 R", page)
    if content:
        for name in re.findall(rb"/\w+\s*/(\w+)\s+BDC", stream(objects[int(content.group(1))])):
            text += actual(props.get(name, -1))
print(text)
PY
}

if [ -n "$whole" ]; then
  # Pages 2 to 3: exactly the whole job's pages 2 and 3.
  run_job PagesTwoToThree
  if [ -z "$pdf" ]; then fail "PagesTwoToThree: no PDF"; else
    [ "$(pages "$pdf")" = 2 ] || fail "PagesTwoToThree: $(pages "$pdf") pages, not 2"
    [ "$(page_text "$pdf" 1)" = "$(page_text "$whole" 2)" ] || fail "PagesTwoToThree: its page 1 is not page 2"
    [ "$(page_text "$pdf" 2)" = "$(page_text "$whole" 3)" ] || fail "PagesTwoToThree: its page 2 is not page 3"
  fi

  # Two collated copies: the document twice, 1 2 3 1 2 3.
  run_job TwoCollatedCopies
  if [ -z "$pdf" ]; then fail "TwoCollatedCopies: no PDF"; else
    [ "$(pages "$pdf")" = $((2 * whole_pages)) ] || fail "TwoCollatedCopies: $(pages "$pdf") pages"
    for p in $(seq 1 $((2 * whole_pages))); do
      q=$(((p - 1) % whole_pages + 1))
      [ "$(page_text "$pdf" "$p")" = "$(page_text "$whole" "$q")" ] || fail "TwoCollatedCopies: page $p is not page $q"
    done
  fi

  # Two uncollated copies: each page twice in a row, 1 1 2 2 3 3.
  run_job TwoUncollatedCopies
  if [ -z "$pdf" ]; then fail "TwoUncollatedCopies: no PDF"; else
    [ "$(pages "$pdf")" = $((2 * whole_pages)) ] || fail "TwoUncollatedCopies: $(pages "$pdf") pages"
    for p in $(seq 1 $((2 * whole_pages))); do
      q=$(((p + 1) / 2))
      [ "$(page_text "$pdf" "$p")" = "$(page_text "$whole" "$q")" ] || fail "TwoUncollatedCopies: page $p is not page $q"
    done
  fi
fi

# The selection: lines 010 to 012 alone on one page.
run_job Selection
if [ -z "$pdf" ]; then fail "Selection: no PDF"; else
  [ "$(pages "$pdf")" = 1 ] || fail "Selection: $(pages "$pdf") pages"
  [ "$(all_lines "$pdf" | tr '\n' ' ')" = "010 011 012 " ] || fail "Selection: lines $(all_lines "$pdf" | tr '\n' ' ')"
fi

# Chinese and Latin with an Extension B character (U+2A6D6), formatted.
# Every line comes back through pdftotext as the document holds it (the
# texts of kHeading, kMixed and kPlain in print_gui_test.cpp). Every font
# but HanaMinB carries its map to Unicode (pdffonts: uni yes); HanaMinB
# holds only the Extension B glyph, whose text its name gives (u2A6D6).
# The Han characters come back once more, in order, as the marked spans
# that carry them (/ActualText). The fonts: bold, italic, and HanaMinB for
# Extension B; the heading is centred.
run_job FormattedChineseDocument
if [ -z "$pdf" ]; then fail "FormattedChineseDocument: no PDF"; else
  printed=$(pdftotext -layout "$pdf" - | tr -s ' ' | sed 's/^ *//; s/ *$//')
  for line in "Heading 漢字𪛖" "Latin 中文𪛖 slanted 斜体" "Plain 平常𪛖 end"; do
    grep -qxF "$line" <<<"$printed" || fail "FormattedChineseDocument: \"$line\" is not printed (got: $(tr '\n' '|' <<<"$printed"))"
  done
  no_map=$(pdffonts "$pdf" | tail -n +3 | awk '$(NF-2) != "yes" && $1 !~ /HanaMinB$/ {print $1}' | tr '\n' ' ')
  [ -z "$no_map" ] || fail "FormattedChineseDocument: fonts without a map to Unicode: $no_map"
  han=$(actual_text "$pdf")
  [ "$han" = "漢字𪛖中文𪛖斜体平常𪛖" ] || fail "FormattedChineseDocument: the Han text printed is \"$han\""
  fonts=$(pdffonts "$pdf" | tail -n +3 | awk '{sub(/^[A-Z]+\+/, "", $1); print $1}' | sort -u | tr '\n' ' ')
  for font in LiberationSans-Bold LiberationSans-Italic HanaMinA HanaMinB; do
    grep -qw -- "$font" <<<"$fonts" || fail "FormattedChineseDocument: no $font among the fonts ($fonts)"
  done
  # The heading: its ink (rendered at 72 dpi, one pixel a point) as far
  # from the left edge of the page as from the right one, within 3 points;
  # the other lines start at the left margin.
  read -r width top bottom xfirst < <(pdftotext -bbox "$pdf" - | awk -F'"' '/<page /{w=$2}
    /<word /{if (n++ == 0) {y0 = $4; y1 = $8; x = $2} if ($2 < x) x = $2} END {printf "%d %d %d %d\n", w, y0, y1 + 1, x}')
  ink=$(pdftoppm -r 72 -f 1 -l 1 -gray -x 0 -y "$top" -W "$width" -H $((bottom - top)) "$pdf" |
    convert pgm:- -trim -format '%w %X' info:)
  read -r inkw inkx <<<"${ink/+/}"
  awk -v l="$inkx" -v r="$((width - inkx - inkw))" -v x="$xfirst" 'BEGIN {d = l - r; exit !(l > 100 && d <= 3 && d >= -3 && x < 60)}' ||
    fail "FormattedChineseDocument: the heading is not centred (ink $ink on a page $width wide; next line at $xfirst)"
  # The Han glyphs are inked as the Latin word beside them: in the line
  # "Plain 平常𪛖 end" the span between the words "Plain" and "end",
  # rendered at 144 dpi, holds a black pixel and at least 0.9 times the
  # mean ink of the same width of "Plain" (grey hairlines or a thin box
  # have far less).
  read -r px0 px1 ex0 y0 y1 < <(pdftotext -bbox "$pdf" - | awk -F'"' '/>Plain</ {px0 = $2; px1 = $6; y0 = $4; y1 = $8}
    />end</ {ex0 = $2} END {printf "%d %d %d %d %d\n", px0 * 2, px1 * 2, ex0 * 2, y0 * 2, y1 * 2 + 1}')
  region_ink() {  # x, width: "darkest mean-ink" of that span of the line
    pdftoppm -r 144 -f 1 -l 1 -gray -x "$1" -y "$y0" -W "$2" -H $((y1 - y0)) "$pdf" |
      convert pgm:- -format '%[fx:round(minima*255)] %[fx:(1-mean)*255]' info:
  }
  han_span=$((ex0 - px1 - 16))
  read -r han_dark han_ink < <(region_ink $((px1 + 8)) "$han_span")
  read -r _ latin_ink < <(region_ink "$px0" $((px1 - px0)))
  awk -v d="$han_dark" -v h="$han_ink" -v l="$latin_ink" 'BEGIN {exit !(d <= 40 && h >= 0.9 * l && l > 0)}' ||
    fail "FormattedChineseDocument: the Han glyphs are faint (darkest $han_dark, mean ink $han_ink against $latin_ink of \"Plain\")"
  echo "print test: Han glyphs' darkest pixel $han_dark, mean ink $han_ink; \"Plain\" $latin_ink"
fi

# An empty document, and an empty selection: one blank page each. The
# PDF cannot tell one blank page from none (Ghostscript makes a blank page
# of a job without any), so the pages are also counted in the PostScript
# the program sent: the job's file that CUPS keeps, one "%%Page:" a page.
sent_pages() {
  local id file
  id=$(basename "$1" .pdf | sed -n 's/.*job_\([0-9]*\)$/\1/p')
  file=$(printf '/var/spool/cups/d%05d-001' "${id:-0}")
  if [ -f "$file" ]; then grep -a -c '^%%Page:' "$file"; else echo "unknown (no $file)"; fi
}
for job in EmptyDocument EmptySelection; do
  run_job $job
  if [ -z "$pdf" ]; then fail "$job: no PDF"; else
    [ "$(pages "$pdf")" = 1 ] || fail "$job: $(pages "$pdf") pages, not 1"
    sent=$(sent_pages "$pdf")
    [ "$sent" = 1 ] || fail "$job: $sent pages sent to the printer, not 1"
    [ -z "$(pdftotext "$pdf" - | tr -d ' \n\f')" ] || fail "$job: the page is not blank"
  fi
done

# A long document: its lines once each in order, and its pace in pages
# per second from the start of the job's run to its PDF, for the log.
started=$(date +%s.%N)
run_job LongDocument 600
if [ -z "$pdf" ]; then fail "LongDocument: no PDF"; else
  finished=$(date +%s.%N)
  long_pages=$(pages "$pdf")
  [ "$long_pages" -ge 40 ] || fail "LongDocument: $long_pages pages for 3000 lines"
  awk -v p="$long_pages" -v a="$started" -v b="$finished" \
    'BEGIN {printf "print test: long document, %d pages in %.1f s, %.2f pages per second\n", p, b - a, p / (b - a)}'
fi

# Cancelled: the job is aborted, so no PDF comes at all.
run_job CancelledFromTheAbortDialog 10
[ -z "$pdf" ] || fail "CancelledFromTheAbortDialog: a PDF of $(pages "$pdf") pages came from a cancelled job"

wineserver -w 2>/dev/null
[ "$failures" -eq 0 ] || { echo "print test: $failures failures"; exit 1; }
echo "print test: whole document, page range, collated and uncollated copies, selection, formatted Chinese text, empty document and selection, and cancel all checked"
