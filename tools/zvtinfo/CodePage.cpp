// The report code page: the system's conversions on Windows, a Windows-1252 table natively.
#ifdef _WIN32
#include <windows.h>
#endif

#include <array>
#include <cstdint>

#include "CodePage.h"

namespace zvtinfo
{

#ifdef _WIN32
std::vector<ZVT_WCHAR> WidenAnsi(std::string_view bytes)
{
    const int count =
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::vector<ZVT_WCHAR> wide(static_cast<std::size_t>(count));
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), count);
    return wide;
}

std::string NarrowWide(const std::vector<ZVT_WCHAR>& wide, bool utf8)
{
    const UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
    const int count = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), count, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), count, narrow.data(), length, nullptr, nullptr);
    return narrow;
}
#else
namespace
{

// Bytes 0x80..0x9F of Windows-1252; below and above they equal their code point (as in Latin-1).
constexpr std::array<ZVT_WCHAR, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

ZVT_WCHAR WidenWindows1252(unsigned char byte) noexcept
{
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80u] : byte;
}

// '?' for a character Windows-1252 does not have, as the system's conversion writes its default character.
char NarrowWindows1252(ZVT_WCHAR unit) noexcept
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
    {
        return static_cast<char>(unit);
    }
    for (std::size_t i = 0; i < kWindows1252High.size(); ++i)
    {
        if (kWindows1252High[i] == unit)
        {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

void AppendUtf8(ZVT_WCHAR unit, std::string& out)
{
    const auto c = static_cast<std::uint32_t>(unit);
    if (c < 0x80)
    {
        out += static_cast<char>(c);
    }
    else if (c < 0x800)
    {
        out += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    }
    else
    {
        out += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    }
}

} // namespace

std::vector<ZVT_WCHAR> WidenAnsi(std::string_view bytes)
{
    std::vector<ZVT_WCHAR> wide;
    wide.reserve(bytes.size());
    for (const char byte : bytes)
    {
        wide.push_back(WidenWindows1252(static_cast<unsigned char>(byte)));
    }
    return wide;
}

std::string NarrowWide(const std::vector<ZVT_WCHAR>& wide, bool utf8)
{
    std::string narrow;
    for (const ZVT_WCHAR unit : wide)
    {
        if (utf8)
        {
            AppendUtf8(unit, narrow);
        }
        else
        {
            narrow += NarrowWindows1252(unit);
        }
    }
    return narrow;
}
#endif

} // namespace zvtinfo
