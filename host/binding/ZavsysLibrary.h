// zavsys.dll loaded and its exports bound by name, as any caller binds them: the one binding of the
// tools, the tests and the benchmarks (the test program has its own loader classes, bound alike through
// BindExports.h).
#pragma once

#include <windows.h>

#include <string>

#include "ExportTable.h"

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
    // Loaded, with every export of the table bound.
    bool IsComplete() const;
    // The names of the exports that could not be bound, comma-separated; all of them when nothing loaded.
    std::string MissingExports() const;

    // Null for what could not be bound.
    ZVT_EXPORT_TABLE(ZVT_EXPORT_POINTER)
    HMODULE m_hModule = nullptr;

private:
    DWORD m_dwLoadError = 0;
};

} // namespace zvt
