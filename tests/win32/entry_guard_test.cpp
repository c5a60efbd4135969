// Entry points guarded against exceptions: what the work throws stops at
// the guard, which reports it once and answers the failure value, also
// when the system's message dispatch stands between the caller and the
// work.
#include <windows.h>

#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "win32/entry_guard.h"

namespace {

int reports = 0;
void CountReport() { ++reports; }

LRESULT Work(UINT message) {
  if (message == WM_USER) throw std::bad_alloc();
  if (message == WM_USER + 1) return std::vector<int>(4, 7).size();
  if (message == WM_USER + 2) throw 42;  // not a std::exception
  return 0;
}

LRESULT CALLBACK GuardedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message < WM_USER) return DefWindowProcW(window, message, wParam, lParam);
  return Guarded<LRESULT>(-1, [&] { return Work(message); }, CountReport);
}

TEST(EntryGuard, ExceptionsStopAtTheGuardBehindTheMessageDispatch) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = GuardedProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"EntryGuardTest";
  ASSERT_NE(RegisterClassW(&windowClass), 0);
  HWND window = CreateWindowW(L"EntryGuardTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  reports = 0;
  EXPECT_EQ(SendMessageW(window, WM_USER + 1, 0, 0), 4);
  EXPECT_EQ(reports, 0);
  EXPECT_EQ(SendMessageW(window, WM_USER, 0, 0), -1);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(SendMessageW(window, WM_USER + 2, 0, 0), -1);
  EXPECT_EQ(reports, 2);
  // The window still answers after both failures.
  EXPECT_EQ(SendMessageW(window, WM_USER + 1, 0, 0), 4);
  DestroyWindow(window);
}

}  // namespace
