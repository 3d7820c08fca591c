// Prints the cost of a language lookup, every index of the built spanish.lng.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/LanguageLookup.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace
{

std::string SpanishLngPath()
{
#ifdef _WIN32
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string self(path, length < MAX_PATH ? length : 0);
    return self.substr(0, self.find_last_of("\\/") + 1) + "spanish.lng";
#else
    return KESU_SPANISH_LNG;
#endif
}

}  // namespace

int main()
{
    std::ifstream file(SpanishLngPath(), std::ios::binary);
    std::vector<unsigned char> image((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    if (image.empty())
    {
        std::printf("lang: can't read %s\n", SpanishLngPath().c_str());
        return 1;
    }
    const int kIndices = 56;
    const int kRounds = 200000;
    // Summing the lengths keeps the lookups from being optimised away.
    size_t sink = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < kRounds; ++round)
    {
        for (int index = 0; index < kIndices; ++index)
        {
            sink += static_cast<unsigned char>(LookupLanguageString(image.data(), image.size(), index)[0]);
        }
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const double ns = std::chrono::duration<double, std::nano>(elapsed).count();
    std::printf("lang: lookup of every index (%d) x %d rounds: %.1f ns per lookup, %.0f ns per "
                "full table (checksum %zu)\n",
                kIndices, kRounds, ns / (double(kIndices) * kRounds), ns / kRounds, sink);
    return 0;
}
