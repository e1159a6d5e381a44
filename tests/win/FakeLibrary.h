// What the stand-in library (fake_zavsys.cpp) reports, shared with the probe that checks the dialog; its
// processor record is the shared sample.
#pragma once

#include "SampleInformation.h"
#include "zavsys.h"

// Exports the stand-in does not have: the dialog must name them and call none of them.
constexpr const char* kFakeMissingExports = "zvtGetWindowsVersion, zvtIsWow64, zvtGetFileVersion";
