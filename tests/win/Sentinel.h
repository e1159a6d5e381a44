// The one sentinel of the Windows tests: outputs start filled with it, so that a test can prove which bytes
// a call left alone.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zvt::test
{

constexpr std::uint32_t kSentinel = 0xDEADBEEFu;
// The same bits as a signed 32-bit output holds them.
constexpr std::int32_t kSignedSentinel = static_cast<std::int32_t>(kSentinel);

// Fills a buffer with the sentinel's bytes, little-endian from its first byte on.
inline void FillSentinel(void* buffer, std::size_t bytes)
{
    auto* out = static_cast<unsigned char*>(buffer);
    for (std::size_t i = 0; i < bytes; ++i)
    {
        out[i] = static_cast<unsigned char>(kSentinel >> (8 * (i % 4)));
    }
}

// True when bytes offset .. offset + bytes - 1 of a buffer filled by FillSentinel still hold its bytes.
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
