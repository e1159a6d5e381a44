// This machine through zavsys.dll, loaded from beside zvtinfo.exe and bound by name as any caller does.
#include <windows.h>

#include <string>

#include "Sources.h"
#include "Unicode.h"

namespace zvtinfo
{
namespace
{

template <typename Function> Function Bind(HMODULE module, const char* name) noexcept
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The library and its six exports; loaded once, freed when the program ends.
class CZavsysLibrary
{
public:
    CZavsysLibrary() noexcept
        : m_hModule(LoadLibraryW(L"zavsys.dll")), m_dwLoadError(m_hModule == nullptr ? GetLastError() : 0)
    {
        if (m_hModule != nullptr)
        {
            m_pfnGetIdentity = Bind<PFN_zvtGetIdentity>(m_hModule, "zvtGetIdentity");
            m_pfnGetInformation = Bind<PFN_zvtGetInformation>(m_hModule, "zvtGetInformation");
            m_pfnGetWindowsVersion = Bind<PFN_zvtGetWindowsVersion>(m_hModule, "zvtGetWindowsVersion");
            m_pfnIsWow64 = Bind<PFN_zvtIsWow64>(m_hModule, "zvtIsWow64");
            m_pfnGetFileVersion = Bind<PFN_zvtGetFileVersion>(m_hModule, "zvtGetFileVersion");
        }
    }
    ~CZavsysLibrary()
    {
        if (m_hModule != nullptr)
        {
            FreeLibrary(m_hModule);
        }
    }
    CZavsysLibrary(const CZavsysLibrary&) = delete;
    CZavsysLibrary& operator=(const CZavsysLibrary&) = delete;

    bool IsComplete(Failure& failure) const
    {
        if (m_hModule == nullptr)
        {
            failure = Failure{1, "zavsys.dll cannot be loaded (error " + std::to_string(m_dwLoadError) + ")"};
            return false;
        }
        if (m_pfnGetIdentity == nullptr || m_pfnGetInformation == nullptr ||
            m_pfnGetWindowsVersion == nullptr || m_pfnIsWow64 == nullptr || m_pfnGetFileVersion == nullptr)
        {
            failure = Failure{1, "zavsys.dll lacks one of its exports"};
            return false;
        }
        return true;
    }

    PFN_zvtGetIdentity m_pfnGetIdentity = nullptr;
    PFN_zvtGetInformation m_pfnGetInformation = nullptr;
    PFN_zvtGetWindowsVersion m_pfnGetWindowsVersion = nullptr;
    PFN_zvtIsWow64 m_pfnIsWow64 = nullptr;
    PFN_zvtGetFileVersion m_pfnGetFileVersion = nullptr;

private:
    HMODULE m_hModule;
    DWORD m_dwLoadError;
};

const CZavsysLibrary& Library()
{
    static const CZavsysLibrary library;
    return library;
}

std::wstring OwnPath()
{
    wchar_t path[MAX_PATH] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring(L"zvtinfo.exe");
}

FileVersionAnswer AskFileVersion(const std::string& shown, const std::wstring& file)
{
    FileVersionAnswer answer;
    answer.file = shown;
    answer.result = Library().m_pfnGetFileVersion(file.c_str(), &answer.major, &answer.minor, &answer.build,
                                                  &answer.revision);
    return answer;
}

SystemAnswers AskSystem()
{
    const CZavsysLibrary& library = Library();
    SystemAnswers system;
    system.windows.size = ZVT_WINDOWS_VERSION_SIZE;
    system.windowsResult = library.m_pfnGetWindowsVersion(&system.windows);
    system.wow64 = library.m_pfnIsWow64();
    system.files.push_back(AskFileVersion("zavsys.dll", L"zavsys.dll"));
    system.files.push_back(AskFileVersion("zvtinfo.exe", OwnPath()));
    return system;
}

} // namespace

bool ReadThisMachine(std::int32_t measureMs, Snapshot& snapshot, Failure& failure)
{
    const CZavsysLibrary& library = Library();
    if (!library.IsComplete(failure))
    {
        return false;
    }
    snapshot.identity.size = ZVT_IDENTITY_SIZE;
    snapshot.identityResult = library.m_pfnGetIdentity(&snapshot.identity, 0, nullptr, 0);
    snapshot.information.size = ZVT_INFORMATION_SIZE;
    snapshot.informationResult = library.m_pfnGetInformation(&snapshot.information, measureMs);
    snapshot.system = AskSystem();
    return true;
}

std::int32_t WriteThisMachineReport(const std::string& path, std::int32_t mode, std::int32_t measureMs)
{
    const std::wstring widePath = WidenUtf8(path);
    return Library().m_pfnGetIdentity(nullptr, measureMs, widePath.c_str(), mode);
}

std::FILE* OpenFile(const std::string& path, const char* mode)
{
    return _wfopen(WidenUtf8(path).c_str(), WidenUtf8(mode).c_str());
}

} // namespace zvtinfo
