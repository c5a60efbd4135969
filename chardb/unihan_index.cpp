// The Unihan extract through its index: a key's lines are those of the
// records whose code begins with the key (a line begins "U+" code TAB), and
// those holding the pattern at one of the few marks inside a line.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
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

// Calls atNewline with the offset of every '\n' of the text and atPlus
// with that of every '+', in the text's order, but for a '+' second on its
// line (the "U+" that begins it, which the caller meets through the
// newline), and stops at the first NUL; answers where it stopped.
// Thirty-two bytes are tested at a time where the processor compares
// sixteen in one instruction, else eight: a byte equal to c leaves a zero
// in word ^ c, and each zero byte is marked by its high bit, exactly.
template <typename AtNewline, typename AtPlus>
std::size_t ForEachNewlineOrPlus(const char* text, std::size_t size, AtNewline atNewline, AtPlus atPlus) {
  std::size_t at = 0;
  // The bits below the first NUL's; false when there was one.
  auto visit = [&](std::size_t base, std::uint64_t ends, std::uint64_t found, std::uint64_t nuls, int shift) {
    if (nuls != 0) found &= (nuls & (0 - nuls)) - 1;
    while (found != 0) {
      int bit = __builtin_ctzll(found);
      if ((ends >> bit) & 1)
        atNewline(base + static_cast<std::size_t>(bit >> shift));
      else
        atPlus(base + static_cast<std::size_t>(bit >> shift));
      found &= found - 1;
    }
    return nuls == 0;
  };
#if defined(__SSE2__)
  const __m128i newlines = _mm_set1_epi8('\n');
  const __m128i pluses = _mm_set1_epi8('+');
  const __m128i zeros = _mm_setzero_si128();
  for (; size - at >= 32; at += 32) {
    __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
    __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at + 16));
    auto mask = [low, high](__m128i c) {
      return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(low, c))) |
             static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(high, c))) << 16;
    };
    std::uint32_t ends = mask(newlines);
    std::uint32_t plus = mask(pluses);
    std::uint32_t second = (ends << 2) | (NewlineBefore(text, at, 2) ? 1u : 0u) | (NewlineBefore(text, at, 1) ? 2u : 0u);
    std::uint32_t nuls = mask(zeros);
    if (!visit(at, ends, ends | (plus & ~second), nuls, 0)) return at + static_cast<std::size_t>(__builtin_ctz(nuls));
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
    std::uint64_t nuls = zeroBytes(word);
    if (!visit(at, ends, ends | (plus & ~second), nuls, 3))
      return at + static_cast<std::size_t>(__builtin_ctzll(nuls)) / 8;
  }
  for (; at < size; ++at) {
    if (text[at] == '\0') return at;
    if (text[at] == '\n')
      atNewline(at);
    else if (text[at] == '+' && !NewlineBefore(text, at, 2))
      atPlus(at);
  }
  return size;
}

// The records of a text and the marks inside its lines, gathered line by
// line in the text's order. Most lines go on with the record before: the
// same "U+", code and byte after it, compared as one word; other lines
// take the longer way.
class RecordGatherer {
 public:
  RecordGatherer(std::string_view text, UnihanIndex& index) : base_(text.data()), size_(text.size()), index_(index) {
    // Reserved for short records: memory not written is never touched.
    records.reserve(size_ / 64 + 1);
    lineCounts.reserve(size_ / 64 + 1);
    keyed.reserve(size_ / 64 + 1);
  }

  void BeginLine(std::size_t start) {
    lineStart_ = start;
    if (recordMask_ != 0 && size_ - start >= 8) {
      std::uint64_t mine;
      std::memcpy(&mine, base_ + start, 8);
      if (((mine ^ recordWord_) & recordMask_) == 0) {
        ++*lineCount_;
        return;
      }
    }
    BeginOtherLine(start);
  }

  // A '+' that is not second on its line: "U+" inside the line when a 'U'
  // stands before it, past the line's own code (a '+' that opens the text
  // has nothing before it).
  void Plus(std::size_t at) {
    if (at == 0 || base_[at - 1] != 'U') return;
    if (codeLine_ != lineStart_) ReadCode(lineStart_);
    if (at > codeEnd_) AddInnerMark(at - 1);
  }

  // Ends the last record at the text's end.
  void Finish() {
    if (inRecord_) records.back().end = static_cast<std::uint32_t>(size_);
  }

  // Records in the order of the text, with their lines' counts and their
  // order keys (taken while the line is at hand).
  std::vector<UnihanIndex::Record> records;
  std::vector<std::uint32_t> lineCounts;
  std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed;

 private:
  // Whether the line at `start` begins with "U+", and where its code
  // ends; the code's value.
  std::uint64_t ReadCode(std::size_t start) {
    codeLine_ = start;
    startsWithMark_ = size_ - start >= 2 && base_[start] == 'U' && base_[start + 1] == '+';
    codeEnd_ = start + (startsWithMark_ ? 2 : 1);
    std::uint64_t value = 0;
    int digit;
    while (startsWithMark_ && codeEnd_ < size_ && (digit = UpperHexDigit(base_[codeEnd_])) >= 0) {
      value = (value << 4) | static_cast<std::uint64_t>(digit);
      ++codeEnd_;
    }
    return value;
  }

  __attribute__((noinline)) void BeginOtherLine(std::size_t start) {
    std::uint64_t value = ReadCode(start);
    if (!startsWithMark_) {
      EndRecord(start);
      return;
    }
    std::uint32_t length = static_cast<std::uint32_t>(codeEnd_ - start - 2);
    // The same value and length give the same code, but for codes longer
    // than sixteen digits, which lose digits from the value: their text.
    if (inRecord_ && lastLength_ == length && lastValue_ == value &&
        (length <= 16 || std::memcmp(base_ + records.back().codeOffset, base_ + start + 2, length) == 0)) {
      ++*lineCount_;
      return;
    }
    EndRecord(start);
    records.push_back({static_cast<std::uint32_t>(start + 2), length, static_cast<std::uint32_t>(start), 0});
    lineCounts.push_back(1);
    lineCount_ = &lineCounts.back();
    keyed.push_back({TextKey(base_ + start + 2, length), static_cast<std::uint32_t>(keyed.size())});
    inRecord_ = true;
    lastValue_ = value;
    lastLength_ = length;
    recordMask_ = length + 3 <= 8 && size_ - start >= 8 ? ~std::uint64_t{0} >> (8 * (8 - (length + 3))) : 0;
    if (recordMask_ != 0) std::memcpy(&recordWord_, base_ + start, 8);
  }

  void EndRecord(std::size_t start) {
    if (inRecord_) records.back().end = static_cast<std::uint32_t>(start);
    inRecord_ = false;
    recordMask_ = 0;
  }

  __attribute__((noinline)) void AddInnerMark(std::size_t mark) {
    index_.innerMarks.push_back(static_cast<std::uint32_t>(mark));
    index_.innerMarkLines.push_back(static_cast<std::uint32_t>(lineStart_));
    if (!startsWithMark_ && lineStart_ != lastOnlyInside_) {
      ++index_.linesWithInnerMarkOnly;
      lastOnlyInside_ = lineStart_;
    }
  }

  const char* base_;
  std::size_t size_;
  UnihanIndex& index_;
  // The record being gathered, while the line before belongs to it: its
  // code's value and length, and when its "U+", code and the byte after
  // it fit in one word, that word and its mask (else a mask of zero).
  bool inRecord_ = false;
  std::uint64_t lastValue_ = 0;
  std::uint32_t lastLength_ = 0;
  std::uint64_t recordWord_ = 0;
  std::uint64_t recordMask_ = 0;
  std::uint32_t* lineCount_ = nullptr;  // its lines so far
  // The line being read, and the one whose code was last read: whether it
  // begins with "U+", and where its code ends (a '+' past there begins a
  // mark inside the line).
  std::size_t lineStart_ = 0;
  std::size_t codeLine_ = SIZE_MAX;
  bool startsWithMark_ = false;
  std::size_t codeEnd_ = 0;
  std::size_t lastOnlyInside_ = SIZE_MAX;
};

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
  // The text runs to the buffer's first NUL, nearly always the one after
  // the file's bytes: the scan takes the text up to there, and runs again
  // on the shorter text when it meets a NUL before.
  std::string_view text(tables.unihan.data(), tables.unihan.size());
  if (!text.empty() && text.back() == '\0') text.remove_suffix(1);
  if (text.empty() || text.size() >= UINT32_MAX) return;
  auto gather = [](std::string_view within, RecordGatherer& gatherer) {
    gatherer.BeginLine(0);
    std::size_t size = within.size();
    std::size_t end = ForEachNewlineOrPlus(
        within.data(), size,
        [&gatherer, size](std::size_t at) {
          if (at + 1 < size) gatherer.BeginLine(at + 1);
        },
        [&gatherer](std::size_t at) { gatherer.Plus(at); });
    gatherer.Finish();
    return end;
  };
  auto gatherer = std::make_unique<RecordGatherer>(text, index);
  std::size_t nul = gather(text, *gatherer);
  if (nul < text.size()) {
    index = UnihanIndex();
    text = text.substr(0, nul);
    if (text.empty()) return;
    gatherer = std::make_unique<RecordGatherer>(text, index);
    gather(text, *gatherer);
  }
  const char* base = text.data();
  const std::size_t size = text.size();
  const std::vector<UnihanIndex::Record>& records = gatherer->records;
  const std::vector<std::uint32_t>& lineCounts = gatherer->lineCounts;
  std::vector<std::pair<std::uint64_t, std::uint32_t>>& keyed = gatherer->keyed;
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
