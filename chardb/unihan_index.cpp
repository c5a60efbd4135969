// The Unihan extract through its index: a key's lines are those of the
// records whose code begins with the key (a line begins "U+" code TAB), and
// those holding the pattern at one of the few marks inside a line.
#include "chardb/unihan_index.h"

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
// Records that fall in more ascending runs than this are sorted into one.
constexpr std::size_t kMostRuns = 64;

bool IsHexDigit(char c) { return UpperHexDigit(c) >= 0; }

std::string_view CodeOf(std::string_view text, const UnihanIndex::Record& record) {
  return text.substr(record.codeOffset, record.codeLength);
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
// Sixty-four bytes are tested at a time where the processor compares
// sixteen in one instruction, else eight: a byte equal to c leaves a zero
// in word ^ c, and each zero byte is marked by its high bit, exactly.
// Whether the two bytes before a block are newlines is carried over from
// the block before. Most blocks hold only newlines to visit, which are
// visited without asking of each what it is, and away from the text's end
// through atNewlineWithRoom: at least eight bytes follow the newline's
// line start. Inlined, so that the caller's state stays in registers.
template <typename AtNewline, typename AtNewlineWithRoom, typename AtPlus>
inline __attribute__((always_inline)) std::size_t ForEachNewlineOrPlus(const char* text, std::size_t size,
                                                                        AtNewline atNewline,
                                                                        AtNewlineWithRoom atNewlineWithRoom,
                                                                        AtPlus atPlus) {
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
  // Bit 0: a newline two bytes before the block; bit 1: one byte before.
  std::uint64_t before = 0;
  for (; size - at >= 64; at += 64) {
    __m128i part[4];
    for (int i = 0; i < 4; ++i) part[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at + 16 * i));
    auto mask = [&part](__m128i c) {
      std::uint64_t bits = 0;
      for (int i = 0; i < 4; ++i)
        bits |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(part[i], c))))
                << (16 * i);
      return bits;
    };
    std::uint64_t ends = mask(newlines);
    std::uint64_t inner = mask(pluses) & ~((ends << 2) | before);
    before = ends >> 62;
    __m128i least = _mm_min_epu8(_mm_min_epu8(part[0], part[1]), _mm_min_epu8(part[2], part[3]));
    bool nul = _mm_movemask_epi8(_mm_cmpeq_epi8(least, zeros)) != 0;
    if (inner == 0 && !nul) {
      if (size - at >= 80)
        for (; ends != 0; ends &= ends - 1) atNewlineWithRoom(at + static_cast<std::size_t>(__builtin_ctzll(ends)));
      else
        for (; ends != 0; ends &= ends - 1) atNewline(at + static_cast<std::size_t>(__builtin_ctzll(ends)));
      continue;
    }
    std::uint64_t nuls = mask(zeros);
    if (!visit(at, ends, ends | inner, nuls, 0)) return at + static_cast<std::size_t>(__builtin_ctzll(nuls));
  }
#endif
  static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "byte offsets taken from the low bits");
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
  auto zeroBytes = [](std::uint64_t v) { return ~(((v & kLow7) + kLow7) | v | kLow7); };
  // The high bit of byte 0: a newline two bytes before the word; of byte
  // 1: one byte before.
  std::uint64_t wordBefore = (NewlineBefore(text, at, 2) ? 0x80u : 0u) | (NewlineBefore(text, at, 1) ? 0x8000u : 0u);
  for (; size - at >= 8; at += 8) {
    std::uint64_t word;
    std::memcpy(&word, text + at, 8);
    std::uint64_t ends = zeroBytes(word ^ (kOnes * '\n'));
    std::uint64_t inner = zeroBytes(word ^ (kOnes * '+')) & ~((ends << 16) | wordBefore);
    wordBefore = ends >> 48;
    std::uint64_t nuls = zeroBytes(word);
    if ((inner | nuls) == 0) {
      if (size - at >= 24)
        for (; ends != 0; ends &= ends - 1) atNewlineWithRoom(at + static_cast<std::size_t>(__builtin_ctzll(ends)) / 8);
      else
        for (; ends != 0; ends &= ends - 1) atNewline(at + static_cast<std::size_t>(__builtin_ctzll(ends)) / 8);
      continue;
    }
    if (!visit(at, ends, ends | inner, nuls, 3)) return at + static_cast<std::size_t>(__builtin_ctzll(nuls)) / 8;
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
// same "U+", code and byte after it, which the caller compares as one word
// (RecordWord) and only counts; the other lines, and every '+' inside a
// line, take the longer way here.
class RecordGatherer {
 public:
  // What a line going on with the record begins with: its "U+", code and
  // the byte after it, when they fit in one word (the mask's bytes). When
  // they do not, or no record is being gathered, a NUL as the line's first
  // byte, which no line of a text (it ends at its first NUL) begins with.
  struct RecordWord {
    std::uint64_t word;
    std::uint64_t mask;
  };

  static constexpr RecordWord kNoRecordWord{0, 0xFF};

  RecordGatherer(std::string_view text, UnihanIndex& index)
      : records(index.records), lineCounts(index.linesBefore), base_(text.data()), size_(text.size()), index_(index) {
    // Reserved for short records: memory not written is never touched.
    records.reserve(size_ / 64 + 1);
    lineCounts.reserve(size_ / 64 + 2);
  }

  // The line at `start`, the text's line number `line` (from 0), which the
  // caller could not tell goes on with the record before; the record word
  // for the lines after it.
  __attribute__((noinline)) RecordWord BeginOtherLine(std::size_t start, std::uint32_t line) {
    std::uint64_t value = ReadCode(start);
    if (!startsWithMark_) {
      EndRecord(start, line);
      return kNoRecordWord;
    }
    std::uint32_t length = static_cast<std::uint32_t>(codeEnd_ - start - 2);
    // The same value and length give the same code, but for codes longer
    // than sixteen digits, which lose digits from the value: their text.
    if (inRecord_ && lastLength_ == length && lastValue_ == value &&
        (length <= 16 || std::memcmp(base_ + records.back().codeOffset, base_ + start + 2, length) == 0))
      return record_;
    EndRecord(start, line);
    // A code that does not come after the record before's begins a run
    // (codes of one length up to sixteen digits compare as their values).
    bool after = false;
    if (!records.empty()) {
      if (lastLength_ == length && length <= 16)
        after = lastValue_ < value;
      else
        after = std::string_view(base_ + records.back().codeOffset, records.back().codeLength) <
                std::string_view(base_ + start + 2, length);
    }
    if (!after) index_.runs.push_back(static_cast<std::uint32_t>(records.size()));
    records.push_back({static_cast<std::uint32_t>(start + 2), length, static_cast<std::uint32_t>(start), 0});
    lineCounts.push_back(0);
    inRecord_ = true;
    firstLine_ = line;
    lastValue_ = value;
    lastLength_ = length;
    record_ = kNoRecordWord;
    if (length + 3 <= 8 && size_ - start >= 8) {
      record_.mask = ~std::uint64_t{0} >> (8 * (8 - (length + 3)));
      std::memcpy(&record_.word, base_ + start, 8);
    }
    return record_;
  }

  // A '+' that is not second on its line, the line that begins at
  // `lineStart`: "U+" inside the line when a 'U' stands before it, past the
  // line's own code (a '+' that opens the text has nothing before it). The
  // line's code is read once, at its first mark.
  void Plus(std::size_t at, std::size_t lineStart) {
    if (at == 0 || base_[at - 1] != 'U') return;
    if (codeLine_ != lineStart) ReadCode(lineStart);
    if (at > codeEnd_) AddInnerMark(at - 1, lineStart);
  }

  // Ends the last record at the text's end, after its `lines` lines, and
  // the last run.
  void Finish(std::uint32_t lines) {
    EndRecord(size_, lines);
    index_.runs.push_back(static_cast<std::uint32_t>(records.size()));
  }

  // A mark inside a line: the keys of the text after its "U+" that order
  // it (kUnihanMarkOrderWidth bytes in all), taken while the line is at
  // hand, so that ordering never reads the text again; where it stands
  // and where its line begins.
  struct Mark {
    std::uint64_t keys[3];
    std::uint32_t at;
    std::uint32_t line;
  };

  // Records in the order of the text, with their lines' counts, gathered
  // in the index's own vectors; the marks in the text's order.
  std::vector<UnihanIndex::Record>& records;
  std::vector<std::uint32_t>& lineCounts;
  std::vector<Mark> marks;

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

  // Ends the record being gathered, if any, before the line at `start`,
  // the text's line number `line`.
  void EndRecord(std::size_t start, std::uint32_t line) {
    if (inRecord_) {
      records.back().end = static_cast<std::uint32_t>(start);
      lineCounts.back() = line - firstLine_;
    }
    inRecord_ = false;
  }

  // Every mark begins "U+": the 24 bytes after it order the marks, read
  // as three words (zero past the text's end).
  __attribute__((noinline)) void AddInnerMark(std::size_t mark, std::size_t lineStart) {
    std::size_t after = mark + 2;
    Mark held{{}, static_cast<std::uint32_t>(mark), static_cast<std::uint32_t>(lineStart)};
    for (std::size_t word = 0; word < 3; ++word) {
      std::size_t from = std::min(size_, after + 8 * word);
      held.keys[word] = TextKey(base_ + from, static_cast<std::uint32_t>(std::min<std::size_t>(8, size_ - from)));
    }
    marks.push_back(held);
    if (!startsWithMark_ && lineStart != lastOnlyInside_) {
      ++index_.linesWithInnerMarkOnly;
      lastOnlyInside_ = lineStart;
    }
  }

  const char* base_;
  std::size_t size_;
  UnihanIndex& index_;
  // The record being gathered, while the line before belongs to it: its
  // first line's number, its code's value and length, and its word.
  bool inRecord_ = false;
  std::uint32_t firstLine_ = 0;
  std::uint64_t lastValue_ = 0;
  std::uint32_t lastLength_ = 0;
  RecordWord record_ = kNoRecordWord;
  // The line whose code was last read: whether it begins with "U+", and
  // where its code ends (a '+' past there begins a mark inside the line).
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

// The items in a new order: the one at order[i].second comes to i. Read
// in the order's sequence, not by following the permutation's cycles, so
// that the reads of items far apart do not wait for each other.
template <typename Key, typename Item>
void PutInOrder(const std::vector<std::pair<Key, std::uint32_t>>& order, std::vector<Item>& items) {
  std::vector<Item> ordered;
  ordered.reserve(items.size());
  for (const auto& place : order) ordered.push_back(items[place.second]);
  items.swap(ordered);
}

}  // namespace

bool UnihanIndexCurrent(const CharacterTables& tables, const UnihanIndex& index) {
  return index.builtFor != nullptr && index.builtFor == tables.unihan.data() &&
         index.builtSize == tables.unihan.size() && index.builtForLoad == tables.unihanLoad;
}

void BuildUnihanIndex(const CharacterTables& tables, UnihanIndex& index) {
  index = UnihanIndex();
  // The text runs to the buffer's first NUL, nearly always the one after
  // the file's bytes: the scan takes the text up to there, and runs again
  // on the shorter text when it meets a NUL before.
  std::string_view text(tables.unihan.data(), tables.unihan.size());
  if (!text.empty() && text.back() == '\0') text.remove_suffix(1);
  if (text.empty() || text.size() >= UINT32_MAX) return;
  // The line numbers, the line's start and the record word stay in
  // registers while lines go on with their record, the common case.
  auto gather = [](std::string_view within, RecordGatherer& gatherer) {
    const char* base = within.data();
    std::size_t size = within.size();
    std::uint32_t line = 0;
    std::size_t lineStart = 0;
    RecordGatherer::RecordWord record = gatherer.BeginOtherLine(0, line);
    auto goesOn = [&](std::size_t start) {
      std::uint64_t word;
      std::memcpy(&word, base + start, 8);
      return ((word ^ record.word) & record.mask) == 0;
    };
    std::size_t end = ForEachNewlineOrPlus(
        base, size,
        [&](std::size_t at) {
          std::size_t start = at + 1;
          lineStart = start;
          if (start >= size) return;
          ++line;
          if (size - start >= 8 && goesOn(start)) return;
          record = gatherer.BeginOtherLine(start, line);
        },
        [&](std::size_t at) {
          ++line;
          lineStart = at + 1;
          if (!goesOn(at + 1)) record = gatherer.BeginOtherLine(at + 1, line);
        },
        [&](std::size_t at) { gatherer.Plus(at, lineStart); });
    gatherer.Finish(line + 1);
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
  // Marks by their text, which their keys hold, and of one text the
  // first in the text first: a merge, which no order of the text can turn
  // into a slow case (a text of marks alike in a repeating pattern made
  // the quicksort fall back to heapsort).
  std::vector<RecordGatherer::Mark>& marks = gatherer->marks;
  std::stable_sort(marks.begin(), marks.end(), [](const RecordGatherer::Mark& a, const RecordGatherer::Mark& b) {
    for (int word = 0; word < 3; ++word)
      if (a.keys[word] != b.keys[word]) return a.keys[word] < b.keys[word];
    return false;
  });
  index.innerMarks.reserve(marks.size());
  index.innerMarkLines.reserve(marks.size());
  for (const RecordGatherer::Mark& mark : marks) {
    index.innerMarks.push_back(mark.at);
    index.innerMarkLines.push_back(mark.line);
  }
  std::vector<RecordGatherer::Mark>().swap(marks);
  // Records in more runs than a search looks through are sorted by their
  // code's text: by the first eight bytes, then (for longer codes alike in
  // those) by the whole text; of one code, the first record first.
  if (index.runs.size() - 1 > kMostRuns) {
    const std::vector<UnihanIndex::Record>& records = index.records;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
      keyed[i] = {TextKey(text.data() + records[i].codeOffset, records[i].codeLength), static_cast<std::uint32_t>(i)};
    auto before = [&](const std::pair<std::uint64_t, std::uint32_t>& a,
                      const std::pair<std::uint64_t, std::uint32_t>& b) {
      if (a.first != b.first) return a.first < b.first;
      return CodeOf(text, records[a.second]) < CodeOf(text, records[b.second]);
    };
    SortByMergingRuns(keyed, before);
    PutInOrder(keyed, index.records);
    PutInOrder(keyed, index.linesBefore);
    index.runs = {0, static_cast<std::uint32_t>(records.size())};
  }
  // The counts become the lines before each record, and the total.
  std::uint32_t lines = 0;
  for (std::uint32_t& count : index.linesBefore) {
    std::uint32_t own = count;
    count = lines;
    lines += own;
  }
  index.linesBefore.push_back(lines);
  index.builtFor = tables.unihan.data();
  index.builtSize = tables.unihan.size();
  index.builtForLoad = tables.unihanLoad;
  index.textLength = text.size();
}

UnihanExtract ExtractUnihan(const CharacterTables& tables, const UnihanIndex& index, const std::string& key) {
  if (!UnihanIndexCurrent(tables, index)) return ScanUnihanLines(UnihanText(tables), UnihanPattern(key), SIZE_MAX);
  std::string_view text(tables.unihan.data(), index.textLength);
  std::string pattern = UnihanPattern(key);
  std::string_view afterMark = std::string_view(pattern).substr(2);
  std::size_t hexLength = 0;
  while (hexLength < afterMark.size() && IsHexDigit(afterMark[hexLength])) ++hexLength;
  std::string_view hex = afterMark.substr(0, hexLength);
  bool codeOnly = hexLength == afterMark.size();

  // Records whose code begins with the hexadecimal part; when the key goes
  // on past it, only the records whose code is exactly that part: a range
  // of each run.
  auto matches = [text, hex, codeOnly](const UnihanIndex::Record& record) {
    std::string_view code = CodeOf(text, record);
    return codeOnly ? code.substr(0, hex.size()) == hex : code == hex;
  };
  auto before = [text, codeOnly](const UnihanIndex::Record& record, std::string_view value) {
    std::string_view code = CodeOf(text, record);
    return (codeOnly ? code.substr(0, value.size()) : code) < value;
  };
  using RecordAt = std::vector<UnihanIndex::Record>::const_iterator;
  std::vector<std::pair<RecordAt, RecordAt>> ranges;
  std::size_t matched = 0;
  for (std::size_t run = 0; run + 1 < index.runs.size(); ++run) {
    RecordAt last = index.records.begin() + index.runs[run + 1];
    RecordAt lo = std::lower_bound(index.records.begin() + index.runs[run], last, hex, before);
    RecordAt hi = lo;
    while (hi != last && matches(*hi)) ++hi;
    if (hi == lo) continue;
    ranges.emplace_back(lo, hi);
    matched += static_cast<std::size_t>(hi - lo);
  }

  // The lines that hold the pattern at their start, by where they begin:
  // when they are listed, the first kUnihanExtractMaxLines of them in the
  // text's order (no later one can be shown), taken from the records in
  // the order they stand in the text.
  std::vector<std::uint32_t> startLines;
  std::size_t startCount = 0;
  bool listAll = matched <= kRecordsToSort;
  if (codeOnly) {
    for (const auto& range : ranges)
      startCount += index.linesBefore[range.second - index.records.begin()] -
                    index.linesBefore[range.first - index.records.begin()];
    if (listAll) {
      std::vector<UnihanIndex::Record> inText;
      for (const auto& range : ranges) inText.insert(inText.end(), range.first, range.second);
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
    for (const auto& range : ranges)
      for (RecordAt record = range.first; record != range.second; ++record)
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
      // Marks of one text stand in the text's order: a line's marks alike
      // come one after another.
      if ((innerLines.empty() || innerLines.back() != line) && !StartsWithAt(text, line, pattern))
        innerLines.push_back(line);
    }
    std::stable_sort(innerLines.begin(), innerLines.end());
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
