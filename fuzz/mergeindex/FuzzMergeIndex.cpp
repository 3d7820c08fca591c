// Arbitrary bytes as steps applied to the indexed list and to a twin walked
// from the head: any difference in entries, row lookups or address lookups
// aborts with what differed.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/scan/WalkModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string why = RunWalkEquivalence(data, size);
    if (!why.empty())
    {
        std::fputs(why.c_str(), stderr);
        std::abort();
    }
    return 0;
}
