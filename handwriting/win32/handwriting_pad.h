// The handwriting pad: an owned pop-up window of the program, above its
// owner as the search bar is, with a square in which strokes are drawn
// with the mouse, the ten likeliest characters as large buttons (asked of
// the recogniser after every stroke), Undo, Clear and Copy reference.
// A click on a candidate shows its character page; Copy reference puts
// the chosen candidate's reference on the clipboard as its insert link
// does. Escape hides the pad; its strokes wait for the next opening.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "chardb/character_tables.h"
#include "handwriting/recogniser.h"

// What the pad asks of the program, given when it first opens.
struct HandwritingPadLinks {
  // Reads and opens the models, telling the user what is wrong with a
  // file; false when handwriting is unavailable. Asked once, on the first
  // opening, so that the program's start does not wait for the models.
  std::function<bool(std::vector<HandwritingModel>& models)> loadModels;
  // The candidate's code point in upper-case hexadecimal ("4EBA").
  std::function<void(const std::string& code)> showCharacter;
  std::function<void(const std::string& code)> copyReference;
};

// Shows the pad, made on the first call (owned by `owner`, placed in the
// lower right corner of its client area, the models loaded), active with
// the keyboard focus in its drawing area. `tables` outlive the pad.
void OpenHandwritingPad(HINSTANCE instance, HWND owner, const CharacterTables& tables,
                        const HandwritingPadLinks& links);

// The pad's window, shown or hidden; null before its first opening.
HWND HandwritingPadWindow();
