// The five functions of Vistapane.dll. No exception leaves them: each
// catches what the C++ library may throw (memory) and gives up quietly.
#include "win32/vistapane.h"

#include "vistapane/win32/pane_window.h"

VISTAPANE_API int __cdecl OpenBrowser(HWND parent, HWND* pane) {
  try {
    return vistapane::CreatePane(parent, pane) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

VISTAPANE_API void __cdecl OpenHtml(const char* target, const char* caption) {
  try {
    vistapane::ShowTarget(target ? target : "", caption ? caption : "");
  } catch (...) {
  }
}

VISTAPANE_API void __cdecl GoBack() {
  try {
    vistapane::StepHistory(-1);
  } catch (...) {
  }
}

VISTAPANE_API void __cdecl GoForward() {
  try {
    vistapane::StepHistory(+1);
  } catch (...) {
  }
}

VISTAPANE_API void __cdecl FontSize(int level) {
  try {
    vistapane::SetTextLevel(level);
  } catch (...) {
  }
}
