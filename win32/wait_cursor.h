// Shows the system wait cursor for the life of the object: saves the
// current cursor, sets the wait cursor and raises the cursor display count;
// on destruction lowers the count and restores the saved cursor.
#pragma once

#include <windows.h>

class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) { ShowCursor(TRUE); }
  ~WaitCursor() {
    ShowCursor(FALSE);
    SetCursor(previous_);
  }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};
