// Builds language file images in memory for the lookup and table tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A table of little-endian offsets followed by raw bytes; offsets are given
// absolute, so a test can point them anywhere, including outside the image.
inline std::vector<unsigned char> MakeLanguageImage(const std::vector<uint32_t>& offsets,
                                                    const std::string& strings)
{
    std::vector<unsigned char> image;
    for (uint32_t offset : offsets)
    {
        for (int shift = 0; shift < 32; shift += 8)
        {
            image.push_back(static_cast<unsigned char>(offset >> shift));
        }
    }
    image.insert(image.end(), strings.begin(), strings.end());
    return image;
}

// Where the build put spanish.lng: beside the test program on Windows, as for
// the program itself; natively the build passes its path.
std::string SpanishLngPath();
