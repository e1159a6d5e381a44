// zavsys.dll loaded and its six exports bound by name, as any caller binds them: the one binding of the
// tools, the tests and the benchmarks (the test program has its own loader classes, bound alike through
// BindExports.h).
#pragma once

#include <windows.h>

#include <string>

#include "zavsys.h"

namespace zvt
{

class CZavsysLibrary
{
public:
    // The bare name: the system's search order applies, the program's own directory first.
    CZavsysLibrary() noexcept;
    explicit CZavsysLibrary(const wchar_t* path) noexcept;
    ~CZavsysLibrary();
    CZavsysLibrary(const CZavsysLibrary&) = delete;
    CZavsysLibrary& operator=(const CZavsysLibrary&) = delete;

    bool IsLoaded() const noexcept
    {
        return m_hModule != nullptr;
    }
    // The system error of a failed load; 0 when the library loaded.
    DWORD LoadError() const noexcept
    {
        return m_dwLoadError;
    }
    // Loaded, with all six exports bound.
    bool IsComplete() const;
    // The names of the exports that could not be bound, comma-separated; all six when nothing loaded.
    std::string MissingExports() const;

    // Null for what could not be bound.
    PFN_zvtGetIdentity m_pfnGetIdentity = nullptr;
    PFN_zvtGetInformation m_pfnGetInformation = nullptr;
    PFN_zvtGetWindowsVersion m_pfnGetWindowsVersion = nullptr;
    PFN_zvtIsWow64 m_pfnIsWow64 = nullptr;
    PFN_zvtGetFileVersion m_pfnGetFileVersion = nullptr;
    PFN_zvtGetTemporaryFileName m_pfnGetTemporaryFileName = nullptr;
    HMODULE m_hModule = nullptr;

private:
    DWORD m_dwLoadError = 0;
};

} // namespace zvt
