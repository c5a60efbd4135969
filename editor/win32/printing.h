// Printing the document pane's text, with the abort dialog, keeping the
// print settings from one job to the next.
#pragma once

#include <windows.h>

// IDM_PRINT: the print dialog, then the job; the confirmed settings are kept.
void PrintDocument(HINSTANCE instance, HWND mainWindow, HWND editor);

// A device context for the printer of the kept settings, else for the
// default printer; null when there is none. The caller deletes it.
HDC PrinterDeviceContext();

// Frees the kept device mode and device names (at shutdown).
void FreePrintSettings();
