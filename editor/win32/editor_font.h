#pragma once

#include <windows.h>

// The font last created for the preface viewer or by the font dialog,
// shared by both. Earlier fonts are kept: a control may still use one.
HFONT EditorFontHandle();
void SetEditorFontHandle(HFONT font);
