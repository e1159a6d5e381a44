// What every leaf and sub-leaf of every logical processor tells beyond the identity record: each cache with
// its sharing, the topology per processor and of the machine (per core type on a hybrid), and, live, the
// operating system's own count beside it.
#pragma once

#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

#include "DumpOutput.h"

namespace zvtinfo
{

// The operating system's count of this machine's processors.
struct SystemCount
{
    int packages = 0;
    int cores = 0;
    int logical = 0;
    int efficiencyClasses = 0; // 0 where the system does not say
};

// The dumps a snapshot decodes from: every recorded or live logical processor, and whether each holds
// every sub-leaf (a report holds sub-leaf 0 only).
struct WholeProcessor
{
    std::vector<ProcessorDump> processors;
    bool allSubleaves = true;
    std::optional<SystemCount> system; // live only
};

// This machine's count from the system: GetLogicalProcessorInformationEx on Windows, sysfs on Linux.
std::optional<SystemCount> ReadSystemCount();

void PrintWholeProcessor(const WholeProcessor& whole, std::FILE* out);
nlohmann::json WholeProcessorJson(const WholeProcessor& whole);

} // namespace zvtinfo
