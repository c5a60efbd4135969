#pragma once

#include <windows.h>

#include "chardb/character_tables.h"

// Opens the modeless "Unihan Preface" viewer, or leaves the open one as it
// is; either way its text is shown without a selection.
void OpenPrefaceViewer(HINSTANCE instance, HWND owner, const ResourceText& preface);

// The viewer's text control, null while no viewer is open; the font dialog
// sets its font.
HWND PrefaceTextControl();

// The open viewer, null while none is open; the message loop gives it
// dialog keys.
HWND PrefaceViewerWindow();
