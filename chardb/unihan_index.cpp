// The Unihan extract through its index: a key's lines are those of the
// records whose code begins with the key (a line begins "U+" code TAB), and
// those holding the pattern at one of the few marks inside a line.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

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

std::string_view LineText(std::string_view text, const UnihanIndex& index, std::uint32_t line) {
  std::size_t start = index.lineStarts[line];
  std::size_t end = index.lineStarts[line + 1];
  if (end > start && text[end - 1] == '\n') --end;
  return text.substr(start, end - start);
}

bool StartsWithAt(std::string_view text, std::size_t at, std::string_view pattern) {
  return text.size() - at >= pattern.size() && text.compare(at, pattern.size(), pattern) == 0;
}

// The first eight bytes of a record's code, big-endian and zero-padded: the
// codes' text order wherever the keys differ.
std::uint64_t CodeKey(const char* code, std::uint32_t length) {
  std::uint64_t key = 0;
  for (std::uint32_t i = 0; i < 8; ++i)
    key = (key << 8) | (i < length ? static_cast<unsigned char>(code[i]) : 0u);
  return key;
}

}  // namespace

void BuildUnihanIndex(CharacterTables& tables) {
  UnihanIndex& index = tables.unihanIndex;
  index = UnihanIndex();
  std::string_view text = UnihanText(tables);
  if (text.empty() || text.size() >= UINT32_MAX) return;
  index.lineStarts.reserve(text.size() / 24);
  const char* base = text.data();
  const std::size_t size = text.size();
  // The record being gathered: its code's value and length stand for its
  // text (the same hexadecimal digits give the same value and length).
  std::uint64_t lastValue = 0;
  std::uint32_t lastLength = 0;
  std::uint32_t line = 0;
  std::uint32_t lastOnlyInside = UINT32_MAX;
  for (std::size_t start = 0; start < size; ++line) {
    index.lineStarts.push_back(static_cast<std::uint32_t>(start));
    const void* newline = std::memchr(base + start, '\n', size - start);
    std::size_t end = newline ? static_cast<const char*>(newline) - base + 1 : size;
    std::size_t codeEnd = start + 1;
    bool startsWithMark = end - start >= 2 && base[start] == 'U' && base[start + 1] == '+';
    if (startsWithMark) {
      codeEnd = start + 2;
      std::uint64_t value = 0;
      int digit;
      while (codeEnd < end && (digit = UpperHexDigit(base[codeEnd])) >= 0) {
        value = (value << 4) | static_cast<std::uint64_t>(digit);
        ++codeEnd;
      }
      std::uint32_t length = static_cast<std::uint32_t>(codeEnd - start - 2);
      // Codes longer than sixteen digits lose digits from the value: compare their text.
      bool sameRecord = !index.records.empty() && index.records.back().endLine == line && lastLength == length &&
                        lastValue == value &&
                        (length <= 16 || std::memcmp(base + index.records.back().codeOffset, base + start + 2, length) == 0);
      if (sameRecord) {
        ++index.records.back().endLine;
      } else {
        index.records.push_back({static_cast<std::uint32_t>(start + 2), length, line, line + 1});
        lastValue = value;
        lastLength = length;
      }
    }
    // "U+" inside the line: every '+' after a 'U', past the line's own code.
    for (std::size_t at = codeEnd + 1; at < end;) {
      const void* plus = std::memchr(base + at, '+', end - at);
      if (!plus) break;
      std::size_t mark = static_cast<const char*>(plus) - base - 1;
      if (base[mark] == 'U') {
        index.innerMarks.push_back(static_cast<std::uint32_t>(mark));
        index.innerMarkLines.push_back(line);
        if (!startsWithMark && line != lastOnlyInside) {
          ++index.linesWithInnerMarkOnly;
          lastOnlyInside = line;
        }
      }
      at = mark + 2;
    }
    start = end;
  }
  index.lineStarts.push_back(static_cast<std::uint32_t>(size));
  std::vector<std::size_t> order(index.innerMarks.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return text.substr(index.innerMarks[a], kUnihanMarkOrderWidth) < text.substr(index.innerMarks[b], kUnihanMarkOrderWidth);
  });
  std::vector<std::uint32_t> marks, markLines;
  marks.reserve(order.size());
  markLines.reserve(order.size());
  for (std::size_t i : order) {
    marks.push_back(index.innerMarks[i]);
    markLines.push_back(index.innerMarkLines[i]);
  }
  index.innerMarks.swap(marks);
  index.innerMarkLines.swap(markLines);
  // Records by their code's text: by the eight-byte key, then (for longer
  // codes alike in their first eight bytes) by the whole text.
  std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed(index.records.size());
  for (std::size_t i = 0; i < keyed.size(); ++i) {
    const UnihanIndex::Record& record = index.records[i];
    keyed[i] = {CodeKey(base + record.codeOffset, record.codeLength), static_cast<std::uint32_t>(i)};
  }
  auto before = [&](const std::pair<std::uint64_t, std::uint32_t>& a, const std::pair<std::uint64_t, std::uint32_t>& b) {
    if (a.first != b.first) return a.first < b.first;
    return CodeOf(text, index.records[a.second]) < CodeOf(text, index.records[b.second]);
  };
  std::stable_sort(keyed.begin(), keyed.end(), before);
  std::vector<UnihanIndex::Record> records;
  records.reserve(keyed.size());
  for (const auto& entry : keyed) records.push_back(index.records[entry.second]);
  index.records.swap(records);
  index.linesBefore.reserve(index.records.size() + 1);
  std::uint32_t lines = 0;
  for (const UnihanIndex::Record& record : index.records) {
    index.linesBefore.push_back(lines);
    lines += record.endLine - record.firstLine;
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

  // The lines that hold the pattern at their start.
  std::vector<std::uint32_t> startLines;
  std::size_t startCount = 0;
  bool listAll = static_cast<std::size_t>(hi - lo) <= kRecordsToSort;
  if (codeOnly) {
    startCount = index.linesBefore[hi - index.records.begin()] - index.linesBefore[lo - index.records.begin()];
    if (listAll)
      for (auto record = lo; record != hi; ++record)
        for (std::uint32_t line = record->firstLine; line < record->endLine; ++line) startLines.push_back(line);
  } else {
    for (auto record = lo; record != hi; ++record)
      for (std::uint32_t line = record->firstLine; line < record->endLine; ++line)
        if (StartsWithAt(text, index.lineStarts[line], pattern)) startLines.push_back(line);
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
      if (!StartsWithAt(text, index.lineStarts[line], pattern)) innerLines.push_back(line);
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
    for (std::size_t i = 0; i < shown; ++i) extract.lines.emplace_back(LineText(text, index, lines[i]));
  } else {
    extract = ScanUnihanLines(text, pattern, kUnihanExtractMaxLines);
  }
  extract.moreLines = total - extract.lines.size();
  return extract;
}
