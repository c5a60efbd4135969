#include "win32/text_conversion.h"

#include <windows.h>

namespace {

std::wstring ToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  return wide;
}

std::string FromWide(UINT codePage, const std::wstring& text) {
  if (text.empty()) return std::string();
  int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &narrow[0], n,
                      nullptr, nullptr);
  return narrow;
}

}  // namespace

std::wstring WideFromUtf8(const std::string& text) { return ToWide(CP_UTF8, text); }
std::string Utf8FromWide(const std::wstring& text) { return FromWide(CP_UTF8, text); }
std::wstring WideFromAnsi(const std::string& text) { return ToWide(CP_ACP, text); }
