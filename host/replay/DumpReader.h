// Reading CPUID dumps and identity reports into recorded processors.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "DumpText.h"
#include "RecordedCpuid.h"

namespace zvt
{

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
// The most logical processors a dump is read for.
constexpr std::size_t kMaxDumpProcessors = 1024;

// Reads the first logical processor of a CPUID dump: the output of "cpuid -r" (its first block), lines like
// "CPUID 00000001: 000906EA-00100800-7FFAFBBF-BFEBFBFF" (the first logical processor's block), or an
// identity report in any of its text encodings (ANSI, UTF-8, UTF-16 with or without a mark). Lines
// starting with '#' are comments; other text before a block's first leaf is a header. Refused, with the line
// and reason: a line that starts like a leaf but is not one, a block without basic leaf 0, a leaf and
// sub-leaf answered twice with different registers (the same answer again is accepted), and text after the
// leaves that no next block follows ("CPU 1:", or a header and then leaf 0).
bool ParseCpuidDump(std::string_view text, CRecordedCpuid& cpuid, DumpError& error,
                    DumpDetails* details = nullptr);

// Every logical processor of a "cpuid -r" dump or of "CPUID" lines, one block each in the order recorded
// (a report holds one), read as strictly as the first; at most maxProcessors blocks are read.
bool ParseCpuidDumpProcessors(std::string_view text, std::vector<CRecordedCpuid>& processors,
                              DumpError& error, DumpDetails* details = nullptr,
                              std::size_t maxProcessors = kMaxDumpProcessors);

} // namespace zvt
