// The system's conversions, no flags and no default character: what the system does with bytes and
// characters a code page lacks is what the reports hold.
#include "WindowsCodePages.h"

#include <windows.h>

namespace zvt
{
namespace
{

std::size_t Count(int result) noexcept
{
    return result > 0 ? static_cast<std::size_t>(result) : 0;
}

} // namespace

std::size_t CWindowsCodePages::Widen(const char* text, ZVT_WCHAR* wide, std::size_t capacity) noexcept
{
    return Count(MultiByteToWideChar(CP_ACP, 0, text, -1, wide, static_cast<int>(capacity)));
}

std::size_t CWindowsCodePages::Narrow(const ZVT_WCHAR* wide, bool utf8, char* narrow,
                                      std::size_t capacity) noexcept
{
    return Count(WideCharToMultiByte(utf8 ? CP_UTF8 : CP_ACP, 0, wide, -1, narrow, static_cast<int>(capacity),
                                     nullptr, nullptr));
}

} // namespace zvt
