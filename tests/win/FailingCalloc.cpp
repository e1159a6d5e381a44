// calloc that fails on demand (see FailingCalloc.h).
#include "FailingCalloc.h"

#include <cstddef>

extern "C" void* __real_calloc(std::size_t count, std::size_t size);

volatile bool g_bFailCalloc = false;

extern "C" void* __wrap_calloc(std::size_t count, std::size_t size)
{
    return g_bFailCalloc ? nullptr : __real_calloc(count, size);
}
