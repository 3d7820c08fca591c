// Bounds-checked string lookup in a language file image (no platform headers).
#pragma once

#include <cstddef>

// The text given for any index the file can't answer safely. Callers may
// compare against this pointer to tell a missing text from a real one.
extern const char kLanguageMissing[];

// String 'index' of a language file image of 'size' bytes at 'base': slot i is
// the unsigned 32-bit little-endian offset at byte 4*i, pointing at a
// NUL-terminated string. Returns kLanguageMissing when the slot lies beyond
// the image, the offset points outside it, or no NUL follows before its end;
// never reads outside [base, base + size).
const char* LookupLanguageString(const void* base, size_t size, int index);
