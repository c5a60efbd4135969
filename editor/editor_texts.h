// The document pane's own texts, spelled as the user sees them: its
// messages and the file types of its Open and Save dialogs.
#pragma once

constexpr wchar_t kDocumentNotSaved[] = L"The document could not be saved:";
constexpr wchar_t kDocumentNotOpened[] = L"The document could not be opened:";
// Follows the file's path.
constexpr wchar_t kDocumentReadOnly[] = L" is read-only.\nSave the document under another name?";
constexpr wchar_t kRtfFilter[] = L"Rich-Text File (*.RTF)\0*.RTF\0";
constexpr wchar_t kHtmlFilter[] = L"Html (*.htm)\0*.htm\0All Files (*.*)\0*.*\0";

constexpr wchar_t kFindCaption[] = L"Find";
constexpr wchar_t kTextNotFound[] = L"Text not found.";

constexpr wchar_t kPrintFailed[] = L"An error occured while trying to print.";
constexpr wchar_t kAbortDialogFailed[] = L"The abort dialog count not be created.";
