// For programs linked with CountedAllocations.cpp and -Wl,--wrap=malloc,--wrap=calloc,--wrap=realloc: every
// allocation through the C runtime is counted, so that a test or benchmark can show what a call allocates.
#pragma once

namespace zvt::test
{

// Allocations so far in the whole program, every thread.
long AllocationCount() noexcept;

} // namespace zvt::test
