// The text of the identity report: vendor, model name, the decoded signature, both CPUID tables as
// hexadecimal columns and the rounded frequency, with CR LF line ends.
#pragma once

#include <cstddef>
#include <string_view>

#include "zavsys.h"

namespace zvt
{

// The layout a reader of reports relies on: the header line above each table (64 rows each, basic table
// first), and the frequency line "Frequency : 2390MHz" after the tables.
constexpr std::string_view kTableHeader = "Fn         EAX        EBX        ECX        EDX";
constexpr int kReportTableRows = ZVT_CPUID_LEAVES;
constexpr std::string_view kFrequencyPrefix = "Frequency : ";
constexpr std::string_view kFrequencyUnit = "MHz";

// The report buffer's size. The longest report (a 49-character model name, ten-digit family values and a
// ten-digit frequency) is 7588 characters, so a report never truncates in it.
constexpr std::size_t kReportCapacity = 10240;

// Builds the report of identity into buffer and terminates it; returns its length. Allocates nothing.
// A buffer too small for the report gets an empty text and 0.
std::size_t BuildReport(const ZVT_CPU_IDENTITY& identity, char* buffer, std::size_t capacity) noexcept;

} // namespace zvt
