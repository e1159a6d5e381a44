// Where a snapshot comes from: this machine (the library's exports on Windows, the same processor code
// linked in natively) or a recorded dump; and where a report is written from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "DumpOutput.h"
#include "Snapshot.h"

namespace zvtinfo
{

// Asks this machine. measureMs (0, or 1..10000) goes to the information record's measurement.
bool ReadThisMachine(std::int32_t measureMs, Snapshot& snapshot, Failure& failure);

// The report of this machine's processor: zvtGetIdentity on Windows, the linked-in report code natively.
// Returns the library's result (0, or a ZVT_E_* / file-open code).
std::int32_t WriteThisMachineReport(const std::string& path, std::int32_t mode, std::int32_t measureMs);

// Every logical processor's CPUID dump, in processor order: zvtGetCpuidDump for processors 0, 1, ... on
// Windows, up to the first the library cannot run on; natively the library's enumeration on each processor
// the process may run on, numbered as the system numbers them.
bool ReadThisMachineDumps(std::vector<ProcessorDump>& dumps, Failure& failure);

// Decodes the dump at path as the library would decode that processor, without executing CPUID.
bool ReplayDump(const std::string& path, Snapshot& snapshot, Failure& failure);

// The report of a recorded identity, built and encoded as the library does it. Same results as
// zvtGetIdentity's report part.
std::int32_t WriteRecordedReport(const ZVT_CPU_IDENTITY& identity, const std::string& path,
                                 std::int32_t mode);

// A file opened for reading or writing by a UTF-8 path (wide on Windows).
std::FILE* OpenFile(const std::string& path, const char* mode);

} // namespace zvtinfo
