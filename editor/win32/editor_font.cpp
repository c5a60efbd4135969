#include "editor/win32/editor_font.h"

namespace {

HFONT lastFont = nullptr;  // set by the preface viewer and the font dialog

}  // namespace

HFONT EditorFontHandle() { return lastFont; }
void SetEditorFontHandle(HFONT font) { lastFont = font; }
