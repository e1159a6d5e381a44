// This machine without Windows: the library's processor code linked in, over the same CPUID instruction.
#include "MeasuredRecords.h"
#include "Sources.h"

namespace zvtinfo
{

bool ReadThisMachine(std::int32_t measureMs, Snapshot& snapshot, Failure&)
{
    snapshot.identityResult =
        zvt::PrepareIdentity(zvt::ProcessorCpuid(), zvt::ProcessorClock(), nullptr, 0, snapshot.identity);
    snapshot.information.size = ZVT_INFORMATION_SIZE;
    snapshot.informationResult =
        zvt::GetInformation(zvt::ProcessorCpuid(), zvt::ProcessorClock(), &snapshot.information, measureMs);
    return true;
}

std::int32_t WriteThisMachineReport(const std::string& path, std::int32_t mode, std::int32_t measureMs)
{
    ZVT_CPU_IDENTITY identity{};
    const std::int32_t result =
        zvt::PrepareIdentity(zvt::ProcessorCpuid(), zvt::ProcessorClock(), nullptr, measureMs, identity);
    return result != 0 ? result : WriteRecordedReport(identity, path, mode);
}

std::FILE* OpenFile(const std::string& path, const char* mode)
{
    return std::fopen(path.c_str(), mode);
}

} // namespace zvtinfo
