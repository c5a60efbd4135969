#include "app/commands.h"

#include <richedit.h>

#include <string>

#include "app/about_box.h"
#include "app/data_loading.h"
#include "app/insert_unicode_export.h"
#include "app/page_display.h"
#include "app/shell_state.h"
#include "app/shell_texts.h"
#include "chardb/chardb_texts.h"
#include "editor/win32/document_files.h"
#include "editor/win32/editor_commands.h"
#include "editor/win32/editor_pane.h"
#include "editor/win32/find_dialog.h"
#include "editor/win32/preface_viewer.h"
#include "editor/win32/printing.h"
#include "handwriting/win32/handwriting_pad.h"
#include "resources/resource.h"
#include "search/win32/search_bar.h"
#include "win32/program_folder.h"
#include "win32/vistapane.h"

namespace {

// Checks the chosen item of "Chinese Font Size" alone and scales the pane:
// Largest is level 4, Smallest level 0.
void SetTextSize(HWND window, int command) {
  int position = command - IDM_SIZE_LARGEST;
  for (int item = IDM_SIZE_LARGEST; item <= IDM_SIZE_SMALLEST; ++item)
    CheckMenuItem(GetMenu(window), item, MF_BYCOMMAND | (item == command ? MF_CHECKED : MF_UNCHECKED));
  FontSize(4 - position);
}

void Quit(HWND window) {
  ShellState& shell = Shell();
  ClearUnihanText(shell.tables);
  DestroyWindow(window);
}

// The help file beside Logodex.exe, which need not be the working folder;
// without one there, the bare name for the help system to look for.
std::wstring HelpFilePath() {
  std::wstring folder = ProgramFolder();
  std::wstring path = PathInFolder(folder, kHelpFile);
  return folder.empty() || !PathExists(path) ? std::wstring(kHelpFile) : path;
}

// The pad's models come from the data folders; its candidates show their
// character pages as a program link does and go to the clipboard as an
// insert link does.
void OpenPad(HWND window) {
  HandwritingPadLinks links;
  links.loadModels = [](std::vector<HandwritingModel>& models) {
    return LoadHandwritingModelFiles(Shell().workingDirectory, models);
  };
  links.showCharacter = [](const std::string& code) { ShowProgramLinkPage(kCharacterSearch, code); };
  links.copyReference = [](const std::string& code) { InsertUnicode((kInsertWord + code).c_str()); };
  OpenHandwritingPad(Shell().instance, window, Shell().tables, links);
}

void OpenHelp(HWND window) { WinHelpW(window, HelpFilePath().c_str(), HELP_CONTENTS, 0); }

}  // namespace

LRESULT OnCommand(HWND window, int command) {
  HWND editor = Shell().editorPane;
  switch (command) {
    case IDM_DESTROY: DestroyWindow(window); break;
    case IDM_UNIHAN_PREFACE: OpenPrefaceViewer(Shell().instance, window, Shell().tables.preface); break;
    case IDM_NEW: NewDocument(editor); break;
    case IDM_OPEN: OpenDocument(window, editor); break;
    case IDM_SAVE: SaveDocument(window, editor); break;
    case IDM_SAVE_AS: SaveDocumentAs(window, editor); break;
    case IDM_PRINT: PrintDocument(Shell().instance, window, editor); break;
    case IDM_CUT: SendMessageW(editor, WM_CUT, 0, 0); break;
    case IDM_COPY: SendMessageW(editor, WM_COPY, 0, 0); break;
    case IDM_PASTE: PasteIntoEditor(window, editor, Shell().richTextFormat); break;
    case IDM_BOLD: ToggleEffect(editor, CFM_BOLD); break;
    case IDM_ITALIC: ToggleEffect(editor, CFM_ITALIC); break;
    case IDM_UNDERLINE: ToggleEffect(editor, CFM_UNDERLINE); break;
    case IDM_ALIGN_LEFT: AlignParagraphs(editor, PFA_LEFT); break;
    case IDM_ALIGN_CENTER: AlignParagraphs(editor, PFA_CENTER); break;
    case IDM_ALIGN_RIGHT: AlignParagraphs(editor, PFA_RIGHT); break;
    case IDM_FONT: ChooseEditorFont(window, editor); break;
    case IDM_UNDO: SendMessageW(editor, WM_UNDO, 0, 0); break;
    case IDM_CLEAR: SendMessageW(editor, WM_CLEAR, 0, 0); break;
    case IDM_SELECT_ALL: SelectAll(editor); break;
    case IDM_FIND: OpenFindDialog(window); break;
    case IDM_NEXT_WORD: SelectNextWord(editor); break;
    case IDM_OPEN_HTML: OpenHtmlFile(window); break;
    case IDM_KANGXI_RADICALS: ShowRadicalsIndex(window); break;
    case IDM_HANDWRITING_PAD: OpenPad(window); break;
    case IDM_ABOUT: ShowAboutBox(Shell().instance, window); break;
    case IDM_QUIT: Quit(window); break;
    case IDM_SIZE_LARGEST:
    case IDM_SIZE_LARGE:
    case IDM_SIZE_MEDIUM:
    case IDM_SIZE_SMALL:
    case IDM_SIZE_SMALLEST: SetTextSize(window, command); break;
    case IDM_PINYIN_FOR_SELECTION: PinyinSearchForSelection(editor); break;
    case IDM_PINYIN_FIND_AGAIN: RunPinyinFinderAgain(); break;
    case IDM_GO_BACK: GoBack(); break;
    case IDM_GO_FORWARD: GoForward(); break;
    case IDM_HELP: OpenHelp(window); break;
    default:
      // The show-page commands and menu items of the table of search kinds.
      if (SearchKindOfShowCommand(command) >= 0)
        ShowSearchPage(window, command);
      else
        RunSearchMenuCommand(command);
      break;
  }
  return 0;
}

// The enabling rules serve menus with editing pop-ups at positions 0 to 2;
// the menu bar's only pop-up, "Chinese Font Size", stands beyond them (position 4).
LRESULT OnInitMenuPopup(HMENU popup, int position) {
  HWND editor = Shell().editorPane;
  auto enable = [popup](int command, bool on) { EnableMenuItem(popup, command, on ? MF_ENABLED : MF_GRAYED); };
  auto check = [popup](int command, bool on) { CheckMenuItem(popup, command, on ? MF_CHECKED : MF_UNCHECKED); };
  switch (position) {
    case 0: enable(IDM_SAVE, SendMessageW(editor, EM_GETMODIFY, 0, 0) != 0); break;
    case 1: {
      if (OpenClipboard(Shell().mainWindow)) {
        enable(IDM_PASTE, IsClipboardFormatAvailable(CF_TEXT) || IsClipboardFormatAvailable(Shell().richTextFormat));
        CloseClipboard();
      }
      CHARRANGE selection{};
      SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
      bool selected = selection.cpMin != selection.cpMax;
      enable(IDM_CUT, selected);
      enable(IDM_COPY, selected);
      enable(IDM_CLEAR, selected);
      enable(IDM_SELECT_ALL, GetWindowTextLengthW(editor) > 0);
      break;
    }
    case 2: {
      CHARFORMATW format{};
      format.cbSize = sizeof format;
      SendMessageW(editor, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
      if (format.dwMask & CFM_BOLD) check(IDM_BOLD, format.dwEffects & CFE_BOLD);
      if (format.dwMask & CFM_ITALIC) check(IDM_ITALIC, format.dwEffects & CFE_ITALIC);
      if (format.dwMask & CFM_UNDERLINE) check(IDM_UNDERLINE, format.dwEffects & CFE_UNDERLINE);
      PARAFORMAT paragraph{};
      paragraph.cbSize = sizeof paragraph;
      SendMessageW(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
      if (paragraph.dwMask & PFM_ALIGNMENT) {
        int checked = paragraph.wAlignment == PFA_LEFT ? IDM_ALIGN_LEFT
                      : paragraph.wAlignment == PFA_CENTER ? IDM_ALIGN_CENTER : IDM_ALIGN_RIGHT;
        CheckMenuRadioItem(popup, IDM_ALIGN_LEFT, IDM_ALIGN_RIGHT, checked, MF_BYCOMMAND);
      }
      break;
    }
    default: break;
  }
  return 0;
}
