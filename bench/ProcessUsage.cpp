// Handle count and private memory of this process.
#include "ProcessUsage.h"

#include <psapi.h>
#include <vector>

namespace zvt::bench
{
namespace
{

// One row of the system handle table (information class 16), as Wine and Windows lay it out.
struct HandleTableEntry
{
    ULONG ownerProcessId;
    BYTE objectType;
    BYTE flags;
    USHORT handleValue;
    void* object;
    ULONG access;
};

struct HandleTable
{
    ULONG count;
    HandleTableEntry entries[1];
};

using PFN_NtQuerySystemInformation = LONG(WINAPI*)(ULONG informationClass, void* buffer, ULONG bytes,
                                                   ULONG* needed);

constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004u);

bool handleCountFromTable = false;

unsigned long CountHandlesInSystemTable() noexcept
{
    const auto query = reinterpret_cast<PFN_NtQuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll"), "NtQuerySystemInformation")));
    if (query == nullptr)
    {
        return 0;
    }
    std::vector<unsigned char> buffer(256 * 1024);
    ULONG needed = 0;
    LONG status = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                           &needed)) == kStatusInfoLengthMismatch)
    {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0)
    {
        return 0;
    }
    const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
    unsigned long own = 0;
    for (ULONG i = 0; i < table->count; ++i)
    {
        own += table->entries[i].ownerProcessId == GetCurrentProcessId() ? 1u : 0u;
    }
    return own;
}

unsigned long CountHandles() noexcept
{
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0)
    {
        handleCountFromTable = false;
        return count;
    }
    handleCountFromTable = true;
    return CountHandlesInSystemTable();
}

// Windows gives PrivateUsage and PagefileUsage the same value, the commit charge; Wine 8 leaves the
// former 0 and reports the host process's resident anonymous memory in the latter (under qemu that
// includes the emulator's translation cache).
void ReadPrivateBytes(ProcessUsage& usage) noexcept
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters))
    {
        usage.privateIsCommitCharge = counters.PrivateUsage != 0;
        usage.privateBytes = usage.privateIsCommitCharge ? counters.PrivateUsage : counters.PagefileUsage;
    }
}

std::size_t BusyBytesOf(HANDLE heap) noexcept
{
    if (!HeapLock(heap))
    {
        return 0;
    }
    std::size_t busy = 0;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry))
    {
        busy += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0 ? entry.cbData : 0;
    }
    HeapUnlock(heap);
    return busy;
}

// The C runtime's heap (malloc, new) is one of them.
std::size_t HeapBytesInUse() noexcept
{
    HANDLE heaps[64] = {};
    const DWORD count = GetProcessHeaps(64, heaps);
    std::size_t busy = 0;
    for (DWORD i = 0; i < count && i < 64; ++i)
    {
        busy += BusyBytesOf(heaps[i]);
    }
    return busy;
}

std::size_t CommittedPrivateBytes() noexcept
{
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    const char* address = nullptr;
    while (VirtualQuery(address, &region, sizeof region) == sizeof region)
    {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
        {
            total += region.RegionSize;
        }
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address)
        {
            break; // the top of the address space
        }
        address = next;
    }
    return total;
}

} // namespace

const char* HandleCountSource() noexcept
{
    return handleCountFromTable ? "the system handle table (GetProcessHandleCount answers 0)"
                                : "GetProcessHandleCount";
}

ProcessUsage MeasureProcessUsage() noexcept
{
    ProcessUsage usage{CountHandles(), 0, false, CommittedPrivateBytes(), HeapBytesInUse()};
    ReadPrivateBytes(usage);
    return usage;
}

} // namespace zvt::bench
