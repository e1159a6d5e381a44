// Counts heap allocations made while a counter is alive: operator new and new[] (replaced in the test
// program), and under AddressSanitizer every malloc, calloc and realloc as well.
#pragma once

#include <cstddef>

namespace zvt::test
{

class CAllocationCounter
{
public:
    CAllocationCounter() noexcept;
    ~CAllocationCounter();
    CAllocationCounter(const CAllocationCounter&) = delete;
    CAllocationCounter& operator=(const CAllocationCounter&) = delete;

    std::size_t Count() const noexcept;
};

} // namespace zvt::test
