// Helpers of the system tests.
#include "SystemTestSupport.h"

#include <atomic>

CScratchDirectory::CScratchDirectory()
{
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"zvt-system-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(counter++) + L"\\";
    CreateDirectoryW(m_path.c_str(), nullptr);
}

CScratchDirectory::~CScratchDirectory()
{
    for (const std::wstring& file : Files())
    {
        DeleteFileW(file.c_str());
    }
    RemoveDirectoryW(m_path.c_str());
}

std::vector<std::wstring> CScratchDirectory::Files() const
{
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((m_path + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
    {
        return files;
    }
    do
    {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        {
            files.push_back(m_path + found.cFileName);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

CScopedVariable::CScopedVariable(const wchar_t* name, const std::wstring& value)
    : m_name(name), m_bHadValue(false)
{
    wchar_t previous[32768] = {};
    m_bHadValue = GetEnvironmentVariableW(name, previous, 32768) != 0;
    m_previous = previous;
    SetEnvironmentVariableW(name, value.c_str());
}

CScopedVariable::~CScopedVariable()
{
    SetEnvironmentVariableW(m_name.c_str(), m_bHadValue ? m_previous.c_str() : nullptr);
}

std::vector<std::int32_t> ReadFileVersion(const wchar_t* fileName)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(fileName, &handle);
    std::vector<unsigned char> block(size);
    void* fixed = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoW(fileName, handle, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", &fixed, &length))
    {
        return {};
    }
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    return {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
            LOWORD(info->dwFileVersionLS)};
}
