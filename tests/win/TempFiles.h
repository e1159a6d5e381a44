// The Windows tests' temporary directory, and reading and preparing files in it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zvt::test
{

using Bytes = std::vector<std::uint8_t>;

// A fresh, empty directory of its own under the temporary directory, removed with everything in it at the
// end.
class CTempDirectory
{
public:
    CTempDirectory();
    ~CTempDirectory();
    CTempDirectory(const CTempDirectory&) = delete;
    CTempDirectory& operator=(const CTempDirectory&) = delete;

    // The full path with its trailing backslash, as GetTempPathW gives one (and TMP may name it).
    const std::wstring& Directory() const
    {
        return m_directory;
    }
    std::wstring Path(const std::wstring& name) const
    {
        return m_directory + name;
    }
    // Full paths of the files directly in the directory.
    std::vector<std::wstring> Files() const;

private:
    std::wstring m_directory;
};

bool FileExists(const std::wstring& path);
// True when path opens for writing as it is (a device such as Wine's Z:\\dev\\full, which has no attributes).
bool OpensForWriting(const std::wstring& path);
// True when the system refuses to write a read-only file (Wine run by root does not); the probe is made in
// the directory, given with its trailing backslash.
bool ReadOnlyIsEnforced(const std::wstring& directory);
// The whole file; empty when it cannot be read.
Bytes ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const Bytes& bytes);
Bytes ToBytes(const std::string& text);

} // namespace zvt::test
