#pragma once

#include <windows.h>

// The modal "About" box; OK, Cancel and Escape close it.
void ShowAboutBox(HINSTANCE instance, HWND owner);
