// Test helpers: a private temporary directory per test program, and reading and preparing files there.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zvt::wintest
{

using Bytes = std::vector<std::uint8_t>;

// A directory of its own under the temporary directory, removed with everything in it at the end.
class CTempDirectory
{
public:
    CTempDirectory();
    ~CTempDirectory();
    CTempDirectory(const CTempDirectory&) = delete;
    CTempDirectory& operator=(const CTempDirectory&) = delete;

    const std::wstring& Directory() const
    {
        return m_path;
    }
    std::wstring Path(const std::wstring& name) const
    {
        return m_path + L"\\" + name;
    }

private:
    std::wstring m_path;
};

bool FileExists(const std::wstring& path);
// True when path opens for writing as it is (a device such as Wine's Z:\\dev\\full, which has no attributes).
bool OpensForWriting(const std::wstring& path);
// True when the system refuses to write a read-only file (Wine run by root does not).
bool ReadOnlyIsEnforced(const std::wstring& directory);
// The whole file; empty when it cannot be read.
Bytes ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const Bytes& bytes);
Bytes ToBytes(const std::string& text);

} // namespace zvt::wintest
