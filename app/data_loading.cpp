#include "app/data_loading.h"

#include "app/shell_texts.h"
#include "app/text_conversion.h"

namespace {

void LoadEmbeddedText(HINSTANCE instance, const char* name, ResourceText& text) {
  HRSRC resource = FindResourceA(instance, name, reinterpret_cast<LPCSTR>(RT_RCDATA));
  HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
  const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  SetResourceText(bytes, bytes ? SizeofResource(instance, resource) : 0, text);
}

std::wstring DataFilePath(const std::wstring& directory, const char* name) {
  return directory + L"\\" + WideFromUtf8(name);
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x7FFFFFFF;
  if (ok) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    ok = bytes.empty() || (ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                           read == bytes.size());
  }
  CloseHandle(file);
  return ok;
}

}  // namespace

void LoadEmbeddedTexts(HINSTANCE instance, CharacterTables& tables) {
  LoadEmbeddedText(instance, kPinyinDataName, tables.pinyin);
  LoadEmbeddedText(instance, kDefinitionDataName, tables.definition);
  LoadEmbeddedText(instance, kRadicalStrokeDataName, tables.radicalStroke);
  LoadEmbeddedText(instance, kMatthewsDataName, tables.matthews);
  LoadEmbeddedText(instance, kPrefaceDataName, tables.preface);
}

void LoadStrokeFile(const std::wstring& directory, CharacterTables& tables) {
  std::string bytes;
  if (!ReadWholeFile(DataFilePath(directory, kStrokeFileName), bytes)) {
    MessageBoxW(nullptr, kStrokeFileMissing, kStrokeFileCaption, MB_OK);
    bytes.clear();
  }
  LoadStrokeTable(bytes, tables);
}

void LoadUnihanFile(const std::wstring& directory, CharacterTables& tables) {
  std::string bytes;
  if (ReadWholeFile(DataFilePath(directory, kUnihanFileName), bytes)) {
    LoadUnihanText(bytes, tables);
    return;
  }
  MessageBoxW(nullptr, kUnihanFileMissing, kUnihanFileCaption, MB_OK);
  ClearUnihanText(tables);
}
