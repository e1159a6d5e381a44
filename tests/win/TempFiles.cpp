// The Windows tests' temporary directory and file helpers.
#include "TempFiles.h"

#include <atomic>
#include <gtest/gtest.h>

namespace zvt::test
{
namespace
{

// Calls visit(name, attributes) for each entry of the directory (given with its trailing backslash) but
// "." and "..".
template <class Visit> void ForEachEntry(const std::wstring& directory, Visit visit)
{
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((directory + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
    {
        return;
    }
    do
    {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
        {
            visit(name, found.dwFileAttributes);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void RemoveTree(const std::wstring& directory)
{
    ForEachEntry(directory, [&directory](const std::wstring& name, DWORD attributes) {
        const std::wstring path = directory + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        {
            RemoveTree(path + L"\\");
        }
        else
        {
            DeleteFileW(path.c_str());
        }
    });
    RemoveDirectoryW(directory.c_str());
}

} // namespace

CTempDirectory::CTempDirectory()
{
    static std::atomic<int> s_created{0};
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    EXPECT_GT(length, 0u);
    m_directory = std::wstring(temp, length) + L"zvt-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(s_created++) + L"\\";
    EXPECT_TRUE(CreateDirectoryW(m_directory.c_str(), nullptr)) << GetLastError();
}

CTempDirectory::~CTempDirectory()
{
    RemoveTree(m_directory);
}

std::vector<std::wstring> CTempDirectory::Files() const
{
    std::vector<std::wstring> files;
    ForEachEntry(m_directory, [this, &files](const std::wstring& name, DWORD attributes) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        {
            files.push_back(m_directory + name);
        }
    });
    return files;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool OpensForWriting(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
    {
        return false;
    }
    CloseHandle(file);
    return true;
}

bool ReadOnlyIsEnforced(const std::wstring& directory)
{
    const std::wstring probe = directory + L"read-only-probe";
    WriteBytes(probe, Bytes{});
    SetFileAttributesW(probe.c_str(), FILE_ATTRIBUTE_READONLY);
    const bool enforced = !OpensForWriting(probe);
    SetFileAttributesW(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(probe.c_str());
    return enforced;
}

Bytes ReadBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
    {
        return {};
    }
    Bytes bytes(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
    {
        read = 0;
    }
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

void WriteBytes(const std::wstring& path, const Bytes& bytes)
{
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    CloseHandle(file);
}

Bytes ToBytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

} // namespace zvt::test
