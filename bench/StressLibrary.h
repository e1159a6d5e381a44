// zavsys.dll loaded by name from beside the program, its six exports bound by name.
#pragma once

#include <windows.h>

#include "zavsys.h"

namespace zvt::bench
{

struct StressExports
{
    PFN_zvtGetIdentity getIdentity = nullptr;
    PFN_zvtGetInformation getInformation = nullptr;
    PFN_zvtGetWindowsVersion getWindowsVersion = nullptr;
    PFN_zvtIsWow64 isWow64 = nullptr;
    PFN_zvtGetFileVersion getFileVersion = nullptr;
    PFN_zvtGetTemporaryFileName getTemporaryFileName = nullptr;
};

template <typename Function> Function BindExport(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// True when all six are there.
inline bool BindExports(HMODULE module, StressExports& exports)
{
    exports.getIdentity = BindExport<PFN_zvtGetIdentity>(module, "zvtGetIdentity");
    exports.getInformation = BindExport<PFN_zvtGetInformation>(module, "zvtGetInformation");
    exports.getWindowsVersion = BindExport<PFN_zvtGetWindowsVersion>(module, "zvtGetWindowsVersion");
    exports.isWow64 = BindExport<PFN_zvtIsWow64>(module, "zvtIsWow64");
    exports.getFileVersion = BindExport<PFN_zvtGetFileVersion>(module, "zvtGetFileVersion");
    exports.getTemporaryFileName = BindExport<PFN_zvtGetTemporaryFileName>(module, "zvtGetTemporaryFileName");
    return exports.getIdentity != nullptr && exports.getInformation != nullptr &&
           exports.getWindowsVersion != nullptr && exports.isWow64 != nullptr &&
           exports.getFileVersion != nullptr && exports.getTemporaryFileName != nullptr;
}

} // namespace zvt::bench
