// Windows-1252 and UTF-8 by table and arithmetic.
#include "Windows1252.h"

#include <cstring>

namespace zvt
{
namespace
{

// Bytes 0x80..0x9F of Windows-1252; below and above they equal their code point (as in Latin-1).
constexpr ZVT_WCHAR kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

ZVT_WCHAR WidenByte(unsigned char byte) noexcept
{
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80u] : byte;
}

// '?' for a character Windows-1252 does not have, as the system's conversion writes its default character.
char Windows1252Byte(ZVT_WCHAR unit) noexcept
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
    {
        return static_cast<char>(unit);
    }
    for (unsigned i = 0; i < 32; ++i)
    {
        if (kWindows1252High[i] == unit)
        {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

// Into out, room for three bytes; returns the bytes written.
std::size_t Narrowed(ZVT_WCHAR unit, bool utf8, char* out) noexcept
{
    if (!utf8)
    {
        out[0] = Windows1252Byte(unit);
        return 1;
    }
    const auto c = static_cast<unsigned>(unit);
    if (c < 0x80)
    {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800)
    {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    out[0] = static_cast<char>(0xE0 | (c >> 12));
    out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (c & 0x3F));
    return 3;
}

} // namespace

std::size_t CWindows1252CodePages::Widen(const char* text, ZVT_WCHAR* wide, std::size_t capacity) noexcept
{
    const std::size_t units = std::strlen(text) + 1;
    if (wide == nullptr)
    {
        return units;
    }
    if (capacity < units)
    {
        return 0;
    }
    for (std::size_t i = 0; i < units; ++i)
    {
        wide[i] = WidenByte(static_cast<unsigned char>(text[i]));
    }
    return units;
}

std::size_t CWindows1252CodePages::Narrow(const ZVT_WCHAR* wide, bool utf8, char* narrow,
                                          std::size_t capacity) noexcept
{
    std::size_t size = 0;
    for (std::size_t i = 0;; ++i)
    {
        char bytes[3];
        const std::size_t count = Narrowed(wide[i], utf8, bytes);
        if (narrow != nullptr)
        {
            if (size + count > capacity)
            {
                return 0;
            }
            std::memcpy(narrow + size, bytes, count);
        }
        size += count;
        if (wide[i] == 0)
        {
            return size;
        }
    }
}

} // namespace zvt
