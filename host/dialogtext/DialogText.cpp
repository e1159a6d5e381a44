// Formatting of the test dialog's lines.
#include "DialogText.h"

#include "Frequency.h"
#include "WindowsName.h"

namespace zvt
{

const std::array<FeatureBox, 13> kFeatureBoxes = {{
    {1018, 8},  // MMX
    {1019, 9},  // MMX+
    {1020, 10}, // SSE
    {1021, 11}, // SSE2
    {1022, 12}, // SSE3
    {1023, 13}, // SSE4.1
    {1024, 14}, // SSE4.2
    {1025, 2},  // SSE4A
    {1014, 0},  // 3DNow!
    {1015, 1},  // 3DNow!+
    {1016, 16}, // AMD-V
    {1017, 17}, // Intel-VT
    {1026, 18}, // x86-64
}};

int FeatureBoxState(std::uint32_t features, const FeatureBox& box) noexcept
{
    return static_cast<int>((features >> box.bit) & 1u);
}

namespace
{

// Upper-case hexadecimal, at least four digits (a minimum, not a limit).
std::wstring Hex4(std::uint32_t value)
{
    std::wstring digits;
    do
    {
        digits.insert(digits.begin(), L"0123456789ABCDEF"[value & 0xFu]);
        value >>= 4;
    } while (value != 0);
    if (digits.size() < 4)
    {
        digits.insert(0, 4 - digits.size(), L'0');
    }
    return digits;
}

std::wstring Line(std::wstring_view label, std::int32_t value)
{
    std::wstring line(label);
    line += L" : ";
    line += std::to_wstring(value);
    return line;
}

std::wstring DottedVersion(std::uint32_t major, std::uint32_t minor, std::uint32_t build,
                           std::uint32_t revision)
{
    return std::to_wstring(major) + L'.' + std::to_wstring(minor) + L'.' + std::to_wstring(build) + L'.' +
           std::to_wstring(revision);
}

std::wstring DottedVersion(const FileVersion& version)
{
    return std::to_wstring(version.major) + L'.' + std::to_wstring(version.minor) + L'.' +
           std::to_wstring(version.build) + L'.' + std::to_wstring(version.revision);
}

} // namespace

std::wstring FormatProcessorText(const ZVT_CPU_INFORMATION& info, std::wstring_view vendor,
                                 std::wstring_view modelName, std::wstring_view notice)
{
    std::wstring text;
    if (notice.empty())
    {
        text.append(L"Vendor name : ").append(vendor).append(L"\n");
    }
    else
    {
        text.append(notice).append(L"\n");
    }
    text.append(L"Model name : ").append(modelName).append(L"\n");
    text += L"Frequency : " + std::to_wstring(RoundFrequencyForDisplay(info.frequency)) + L" MHz\n";
    text += Line(L"Family", info.family) + L'\n';
    text += Line(L"Base family", info.baseFamily) + L'\n';
    text += Line(L"Extended family", info.extendedFamily) + L'\n';
    text += Line(L"Model", info.model) + L'\n';
    text += Line(L"Base model", info.baseModel) + L'\n';
    text += Line(L"Extended model", info.extendedModel) + L'\n';
    text += Line(L"Stepping", info.stepping) + L'\n';
    text += Line(L"Cores", info.cores) + L'\n';
    text += Line(L"Logical cores", info.logicalCores) + L'\n';
    text += Line(L"Threads", info.threads) + L'\n';
    text += L"Feature : 0x" + Hex4(info.features);
    return text;
}

std::wstring FormatWindowsLine(const ZVT_WINDOWS_VERSION& version)
{
    wchar_t name[kWindowsNameCapacity];
    GetWindowsName(version, name);
    return std::wstring(name) + L" (" +
           DottedVersion(version.major, version.minor, version.build, version.revision) + L')';
}

std::wstring FormatWow64Line(std::int32_t isWow64)
{
    return isWow64 != 0 ? L"WOW64 : yes" : L"WOW64 : no";
}

std::wstring FormatVersionLine(std::wstring_view programName, const FileVersion& program,
                               const FileVersion& library)
{
    std::wstring line(programName);
    line += L" Version : " + DottedVersion(program);
    line += L"  zavsys.dll  Version : " + DottedVersion(library);
    return line;
}

std::wstring DescribeMissingLibrary(bool loaded, std::string_view missingExports)
{
    if (!loaded)
    {
        return L"\"zavsys.dll\" could not be loaded";
    }
    if (missingExports.empty())
    {
        return {};
    }
    return L"zavsys.dll lacks " + std::wstring(missingExports.begin(), missingExports.end());
}

} // namespace zvt
