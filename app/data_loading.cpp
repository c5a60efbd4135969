#include "app/data_loading.h"

#include "app/shell_texts.h"
#include "win32/text_conversion.h"

#include <cstdint>
#include <new>
#include <vector>

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

// The whole file and `extra` zero bytes after it, when it is a file on
// disk of at most maxBytes; read straight into the buffer it ends in.
template <typename Bytes>
DataFileRead ReadWholeFile(const std::wstring& path, std::uint64_t maxBytes, Bytes& bytes, std::size_t extra) {
  bytes.clear();
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      return DataFileRead::kNotAFile;
    return DataFileRead::kMissing;
  }
  DataFileRead result = DataFileRead::kRead;
  LARGE_INTEGER size{};
  if (GetFileType(file) != FILE_TYPE_DISK) {
    result = DataFileRead::kNotAFile;
  } else if (!GetFileSizeEx(file, &size) || size.QuadPart < 0) {
    result = DataFileRead::kUnreadable;
  } else if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes) {
    result = DataFileRead::kTooLarge;
  } else {
    try {
      bytes.assign(static_cast<std::size_t>(size.QuadPart) + extra, '\0');
      DWORD read = 0;
      DWORD wanted = static_cast<DWORD>(size.QuadPart);
      if (wanted > 0 && (!ReadFile(file, &bytes[0], wanted, &read, nullptr) || read != wanted))
        result = DataFileRead::kUnreadable;
    } catch (const std::bad_alloc&) {
      result = DataFileRead::kNoMemory;
    }
  }
  CloseHandle(file);
  if (result != DataFileRead::kRead) {
    bytes.clear();
    bytes.shrink_to_fit();
  }
  return result;
}

// The box for a data file that was not read: its name and the reason.
void ReportDataFile(const wchar_t* caption, const char* name, DataFileRead result, std::uint64_t maxBytes) {
  std::wstring text = kDataFilePrefix + WideFromUtf8(name) + L" is " + WideFromUtf8(DataFileProblem(result, maxBytes));
  MessageBoxW(nullptr, text.c_str(), caption, MB_OK);
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
  DataFileRead result = ReadWholeFile(DataFilePath(directory, kStrokeFileName), kStrokeFileMaxBytes, bytes, 0);
  if (result != DataFileRead::kRead) ReportDataFile(kStrokeFileCaption, kStrokeFileName, result, kStrokeFileMaxBytes);
  LoadStrokeTable(bytes, tables);
}

void LoadUnihanFile(const std::wstring& directory, CharacterTables& tables) {
  DataFileRead result = ReadWholeFile(DataFilePath(directory, kUnihanFileName), kUnihanFileMaxBytes,
                                      tables.unihan, 1);
  if (result == DataFileRead::kRead) return;
  ClearUnihanText(tables);
  ReportDataFile(kUnihanFileCaption, kUnihanFileName, result, kUnihanFileMaxBytes);
}

void IndexTables(CharacterTables& tables) {
  try {
    BuildLookupIndexes(tables);
    return;
  } catch (const std::bad_alloc&) {
  }
  // The Unihan text is the largest table and the one that grows with a
  // file: the program goes on without it, as when its file is missing.
  // (Its index is the Unihan search's, built on that search's first use.)
  ClearUnihanText(tables);
  ReportDataFile(kUnihanFileCaption, kUnihanFileName, DataFileRead::kNoMemory, kUnihanFileMaxBytes);
  BuildLookupIndexes(tables);
}
