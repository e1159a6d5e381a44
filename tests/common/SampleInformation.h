// One made-up information record: what the stand-in library answers, and the dialog text tests' sample.
// Every number differs from every other, so a line that shows the wrong field is seen.
#pragma once

#include <cstring>

#include "zavsys.h"

namespace zvt::test
{

inline ZVT_CPU_INFORMATION SampleInformation()
{
    ZVT_CPU_INFORMATION info{};
    info.size = ZVT_INFORMATION_SIZE;
    info.frequency = 3392.5f; // shows as 3390
    std::strcpy(info.vendor, "FakeVendor");
    std::strcpy(info.modelName, "Fake Processor 9000");
    info.family = 0x17;
    info.extendedFamily = 0x8;
    info.baseFamily = 0xF;
    info.model = 0x31;
    info.extendedModel = 3;
    info.baseModel = 1;
    info.stepping = 5;
    info.cores = 16;
    info.logicalCores = 12;
    info.threads = 24;
    info.features = 0x40020; // x86-64 and a bit without a box
    return info;
}

} // namespace zvt::test
