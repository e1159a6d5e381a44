// What the process holds: its handle count and its private memory, measured the ways Windows and Wine
// both answer.
#pragma once

#include <windows.h>

#include <cstddef>

namespace zvt::bench
{

struct ProcessUsage
{
    unsigned long handles;      // open handles of this process
    std::size_t privateBytes;   // GetProcessMemoryInfo: PrivateUsage, or PagefileUsage where that is 0
    bool privateIsCommitCharge; // PrivateUsage was given (Windows); Wine 8 leaves it 0
    std::size_t committedBytes; // committed private pages of the address space, by VirtualQuery
    std::size_t heapBytes;      // bytes in busy blocks of every heap of the process, by HeapWalk
};

// Where the handle count came from: "GetProcessHandleCount", or the system handle table when that call
// answers 0 (Wine 8 does not count).
const char* HandleCountSource() noexcept;

ProcessUsage MeasureProcessUsage() noexcept;

} // namespace zvt::bench
