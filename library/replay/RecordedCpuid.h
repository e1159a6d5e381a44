// A recorded processor: CPUID answers read from a dump instead of the instruction. Unlisted leaves answer
// all zero, as a processor answers nothing there. Used by the unit tests and by replaying a dump.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "CpuidSource.h"

namespace zvt
{

class CRecordedCpuid final : public CCpuidSource
{
public:
    struct Entry
    {
        std::uint32_t leaf;
        std::uint32_t subleaf;
        ZVT_CPUID_LEAF registers;
    };

    CRecordedCpuid() = default;
    ~CRecordedCpuid() = default;

    bool HasCpuid() const noexcept override
    {
        return m_bHasCpuid;
    }
    ZVT_CPUID_LEAF Query(std::uint32_t leaf, std::uint32_t subleaf) const noexcept override;

    // Keeps the first answer recorded for a leaf and sub-leaf.
    void Add(std::uint32_t leaf, std::uint32_t subleaf, const ZVT_CPUID_LEAF& registers);
    void SetHasCpuid(bool hasCpuid) noexcept
    {
        m_bHasCpuid = hasCpuid;
    }
    bool Contains(std::uint32_t leaf, std::uint32_t subleaf) const noexcept;
    const std::vector<Entry>& Entries() const noexcept
    {
        return m_entries;
    }
    // Every leaf asked for, in order (sub-leaves are always 0 in this library); the first
    // kQueryLogCapacity only.
    std::vector<std::uint32_t> QueriedLeaves() const
    {
        return std::vector<std::uint32_t>(m_queried.begin(),
                                          m_queried.begin() + static_cast<std::ptrdiff_t>(m_queriedCount));
    }

    static constexpr std::size_t kQueryLogCapacity = 1024;

private:
    bool m_bHasCpuid = true;
    std::vector<Entry> m_entries;
    // A fixed log, so that Query never allocates and a copy or an empty processor still records.
    mutable std::array<std::uint32_t, kQueryLogCapacity> m_queried{};
    mutable std::size_t m_queriedCount = 0;
};

struct DumpError
{
    int line = 0; // 1-based; 0 when the problem is the file as a whole
    std::string message;
};

enum class DumpFormat
{
    CpuidTool, // "cpuid -r"
    CpuidText, // "CPUID 00000001: eax-ebx-ecx-edx"
    Report     // the identity report that zvtGetIdentity writes
};

struct DumpDetails
{
    DumpFormat format = DumpFormat::CpuidTool;
    std::int32_t frequencyMhz = 0; // the report's rounded "Frequency : N MHz"; 0 when the dump has none
};

// A real processor answers a few hundred leaves and sub-leaves; more is not a dump.
constexpr std::size_t kMaxDumpEntries = 4096;

// Reads a CPUID dump: the output of "cpuid -r" (one CPU: the first block), lines like
// "CPUID 00000001: 000906EA-00100800-7FFAFBBF-BFEBFBFF" (the first logical processor's block), or an
// identity report in any of its text encodings (ANSI, UTF-8, UTF-16 with or without a mark). Lines
// starting with '#' are comments; other text before a block's first leaf is a header. Refused, with the line
// and reason: a line that starts like a leaf but is not one, a block without basic leaf 0, a leaf and
// sub-leaf answered twice with different registers (the same answer again is accepted), and text after the
// leaves that no next block follows ("CPU 1:", or a header and then leaf 0).
bool ParseCpuidDump(std::string_view text, CRecordedCpuid& cpuid, DumpError& error,
                    DumpDetails* details = nullptr);

// The dump's bytes as single-byte text: a UTF-8 mark dropped, UTF-16 (told by its mark or by the zero
// bytes of ASCII text) narrowed, characters above 0xFF replaced by '?'.
std::string NarrowDumpText(std::string_view bytes);

} // namespace zvt
