// Parsing braced GUID text.
#include "driver/GuidText.h"

#include <cstring>

namespace
{

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

bool ParseGuidText(const char* text, uint8_t guid[16])
{
    static const char kShape[] = "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}";
    if (text == nullptr || std::strlen(text) != sizeof kShape - 1)
        return false;
    uint8_t bytes[16];
    int nibbles = 0;
    for (size_t i = 0; i < sizeof kShape - 1; ++i)
    {
        if (kShape[i] != 'x')
        {
            if (text[i] != kShape[i])
                return false;
            continue;
        }
        const int digit = HexDigit(text[i]);
        if (digit < 0)
            return false;
        if (nibbles % 2 == 0)
            bytes[nibbles / 2] = static_cast<uint8_t>(digit << 4);
        else
            bytes[nibbles / 2] |= static_cast<uint8_t>(digit);
        ++nibbles;
    }
    // Text order is big-endian; the first three fields are stored little-endian.
    const int order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    for (int i = 0; i < 16; ++i)
        guid[i] = bytes[order[i]];
    return true;
}
