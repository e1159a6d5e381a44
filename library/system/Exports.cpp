// The exports, each the export frame around one call. Their results are documented in zavsys.h.
#include "DecodedProcessor.h"
#include "ExportFrame.h"
#include "MeasuredRecords.h"
#include "Module.h"
#include "ProcessorAffinity.h"
#include "ProcessorDetails.h"
#include "zavsys.h"

extern "C" std::int32_t ZVT_API zvtGetIdentity(ZVT_CPU_IDENTITY* identity, std::int32_t measureMs,
                                               const wchar_t* reportPath, std::int32_t reportMode)
{
    return RunExport([&]() {
        return theIdentity.GetIdentity(zvt::ProcessorCpuid(), zvt::ProcessorClock(), identity, measureMs,
                                       reportPath, reportMode);
    });
}

extern "C" std::int32_t ZVT_API zvtGetInformation(ZVT_CPU_INFORMATION* information, std::int32_t measureMs)
{
    return RunExport([&]() {
        return zvt::GetInformation(zvt::ProcessorCpuid(), zvt::ProcessorClock(), information, measureMs);
    });
}

extern "C" std::int32_t ZVT_API zvtGetWindowsVersion(ZVT_WINDOWS_VERSION* version)
{
    return RunExport([&]() { return CWindowsBox::FillWindowsVersion(version); });
}

extern "C" std::int32_t ZVT_API zvtIsWow64()
{
    return RunExport([]() { return theSystem.IsWow64(); });
}

extern "C" std::int32_t ZVT_API zvtGetFileVersion(const wchar_t* fileName, std::int32_t* major,
                                                  std::int32_t* minor, std::int32_t* build,
                                                  std::int32_t* revision)
{
    return RunExport([&]() { return CFileBoxA::GetFileVersion(fileName, major, minor, build, revision); });
}

extern "C" std::int32_t ZVT_API zvtGetTemporaryFileName(std::int32_t longName, wchar_t* buffer,
                                                        std::int32_t capacity)
{
    return RunExport([&]() { return CFileBox::GetTemporaryFileName(longName, buffer, capacity); });
}

extern "C" std::int32_t ZVT_API zvtGetCpuidDump(ZVT_CPUID_DUMP* dump, std::int32_t processor)
{
    return RunExport([&]() { return CProcessorAffinity::GetCpuidDump(dump, processor); });
}

extern "C" std::int32_t ZVT_API zvtGetProcessorDetails(ZVT_PROCESSOR_DETAILS* details, std::int32_t processor,
                                                       std::int32_t options)
{
    return RunExport([&]() { return zvt::GetProcessorDetails(details, processor, options); });
}

extern "C" std::int32_t ZVT_API zvtQueryFlag(const char* name, std::int32_t processor)
{
    return RunExport([&]() { return zvt::QueryProcessorFlag(name, processor); });
}

extern "C" std::int32_t ZVT_API zvtGetFlagNameByNumber(std::int32_t flag, char* buffer, std::int32_t capacity)
{
    return RunExport([&]() { return zvt::GetFlagName(flag, buffer, capacity); });
}
