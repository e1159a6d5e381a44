// The six exports. Each is the export frame around one call; the failure result of each (what an
// unexpected exception becomes) is documented in zavsys.h.
#include "ExportFrame.h"
#include "MeasuredRecords.h"
#include "Module.h"
#include "zavsys.h"

extern "C" std::int32_t ZVT_API zvtGetIdentity(ZVT_CPU_IDENTITY* identity, std::int32_t measureMs,
                                               const wchar_t* reportPath, std::int32_t reportMode)
{
    return RunExport(ZVT_E_FAILED, [&]() {
        return theIdentity.GetIdentity(zvt::ProcessorCpuid(), zvt::ProcessorClock(), identity, measureMs,
                                       reportPath, reportMode);
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
    return RunExport(0, []() { return theSystem.IsWow64(); });
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
