// Rich Text Format documents in the document pane, and HTML files opened
// into the browser pane.
#pragma once

#include <windows.h>

#include <string>

// 201: replaces the document with a chosen RTF file; the title stays.
void OpenDocument(HWND mainWindow, HWND editor);

// 202: writes the document to its path, or asks for one first. On success
// the document is unmodified and the title shows the path; a failure is
// reported and the document stays modified.
void SaveDocument(HWND mainWindow, HWND editor);

// 203: asks for a path (confirming before replacing a file), then saves.
void SaveDocumentAs(HWND mainWindow, HWND editor);

// 40022: shows a chosen HTML file in the browser pane; the document path
// is not touched.
void OpenHtmlFile(HWND mainWindow);

// The current document's path; empty before the first Open or Save.
const std::wstring& DocumentPath();
