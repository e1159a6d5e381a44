// The identity report that zvtGetIdentity writes, read back into a recorded processor.
#pragma once

#include <cstdint>
#include <string_view>

#include "DumpReader.h"

namespace zvt
{

// Whether the text holds a report's table header.
bool IsReport(std::string_view text) noexcept;
// Both tables (sub-leaf 0 of every row) and the "Frequency : N MHz" line, when there is one.
bool ParseReport(std::string_view text, CRecordedCpuid& cpuid, DumpError& error, std::int32_t& frequencyMhz);

} // namespace zvt
