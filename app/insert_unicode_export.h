// InsertUnicode, the program's export that the browser pane calls for a
// followed insert link ("insert957F"): the character's information box,
// then its reference on the clipboard. The handwriting pad's Copy
// reference calls it too.
#pragma once

extern "C" __declspec(dllexport) void InsertUnicode(const char* target);
