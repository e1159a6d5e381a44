// The identity report read back: its two tables and its frequency line; the layout is the report writer's.
#include "ReportReader.h"

#include "CpuidTables.h"
#include "DumpLines.h"
#include "ReportText.h"

namespace zvt
{
namespace
{

using dump::CLineReader;
using dump::CLines;
using dump::HexText;
using dump::Quote;

// "0x00000001 0x000906ea 0x00100800 0x7ffafbbf 0xbfebfbff"
bool ReadReportRow(std::string_view line, std::uint32_t expectedLeaf, ZVT_CPUID_LEAF& registers) noexcept
{
    CLineReader reader(line);
    std::uint32_t leaf = 0;
    return line.substr(0, 2) == "0x" && reader.Hex(leaf) && leaf == expectedLeaf &&
           reader.Hex(registers.eax) && reader.Hex(registers.ebx) && reader.Hex(registers.ecx) &&
           reader.Hex(registers.edx) && reader.AtEnd();
}

// "Frequency : 2390MHz"
bool ReadFrequencyLine(std::string_view line, std::int32_t& frequencyMhz) noexcept
{
    if (line.size() <= kFrequencyPrefix.size() + kFrequencyUnit.size() ||
        line.substr(0, kFrequencyPrefix.size()) != kFrequencyPrefix ||
        line.substr(line.size() - kFrequencyUnit.size()) != kFrequencyUnit)
    {
        return false;
    }
    const std::string_view digits =
        line.substr(kFrequencyPrefix.size(), line.size() - kFrequencyPrefix.size() - kFrequencyUnit.size());
    std::int64_t value = 0;
    for (const char c : digits)
    {
        if (c < '0' || c > '9' || value > INT32_MAX / 10)
        {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    frequencyMhz = static_cast<std::int32_t>(value);
    return value <= INT32_MAX;
}

bool ParseReportTable(CLines& lines, std::uint32_t firstLeaf, CRecordedCpuid& cpuid, DumpError& error)
{
    std::string_view line;
    for (int row = 0; row < kReportTableRows; ++row)
    {
        const std::uint32_t leaf = firstLeaf + static_cast<std::uint32_t>(row);
        ZVT_CPUID_LEAF registers{};
        if (!lines.Next(line))
        {
            error = DumpError{lines.Number(), "the report ends before leaf " + HexText(leaf)};
            return false;
        }
        if (!ReadReportRow(line, leaf, registers))
        {
            error = DumpError{lines.Number(),
                              "expected the report row of leaf " + HexText(leaf) + ": " + Quote(line)};
            return false;
        }
        cpuid.Add(leaf, 0, registers);
    }
    return true;
}

bool ParseReportTail(CLines& lines, DumpError& error, std::int32_t& frequencyMhz)
{
    std::string_view line;
    bool seenFrequency = false;
    while (lines.Next(line))
    {
        if (line.empty())
        {
            continue;
        }
        if (seenFrequency || !ReadFrequencyLine(line, frequencyMhz))
        {
            error = DumpError{lines.Number(), "unexpected text after the report tables: " + Quote(line)};
            return false;
        }
        seenFrequency = true;
    }
    return true;
}

} // namespace

// The identity report: a head of three lines, then two tables under a header line each, then an optional
// frequency line; the layout is the report writer's.
bool IsReport(std::string_view text) noexcept
{
    CLines lines(text);
    std::string_view line;
    while (lines.Next(line))
    {
        if (line == kTableHeader)
        {
            return true;
        }
    }
    return false;
}

bool ParseReport(std::string_view text, CRecordedCpuid& cpuid, DumpError& error, std::int32_t& frequencyMhz)
{
    CLines lines(text);
    std::string_view line;
    while (lines.Next(line) && line != kTableHeader)
    {
        // vendor, model name and family lines: decoded again from the tables
    }
    if (!ParseReportTable(lines, 0, cpuid, error))
    {
        return false;
    }
    if (!lines.Next(line) || line != kTableHeader)
    {
        error = DumpError{lines.Number(), "expected the header of the extended table"};
        return false;
    }
    return ParseReportTable(lines, kExtendedBase, cpuid, error) &&
           ParseReportTail(lines, error, frequencyMhz);
}

} // namespace zvt
