// Rich Text Format documents in the document pane, and HTML files opened
// into the browser pane.
#pragma once

#include <windows.h>

#include <string>

// IDM_OPEN: replaces the document with a chosen RTF file, which becomes the
// document path; the title stays. A file that cannot be read, or is not a
// whole RTF document (plain text, empty, cut short), is reported and
// changes nothing: the text, its undo, the path and the modified state
// stay as they were.
void OpenDocument(HWND mainWindow, HWND editor);

// IDM_SAVE: writes the document to its path, or asks for one first. The file
// is replaced only by a complete copy: on success the document is
// unmodified and the title shows the path; a failure is reported, the old
// file stays as it was and the document stays modified. The file keeps
// its access rights and attributes; through a symbolic link its target is
// written; a read-only file is refused, with Save As offered.
void SaveDocument(HWND mainWindow, HWND editor);

// IDM_SAVE_AS: asks for a path (confirming before replacing a file), then saves;
// the path becomes the document path when the save succeeds.
void SaveDocumentAs(HWND mainWindow, HWND editor);

// IDM_OPEN_HTML: shows a chosen HTML file in the browser pane; the document path
// is not touched.
void OpenHtmlFile(HWND mainWindow);

// The current document's path; empty before the first Open or Save.
const std::wstring& DocumentPath();
