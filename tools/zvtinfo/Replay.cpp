// Replaying a recorded processor: the dump decoded through the same code the library runs, with a clock
// that reproduces the frequency a report recorded.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>

#include "DumpReader.h"
#include "MeasuredRecords.h"
#include "RecordedClock.h"
#include "Sources.h"

namespace zvtinfo
{
namespace
{

// Larger files are not dumps; the limit also ends reads of endless inputs (a device, a pipe).
constexpr std::size_t kMaxDumpBytes = 16u << 20;

bool ReadDumpFile(const std::string& path, std::string& bytes, Failure& failure)
{
    std::error_code ignored;
    if (std::filesystem::is_fifo(std::filesystem::u8path(path), ignored))
    {
        failure = Failure{1, path + ": a pipe, not a file: it could wait for a writer for ever"};
        return false;
    }
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr)
    {
        failure = Failure{1, path + ": cannot open: " + std::strerror(errno)};
        return false;
    }
    char chunk[65536];
    std::size_t got = 0;
    while (bytes.size() <= kMaxDumpBytes && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
    {
        bytes.append(chunk, got);
    }
    const bool readError = std::ferror(file) != 0;
    const int readErrno = errno;
    std::fclose(file);
    if (readError)
    {
        failure = Failure{1, path + ": cannot read: " + std::strerror(readErrno)};
        return false;
    }
    if (bytes.size() > kMaxDumpBytes)
    {
        failure = Failure{1, path + ": larger than 16 MiB: not a CPUID dump"};
        return false;
    }
    return true;
}

const char* FormatName(zvt::DumpFormat format) noexcept
{
    switch (format)
    {
    case zvt::DumpFormat::CpuidTool:
        return "cpuid -r";
    case zvt::DumpFormat::CpuidText:
        return "CPUID text";
    case zvt::DumpFormat::Report:
        return "report";
    }
    return "unknown";
}

// A report holds sub-leaf 0 of each leaf only; the leaf-line forms hold what the processor answered.
void KeepEveryProcessor(const std::vector<zvt::CRecordedCpuid>& processors, zvt::DumpFormat format,
                        WholeProcessor& whole)
{
    whole.allSubleaves = format != zvt::DumpFormat::Report;
    for (std::size_t i = 0; i < processors.size(); ++i)
    {
        ProcessorDump dump;
        dump.processor = static_cast<std::uint32_t>(i);
        dump.entries = processors[i].EntryRecords();
        whole.processors.push_back(std::move(dump));
    }
}

} // namespace

bool ReplayDump(const std::string& path, Snapshot& snapshot, Failure& failure)
{
    std::string bytes;
    if (!ReadDumpFile(path, bytes, failure))
    {
        return false;
    }
    std::vector<zvt::CRecordedCpuid> processors;
    zvt::DumpError error;
    zvt::DumpDetails details;
    if (!zvt::ParseCpuidDumpProcessors(bytes, processors, error, &details))
    {
        const std::string where = error.line > 0 ? path + ":" + std::to_string(error.line) : path;
        failure = Failure{1, where + ": " + error.message};
        return false;
    }
    const zvt::CRecordedCpuid& cpuid = processors.front();
    KeepEveryProcessor(processors, details.format, snapshot.whole);
    // A report carries its rounded frequency; one millisecond at that rate reproduces it exactly.
    const zvt::CRecordedClock clock(details.frequencyMhz);
    const std::int32_t measureMs = details.frequencyMhz > 0 ? 1 : 0;
    snapshot.identityResult = zvt::PrepareIdentity(cpuid, clock, nullptr, measureMs, snapshot.identity);
    snapshot.information = ZVT_CPU_INFORMATION{};
    snapshot.information.size = ZVT_INFORMATION_SIZE;
    snapshot.informationResult = zvt::GetInformation(cpuid, clock, &snapshot.information, measureMs);
    snapshot.replay = ReplayOrigin{path, FormatName(details.format), details.frequencyMhz};
    return true;
}

} // namespace zvtinfo
