// The main window: start-up on creation, layout of the panes on size and
// move, shutdown on destruction, editor notifications, commands.
#pragma once

#include <windows.h>

constexpr wchar_t kMainWindowClass[] = L"Logodex";

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
