// The texts of the reading pages (the Reading search and the pinyin page of
// one reading), spelled exactly as the pages and the status bar carry them.
// The pages are UTF-8, their characters written as references.
#pragma once

constexpr char kReadingHeaderFormat[] =
    "<HTML><HEAD><TITLE>Reading Search</TITLE> <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
    "charset=UTF-8\"></HEAD><BODY><H3>Reading: %s</H3>";
constexpr char kPinyinReadingHeaderFormat[] =
    "<HTML><HEAD><TITLE>PinYin Search</TITLE> <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
    "charset=UTF-8\"></HEAD><BODY><H3>Pinyin: %s</H3>";
// A section: the language and the readings found, as the data write them.
constexpr char kReadingSectionFormat[] = "<H3>%s: %s</H3>";
constexpr char kReadingListSeparator[] = ", ";
constexpr char kAddedLineOpening[] = "<P>";
// After a character: its readings in the section's language, then its
// Mandarin reading when it has one.
constexpr char kReadingLineFormat[] = "&nbsp;&nbsp;%s";
constexpr char kMandarinBesideFormat[] = "&nbsp;&nbsp;Mandarin: %s";

// The sections' languages, in the order of ReadingLanguage.
constexpr const char* kReadingLanguageLabels[] = {"Cantonese", "Japanese on", "Japanese kun",
                                                  "Korean",    "Korean",      "Vietnamese"};

constexpr char kReadingStatusFormat[] = "Reading: %s";
