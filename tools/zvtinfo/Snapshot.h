// What zvtinfo shows: the library's three records and its other answers, taken from this machine or
// decoded from a recorded CPUID dump.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "WholeProcessor.h"
#include "zavsys.h"

namespace zvtinfo
{

struct FileVersionAnswer
{
    std::string file;
    std::int32_t result = ZVT_E_FAILED;
    std::int32_t major = 0;
    std::int32_t minor = 0;
    std::int32_t build = 0;
    std::int32_t revision = 0;
};

// The answers only the Windows library gives.
struct SystemAnswers
{
    std::int32_t windowsResult = 0;
    ZVT_WINDOWS_VERSION windows{};
    std::int32_t wow64 = 0;
    std::vector<FileVersionAnswer> files;
};

// Where a replayed processor came from.
struct ReplayOrigin
{
    std::string file;
    std::string format;            // "cpuid -r", "CPUID text", "report"
    std::int32_t frequencyMhz = 0; // recorded in a report; 0 otherwise
};

struct Snapshot
{
    std::int32_t identityResult = 0;
    ZVT_CPU_IDENTITY identity{};
    std::int32_t informationResult = 0;
    ZVT_CPU_INFORMATION information{};
    std::optional<SystemAnswers> system; // none natively and in a replay
    std::optional<ReplayOrigin> replay;
    bool frequencyMeasured = false;    // live with a measurement asked for, or a replayed report with one
    std::optional<std::uint64_t> xcr0; // read live, or given by --xcr0; a dump does not record it
    WholeProcessor whole;              // every logical processor's leaves and sub-leaves, when they are known
};

// A one-line reason for giving up, and the exit code that goes with it.
struct Failure
{
    int exitCode = 1;
    std::string message;
};

// One feature bit and the label under which the dialog shows it.
struct FeatureLabel
{
    std::uint32_t mask;
    const char* label;
};

// The fields of a NUL-terminated fixed array as text, stopping at its end when there is no terminator.
template <std::size_t N> std::string FixedText(const char (&text)[N])
{
    std::size_t length = 0;
    while (length < N && text[length] != '\0')
    {
        ++length;
    }
    return std::string(text, length);
}

} // namespace zvtinfo
