// The six exports. Each is the export frame around one call; the failure result of each (what an
// unexpected exception becomes) is documented in zavsys.h.
#include "CpuIdentity.h"
#include "CpuidTables.h"
#include "ExportFrame.h"
#include "Information.h"
#include "Module.h"
#include "zavsys.h"

extern "C" std::int32_t ZVT_API zvtGetIdentity(ZVT_CPU_IDENTITY* identity, std::int32_t measureMs,
                                               const wchar_t* reportPath, std::int32_t reportMode)
{
    return RunExport(ZVT_E_FAILED, [&]() {
        ZVT_CPU_IDENTITY local;
        const std::int32_t result =
            zvt::PrepareIdentity(zvt::ProcessorCpuid(), zvt::ProcessorClock(), identity, measureMs, local);
        if (result != 0 || reportPath == nullptr)
        {
            return result;
        }
        return theIdentity.WriteReport(local, reportPath, reportMode);
    });
}

extern "C" std::int32_t ZVT_API zvtGetInformation(ZVT_CPU_INFORMATION* information, std::int32_t measureMs)
{
    return RunExport(ZVT_E_FAILED, [&]() {
        return zvt::GetInformation(zvt::ProcessorCpuid(), zvt::ProcessorClock(), information, measureMs);
    });
}

extern "C" std::int32_t ZVT_API zvtGetWindowsVersion(ZVT_WINDOWS_VERSION* version)
{
    return RunExport(0, [&]() { return CWindowsBox::FillWindowsVersion(version); });
}

extern "C" std::int32_t ZVT_API zvtIsWow64()
{
    return RunExport(0, []() {
        BOOL isWow64 = FALSE;
        HMODULE kernel32 = GetModuleHandleW(L"kernel32");
        // Looked up at run time: systems before XP SP2 have no IsWow64Process.
        theSystem.m_pfnIsWow64Process =
            kernel32 == nullptr ? nullptr
                                : reinterpret_cast<PFN_IsWow64Process>(
                                      reinterpret_cast<void*>(GetProcAddress(kernel32, "IsWow64Process")));
        if (theSystem.m_pfnIsWow64Process != nullptr)
        {
            theSystem.m_pfnIsWow64Process(GetCurrentProcess(), &isWow64);
        }
        return static_cast<std::int32_t>(isWow64);
    });
}

extern "C" std::int32_t ZVT_API zvtGetFileVersion(const wchar_t* fileName, std::int32_t* major,
                                                  std::int32_t* minor, std::int32_t* build,
                                                  std::int32_t* revision)
{
    return RunExport(ZVT_E_FAILED,
                     [&]() { return CFileBoxA::GetFileVersion(fileName, major, minor, build, revision); });
}

extern "C" std::int32_t ZVT_API zvtGetTemporaryFileName(std::int32_t longName, wchar_t* buffer,
                                                        std::int32_t capacity)
{
    return RunExport(ZVT_E_FAILED,
                     [&]() { return CFileBox::GetTemporaryFileName(longName, buffer, capacity); });
}
