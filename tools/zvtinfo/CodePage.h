// The code page of the library's reports: the system's ANSI code page on Windows, as zavsys.dll converts;
// natively Windows-1252, the ANSI code page of Western Windows. Its five undefined bytes 0x81, 0x8D, 0x8F,
// 0x90 and 0x9D become U+0081, U+008D, U+008F, U+0090 and U+009D and back, as Windows converts them, so
// every byte has a character and survives the round trip.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "zavsys.h"

namespace zvtinfo
{

// ANSI bytes as UTF-16.
std::vector<ZVT_WCHAR> WidenAnsi(std::string_view bytes);

// UTF-16 as UTF-8 when utf8, else as ANSI bytes.
std::string NarrowWide(const std::vector<ZVT_WCHAR>& wide, bool utf8);

} // namespace zvtinfo
