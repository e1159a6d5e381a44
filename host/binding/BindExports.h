// The exports of a loaded zavsys.dll bound by name into a loader's pointers: the test program's loader
// classes and the binding of the tools, tests and benchmarks name them alike. A loader binds the rows of
// the export table it has a pointer for. Header-only, so that the test program takes the binding without
// linking anything of it.
#pragma once

#include <windows.h>

#include <string>

#include "ExportTable.h"

namespace zvt
{

// Null for what the module does not export.
template <typename Function> void BindExport(HMODULE module, const char* name, Function& function) noexcept
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

template <typename Loader> void BindExports(HMODULE module, Loader& loader) noexcept
{
#define ZVT_BIND_ROW(name, member, ordinal, bytes)                                                           \
    if constexpr (requires { loader.member; })                                                               \
    {                                                                                                        \
        BindExport(module, #name, loader.member);                                                            \
    }
    ZVT_EXPORT_TABLE(ZVT_BIND_ROW)
#undef ZVT_BIND_ROW
}

// The names of the table's exports that the loader could not bind, comma-separated.
template <typename Loader> std::string MissingExports(const Loader& loader)
{
    std::string missing;
#define ZVT_MISSING_ROW(name, member, ordinal, bytes)                                                        \
    if (loader.member == nullptr)                                                                            \
    {                                                                                                        \
        missing += missing.empty() ? #name : ", " #name;                                                     \
    }
    ZVT_EXPORT_TABLE(ZVT_MISSING_ROW)
#undef ZVT_MISSING_ROW
    return missing;
}

} // namespace zvt
