// The per-thread list of temporary-wrapper maps that idle time empties.
#include "TempMapBase.h"

#include <algorithm>
#include <vector>

static std::vector<CTempMapBase*>& TempMaps()
{
    static thread_local std::vector<CTempMapBase*> maps;
    return maps;
}

CTempMapBase::CTempMapBase()
{
    TempMaps().push_back(this);
}

CTempMapBase::~CTempMapBase()
{
    auto& maps = TempMaps();
    maps.erase(std::remove(maps.begin(), maps.end(), this), maps.end());
}

void AfxDeleteTempMaps()
{
    std::vector<CTempMapBase*> maps = TempMaps();
    for (CTempMapBase* p : maps)
        p->DeleteTemp();
}
