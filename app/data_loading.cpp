#include "app/data_loading.h"

#include "app/shell_texts.h"
#include "handwriting/handwriting_texts.h"
#include "win32/program_folder.h"
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

// The file in the working folder; when that has none, the one beside
// Logodex.exe (an installed copy started elsewhere).
std::wstring DataFilePath(const std::wstring& directory, const char* name) {
  std::wstring file = WideFromUtf8(name);
  std::wstring path = PathInFolder(directory, file);
  if (PathExists(path)) return path;
  std::wstring programFolder = ProgramFolder();
  std::wstring beside = PathInFolder(programFolder, file);
  return !programFolder.empty() && PathExists(beside) ? beside : path;
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
void ReportDataFile(const wchar_t* caption, const char* name, const std::string& problem) {
  std::wstring text = kDataFilePrefix + WideFromUtf8(name) + L" " + WideFromUtf8(problem);
  MessageBoxW(nullptr, text.c_str(), caption, MB_OK);
}

void ReportDataFile(const wchar_t* caption, const char* name, DataFileRead result, std::uint64_t maxBytes) {
  ReportDataFile(caption, name, "is " + DataFileProblem(result, maxBytes));
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
  ++tables.unihanLoad;
  if (result == DataFileRead::kRead) return;
  ClearUnihanText(tables);
  ReportDataFile(kUnihanFileCaption, kUnihanFileName, result, kUnihanFileMaxBytes);
}

void LoadWordsFile(const std::wstring& directory, CharacterTables& tables) {
  if (ReadWholeFile(DataFilePath(directory, kWordsFileName), kWordsFileMaxBytes, tables.words, 1) !=
      DataFileRead::kRead)
    tables.words.clear();
}

void LoadComponentFiles(const std::wstring& directory, CharacterTables& tables) {
  LoadComponentData(tables, [&](const char* name, std::string& bytes) {
    return ReadWholeFile(DataFilePath(directory, name), kEmbeddedTextMaxBytes, bytes, 0) == DataFileRead::kRead;
  });
}

bool LoadHandwritingModelFiles(const std::wstring& directory, std::vector<HandwritingModel>& models) {
  models.clear();
  for (const char* name : kHandwritingModelFiles) {
    std::string bytes;
    DataFileRead result = ReadWholeFile(DataFilePath(directory, name), kHandwritingModelMaxBytes, bytes, 0);
    models.emplace_back();
    if (result != DataFileRead::kRead) {
      ReportDataFile(kHandwritingCaption, name, result, kHandwritingModelMaxBytes);
    } else if (!OpenHandwritingModel(std::move(bytes), models.back())) {
      ReportDataFile(kHandwritingCaption, name, kModelDamaged);
    } else {
      continue;
    }
    models.clear();
    return false;
  }
  return true;
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
