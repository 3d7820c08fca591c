// Walking information elements: two bytes of id and length, then the body.
#include "driver/InfoElements.h"

#include <cstring>
#include <initializer_list>

bool FindInfoElement(const uint8_t* elements, size_t size, uint8_t id, const uint8_t** body, size_t* length)
{
    if (elements == nullptr)
        return false;
    size_t at = 0;
    while (size - at >= 2)
    {
        const uint8_t elementId = elements[at];
        const size_t elementLength = elements[at + 1];
        if (elementLength > size - at - 2)
            return false;
        if (elementId == id)
        {
            *body = elements + at + 2;
            *length = elementLength;
            return true;
        }
        at += 2 + elementLength;
    }
    return false;
}

size_t RatesFromInfoElements(const uint8_t* elements, size_t size, uint8_t rates[8])
{
    std::memset(rates, 0, 8);
    size_t count = 0;
    for (uint8_t id : {kElementSupportedRates, kElementExtendedRates})
    {
        const uint8_t* body = nullptr;
        size_t length = 0;
        if (!FindInfoElement(elements, size, id, &body, &length))
            continue;
        for (size_t i = 0; i < length && count < 8; ++i)
            rates[count++] = body[i];
    }
    return count;
}
