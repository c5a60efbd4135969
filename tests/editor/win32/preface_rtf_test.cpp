// The generated preface must load in a version-1 rich edit control, as the
// preface viewer streams it: the resource bytes with the last byte (the
// closing brace) replaced by NUL.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/test_data_dir.h"

namespace {

struct StreamSource {
  const std::string* bytes;
  std::size_t offset;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* delivered) {
  StreamSource* source = reinterpret_cast<StreamSource*>(cookie);
  std::size_t left = source->bytes->size() - source->offset;
  std::size_t n = left < static_cast<std::size_t>(wanted) ? left : static_cast<std::size_t>(wanted);
  memcpy(buffer, source->bytes->data() + source->offset, n);
  source->offset += n;
  *delivered = static_cast<LONG>(n);
  return 0;
}

std::wstring LoadedText(const std::string& rtf) {
  HWND edit = CreateWindowExW(0, L"RICHEDIT", L"", WS_POPUP | ES_MULTILINE | ES_READONLY, 0, 0,
                              400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!edit) return L"";
  StreamSource source{&rtf, 0};
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = ReadChunk;
  SendMessageW(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  int length = GetWindowTextLengthW(edit);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(edit, &text[0], length + 1);
  text.resize(static_cast<std::size_t>(length));
  DestroyWindow(edit);
  return text;
}

TEST(PrefaceRtf, LoadsIntoRichEditAndReadsBackAsText) {
  ASSERT_NE(LoadLibraryW(L"riched32.dll"), nullptr);
  std::string rtf = ReadDataFile("UnihanPrefaceRtfData");
  ASSERT_GT(rtf.size(), 1000u);
  rtf.back() = '\0';

  std::wstring text = LoadedText(rtf);
  EXPECT_NE(text.find(L"About the character data of Logodex"), std::wstring::npos);
  EXPECT_NE(text.find(L"Notice of modification"), std::wstring::npos);
  EXPECT_NE(text.find(L"U+53F0 is its own simplified"), std::wstring::npos);
  EXPECT_NE(text.find(L"L&#xdc;2"), std::wstring::npos);
  // The copyright sign arrives through \u169? as one character.
  EXPECT_NE(text.find(L"\u00A9 1991"), std::wstring::npos);
  // Nothing of the markup shows.
  EXPECT_EQ(text.find(L"\\par"), std::wstring::npos);
  EXPECT_EQ(text.find(L"fonttbl"), std::wstring::npos);
  EXPECT_EQ(text.find(L"===="), std::wstring::npos);
}

}  // namespace
