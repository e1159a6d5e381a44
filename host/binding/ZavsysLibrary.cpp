// Loading zavsys.dll and binding its exports.
#include "ZavsysLibrary.h"

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
    return zvt::MissingExports(*this);
}

} // namespace zvt
