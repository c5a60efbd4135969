// The application shell's process-wide state: one instance, created with
// the program and living until it ends.
#pragma once

#include <windows.h>

#include <string>

#include "chardb/character_tables.h"

struct ShellState {
  HINSTANCE instance = nullptr;    // set by WinMain before the main window is created
  HWND mainWindow = nullptr;       // set by WinMain when the main window's creation returns
  HWND editorPane = nullptr;       // created at start-up; keeps its zero size
  HWND statusBar = nullptr;        // created at start-up
  int statusHeight = 0;            // the status bar's height, taken once at start-up
  HWND browserPane = nullptr;      // written by OpenBrowser
  int paneOpen = 0;                // OpenBrowser's result; non-zero once the pane exists
  HMODULE richEditLibrary = nullptr;
  UINT findReplaceMessage = 0;     // registered "commdlg_FindReplace"
  UINT richTextFormat = 0;         // registered clipboard format "Rich Text Format"
  std::wstring workingDirectory;   // the current directory at start-up, any length
  std::wstring radicalsIndexPath;  // set when the index is written; shown by "KangXi Radicals"
  CharacterTables tables;          // loaded at start-up; read by every search
};

// The one instance; the main window fills it at start-up.
ShellState& Shell();
