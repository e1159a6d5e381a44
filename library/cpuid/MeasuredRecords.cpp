// The records of the processor exports: filled, measured, copied to the caller.
#include "MeasuredRecords.h"

#include <cstring>

#include "CpuidTables.h"
#include "Frequency.h"
#include "Information.h"

namespace zvt
{

std::int32_t PrepareIdentity(const CCpuidSource& cpuid, const CClock& clock, ZVT_CPU_IDENTITY* identity,
                             std::int32_t measureMs, ZVT_CPU_IDENTITY& local) noexcept
{
    std::memset(&local, 0, sizeof local);
    local.size = ZVT_IDENTITY_SIZE;
    const std::int32_t result = FillIdentity(cpuid, local);
    if (result != 0)
    {
        return result;
    }
    local.frequency = MeasureFrequency(clock, measureMs);
    if (identity != nullptr && identity->size == ZVT_IDENTITY_SIZE)
    {
        std::memcpy(identity, &local, sizeof local);
    }
    return 0;
}

std::int32_t GetInformation(const CCpuidSource& cpuid, const CClock& clock, ZVT_CPU_INFORMATION* information,
                            std::int32_t measureMs) noexcept
{
    ZVT_CPU_INFORMATION local{};
    local.size = ZVT_INFORMATION_SIZE;
    const std::int32_t result = FillInformation(cpuid, local);
    if (result != 0)
    {
        return result;
    }
    local.frequency = MeasureFrequency(clock, measureMs);
    if (information != nullptr && information->size > 0)
    {
        const auto wanted = static_cast<std::size_t>(information->size);
        std::memcpy(information, &local, wanted < sizeof local ? wanted : sizeof local);
    }
    return 0;
}

} // namespace zvt
