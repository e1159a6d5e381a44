// The Windows version record: kernel32.dll's file version and GetProductInfo's edition code.
#include "FileBox.h"

namespace
{
using PFN_GetProductInfo = BOOL(WINAPI*)(DWORD osMajor, DWORD osMinor, DWORD spMajor, DWORD spMinor,
                                         PDWORD productType);
} // namespace

std::int32_t CWindowsBox::FillWindowsVersion(ZVT_WINDOWS_VERSION* version) noexcept
{
    if (version == nullptr)
    {
        return 0;
    }
    std::int32_t major = 0;
    std::int32_t minor = 0;
    std::int32_t build = 0;
    std::int32_t revision = 0;
    // The bare name: the system's module search finds the kernel32.dll of the caller's width.
    const std::int32_t ok = GetFileVersion(L"kernel32.dll", &major, &minor, &build, &revision) >= 0 ? 1 : 0;
    if (ok == 0 || version->size < ZVT_WINDOWS_VERSION_SIZE)
    {
        return ok;
    }
    version->revision = static_cast<std::uint32_t>(revision);
    version->major = static_cast<std::uint32_t>(major);
    version->minor = static_cast<std::uint32_t>(minor);
    version->build = static_cast<std::uint32_t>(build);
    // Looked up at run time: systems before Vista have no GetProductInfo.
    const auto getProductInfo =
        reinterpret_cast<PFN_GetProductInfo>(FindKernel32Function(L"kernel32.dll", "GetProductInfo"));
    if (getProductInfo == nullptr)
    {
        return 1;
    }
    // Always asked with 6, 0, 0, 0 whatever system runs: the codes callers have always received.
    DWORD productType = 0;
    const BOOL result = getProductInfo(6, 0, 0, 0, &productType);
    version->productType = productType;
    return static_cast<std::int32_t>(result);
}
