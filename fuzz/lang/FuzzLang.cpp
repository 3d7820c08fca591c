// Arbitrary language file images and indices: the lookup answers "***" or a
// string that starts and ends inside the image, and reads nothing else.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/LanguageLookup.h"

namespace
{

void Check(const unsigned char* image, size_t size, int index)
{
    const char* text = LookupLanguageString(image, size, index);
    if (text == kLanguageMissing)
    {
        return;
    }
    const unsigned char* at = reinterpret_cast<const unsigned char*>(text);
    if (at < image || at >= image + size ||
        std::memchr(at, 0, static_cast<size_t>(image + size - at)) == nullptr)
    {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
    {
        return 0;
    }
    int32_t chosen;
    std::memcpy(&chosen, data, 4);
    // An exactly sized copy, so that any read past the end is caught.
    std::vector<unsigned char> image(data + 4, data + size);
    const unsigned char* base = image.empty() ? nullptr : image.data();
    Check(base, image.size(), chosen);
    for (int index = -1; index <= static_cast<int>(image.size() / 4) + 1; ++index)
    {
        Check(base, image.size(), index);
    }
    return 0;
}
