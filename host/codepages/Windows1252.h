// The code pages where the system has none (zvtinfo's native build, the tests): Windows-1252, the ANSI
// code page of Western Windows, and UTF-8. Its five undefined bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D become
// U+0081, U+008D, U+008F, U+0090 and U+009D and back, as Windows converts them, so every byte has a
// character and survives the round trip. UTF-8 is written for the basic plane, up to three bytes a unit.
#pragma once

#include "TextEncoding.h"

namespace zvt
{

class CWindows1252CodePages final : public CCodePages
{
public:
    std::size_t Widen(const char* text, ZVT_WCHAR* wide, std::size_t capacity) noexcept override;
    std::size_t Narrow(const ZVT_WCHAR* wide, bool utf8, char* narrow,
                       std::size_t capacity) noexcept override;
};

} // namespace zvt
