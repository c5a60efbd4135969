// Loading of the character tables from bytes or from the data folder, and
// the lookup indexes built over them.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <system_error>
#include <string_view>

#include "chardb/character_tables.h"
#include "chardb/code_fields.h"

void SetResourceText(const char* data, std::size_t size, ResourceText& text) {
  text.bytes.assign(data, data + size);
  if (text.bytes.empty()) text.bytes.push_back('\0');
  text.bytes.back() = '\0';
}

void AddHexRun(HexRunSet& set, std::uint32_t value) {
  std::size_t block = value / kHexRunBlockValues;
  if (block >= set.blockOf.size()) set.blockOf.resize(block + 1, 0);
  if (set.blockOf[block] == 0) {
    set.words.resize(set.words.size() + kHexRunBlockValues / 64, 0);
    set.blockOf[block] = static_cast<std::uint32_t>(set.words.size() / (kHexRunBlockValues / 64));
  }
  std::size_t word = (set.blockOf[block] - 1) * (kHexRunBlockValues / 64) + value % kHexRunBlockValues / 64;
  set.words[word] |= std::uint64_t{1} << (value % 64);
}

bool HasHexRun(const HexRunSet& set, std::uint32_t value) {
  std::size_t block = value / kHexRunBlockValues;
  if (block >= set.blockOf.size() || set.blockOf[block] == 0) return false;
  std::size_t word = (set.blockOf[block] - 1) * (kHexRunBlockValues / 64) + value % kHexRunBlockValues / 64;
  return (set.words[word] >> (value % 64)) & 1;
}

namespace {

bool IsScanfSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One piece parsed with "%d\t%s\n": a decimal count after any white space
// (kept within 32 bits), then white space and the word after it, of which
// the field keeps what fits. A piece without a count fills nothing.
StrokeRecord ParseStrokePiece(std::string_view piece) {
  StrokeRecord record{};
  std::size_t at = 0;
  while (at < piece.size() && IsScanfSpace(piece[at])) ++at;
  bool negative = false;
  if (at < piece.size() && (piece[at] == '+' || piece[at] == '-')) negative = piece[at++] == '-';
  std::size_t digits = at;
  long long count = 0;
  while (at < piece.size() && piece[at] >= '0' && piece[at] <= '9') {
    if (count <= INT_MAX) count = count * 10 + (piece[at] - '0');
    ++at;
  }
  if (at == digits) return record;
  if (negative) count = -count;
  if (count > INT_MAX) count = INT_MAX;
  if (count < INT_MIN) count = INT_MIN;
  record.strokes = static_cast<std::int32_t>(count);
  while (at < piece.size() && IsScanfSpace(piece[at])) ++at;
  std::size_t length = 0;
  while (at < piece.size() && !IsScanfSpace(piece[at])) {
    if (length + 1 < kStrokeCodeWidth) record.code[length++] = piece[at];
    ++at;
  }
  return record;
}

}  // namespace

void LoadStrokeTable(const std::string& fileBytes, CharacterTables& tables) {
  // The text-mode stream, where CR LF reads as LF, taken from the bytes as
  // they are: a piece counts CR LF as one character, and parses the same
  // with the CR before its LF, which ends the code as the LF would.
  std::vector<StrokeRecord> records;
  records.reserve(fileBytes.size() / 6 + 1);
  const std::size_t pieceMax = kStrokeLineBufferSize - 1;
  const std::size_t bytes = fileBytes.size();
  for (std::size_t start = 0; start < bytes;) {
    std::size_t end = start;
    for (std::size_t read = 0; end < bytes && read < pieceMax; ++read) {
      char c = fileBytes[end++];
      if (c == '\r' && end < bytes && fileBytes[end] == '\n') c = fileBytes[end++];
      if (c == '\n') break;
    }
    records.push_back(ParseStrokePiece(std::string_view(fileBytes).substr(start, end - start)));
    start = end;
  }
  tables.strokePieces = records.size();
  records.push_back(StrokeRecord{});
  tables.strokes = std::move(records);
}

void LoadUnihanText(const std::string& fileBytes, CharacterTables& tables) {
  tables.unihan.assign(fileBytes.size() + 1, '\0');
  std::memcpy(tables.unihan.data(), fileBytes.data(), fileBytes.size());
  ++tables.unihanLoad;
}

void ClearUnihanText(CharacterTables& tables) {
  tables.unihan.clear();
  tables.unihan.shrink_to_fit();
  ++tables.unihanLoad;
}

namespace {

void BuildExtractIndex(const ResourceText& table, bool withHexRuns, ExtractIndex& index) {
  index = ExtractIndex{};
  std::string_view text = TableText(table);
  index.lines.reserve(text.size() / 24 + 16);
  const char* base = text.data();
  for (std::size_t start = 0; start < text.size();) {
    // The code runs to the line's first TAB; a line without one has none.
    std::size_t at = start;
    if (text.size() - start >= 2 && base[start] == 'U' && base[start + 1] == '+') {
      for (at = start + 2; at < text.size() && base[at] != '\t' && base[at] != '\n';) ++at;
      if (at < text.size() && base[at] == '\t') {
        std::string_view code = text.substr(start + 2, at - start - 2);
        index.lines.push_back({CodeTextKey(code), static_cast<std::uint32_t>(start + 2),
                               static_cast<std::uint32_t>(code.size())});
      }
    }
    const void* end = std::memchr(base + at, '\n', text.size() - at);
    if (end == nullptr) break;
    start = static_cast<std::size_t>(static_cast<const char*>(end) - base) + 1;
  }
  // Stable: of the lines with one code, the first stays first.
  auto before = [text](const ExtractIndex::Line& a, const ExtractIndex::Line& b) {
    return CodeOrderBefore(a.key, text.substr(a.codeOffset, a.codeLength), b.key,
                           text.substr(b.codeOffset, b.codeLength));
  };
  if (!std::is_sorted(index.lines.begin(), index.lines.end(), before))
    std::stable_sort(index.lines.begin(), index.lines.end(), before);
  if (withHexRuns) {
    // run: the length of the run of upper-case hex digits ending at the
    // byte; the digits looked up in a table rather than tested per byte.
    std::array<std::int8_t, 256> digits;
    for (int c = 0; c < 256; ++c)
      digits[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(UpperHexDigit(static_cast<char>(c)));
    std::uint32_t run = 0;
    std::uint32_t value = 0;  // the last five digits' value
    for (char c : text) {
      int digit = digits[static_cast<unsigned char>(c)];
      run = digit >= 0 ? run + 1 : 0;
      value = ((value << 4) | static_cast<std::uint32_t>(digit & 0xF)) & 0xFFFFF;
      if (run < 4) continue;
      AddHexRun(index.hexRuns4, value & 0xFFFF);
      if (run >= 5) AddHexRun(index.hexRuns5, value);
    }
  }
  index.builtSize = table.size();
  index.textLength = text.size();
  index.built = true;
}

void BuildVariantIndex(const VariantTable& table, VariantIndex& index) {
  index = VariantIndex{};
  index.order.resize(table.count);
  for (std::size_t i = 0; i < table.count; ++i) index.order[i] = static_cast<std::uint32_t>(i);
  // Stable: of the entries with one key, the first stays first.
  auto before = [&table](std::uint32_t a, std::uint32_t b) {
    return VariantKeyView(table.entries[a]) < VariantKeyView(table.entries[b]);
  };
  if (!std::is_sorted(index.order.begin(), index.order.end(), before))
    std::stable_sort(index.order.begin(), index.order.end(), before);
  index.builtFor = table.entries;
  index.built = true;
}

}  // namespace

void BuildLookupIndexes(CharacterTables& tables) {
  BuildExtractIndex(tables.pinyin, true, tables.pinyinIndex);
  BuildExtractIndex(tables.definition, false, tables.definitionIndex);
  BuildExtractIndex(tables.radicalStroke, false, tables.radicalStrokeIndex);
  BuildExtractIndex(tables.matthews, false, tables.matthewsIndex);
  BuildVariantIndex(tables.simplified, tables.simplifiedIndex);
  BuildVariantIndex(tables.traditional, tables.traditionalIndex);
}

namespace {

// The whole file, with room for `extra` zero bytes after it, when it is a
// regular file of at most maxBytes. The read stops one byte past the
// limit, so a file that grows meanwhile is refused rather than followed.
template <typename Bytes>
DataFileRead ReadWhole(const std::string& path, std::uint64_t maxBytes, Bytes& bytes, std::size_t extra) {
  namespace fs = std::filesystem;
  bytes.clear();
  std::error_code error;
  fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) return DataFileRead::kMissing;
  if (!fs::is_regular_file(status)) return DataFileRead::kNotAFile;
  std::uintmax_t size = fs::file_size(path, error);
  if (error) return DataFileRead::kUnreadable;
  if (size > maxBytes) return DataFileRead::kTooLarge;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return DataFileRead::kUnreadable;
  DataFileRead result = DataFileRead::kRead;
  try {
    bytes.reserve(static_cast<std::size_t>(size) + extra);
    char chunk[1 << 16];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
      if (bytes.size() + got > maxBytes) {
        result = DataFileRead::kTooLarge;
        break;
      }
      bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (result == DataFileRead::kRead && std::ferror(file)) result = DataFileRead::kUnreadable;
    if (result == DataFileRead::kRead) bytes.resize(bytes.size() + extra, '\0');
  } catch (const std::bad_alloc&) {
    result = DataFileRead::kNoMemory;
  }
  std::fclose(file);
  if (result != DataFileRead::kRead) {
    bytes.clear();
    bytes.shrink_to_fit();
  }
  return result;
}

}  // namespace

DataFileRead ReadDataFile(const std::string& path, std::uint64_t maxBytes, std::string& bytes) {
  return ReadWhole(path, maxBytes, bytes, 0);
}

std::string DataFileProblem(DataFileRead result, std::uint64_t maxBytes) {
  switch (result) {
    case DataFileRead::kRead: return "read";
    case DataFileRead::kMissing: return "not found";
    case DataFileRead::kNotAFile: return "not a regular file";
    case DataFileRead::kTooLarge: return "too large (more than " + std::to_string(maxBytes) + " bytes)";
    case DataFileRead::kNoMemory: return "too large for the memory available";
    case DataFileRead::kUnreadable: break;
  }
  return "could not be read";
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  return ReadDataFile(path, kUnihanFileMaxBytes, bytes) == DataFileRead::kRead;
}

bool LoadCharacterTables(const std::string& dataDir, CharacterTables& tables, std::string& error) {
  auto path = [&](const char* name) { return dataDir + "/" + name; };
  auto refused = [&](const char* name, DataFileRead result, std::uint64_t maxBytes) {
    error = "data file " + DataFileProblem(result, maxBytes) + ": " + path(name);
    return false;
  };
  struct Embedded {
    const char* name;
    ResourceText& text;
  } embedded[] = {{kPinyinDataName, tables.pinyin},
                  {kDefinitionDataName, tables.definition},
                  {kRadicalStrokeDataName, tables.radicalStroke},
                  {kMatthewsDataName, tables.matthews},
                  {kPrefaceDataName, tables.preface}};
  // Read straight into each text, its last byte then replaced by NUL as
  // SetResourceText does.
  DataFileRead result;
  for (Embedded& item : embedded) {
    result = ReadWhole(path(item.name), kEmbeddedTextMaxBytes, item.text.bytes, 0);
    if (result != DataFileRead::kRead) return refused(item.name, result, kEmbeddedTextMaxBytes);
    if (item.text.bytes.empty()) item.text.bytes.push_back('\0');
    item.text.bytes.back() = '\0';
  }
  std::string bytes;
  result = ReadDataFile(path(kStrokeFileName), kStrokeFileMaxBytes, bytes);
  if (result != DataFileRead::kRead) return refused(kStrokeFileName, result, kStrokeFileMaxBytes);
  LoadStrokeTable(bytes, tables);
  // Read straight into the Unihan buffer: the file's bytes and one NUL.
  result = ReadWhole(path(kUnihanFileName), kUnihanFileMaxBytes, tables.unihan, 1);
  ++tables.unihanLoad;
  if (result != DataFileRead::kRead) {
    ClearUnihanText(tables);
    return refused(kUnihanFileName, result, kUnihanFileMaxBytes);
  }
  if (ReadWhole(path(kWordsFileName), kWordsFileMaxBytes, tables.words, 1) != DataFileRead::kRead) tables.words.clear();
  LoadComponentData(tables, [&](const char* name, std::string& bytes) {
    return ReadDataFile(path(name), kEmbeddedTextMaxBytes, bytes) == DataFileRead::kRead;
  });
  BuildLookupIndexes(tables);
  return true;
}
