// Bounds-checked string lookup in a language file image.
#include "app/LanguageLookup.h"

#include <cstdint>
#include <cstring>

const char kLanguageMissing[] = "***";

const char* LookupLanguageString(const void* base, size_t size, int index)
{
    if (base == nullptr || index < 0 || static_cast<size_t>(index) >= size / 4)
    {
        return kLanguageMissing;
    }
    // Bytewise: the image may be unaligned and the host's byte order is not assumed.
    const unsigned char* image = static_cast<const unsigned char*>(base);
    const unsigned char* slot = image + static_cast<size_t>(index) * 4;
    const uint32_t offset = static_cast<uint32_t>(slot[0]) | static_cast<uint32_t>(slot[1]) << 8 |
                            static_cast<uint32_t>(slot[2]) << 16 | static_cast<uint32_t>(slot[3]) << 24;
    if (offset >= size)
    {
        return kLanguageMissing;
    }
    const char* text = reinterpret_cast<const char*>(image + offset);
    if (std::memchr(text, 0, size - offset) == nullptr)
    {
        return kLanguageMissing;
    }
    return text;
}
