// The character database's own texts, spelled exactly as the program shows
// them.
#pragma once

// Fixed lookup answers.
constexpr char kPrivateUseAnswer[] = "Private Use Area";
constexpr char kNotAvailable[] = "Not available";
constexpr char kPinyinNotOccurring[] = "not available";
constexpr char kPinyinNotAvailable[] = "Pinyin not available";

// The Unihan extract's message box.
constexpr char kUnihanCaptionFormat[] = "Unihan: %s";
constexpr char kUnihanNotFoundCaption[] = "Unihan extract";
constexpr char kUnihanNotFound[] = "Not found in Unihan";
constexpr char kUnihanMoreLinesFormat[] = "... and %s more lines";
constexpr char kUnihanCutLineFormat[] = " ... and %s more bytes";

// InsertUnicode's box and clipboard text.
constexpr char kInsertWord[] = "insert";
constexpr char kInformationFormat[] =
    "Definition: %s \nRadical.Stroke: %s \nMatthews: %s \nSimplified (%s) Traditional(%s)";
constexpr char kInformationCaption[] = "Definition etc.";
constexpr char kClipboardFormat[] = " &#x%s;";
