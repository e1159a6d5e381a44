// What the stand-in library (fake_zavsys.cpp) reports, shared with the probe that checks the dialog.
#pragma once

#include <cstring>

#include "zavsys.h"

// Exports the stand-in does not have: the dialog must name them and call none of them.
constexpr const char* kFakeMissingExports = "zvtGetWindowsVersion, zvtIsWow64, zvtGetFileVersion";

inline ZVT_CPU_INFORMATION FakeInformation()
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
    info.features = 0x40020; // x86-64 and a bit without a box
    return info;
}
