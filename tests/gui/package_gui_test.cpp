// Logodex as people get it, worked by tests/gui/package_test.sh: the
// installed copy started as its Start-menu shortcut starts it, in its own
// folder, which a normal user cannot write (the script mounts it
// read-only); and the zip unpacked into a fresh folder. LOGODEX_VERSION is
// the version the package names carry.
#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/gui/gui_driver.h"

namespace {

struct Shortcut {
  std::wstring target, folder;
};

// The target and working folder of a shell link, as the shell reads it.
Shortcut ReadShortcut(const std::wstring& path) {
  Shortcut shortcut;
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link))))
    return shortcut;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
      std::vector<wchar_t> text(32768);
      if (SUCCEEDED(link->GetPath(text.data(), static_cast<int>(text.size()), nullptr, 0)))
        shortcut.target = text.data();
      if (SUCCEEDED(link->GetWorkingDirectory(text.data(), static_cast<int>(text.size()))))
        shortcut.folder = text.data();
    }
    file->Release();
  }
  link->Release();
  return shortcut;
}

// The product version the executable's version resource names.
std::wstring ResourceVersion(const std::wstring& exe) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  if (size == 0) return L"<no version resource>";
  std::vector<unsigned char> info(size);
  if (!GetFileVersionInfoW(exe.c_str(), 0, size, info.data())) return L"<unreadable version resource>";
  wchar_t* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductVersion", reinterpret_cast<void**>(&text),
                      &length))
    return L"<no ProductVersion>";
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedLength = 0;
  if (!VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedLength)) return L"<no fixed info>";
  std::wstring numbers = std::to_wstring(HIWORD(fixed->dwProductVersionMS)) + L"." +
                         std::to_wstring(LOWORD(fixed->dwProductVersionMS)) + L"." +
                         std::to_wstring(HIWORD(fixed->dwProductVersionLS));
  std::wstring version(text, length && text[length - 1] == L'\0' ? length - 1 : length);
  return version == numbers ? version : version + L" (numbers " + numbers + L")";
}

bool Writable(const std::wstring& folder) {
  HANDLE probe = CreateFileW((folder + L"\\probe.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return false;
  CloseHandle(probe);
  return true;
}

class PackagedLogodex : public ::testing::Test {
 protected:
  void TearDown() override {
    if (program_.process.hProcess) CloseLogodex(program_);
  }

  // Starts the program, types MA into the Pinyin field, presses Enter and
  // waits for the pane to show the page.
  void StartAndSearchMa() {
    ASSERT_TRUE(StartLogodex(program_)) << "the main window did not appear";
    HWND bar = WaitForWindow(program_.process.dwProcessId, L"Logodex", L"#32770", 5000);
    ASSERT_NE(bar, nullptr);
    HWND field = GetDlgItem(bar, IDC_SEARCH_PINYIN);
    TypeInto(field, L"ma");
    PressKey(field, VK_RETURN);
    EXPECT_NE(WaitForWindow(program_.process.dwProcessId, L"Pinyin: MA", nullptr, 10000), nullptr);
  }

  RunningProgram program_;
};

TEST_F(PackagedLogodex, InstalledCopyStartsFromItsShortcut) {
  std::wstring version = EnvironmentText(L"LOGODEX_VERSION");
  ASSERT_FALSE(version.empty()) << "LOGODEX_VERSION is not set";
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  wchar_t programs[MAX_PATH] = L"";
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs)));
  Shortcut shortcut = ReadShortcut(std::wstring(programs) + L"\\Logodex.lnk");
  CoUninitialize();
  ASSERT_TRUE(FileExists(shortcut.target)) << "no Start-menu shortcut to Logodex.exe";
  ASSERT_FALSE(shortcut.folder.empty());
  EXPECT_FALSE(Writable(shortcut.folder)) << "the installed folder is writable";
  EXPECT_EQ(ResourceVersion(shortcut.target), version);

  program_.exe = shortcut.target;
  program_.folder = shortcut.folder;
  StartAndSearchMa();
  SaveScreenshot(L"installed-pinyin-ma");
  PostMessageW(program_.mainWindow, WM_COMMAND, IDM_ABOUT, 0);
  HWND about = WaitForWindow(program_.process.dwProcessId, L"About", L"#32770", 5000);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(about, IDC_ABOUT_VERSION)), L"Version " + version);
  SaveScreenshot(L"installed-about");
  PostMessageW(about, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(CloseLogodex(program_), 0u);
}

TEST_F(PackagedLogodex, UnpackedZipRuns) {
  std::wstring folder = EnvironmentText(L"LOGODEX_UNPACKED");
  ASSERT_FALSE(folder.empty()) << "LOGODEX_UNPACKED is not set";
  program_.exe = folder + L"\\Logodex.exe";
  program_.folder = folder;
  StartAndSearchMa();
  EXPECT_TRUE(FileExists(folder + L"\\HtmlRadicalSearch.htm"));
  EXPECT_EQ(CloseLogodex(program_), 0u);
}

}  // namespace
