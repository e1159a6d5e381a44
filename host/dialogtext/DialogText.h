// The texts and check states the test dialog shows, made from the library's records. Portable: the dialog
// sets them into its controls, the tests compare them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "zavsys.h"

namespace zvt
{

// One feature check box: its control id and the bit of the feature word it shows, in the dialog's order.
struct FeatureBox
{
    int id;
    unsigned bit;
};
extern const std::array<FeatureBox, 13> kFeatureBoxes;

// 1 when the box's bit is set in features, else 0 (the check state).
int FeatureBoxState(std::uint32_t features, const FeatureBox& box) noexcept;

// The four parts of a file version; all 0 when it could not be read.
struct FileVersion
{
    std::int32_t major = 0;
    std::int32_t minor = 0;
    std::int32_t build = 0;
    std::int32_t revision = 0;
};

// The fourteen lines of the processor block, frequency rounded for display. vendor and modelName are the
// record's names already widened. A non-empty notice takes the vendor's line: the block has room for
// fourteen lines only, and when something is missing the vendor is too (unless only exports the block
// does not use are missing).
std::wstring FormatProcessorText(const ZVT_CPU_INFORMATION& info, std::wstring_view vendor,
                                 std::wstring_view modelName, std::wstring_view notice = {});

// "<name> (major.minor.build.revision)": the edition name and the version, revision last.
std::wstring FormatWindowsLine(const ZVT_WINDOWS_VERSION& version);

// "WOW64 : yes" for any non-zero answer.
std::wstring FormatWow64Line(std::int32_t isWow64);

// The program's and the library's file versions on one line.
std::wstring FormatVersionLine(std::wstring_view programName, const FileVersion& program,
                               const FileVersion& library);

// What the processor block says when the library could not be loaded, or which of the exports the dialog
// calls are missing (names separated by ", "); empty when everything is there.
std::wstring DescribeMissingLibrary(bool loaded, std::string_view missingExports);

} // namespace zvt
