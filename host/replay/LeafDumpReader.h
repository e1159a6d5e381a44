// The leaf-line forms of a CPUID dump, block by block.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "DumpReader.h"

namespace zvt
{

// Up to maxProcessors blocks into processors (one added per block); format says which form the lines took.
bool ParseLeafDump(std::string_view text, std::size_t maxProcessors, std::vector<CRecordedCpuid>& processors,
                   DumpError& error, DumpFormat& format);

} // namespace zvt
