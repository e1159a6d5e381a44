// What zvtinfo --replay of this machine's --dump must share with zvtinfo's live answers, for the native and
// the Windows round trip: everything about the processor, but for what a dump cannot carry (where the
// answers came from, a measured frequency, XCR0, the system's answers) and the fields that name the
// processor the call ran on. Header-only.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "PerProcessorFields.h"

namespace zvt::test
{

// The JSON with source, the system's answers and XCR0 and its level left out, and the per-processor bits
// of both CPUID tables cleared.
inline nlohmann::json ProcessorAnswers(nlohmann::json shown)
{
    for (const char* key : {"source", "windowsVersion", "wow64", "fileVersions"})
    {
        shown.erase(key);
    }
    shown["wholeProcessor"].erase("system");
    shown["decoded"].erase("xcr0");
    shown["decoded"].erase("enabledLevel");
    for (const char* table : {"basic", "extended"})
    {
        nlohmann::json& leaves = shown["identity"][table];
        for (std::uint32_t i = 0; i < leaves.size(); ++i)
        {
            for (const auto& [name, reg] : {std::pair{"eax", CpuidRegister::kEax},
                                            {"ebx", CpuidRegister::kEbx},
                                            {"ecx", CpuidRegister::kEcx},
                                            {"edx", CpuidRegister::kEdx}})
            {
                const std::uint32_t bits = PerProcessorBits(table == std::string("extended"), i, reg);
                leaves[i][name] = leaves[i][name].get<std::uint32_t>() & ~bits;
            }
        }
    }
    return shown;
}

// The text without the lines about the source, the frequency, the level XCR0 enables and the system.
inline std::string ProcessorLines(const std::string& text)
{
    std::istringstream lines(text);
    std::string kept;
    for (std::string line; std::getline(lines, line);)
    {
        bool dropped = false;
        for (const char* start : {"Replay :", "Frequency :", "x86-64 level enabled :", "Windows :", "WOW64 :",
                                  "Versions :", "zvtinfo.exe", "System"})
        {
            dropped = dropped || line.rfind(start, 0) == 0;
        }
        kept += dropped ? "" : line + "\n";
    }
    return kept;
}

} // namespace zvt::test
