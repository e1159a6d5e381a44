// The report code pages, and the names of the records converted through them.
#include "CodePage.h"

#ifdef _WIN32
#include "WindowsCodePages.h"
#else
#include "Windows1252.h"
#endif

namespace zvtinfo
{

zvt::CCodePages& ReportCodePages() noexcept
{
#ifdef _WIN32
    static zvt::CWindowsCodePages codePages;
#else
    static zvt::CWindows1252CodePages codePages;
#endif
    return codePages;
}

std::vector<ZVT_WCHAR> WidenAnsi(const std::string& bytes)
{
    std::vector<ZVT_WCHAR> wide(ReportCodePages().Widen(bytes.c_str(), nullptr, 0));
    if (wide.empty())
    {
        return wide;
    }
    ReportCodePages().Widen(bytes.c_str(), wide.data(), wide.size());
    wide.pop_back(); // the terminator
    return wide;
}

std::string NarrowWide(const std::vector<ZVT_WCHAR>& wide, bool utf8)
{
    std::vector<ZVT_WCHAR> terminated(wide);
    terminated.push_back(0);
    std::string narrow(ReportCodePages().Narrow(terminated.data(), utf8, nullptr, 0), '\0');
    if (narrow.empty())
    {
        return narrow;
    }
    ReportCodePages().Narrow(terminated.data(), utf8, narrow.data(), narrow.size());
    narrow.pop_back(); // the terminator
    return narrow;
}

} // namespace zvtinfo
