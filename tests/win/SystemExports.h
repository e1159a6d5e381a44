// The library loaded as a caller loads it, its system exports bound by name, and small helpers shared by
// the system tests: sentinel-filled outputs and a private temporary directory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "zavsys.h"

constexpr std::int32_t kSentinel = static_cast<std::int32_t>(0xDEADBEEFu);

class CSystemExports
{
public:
    CSystemExports() noexcept : m_hModule(LoadLibraryW(L"zavsys.dll"))
    {
    }
    ~CSystemExports()
    {
        if (m_hModule != nullptr)
        {
            FreeLibrary(m_hModule);
        }
    }
    CSystemExports(const CSystemExports&) = delete;
    CSystemExports& operator=(const CSystemExports&) = delete;

    template <typename Pfn> Pfn Bind(const char* name) const noexcept
    {
        return reinterpret_cast<Pfn>(reinterpret_cast<void*>(GetProcAddress(m_hModule, name)));
    }

    HMODULE m_hModule;
};

// A fresh, empty directory under the real temporary directory, removed with its files at the end.
class CScratchDirectory
{
public:
    CScratchDirectory();
    ~CScratchDirectory();
    CScratchDirectory(const CScratchDirectory&) = delete;
    CScratchDirectory& operator=(const CScratchDirectory&) = delete;

    // Full paths of the files in the directory.
    std::vector<std::wstring> Files() const;
    // The path with a trailing backslash.
    const std::wstring& Path() const
    {
        return m_path;
    }

private:
    std::wstring m_path;
};

// Sets an environment variable for its lifetime (the library reads TMP through GetTempPathW).
class CScopedVariable
{
public:
    CScopedVariable(const wchar_t* name, const std::wstring& value);
    ~CScopedVariable();
    CScopedVariable(const CScopedVariable&) = delete;
    CScopedVariable& operator=(const CScopedVariable&) = delete;

private:
    std::wstring m_name;
    std::wstring m_previous;
    bool m_bHadValue;
};

// The fixed file version of a file read here with the version API: {major, minor, build, revision}.
std::vector<std::int32_t> ReadFileVersion(const wchar_t* fileName);
