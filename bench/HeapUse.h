// The bytes a benchmark's heap holds, to tell what a list costs per entry.
#pragma once

#include <cstddef>

#ifdef _WIN32
#include <windows.h>
#else
#include <malloc.h>
#endif

inline size_t HeapBytesInUse()
{
#ifdef _WIN32
    // The bytes of every heap block in use, with the heap's own overhead:
    // memory freed earlier and reused does not hide what an entry takes.
    size_t total = 0;
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i)
    {
        HeapLock(heaps[i]);
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry))
        {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += entry.cbData + entry.cbOverhead;
        }
        HeapUnlock(heaps[i]);
    }
    return total;
#else
    // Large blocks (the address table) come from their own mappings.
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}
