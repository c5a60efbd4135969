#include "win32/entry_guard.h"

#include <windows.h>

#include "win32/program_texts.h"

namespace {

bool reporting = false;  // process-wide: set while the box is shown

}  // namespace

// The box's text is fixed: the failure may be a lack of memory, and the
// box is shown from within a message of any window.
void ReportEntryFailure() noexcept {
  if (reporting) return;
  reporting = true;
  MessageBoxW(nullptr, kOperationFailed, kLogodexCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
  reporting = false;
}
