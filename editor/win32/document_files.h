// Rich Text Format documents in the document pane, and HTML files opened
// into the browser pane.
#pragma once

#include <windows.h>

#include <string>

// 201: replaces the document with a chosen RTF file, which becomes the
// document path; the title stays. A file that cannot be read is reported
// and changes nothing.
void OpenDocument(HWND mainWindow, HWND editor);

// 202: writes the document to its path, or asks for one first. The file
// is replaced only by a complete copy: on success the document is
// unmodified and the title shows the path; a failure is reported, the old
// file stays as it was and the document stays modified.
void SaveDocument(HWND mainWindow, HWND editor);

// 203: asks for a path (confirming before replacing a file), then saves;
// the path becomes the document path when the save succeeds.
void SaveDocumentAs(HWND mainWindow, HWND editor);

// 40022: shows a chosen HTML file in the browser pane; the document path
// is not touched.
void OpenHtmlFile(HWND mainWindow);

// The current document's path; empty before the first Open or Save.
const std::wstring& DocumentPath();
