// The document pane's own texts, spelled as the user sees them.
#pragma once

constexpr wchar_t kDocumentNotSaved[] = L"The document could not be saved:";
constexpr wchar_t kDocumentNotOpened[] = L"The document could not be opened:";
