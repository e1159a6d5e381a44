// The exports of zavsys.dll, one row each: what binds them, checks a library for completeness, calls them
// under load and tests their ordinals and stack use is driven by this list, and a test holds zavsys.def
// against it. A new export is one row here (plus its body, its .def line and its prototype in zavsys.h).
// Portable: needs only zavsys.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "zavsys.h"

// ROW(name, loader member, ordinal, bytes of arguments a 32-bit stdcall call pops)
#define ZVT_EXPORT_TABLE(ROW)                                                                                \
    ROW(zvtGetIdentity, m_pfnGetIdentity, ZVT_ORDINAL_GET_IDENTITY, 16)                                      \
    ROW(zvtGetInformation, m_pfnGetInformation, ZVT_ORDINAL_GET_INFORMATION, 8)                              \
    ROW(zvtGetWindowsVersion, m_pfnGetWindowsVersion, ZVT_ORDINAL_GET_WINDOWS_VERSION, 4)                    \
    ROW(zvtIsWow64, m_pfnIsWow64, ZVT_ORDINAL_IS_WOW64, 0)                                                   \
    ROW(zvtGetFileVersion, m_pfnGetFileVersion, ZVT_ORDINAL_GET_FILE_VERSION, 20)                            \
    ROW(zvtGetTemporaryFileName, m_pfnGetTemporaryFileName, ZVT_ORDINAL_GET_TEMPORARY_FILE_NAME, 12)         \
    ROW(zvtGetCpuidDump, m_pfnGetCpuidDump, ZVT_ORDINAL_GET_CPUID_DUMP, 8)                                   \
    ROW(zvtGetProcessorDetails, m_pfnGetProcessorDetails, ZVT_ORDINAL_GET_PROCESSOR_DETAILS, 12)             \
    ROW(zvtQueryFlag, m_pfnQueryFlag, ZVT_ORDINAL_QUERY_FLAG, 8)                                             \
    ROW(zvtGetFlagNameByNumber, m_pfnGetFlagNameByNumber, ZVT_ORDINAL_GET_FLAG_NAME_BY_NUMBER, 12)

// A loader's pointer for every export, null until bound.
#define ZVT_EXPORT_POINTER(name, member, ordinal, bytes) PFN_##name member = nullptr;

namespace zvt
{

struct ExportRow
{
    const char* name;
    std::uint16_t ordinal;
    std::uint32_t argumentBytes;
};

#define ZVT_EXPORT_ROW(name, member, ordinal, bytes) ExportRow{#name, ordinal, bytes},
inline constexpr ExportRow kExports[] = {ZVT_EXPORT_TABLE(ZVT_EXPORT_ROW)};
#undef ZVT_EXPORT_ROW
inline constexpr std::size_t kExportCount = std::size(kExports);

// Every argument of an export is 32 bits wide, so the bytes follow from the prototype's arity.
template <typename Result, typename... Arguments>
constexpr std::uint32_t ArgumentBytes(Result(ZVT_API*)(Arguments...)) noexcept
{
    return static_cast<std::uint32_t>(4 * sizeof...(Arguments));
}
#define ZVT_EXPORT_ARGUMENTS_MATCH(name, member, ordinal, bytes)                                             \
    static_assert(ArgumentBytes(PFN_##name{}) == (bytes), #name ": argument bytes and prototype differ");
ZVT_EXPORT_TABLE(ZVT_EXPORT_ARGUMENTS_MATCH)
#undef ZVT_EXPORT_ARGUMENTS_MATCH

} // namespace zvt
