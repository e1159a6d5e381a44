// The six exports of a loaded zavsys.dll bound by name into a loader's pointers: the test program's loader
// classes and the binding of the tools, tests and benchmarks name them alike. Header-only, so that the test
// program takes the binding without linking anything of it.
#pragma once

#include <windows.h>

#include "zavsys.h"

namespace zvt
{

// Null for what the module does not export.
template <typename Function> void BindExport(HMODULE module, const char* name, Function& function) noexcept
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

template <typename Loader> void BindExports(HMODULE module, Loader& loader) noexcept
{
    BindExport(module, "zvtGetIdentity", loader.m_pfnGetIdentity);
    BindExport(module, "zvtGetInformation", loader.m_pfnGetInformation);
    BindExport(module, "zvtGetWindowsVersion", loader.m_pfnGetWindowsVersion);
    BindExport(module, "zvtIsWow64", loader.m_pfnIsWow64);
    BindExport(module, "zvtGetFileVersion", loader.m_pfnGetFileVersion);
    BindExport(module, "zvtGetTemporaryFileName", loader.m_pfnGetTemporaryFileName);
}

} // namespace zvt
