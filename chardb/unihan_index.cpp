// The Unihan extract through its index: a key's lines are those of the
// records whose code begins with the key (a line begins "U+" code TAB), and
// those holding the pattern at one of the few marks inside a line.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "chardb/code_fields.h"
#include "chardb/unihan_scan.h"

namespace {

// Beyond this many matching records their first lines are found by the
// scan, which meets them at once when they are that common.
constexpr std::size_t kRecordsToSort = 4096;

bool IsHexDigit(char c) { return UpperHexDigit(c) >= 0; }

std::string_view CodeOf(std::string_view text, const UnihanIndex::Record& record) {
  return text.substr(record.codeOffset, record.codeLength);
}

bool IndexCurrent(const CharacterTables& tables) {
  const UnihanIndex& index = tables.unihanIndex;
  return index.builtFor != nullptr && index.builtFor == tables.unihan.data() &&
         index.builtSize == tables.unihan.size();
}

// The line that begins at `start`, without its LF.
std::string_view LineAt(std::string_view text, std::size_t start) {
  std::size_t end = text.find('\n', start);
  return text.substr(start, (end == std::string_view::npos ? text.size() : end) - start);
}

// Calls visit with where each line of a record begins, in order, until
// visit answers false.
template <typename Visit>
void ForEachLineOf(std::string_view text, const UnihanIndex::Record& record, Visit visit) {
  for (std::size_t at = record.begin; at < record.end;) {
    if (!visit(static_cast<std::uint32_t>(at))) return;
    const void* end = std::memchr(text.data() + at, '\n', record.end - at);
    if (end == nullptr) return;
    at = static_cast<std::size_t>(static_cast<const char*>(end) - text.data()) + 1;
  }
}

bool StartsWithAt(std::string_view text, std::size_t at, std::string_view pattern) {
  return text.size() - at >= pattern.size() && text.compare(at, pattern.size(), pattern) == 0;
}

// The first eight bytes of a text, big-endian and zero-padded: the texts'
// order wherever the keys differ.
std::uint64_t TextKey(const char* bytes, std::uint32_t length) {
  std::uint64_t key = 0;
  for (std::uint32_t i = 0; i < 8; ++i)
    key = (key << 8) | (i < length ? static_cast<unsigned char>(bytes[i]) : 0u);
  return key;
}

// Whether the byte `back` places before `at` is a newline.
bool NewlineBefore(const char* text, std::size_t at, std::size_t back) { return at >= back && text[at - back] == '\n'; }

// Calls visit with the offset of every '\n' and '+' of the text, in order,
// but for a '+' second on its line (the "U+" that begins it, which the
// caller meets through the newline). Sixteen bytes are tested at a time
// where the processor compares them in one instruction, else eight: a byte
// equal to c leaves a zero in word ^ c, and each zero byte is marked by its
// high bit, exactly.
template <typename Visit>
void ForEachNewlineOrPlus(const char* text, std::size_t size, Visit visit) {
  std::size_t at = 0;
#if defined(__SSE2__)
  const __m128i newlines = _mm_set1_epi8('\n');
  const __m128i pluses = _mm_set1_epi8('+');
  for (; size - at >= 16; at += 16) {
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
    unsigned ends = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, newlines)));
    unsigned plus = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, pluses)));
    unsigned second = (ends << 2) | (NewlineBefore(text, at, 2) ? 1u : 0u) | (NewlineBefore(text, at, 1) ? 2u : 0u);
    unsigned found = ends | (plus & ~second);
    while (found != 0) {
      visit(at + static_cast<std::size_t>(__builtin_ctz(found)));
      found &= found - 1;
    }
  }
#endif
  static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "byte offsets taken from the low bits");
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
  auto zeroBytes = [](std::uint64_t v) { return ~(((v & kLow7) + kLow7) | v | kLow7); };
  for (; size - at >= 8; at += 8) {
    std::uint64_t word;
    std::memcpy(&word, text + at, 8);
    std::uint64_t ends = zeroBytes(word ^ (kOnes * '\n'));
    std::uint64_t plus = zeroBytes(word ^ (kOnes * '+'));
    std::uint64_t second = (ends << 16) | (NewlineBefore(text, at, 2) ? 0x80u : 0u) |
                           (NewlineBefore(text, at, 1) ? 0x8000u : 0u);
    std::uint64_t found = ends | (plus & ~second);
    while (found != 0) {
      visit(at + static_cast<std::size_t>(__builtin_ctzll(found)) / 8);
      found &= found - 1;
    }
  }
  for (; at < size; ++at)
    if (text[at] == '\n' || (text[at] == '+' && !NewlineBefore(text, at, 2))) visit(at);
}

// A stable sort that pays for the order the items already have: the
// ascending runs (the text's sections each list their codes in order) are
// merged pairwise until one is left.
template <typename Item, typename Before>
void SortByMergingRuns(std::vector<Item>& items, Before before) {
  std::vector<std::size_t> bounds{0};
  for (std::size_t i = 1; i < items.size(); ++i)
    if (before(items[i], items[i - 1])) bounds.push_back(i);
  bounds.push_back(items.size());
  while (bounds.size() > 2) {
    std::vector<std::size_t> merged{0};
    for (std::size_t run = 0; run + 2 < bounds.size(); run += 2) {
      std::inplace_merge(items.begin() + static_cast<std::ptrdiff_t>(bounds[run]),
                         items.begin() + static_cast<std::ptrdiff_t>(bounds[run + 1]),
                         items.begin() + static_cast<std::ptrdiff_t>(bounds[run + 2]), before);
      merged.push_back(bounds[run + 2]);
    }
    if (merged.back() != bounds.back()) merged.push_back(bounds.back());
    bounds.swap(merged);
  }
}

}  // namespace

void BuildUnihanIndex(CharacterTables& tables) {
  UnihanIndex& index = tables.unihanIndex;
  index = UnihanIndex();
  std::string_view text = UnihanText(tables);
  if (text.empty() || text.size() >= UINT32_MAX) return;
  const char* base = text.data();
  const std::size_t size = text.size();
  // Records in the order of the text, with their lines' counts. Reserved
  // for short records: memory not written is never touched.
  std::vector<UnihanIndex::Record> records;
  std::vector<std::uint32_t> lineCounts;
  records.reserve(size / 64 + 1);
  lineCounts.reserve(size / 64 + 1);
  // The record being gathered, while the line before belongs to it: its
  // code's value and length stand for its text (the same hexadecimal
  // digits give the same value and length); when its "U+", code and the
  // byte after it fit in one word, that word and its mask.
  bool inRecord = false;
  std::uint64_t lastValue = 0;
  std::uint32_t lastLength = 0;
  std::uint64_t recordWord = 0;
  std::uint64_t recordMask = 0;
  std::size_t lineStart = 0;
  std::size_t lastOnlyInside = SIZE_MAX;
  bool startsWithMark = false;
  std::size_t codeEnd = 0;  // a '+' past this begins a mark inside the line
  auto beginLine = [&](std::size_t start) {
    lineStart = start;
    // Most lines go on with the record before: compared as one word.
    if (inRecord && recordMask != 0 && size - start >= 8) {
      std::uint64_t mine;
      std::memcpy(&mine, base + start, 8);
      if (((mine ^ recordWord) & recordMask) == 0) {
        ++lineCounts.back();
        startsWithMark = true;
        codeEnd = start + 2 + lastLength;
        return;
      }
    }
    startsWithMark = size - start >= 2 && base[start] == 'U' && base[start + 1] == '+';
    if (!startsWithMark) {
      if (inRecord) records.back().end = static_cast<std::uint32_t>(start);
      inRecord = false;
      codeEnd = start + 1;
      return;
    }
    codeEnd = start + 2;
    std::uint64_t value = 0;
    int digit;
    while (codeEnd < size && (digit = UpperHexDigit(base[codeEnd])) >= 0) {
      value = (value << 4) | static_cast<std::uint64_t>(digit);
      ++codeEnd;
    }
    std::uint32_t length = static_cast<std::uint32_t>(codeEnd - start - 2);
    // Codes longer than sixteen digits lose digits from the value: compare their text.
    if (inRecord && lastLength == length && lastValue == value &&
        (length <= 16 || std::memcmp(base + records.back().codeOffset, base + start + 2, length) == 0)) {
      ++lineCounts.back();
      return;
    }
    if (inRecord) records.back().end = static_cast<std::uint32_t>(start);
    records.push_back({static_cast<std::uint32_t>(start + 2), length, static_cast<std::uint32_t>(start), 0});
    lineCounts.push_back(1);
    inRecord = true;
    lastValue = value;
    lastLength = length;
    recordMask = length + 3 <= 8 && size - start >= 8 ? ~std::uint64_t{0} >> (8 * (8 - (length + 3))) : 0;
    if (recordMask != 0) std::memcpy(&recordWord, base + start, 8);
  };
  beginLine(0);
  ForEachNewlineOrPlus(base, size, [&](std::size_t at) {
    if (base[at] == '\n') {
      if (at + 1 < size) beginLine(at + 1);
      return;
    }
    // "U+" inside the line: a '+' after a 'U', past the line's own code.
    if (at <= codeEnd || base[at - 1] != 'U') return;
    index.innerMarks.push_back(static_cast<std::uint32_t>(at - 1));
    index.innerMarkLines.push_back(static_cast<std::uint32_t>(lineStart));
    if (!startsWithMark && lineStart != lastOnlyInside) {
      ++index.linesWithInnerMarkOnly;
      lastOnlyInside = lineStart;
    }
  });
  if (inRecord) records.back().end = static_cast<std::uint32_t>(size);
  // Marks by their text: every mark begins "U+", so the eight bytes after
  // it order them wherever they differ; the whole width settles the rest.
  std::vector<std::pair<std::uint64_t, std::uint32_t>> order(index.innerMarks.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    std::size_t after = index.innerMarks[i] + 2;
    order[i] = {TextKey(base + after, static_cast<std::uint32_t>(std::min<std::size_t>(8, size - after))),
                static_cast<std::uint32_t>(i)};
  }
  std::stable_sort(order.begin(), order.end(), [&](const std::pair<std::uint64_t, std::uint32_t>& a,
                                                   const std::pair<std::uint64_t, std::uint32_t>& b) {
    if (a.first != b.first) return a.first < b.first;
    return text.substr(index.innerMarks[a.second], kUnihanMarkOrderWidth) <
           text.substr(index.innerMarks[b.second], kUnihanMarkOrderWidth);
  });
  std::vector<std::uint32_t> marks, markLines;
  marks.reserve(order.size());
  markLines.reserve(order.size());
  for (const auto& entry : order) {
    marks.push_back(index.innerMarks[entry.second]);
    markLines.push_back(index.innerMarkLines[entry.second]);
  }
  index.innerMarks.swap(marks);
  index.innerMarkLines.swap(markLines);
  // Records by their code's text: by the eight-byte key, then (for longer
  // codes alike in their first eight bytes) by the whole text.
  std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed(records.size());
  for (std::size_t i = 0; i < keyed.size(); ++i)
    keyed[i] = {TextKey(base + records[i].codeOffset, records[i].codeLength), static_cast<std::uint32_t>(i)};
  auto before = [&](const std::pair<std::uint64_t, std::uint32_t>& a, const std::pair<std::uint64_t, std::uint32_t>& b) {
    if (a.first != b.first) return a.first < b.first;
    return CodeOf(text, records[a.second]) < CodeOf(text, records[b.second]);
  };
  SortByMergingRuns(keyed, before);
  index.records.reserve(keyed.size());
  index.linesBefore.reserve(keyed.size() + 1);
  std::uint32_t lines = 0;
  for (const auto& entry : keyed) {
    index.records.push_back(records[entry.second]);
    index.linesBefore.push_back(lines);
    lines += lineCounts[entry.second];
  }
  index.linesBefore.push_back(lines);
  index.builtFor = tables.unihan.data();
  index.builtSize = tables.unihan.size();
  index.textLength = text.size();
}

UnihanExtract ExtractUnihan(const CharacterTables& tables, const std::string& key) {
  if (!IndexCurrent(tables)) return ExtractUnihanByScan(tables, key);
  const UnihanIndex& index = tables.unihanIndex;
  std::string_view text(tables.unihan.data(), index.textLength);
  std::string pattern = UnihanPattern(key);
  std::string_view afterMark = std::string_view(pattern).substr(2);
  std::size_t hexLength = 0;
  while (hexLength < afterMark.size() && IsHexDigit(afterMark[hexLength])) ++hexLength;
  std::string_view hex = afterMark.substr(0, hexLength);
  bool codeOnly = hexLength == afterMark.size();

  // Records whose code begins with the hexadecimal part; when the key goes
  // on past it, only the records whose code is exactly that part.
  auto byCode = [text](const UnihanIndex::Record& record, std::string_view value) {
    return CodeOf(text, record).substr(0, value.size()) < value;
  };
  auto lo = std::lower_bound(index.records.begin(), index.records.end(), hex, byCode);
  auto hi = lo;
  while (hi != index.records.end() && CodeOf(text, *hi).substr(0, hex.size()) == hex) ++hi;
  if (!codeOnly) {
    lo = std::lower_bound(index.records.begin(), index.records.end(), hex,
                          [text](const UnihanIndex::Record& r, std::string_view v) { return CodeOf(text, r) < v; });
    hi = lo;
    while (hi != index.records.end() && CodeOf(text, *hi) == hex) ++hi;
  }

  // The lines that hold the pattern at their start, by where they begin:
  // when they are listed, the first kUnihanExtractMaxLines of them in the
  // text's order (no later one can be shown), taken from the records in
  // the order they stand in the text.
  std::vector<std::uint32_t> startLines;
  std::size_t startCount = 0;
  bool listAll = static_cast<std::size_t>(hi - lo) <= kRecordsToSort;
  if (codeOnly) {
    startCount = index.linesBefore[hi - index.records.begin()] - index.linesBefore[lo - index.records.begin()];
    if (listAll) {
      std::vector<UnihanIndex::Record> inText(lo, hi);
      std::sort(inText.begin(), inText.end(),
                [](const UnihanIndex::Record& a, const UnihanIndex::Record& b) { return a.begin < b.begin; });
      for (const UnihanIndex::Record& record : inText) {
        ForEachLineOf(text, record, [&startLines](std::uint32_t line) {
          startLines.push_back(line);
          return startLines.size() < kUnihanExtractMaxLines;
        });
        if (startLines.size() >= kUnihanExtractMaxLines) break;
      }
    }
  } else {
    for (auto record = lo; record != hi; ++record)
      ForEachLineOf(text, *record, [&](std::uint32_t line) {
        if (StartsWithAt(text, line, pattern)) startLines.push_back(line);
        return true;
      });
    startCount = startLines.size();
  }

  // The lines that hold it only inside: the marks whose text begins with
  // the pattern's first bytes, each checked in full.
  std::vector<std::uint32_t> innerLines;
  std::size_t innerCount = 0;
  if (afterMark.empty() && !listAll) {
    innerCount = index.linesWithInnerMarkOnly;
  } else {
    std::string_view ordered = std::string_view(pattern).substr(0, kUnihanMarkOrderWidth);
    auto first = std::lower_bound(index.innerMarks.begin(), index.innerMarks.end(), ordered,
                                  [text, &ordered](std::uint32_t mark, std::string_view value) {
                                    return text.substr(mark, ordered.size()) < value;
                                  });
    for (auto mark = first; mark != index.innerMarks.end() && StartsWithAt(text, *mark, ordered); ++mark) {
      if (!StartsWithAt(text, *mark, pattern)) continue;
      std::uint32_t line = index.innerMarkLines[mark - index.innerMarks.begin()];
      if (!StartsWithAt(text, line, pattern)) innerLines.push_back(line);
    }
    std::sort(innerLines.begin(), innerLines.end());
    innerLines.erase(std::unique(innerLines.begin(), innerLines.end()), innerLines.end());
    innerCount = innerLines.size();
  }

  std::size_t total = startCount + innerCount;
  UnihanExtract extract;
  if (listAll) {
    std::vector<std::uint32_t> lines = startLines;
    lines.insert(lines.end(), innerLines.begin(), innerLines.end());
    std::size_t shown = std::min(lines.size(), kUnihanExtractMaxLines);
    std::partial_sort(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(shown), lines.end());
    for (std::size_t i = 0; i < shown; ++i) extract.lines.emplace_back(LineAt(text, lines[i]));
  } else {
    extract = ScanUnihanLines(text, pattern, kUnihanExtractMaxLines);
  }
  extract.moreLines = total - extract.lines.size();
  return extract;
}
