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

// The library and its exports; loaded once, freed when the program ends.
const zvt::CZavsysLibrary& Library()
{
    static const zvt::CZavsysLibrary library;
    return library;
}

// A zavsys.dll without all its exports is not the library this program reports on.
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

bool ReadThisMachineDumps(std::vector<ProcessorDump>& dumps, Failure& failure)
{
    const zvt::CZavsysLibrary& library = Library();
    if (!IsComplete(library, failure))
    {
        return false;
    }
    std::vector<unsigned char> bytes(ZVT_CPUID_DUMP_SIZE(ZVT_CPUID_DUMP_MAX_ENTRIES));
    auto* dump = reinterpret_cast<ZVT_CPUID_DUMP*>(bytes.data());
    for (std::int32_t processor = 0;; ++processor)
    {
        dump->size = static_cast<std::uint32_t>(bytes.size());
        const std::int32_t result = library.m_pfnGetCpuidDump(dump, processor);
        if (result == ZVT_E_NO_PROCESSOR && processor > 0)
        {
            return true;
        }
        if (result != ZVT_OK)
        {
            failure = Failure{1, "zvtGetCpuidDump of processor " + std::to_string(processor) + " failed (" +
                                     std::to_string(result) + ")"};
            return false;
        }
        const ZVT_CPUID_ENTRY* entries = dump->entries;
        dumps.push_back(ProcessorDump{dump->processor, {entries, entries + dump->count}});
    }
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
