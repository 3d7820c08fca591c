// The maker table generated from the registries at build time.
#include "scan/MakerTable.h"

extern const unsigned char kMakerTable[];
extern const size_t kMakerTableSize;

const CMakerTable& BuiltInMakers()
{
    static const CMakerTable table(kMakerTable, kMakerTableSize);
    return table;
}
