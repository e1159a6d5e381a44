// Cost of the system exports per call, through the exports as a caller binds them, against the version
// API called directly. Temporary files go to a private directory and are deleted after each call.
// Usage: system_bench [iterations]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchLibrary.h"
#include "BenchTimer.h"
#include "ZavsysLibrary.h"

namespace
{

using zvt::bench::MicrosecondsPerCall;
// The floor of a file-version query: the three version calls, made here.
void ReadVersionDirectly(const wchar_t* fileName)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(fileName, &handle);
    std::vector<unsigned char> block(size);
    void* fixed = nullptr;
    UINT length = 0;
    GetFileVersionInfoW(fileName, handle, size, block.data());
    VerQueryValueW(block.data(), L"\\", &fixed, &length);
}
} // namespace

int main(int argc, char** argv)
{
    const int iterations = zvt::bench::RoundsArgument(argc, argv, 500);
    const zvt::CZavsysLibrary library;
    if (!zvt::bench::IsUsable(library))
    {
        return 1;
    }
    std::int32_t parts[4] = {};
    for (const wchar_t* fileName : {L"kernel32.dll", L"zavsys.dll"})
    {
        const double viaExport = MicrosecondsPerCall(iterations, [&]() {
            library.m_pfnGetFileVersion(fileName, &parts[0], &parts[1], &parts[2], &parts[3]);
        });
        const double direct = MicrosecondsPerCall(iterations, [&]() { ReadVersionDirectly(fileName); });
        std::printf("zvtGetFileVersion(%ls): %.1f us per call (version API alone %.1f us)\n", fileName,
                    viaExport, direct);
    }
    ZVT_WINDOWS_VERSION version{};
    version.size = ZVT_WINDOWS_VERSION_SIZE;
    std::printf("zvtGetWindowsVersion: %.1f us per call\n",
                MicrosecondsPerCall(iterations, [&]() { library.m_pfnGetWindowsVersion(&version); }));

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring directory =
        std::wstring(temp) + L"zvt-bench-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(directory.c_str(), nullptr);
    SetEnvironmentVariableW(L"TMP", directory.c_str());
    for (const std::int32_t longName : {0, 1})
    {
        const double perCall = MicrosecondsPerCall(iterations, [&]() {
            wchar_t buffer[MAX_PATH] = L"bch";
            if (library.m_pfnGetTemporaryFileName(longName, buffer, MAX_PATH) == ZVT_OK)
            {
                DeleteFileW(buffer);
            }
        });
        std::printf("zvtGetTemporaryFileName(long name %d) and DeleteFileW: %.1f us per call\n", longName,
                    perCall);
    }
    RemoveDirectoryW(directory.c_str());
    return 0;
}
