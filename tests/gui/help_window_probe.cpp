// Prints what the help viewer's windows and the handwriting pad show, for
// help_f1_test.sh and handwriting_pad_test.sh: for every visible top-level
// window whose title holds the argument, a line "window: TITLE", then the
// text of its rich edit controls (the topic) as "text: ..." lines, its
// buttons as "button: TEXT at X Y" (the centre, in screen coordinates), its
// labels as "static: ..." lines, the program's own controls as
// "area: CLASS at LEFT TOP RIGHT BOTTOM" and the items of its list boxes
// (the Index) as "item: ..." lines. Read from this process with the controls' own
// messages, as any program can; exit 1 when no window matched.
//   help_window_probe TITLE_PART
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring ClassOf(HWND window) {
  std::vector<wchar_t> name(256);
  int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
  return std::wstring(name.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
  std::vector<wchar_t> text(length + 1);
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                      &copied);
  return std::wstring(text.data(), copied);
}

void PrintLines(const char* label, const std::wstring& text) {
  std::string utf8 = Utf8(text);
  std::size_t start = 0;
  while (start <= utf8.size()) {
    std::size_t end = utf8.find_first_of("\r\n", start);
    if (end == std::string::npos) end = utf8.size();
    if (end > start) std::printf("%s: %s\n", label, utf8.substr(start, end - start).c_str());
    start = end + 1;
  }
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  if (!IsWindowVisible(child)) return TRUE;
  std::wstring name = ClassOf(child);
  if (name.find(L"RichEdit") != std::wstring::npos || name.find(L"RICHEDIT") != std::wstring::npos) {
    PrintLines("text", TextOf(child));
  } else if (_wcsicmp(name.c_str(), L"Button") == 0) {
    RECT box{};
    GetWindowRect(child, &box);
    std::printf("button: %s at %ld %ld\n", Utf8(TextOf(child)).c_str(), (box.left + box.right) / 2,
                (box.top + box.bottom) / 2);
  } else if (_wcsicmp(name.c_str(), L"Static") == 0) {
    PrintLines("static", TextOf(child));
  } else if (name.find(L"Logodex") == 0) {
    RECT box{};
    GetWindowRect(child, &box);
    std::printf("area: %s at %ld %ld %ld %ld\n", Utf8(name).c_str(), box.left, box.top, box.right, box.bottom);
  } else if (_wcsicmp(name.c_str(), L"ListBox") == 0) {
    LRESULT count = SendMessageW(child, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::vector<wchar_t> item(static_cast<std::size_t>(SendMessageW(child, LB_GETTEXTLEN, i, 0)) + 1);
      SendMessageW(child, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
      std::printf("item: %s\n", Utf8(item.data()).c_str());
    }
  }
  return TRUE;
}

struct Search {
  std::wstring titlePart;
  int matched = 0;
};

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM parameter) {
  Search& search = *reinterpret_cast<Search*>(parameter);
  std::wstring title = TextOf(window);
  if (!IsWindowVisible(window) || title.find(search.titlePart) == std::wstring::npos) return TRUE;
  ++search.matched;
  std::printf("window: %s\n", Utf8(title).c_str());
  EnumChildWindows(window, PrintChild, 0);
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: help_window_probe TITLE_PART\n");
    return 2;
  }
  Search search{argv[1]};
  EnumWindows(PrintTopLevel, reinterpret_cast<LPARAM>(&search));
  std::fflush(stdout);
  return search.matched > 0 ? 0 : 1;
}
