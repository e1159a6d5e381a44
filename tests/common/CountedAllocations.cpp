// The counting wrappers (see CountedAllocations.h).
#include "CountedAllocations.h"

#include <windows.h>

#include <cstddef>

extern "C" void* __real_malloc(std::size_t size);
extern "C" void* __real_calloc(std::size_t count, std::size_t size);
extern "C" void* __real_realloc(void* block, std::size_t size);

namespace
{
volatile long g_nAllocations = 0;
}

extern "C" void* __wrap_malloc(std::size_t size)
{
    InterlockedIncrement(&g_nAllocations);
    return __real_malloc(size);
}
extern "C" void* __wrap_calloc(std::size_t count, std::size_t size)
{
    InterlockedIncrement(&g_nAllocations);
    return __real_calloc(count, size);
}
extern "C" void* __wrap_realloc(void* block, std::size_t size)
{
    InterlockedIncrement(&g_nAllocations);
    return __real_realloc(block, size);
}

long zvt::test::AllocationCount() noexcept
{
    return g_nAllocations;
}
