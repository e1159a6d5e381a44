// Fuzzes the dump reader and what a replay does next: decoding the recorded processor into both records.
// Any input must end in a parsed processor or an error with a line, never a crash, hang or leak.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "DumpReader.h"
#include "MeasuredRecords.h"

namespace
{

class CSteadyClock final : public zvt::CClock
{
public:
    std::uint64_t ReadTimeStampCounter() const noexcept override
    {
        return m_ticks;
    }
    void SleepMs(std::uint32_t milliseconds) const noexcept override
    {
        m_ticks += 2390000u * milliseconds;
    }

private:
    mutable std::uint64_t m_ticks = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    zvt::CRecordedCpuid cpuid;
    zvt::DumpError error;
    zvt::DumpDetails details;
    if (!zvt::ParseCpuidDump(bytes, cpuid, error, &details))
    {
        if (error.message.empty() || error.line < 0 || error.message.find('\n') != std::string::npos)
        {
            __builtin_trap(); // every refusal says why, on one line
        }
        return 0;
    }
    if (cpuid.Entries().empty() || cpuid.Entries().size() > zvt::kMaxDumpEntries || details.frequencyMhz < 0)
    {
        __builtin_trap();
    }
    const CSteadyClock clock;
    ZVT_CPU_IDENTITY identity{};
    zvt::PrepareIdentity(cpuid, clock, nullptr, details.frequencyMhz > 0 ? 1 : 0, identity);
    ZVT_CPU_INFORMATION information{};
    information.size = ZVT_INFORMATION_SIZE;
    zvt::GetInformation(cpuid, clock, &information, 1);
    if (information.vendor[sizeof information.vendor - 1] != '\0' ||
        information.modelName[sizeof information.modelName - 1] != '\0')
    {
        __builtin_trap(); // the names stay terminated whatever the tables hold
    }
    return 0;
}
