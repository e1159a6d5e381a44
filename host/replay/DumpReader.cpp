// A dump or a report read into recorded processors.
#include "DumpReader.h"

#include "LeafDumpReader.h"
#include "ReportReader.h"

namespace zvt
{

bool ParseCpuidDumpProcessors(std::string_view text, std::vector<CRecordedCpuid>& processors,
                              DumpError& error, DumpDetails* details, std::size_t maxProcessors)
{
    const std::string narrow = NarrowDumpText(text);
    DumpDetails found;
    bool parsed = false;
    if (IsReport(narrow))
    {
        found.format = DumpFormat::Report;
        processors.emplace_back();
        parsed = ParseReport(narrow, processors.back(), error, found.frequencyMhz);
    }
    else
    {
        parsed = ParseLeafDump(narrow, maxProcessors, processors, error, found.format);
    }
    if (parsed && details != nullptr)
    {
        *details = found;
    }
    return parsed;
}

bool ParseCpuidDump(std::string_view text, CRecordedCpuid& cpuid, DumpError& error, DumpDetails* details)
{
    std::vector<CRecordedCpuid> processors;
    const bool parsed = ParseCpuidDumpProcessors(text, processors, error, details, 1);
    if (!processors.empty())
    {
        cpuid = std::move(processors.front());
    }
    return parsed;
}

} // namespace zvt
