// The check of a handwriting model file before the recogniser reads it.
// Zinnia trusts a model's bytes: a damaged file makes it read past the
// end. The layout, little-endian: a 32-bit magic number (the file's size
// XOR 0x0ef71821), version 1, the count of characters; per character its
// UTF-8 text in 16 bytes (NUL-terminated), a float bias and its weights,
// pairs of a 32-bit index and a float, ended by the index -1; nothing after.
#pragma once

#include <cstddef>
#include <string>

// False when the bytes are not a whole model of that layout.
bool IsHandwritingModel(const std::string& bytes);
