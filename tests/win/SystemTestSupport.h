// Helpers shared by the system tests: the sentinel for 32-bit outputs, a private temporary directory, a
// scoped environment variable, and the file version read here with the version API.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "LibraryFixture.h"
#include "zavsys.h"

constexpr std::int32_t kSentinel = static_cast<std::int32_t>(0xDEADBEEFu);

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
