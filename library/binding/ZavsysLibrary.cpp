// Loading zavsys.dll and binding its exports.
#include "ZavsysLibrary.h"

#include <utility>

#include "BindExports.h"

namespace zvt
{

CZavsysLibrary::CZavsysLibrary() noexcept : CZavsysLibrary(L"zavsys.dll")
{
}

CZavsysLibrary::CZavsysLibrary(const wchar_t* path) noexcept : m_hModule(LoadLibraryW(path))
{
    if (m_hModule == nullptr)
    {
        m_dwLoadError = GetLastError();
        return;
    }
    BindExports(m_hModule, *this);
}

CZavsysLibrary::~CZavsysLibrary()
{
    if (m_hModule != nullptr)
    {
        FreeLibrary(m_hModule);
    }
}

bool CZavsysLibrary::IsComplete() const
{
    return IsLoaded() && MissingExports().empty();
}

std::string CZavsysLibrary::MissingExports() const
{
    const std::pair<bool, const char*> exports[] = {
        {m_pfnGetIdentity != nullptr, "zvtGetIdentity"},
        {m_pfnGetInformation != nullptr, "zvtGetInformation"},
        {m_pfnGetWindowsVersion != nullptr, "zvtGetWindowsVersion"},
        {m_pfnIsWow64 != nullptr, "zvtIsWow64"},
        {m_pfnGetFileVersion != nullptr, "zvtGetFileVersion"},
        {m_pfnGetTemporaryFileName != nullptr, "zvtGetTemporaryFileName"},
    };
    std::string missing;
    for (const auto& [bound, name] : exports)
    {
        if (!bound)
        {
            missing += missing.empty() ? name : std::string(", ") + name;
        }
    }
    return missing;
}

} // namespace zvt
