// InsertUnicode, the program's export for insert links: the browser pane
// calls it for a followed insert link. It shows the character's
// information box, then puts the character reference on the clipboard as
// plain text.
#include "app/insert_unicode_export.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "app/shell_state.h"
#include "chardb/character_references.h"
#include "chardb/chardb_texts.h"
#include "chardb/insertion_texts.h"
#include "win32/entry_guard.h"
#include "win32/text_conversion.h"

namespace {

constexpr SIZE_T kClipboardBlockSize = 500;

void PutOnClipboard(const std::string& text) {
  if (!OpenClipboard(GetActiveWindow())) return;
  EmptyClipboard();
  SIZE_T size = text.size() + 1 > kClipboardBlockSize ? text.size() + 1 : kClipboardBlockSize;
  if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {
    // A block that cannot be locked is given up: the clipboard stays empty.
    void* bytes = GlobalLock(block);
    if (!bytes) {
      GlobalFree(block);
    } else {
      std::memcpy(bytes, text.data(), text.size());
      GlobalUnlock(block);
      if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    }
  }
  CloseClipboard();
}

void ShowAndCopy(const char* target) {
  InsertionTexts texts;
  if (!target || !ComposeInsertionTexts(Shell().tables, target, texts)) return;
  // The definitions are ASCII, with characters written as references.
  std::wstring information = WideFromUtf8(ReplaceCharacterReferences(texts.information));
  MessageBoxW(nullptr, information.c_str(), WideFromUtf8(kInformationCaption).c_str(), MB_OK);
  PutOnClipboard(texts.clipboard);
}

}  // namespace

extern "C" __declspec(dllexport) void InsertUnicode(const char* target) {
  Guarded(0, [&] {
    ShowAndCopy(target);
    return 0;
  });
}
