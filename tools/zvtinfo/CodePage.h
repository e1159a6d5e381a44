// The code pages of the library's reports: the system's on Windows, as zavsys.dll converts; natively
// Windows-1252 (the ANSI code page of Western Windows) and UTF-8, from the library's table.
#pragma once

#include <string>
#include <vector>

#include "TextEncoding.h"

namespace zvtinfo
{

zvt::CCodePages& ReportCodePages() noexcept;

// ANSI bytes (up to the first 0) as UTF-16.
std::vector<ZVT_WCHAR> WidenAnsi(const std::string& bytes);

// UTF-16 (up to the first 0) as UTF-8 when utf8, else as ANSI bytes.
std::string NarrowWide(const std::vector<ZVT_WCHAR>& wide, bool utf8);

} // namespace zvtinfo
