// Helpers of the system tests: a scoped environment variable, and the file version read here with the
// version API.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zvt::test
{

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

} // namespace zvt::test
