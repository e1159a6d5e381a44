// This machine through zavsys.dll, loaded from beside zvtinfo.exe and bound by name as any caller does.
#include <windows.h>

#include <string>

#include "Sources.h"
#include "Unicode.h"
#include "ZavsysLibrary.h"

namespace zvtinfo
{
namespace
{

// The library and its six exports; loaded once, freed when the program ends.
const zvt::CZavsysLibrary& Library()
{
    static const zvt::CZavsysLibrary library;
    return library;
}

// A zavsys.dll without all six exports is not the library this program reports on.
bool IsComplete(const zvt::CZavsysLibrary& library, Failure& failure)
{
    if (!library.IsLoaded())
    {
        failure =
            Failure{1, "zavsys.dll cannot be loaded (error " + std::to_string(library.LoadError()) + ")"};
        return false;
    }
    if (!library.IsComplete())
    {
        failure = Failure{1, "zavsys.dll lacks one of its exports"};
        return false;
    }
    return true;
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
    const zvt::CZavsysLibrary& library = Library();
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
    const zvt::CZavsysLibrary& library = Library();
    if (!IsComplete(library, failure))
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
