// Win32 entry points (window, dialog and hook procedures, the program's
// export) run their work through Guarded, so that no exception unwinds
// through the system's message dispatch: what escapes the work is reported
// to the user, and the entry point answers `failed`.
#pragma once

// Tells the user that an operation was cut short: a box, unless one is
// already shown.
void ReportEntryFailure() noexcept;

template <typename Result, typename Work>
Result Guarded(Result failed, Work&& work, void (*report)() = ReportEntryFailure) noexcept {
  try {
    return work();
  } catch (...) {
    report();
  }
  return failed;
}
