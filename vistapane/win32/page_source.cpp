#include "vistapane/win32/page_source.h"

#include <cstdio>
#include <string>
#include <vector>

#include "chardb/character_references.h"
#include "chardb/utf16.h"
#include "vistapane/decode.h"
#include "vistapane/history_memory.h"
#include "vistapane/links.h"
#include "vistapane/pane_texts.h"

namespace vistapane {
namespace {

// The code page of a legacy charset name, 0 when the system has none.
UINT CodePageOf(const std::string& charset) {
  static const struct { const char* name; UINT page; } kPages[] = {
      {"gb18030", 54936}, {"gbk", 936},       {"gb2312", 936},     {"x-gbk", 936},  {"cp936", 936},
      {"big5", 950},      {"big5-hkscs", 950}, {"cp950", 950},     {"shift_jis", 932},
      {"euc-jp", 20932},  {"euc-kr", 949},    {"koi8-r", 20866},   {"iso-8859-2", 28592}};
  for (const auto& entry : kPages)
    if (charset == entry.name) return entry.page;
  return 0;
}

bool ConvertWhole(UINT page, const std::string& bytes, std::u32string& out) {
  if (page == 0 || bytes.empty() || bytes.size() > 0x7FFFFFFF) return false;
  int size = static_cast<int>(bytes.size());
  int length = MultiByteToWideChar(page, 0, bytes.data(), size, nullptr, 0);
  if (length <= 0) return false;
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(page, 0, bytes.data(), size, &wide[0], length);
  out = CodePointsFromWide(wide);
  return true;
}

// A two-byte code of GBK through code page 936.
char32_t GbkPair(unsigned lead, unsigned trail) {
  const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  wchar_t wide[2] = {0, 0};
  int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, pair, 2, wide, 2);
  return n == 1 ? static_cast<char16_t>(wide[0]) : 0;
}

bool ConvertWithCodePage(const std::string& charset, const std::string& bytes, std::u32string& out) {
  UINT page = CodePageOf(charset);
  if (ConvertWhole(page, bytes, out)) return true;
  // Without the system's GB18030 (Wine has none), its four-byte codes are
  // read here and only the two-byte ones asked of code page 936.
  if (page != 54936) return false;
  out = DecodeGb18030(bytes, GbkPair);
  return true;
}

enum class PageRead { kRead, kUnreadable, kTooLarge };

// The file's bytes, up to one chunk past kMaxPageBytes (a file that grows
// while it is read is too large as well).
PageRead ReadBytes(const std::wstring& path, std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return PageRead::kUnreadable;
  PageRead result = PageRead::kRead;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) && static_cast<unsigned long long>(size.QuadPart) > kMaxPageBytes) {
    CloseHandle(file);
    return PageRead::kTooLarge;
  }
  std::vector<char> chunk(1 << 16);
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr)) {
      result = PageRead::kUnreadable;
      break;
    }
    if (got == 0) break;
    if (bytes.size() + got > kMaxPageBytes) {
      result = PageRead::kTooLarge;
      break;
    }
    bytes.append(chunk.data(), got);
  }
  CloseHandle(file);
  return result;
}

// One of the pane's own pages about the file at `path`.
Document NoticePage(const char* format, const std::wstring& path) {
  std::string escaped = HtmlEscaped(Utf8FromWide(path));
  std::vector<char> text(std::char_traits<char>::length(format) + escaped.size() + 1);
  std::snprintf(text.data(), text.size(), format, escaped.c_str());
  return ParseHtml(DecodeUtf8(text.data()));
}

}  // namespace

std::wstring WideFromCodePoints(const std::u32string& text) {
  std::wstring out;
  out.reserve(text.size());
  for (char32_t c : text) {
    Utf16Units units = EncodeUtf16(c);
    out.append(units.unit, units.unit + units.count);
  }
  return out;
}

std::u32string CodePointsFromWide(const std::wstring& text) {
  std::u32string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = static_cast<char16_t>(text[i]);
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = DecodeUtf16Pair(c, text[i + 1]);
      ++i;
    }
    out.push_back(c);
  }
  return out;
}

PageSource ReadPageSource(const std::wstring& path) {
  PageSource source;
  if (path.empty() || path == WideFromUtf8(kBlankTarget)) return source;
  auto bytes = std::make_shared<std::string>();
  PageRead read = ReadBytes(path, *bytes);
  if (read == PageRead::kTooLarge) {
    source.kind = PageKind::kTooLarge;
  } else if (read == PageRead::kUnreadable) {
    source.kind = PageKind::kMissing;
  } else {
    source.kind = PageKind::kFile;
    source.size = bytes->size();
    source.fingerprint = Fingerprint(*bytes);
    source.bytes = std::move(bytes);
  }
  return source;
}

PageSource RereadPageSource(const std::wstring& path, const PageSource& dropped) {
  PageSource source = ReadPageSource(path);
  if (source.kind != PageKind::kFile) return source;
  if (source.size == dropped.size && source.fingerprint == dropped.fingerprint) return source;
  PageSource replaced;
  replaced.kind = PageKind::kReplaced;
  return replaced;
}

Document DocumentOf(const PageSource& source, const std::wstring& path) {
  switch (source.kind) {
    case PageKind::kFile:
      if (source.bytes) return ParseHtml(DecodePage(*source.bytes, ConvertWithCodePage));
      break;
    case PageKind::kMissing: return NoticePage(kMissingFilePage, path);
    case PageKind::kTooLarge: return NoticePage(kTooLargePage, path);
    case PageKind::kReplaced: return NoticePage(kReplacedPage, path);
    case PageKind::kBlank: break;
  }
  return ParseHtml(std::u32string());
}

LoadedPage LoadPage(const std::wstring& path) {
  PageSource source = ReadPageSource(path);
  LoadedPage page;
  page.document = DocumentOf(source, path);
  page.missing = source.kind == PageKind::kMissing;
  page.tooLarge = source.kind == PageKind::kTooLarge;
  return page;
}

}  // namespace vistapane
