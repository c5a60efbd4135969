// The main window's commands and the enabling of its menu pop-ups.
#pragma once

#include <windows.h>

// Carries out one command; every identifier, known or not, answers 0.
LRESULT OnCommand(HWND window, int command);

LRESULT OnInitMenuPopup(HMENU popup, int position);
