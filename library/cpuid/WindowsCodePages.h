// The system's code pages: the ANSI code page (CP_ACP) and UTF-8 (CP_UTF8), converted as the library's
// reports always were. The library and zvtinfo's Windows build share it.
#pragma once

#include "TextEncoding.h"

namespace zvt
{

class CWindowsCodePages final : public CCodePages
{
public:
    std::size_t Widen(const char* text, ZVT_WCHAR* wide, std::size_t capacity) noexcept override;
    std::size_t Narrow(const ZVT_WCHAR* wide, bool utf8, char* narrow,
                       std::size_t capacity) noexcept override;
};

} // namespace zvt
