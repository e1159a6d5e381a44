// Test support: sentinel fills that prove which bytes a call left alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "zavsys.h"

namespace zvt::test
{

constexpr std::uint32_t kSentinel = 0xDEADBEEFu;

// Fills a buffer with the sentinel pattern, so a test can prove which bytes a call left alone.
inline void FillSentinel(void* buffer, std::size_t bytes)
{
    auto* out = static_cast<unsigned char*>(buffer);
    for (std::size_t i = 0; i < bytes; ++i)
    {
        out[i] = static_cast<unsigned char>(kSentinel >> (8 * (i % 4)));
    }
}

inline bool IsSentinel(const void* buffer, std::size_t offset, std::size_t bytes)
{
    const auto* in = static_cast<const unsigned char*>(buffer);
    for (std::size_t i = offset; i < offset + bytes; ++i)
    {
        if (in[i] != static_cast<unsigned char>(kSentinel >> (8 * (i % 4))))
        {
            return false;
        }
    }
    return true;
}

} // namespace zvt::test
