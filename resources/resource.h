// Identifiers of the program's resources, commands and controls, grouped by
// who issues them. Shared by the resource script and the C++ sources.
#pragma once

// Resources: menu bar, accelerator table and icon share one number.
#define IDR_MAIN 24

// Main window children.
#define IDC_EDITOR_PANE 1
#define IDC_STATUS_BAR 101

// Shell commands.
#define IDM_DESTROY 100
#define IDM_UNIHAN_PREFACE 108
#define IDM_KANGXI_RADICALS 221
#define IDM_ABOUT 300
#define IDM_QUIT 40006
#define IDM_HELP 40038

// Show-page commands, sent by the search bar after a search.
#define IDM_SHOW_PINYIN 110
#define IDM_SHOW_UNICODE 111
#define IDM_SHOW_MATTHEWS 112
#define IDM_SHOW_RADICAL_STROKE 113
#define IDM_SHOW_DEFINITION 114
#define IDM_SHOW_STROKE_NUMBER 115

// The kinds added to the table of search kinds after the seven of the
// dialog template (search/search_kinds.h) take their numbers from their
// kind: their fields, show-page commands and menu items are these bases
// plus the kind's value.
#define IDC_SEARCH_ADDED_BASE 41000
#define IDM_SHOW_ADDED_BASE 41100
#define IDM_SEARCH_MENU_BASE 41200

// The handwriting pad: the command that opens it (the menu bar's item,
// the search bar's button), the bar's button and the pad's controls.
#define IDM_HANDWRITING_PAD 41300
#define IDC_SEARCH_HANDWRITING 41301
#define IDC_PAD_INK 41310
#define IDC_PAD_STATUS 41311
#define IDC_PAD_UNDO 41312
#define IDC_PAD_CLEAR 41313
#define IDC_PAD_COPY 41314
#define IDC_PAD_CANDIDATE_BASE 41320

// Browser pane text sizes ("Chinese Font Size" pop-up, in menu order) and
// navigation.
#define IDM_SIZE_LARGEST 40007
#define IDM_SIZE_LARGE 40008
#define IDM_SIZE_MEDIUM 40009
#define IDM_SIZE_SMALL 40010
#define IDM_SIZE_SMALLEST 40011
#define IDM_GO_BACK 40018
#define IDM_GO_FORWARD 40019

// Pinyin commands of the main window.
#define IDM_PINYIN_FOR_SELECTION 40012
#define IDM_PINYIN_FIND_AGAIN 40014

// Document pane commands.
#define IDM_NEW 200
#define IDM_OPEN 201
#define IDM_SAVE 202
#define IDM_SAVE_AS 203
#define IDM_PRINT 204
#define IDM_CUT 205
#define IDM_COPY 206
#define IDM_PASTE 207
#define IDM_BOLD 208
#define IDM_ITALIC 209
#define IDM_UNDERLINE 210
#define IDM_ALIGN_LEFT 211
#define IDM_ALIGN_CENTER 212
#define IDM_ALIGN_RIGHT 213
#define IDM_FONT 214
#define IDM_UNDO 215
#define IDM_CLEAR 216
#define IDM_SELECT_ALL 217
#define IDM_FIND 218
#define IDM_NEXT_WORD 219
#define IDM_OPEN_HTML 40022

// Search bar fields, one per search kind.
#define IDC_SEARCH_PINYIN 40001
#define IDC_SEARCH_UNICODE 40016
#define IDC_SEARCH_MATTHEWS 40017
#define IDC_SEARCH_UNIHAN 106
#define IDC_SEARCH_RADICAL_STROKE 107
#define IDC_SEARCH_DEFINITION 109
#define IDC_SEARCH_STROKE_NUMBER 110

// Preface viewer and abort dialog controls.
#define IDC_PREFACE_TEXT 105
#define IDC_ABORT_DOCUMENT 400

// The scrolling box of Unihan lines too many for a message box.
#define IDC_UNIHAN_LINES 401

// The About box's version line.
#define IDC_ABOUT_VERSION 402
