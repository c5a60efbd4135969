#include "app/about_box.h"

#include "win32/entry_guard.h"

namespace {

INT_PTR UnguardedAboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 1);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<INT_PTR>(0, [&] { return UnguardedAboutBoxProc(dialog, message, wParam, lParam); });
}

}  // namespace

void ShowAboutBox(HINSTANCE instance, HWND owner) {
  DialogBoxW(instance, L"AboutBox", owner, AboutBoxProc);
}
