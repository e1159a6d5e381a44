// The two ways zvtinfo shows a snapshot.
#pragma once

#include <cstdio>
#include <optional>

#include "Snapshot.h"

namespace zvtinfo
{

// What happened to a requested report.
struct ReportOutcome
{
    std::string path;
    std::int32_t mode = 0;
    std::int32_t result = 0;
};

// What the test dialog shows, as lines of text.
void PrintText(const Snapshot& snapshot, const std::optional<ReportOutcome>& report, std::FILE* out);

// One JSON object with every field of the records and both raw CPUID tables.
void PrintJson(const Snapshot& snapshot, const std::optional<ReportOutcome>& report, std::FILE* out);

// The set feature bits by their labels, separated by blanks.
std::string FeatureNames(std::uint32_t features);

// A report result in words: "written", "the path does not exist (3)" ...
std::string DescribeReportResult(std::int32_t result);

} // namespace zvtinfo
