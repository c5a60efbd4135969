// The program's texts that Win32 files of several folders show: the
// caption of its message boxes and the report of an unwritten page.
#pragma once

constexpr wchar_t kLogodexCaption[] = L"Logodex";
constexpr wchar_t kPageNotWritten[] = L"The page could not be written:";
// An operation cut short by a failure inside the program (most likely a
// lack of memory).
constexpr wchar_t kOperationFailed[] = L"The operation could not be completed.";
