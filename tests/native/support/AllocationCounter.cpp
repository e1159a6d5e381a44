#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime's allocator interface (g++ ships the runtime but not this header).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, std::size_t),
                                                         void (*onFree)(const volatile void*));
#endif

namespace
{

std::atomic<bool> counting{false};
std::atomic<std::size_t> allocations{0};

void NoteAllocation() noexcept
{
    if (counting.load(std::memory_order_relaxed))
    {
        allocations.fetch_add(1, std::memory_order_relaxed);
    }
}

void* Allocate(std::size_t size)
{
    NoteAllocation();
    if (void* block = std::malloc(size == 0 ? 1 : size))
    {
        return block;
    }
    throw std::bad_alloc();
}

#if defined(__SANITIZE_ADDRESS__)
void OnMalloc(const volatile void*, std::size_t) noexcept
{
    NoteAllocation();
}
void OnFree(const volatile void*) noexcept
{
}
[[maybe_unused]] const int hooksInstalled = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree);
#endif

} // namespace

void* operator new(std::size_t size)
{
    return Allocate(size);
}
void* operator new[](std::size_t size)
{
    return Allocate(size);
}
void operator delete(void* block) noexcept
{
    std::free(block);
}
void operator delete[](void* block) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace zvt::test
{

CAllocationCounter::CAllocationCounter() noexcept
{
    allocations = 0;
    counting = true;
}

CAllocationCounter::~CAllocationCounter()
{
    counting = false;
}

std::size_t CAllocationCounter::Count() const noexcept
{
    return allocations;
}

} // namespace zvt::test
