// The text form: the dialog's processor block with the same labels, then features by name, Windows, WOW64
// and file versions.
#include <cctype>

#include "CodePage.h"
#include "Decoded.h"
#include "DialogText.h"
#include "Output.h"

namespace zvtinfo
{
namespace
{

constexpr const char* kNotAvailable = "not available on this system";
constexpr const char* kNotReplayed = "not part of a replay";

#define ZVT_LABEL_ROW(mask, label) FeatureLabel{mask, label},
constexpr FeatureLabel kLabels[] = {ZVT_FEATURE_LABELS(ZVT_LABEL_ROW)};
#undef ZVT_LABEL_ROW

// Text from a record or a recorded dump, safe for a terminal.
std::string Printable(const std::string& text)
{
    std::string printable;
    for (const char c : text)
    {
        printable += std::isprint(static_cast<unsigned char>(c)) != 0 ? c : '?';
    }
    return printable;
}

// A name from the record decoded as the reports decode it, control characters (C0, DEL, C1) shown as '?'
// so that nothing reaches the terminal as a command.
std::wstring DisplayName(const std::string& bytes)
{
    std::wstring name;
    for (const ZVT_WCHAR unit : WidenAnsi(bytes))
    {
        const bool control = unit < 0x20 || (unit >= 0x7F && unit < 0xA0);
        name += control ? L'?' : static_cast<wchar_t>(unit);
    }
    return name;
}

// The dialog's wide text (all of it in the basic plane) as UTF-8, whatever the width of wchar_t.
std::string ToUtf8(std::wstring_view text)
{
    return NarrowWide(std::vector<ZVT_WCHAR>(text.begin(), text.end()), true);
}

// The dialog's "Frequency : 0 MHz" reads like a measurement; say instead that none was made.
void MarkFrequencyNotMeasured(std::wstring& block, bool replay)
{
    constexpr std::wstring_view label = L"\nFrequency : ";
    const std::size_t start = block.find(label);
    if (start == std::wstring::npos)
    {
        return;
    }
    const std::size_t valueStart = start + label.size();
    block.replace(valueStart, block.find(L'\n', valueStart) - valueStart,
                  replay ? L"not measured when the dump was made" : L"not measured (use --measure MS)");
}

void PrintProcessor(const Snapshot& snapshot, std::FILE* out)
{
    const ZVT_CPU_INFORMATION& info = snapshot.information;
    std::wstring block = zvt::FormatProcessorText(info, DisplayName(FixedText(info.vendor)),
                                                  DisplayName(FixedText(info.modelName)));
    if (!snapshot.frequencyMeasured)
    {
        MarkFrequencyNotMeasured(block, snapshot.replay.has_value());
    }
    const std::string names = FeatureNames(info.features);
    std::fprintf(out, "%s\nFeatures : %s\n", ToUtf8(block).c_str(), names.empty() ? "none" : names.c_str());
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string joined;
    for (const std::string& name : names)
    {
        joined += (joined.empty() ? "" : " ") + name;
    }
    return joined.empty() ? "none" : joined;
}

std::string LevelText(const DecodedIdentity& decoded)
{
    const std::string level = LevelName(decoded.level);
    if (decoded.missingForNextLevel.empty())
    {
        return level;
    }
    return level + " (missing for " + LevelName(decoded.level + 1) + ": " +
           Joined(decoded.missingForNextLevel) + ")";
}

std::string EnabledLevelText(const Snapshot& snapshot)
{
    if (!snapshot.xcr0)
    {
        return "unknown (a dump does not record XCR0)";
    }
    char xcr0[32];
    std::snprintf(xcr0, sizeof xcr0, "0x%llx", static_cast<unsigned long long>(*snapshot.xcr0));
    return LevelName(zvtGetEnabledLevel(&snapshot.identity, *snapshot.xcr0)) + " (XCR0 " + xcr0 + ")";
}

// "32 KiB, 8-way, 64-byte lines"; "none" for a size of 0.
std::string CacheText(const ZVT_CACHE& cache)
{
    if (cache.sizeKb <= 0)
    {
        return "none";
    }
    std::string text = cache.sizeKb % 1024 == 0 ? std::to_string(cache.sizeKb / 1024) + " MiB"
                                                : std::to_string(cache.sizeKb) + " KiB";
    if (cache.ways == ZVT_WAYS_FULL)
    {
        text += ", fully associative";
    }
    else if (cache.ways > 0)
    {
        text += ", " + std::to_string(cache.ways) + "-way";
    }
    if (cache.lineBytes > 0)
    {
        text += ", " + std::to_string(cache.lineBytes) + "-byte lines";
    }
    return text;
}

void PrintCaches(const DecodedIdentity& decoded, std::FILE* out)
{
    const ZVT_CACHES& caches = decoded.caches;
    const std::pair<int, std::pair<const char*, const ZVT_CACHE*>> lines[] = {
        {ZVT_CACHES_L1, {"L1 data cache", &caches.l1d}},
        {ZVT_CACHES_L1, {"L1 instruction cache", &caches.l1i}},
        {ZVT_CACHES_L2, {"L2 cache", &caches.l2}},
        {ZVT_CACHES_L3, {"L3 cache", &caches.l3}}};
    for (const auto& [part, line] : lines)
    {
        if ((decoded.cacheParts & part) != 0)
        {
            std::fprintf(out, "%s : %s\n", line.first, CacheText(*line.second).c_str());
        }
    }
    if (decoded.cacheParts == 0)
    {
        std::fprintf(out, "Caches : not described by this vendor's extended leaves\n");
    }
}

// What the public feature header decodes from the identity record.
void PrintDecoded(const Snapshot& snapshot, std::FILE* out)
{
    const DecodedIdentity decoded = DecodeIdentity(snapshot.identity);
    std::fprintf(out, "Flags : %s\nx86-64 level : %s\nx86-64 level enabled : %s\nHypervisor : %s\n",
                 Joined(decoded.flags).c_str(), LevelText(decoded).c_str(),
                 EnabledLevelText(snapshot).c_str(), decoded.hypervisor ? "yes" : "no");
    if (decoded.addressSizes)
    {
        std::fprintf(out, "Address sizes : %d bits physical, %d bits linear\n",
                     decoded.addressSizes->physicalBits, decoded.addressSizes->linearBits);
    }
    else
    {
        std::fprintf(out, "Address sizes : not in the record (no extended leaf 0x80000008)\n");
    }
    PrintCaches(decoded, out);
}

zvt::FileVersion VersionOf(const FileVersionAnswer& answer)
{
    return answer.result != 0 ? zvt::FileVersion{}
                              : zvt::FileVersion{answer.major, answer.minor, answer.build, answer.revision};
}

void PrintSystem(const Snapshot& snapshot, std::FILE* out)
{
    if (!snapshot.system)
    {
        const char* why = snapshot.replay ? kNotReplayed : kNotAvailable;
        std::fprintf(out, "Windows : %s\nWOW64 : %s\nVersions : %s\n", why, why, why);
        return;
    }
    const SystemAnswers& system = *snapshot.system;
    std::fprintf(out, "Windows : %s\n%s\n", ToUtf8(zvt::FormatWindowsLine(system.windows)).c_str(),
                 ToUtf8(zvt::FormatWow64Line(system.wow64)).c_str());
    const zvt::FileVersion own = VersionOf(system.files.at(1));
    const zvt::FileVersion library = VersionOf(system.files.at(0));
    std::fprintf(out, "%s\n", ToUtf8(zvt::FormatVersionLine(L"zvtinfo.exe", own, library)).c_str());
}

} // namespace

std::string FeatureNames(std::uint32_t features)
{
    std::string names;
    for (const FeatureLabel& label : kLabels)
    {
        if ((features & label.mask) != 0)
        {
            names += names.empty() ? label.label : std::string(" ") + label.label;
        }
    }
    return names;
}

std::string DescribeReportResult(std::int32_t result)
{
    static const std::pair<std::int32_t, const char*> kMeanings[] = {
        {ZVT_OK, "written"},
        {ZVT_E_NO_CPUID, "no CPUID instruction"},
        {ZVT_E_NO_REPORT_BUFFER, "the library has no report buffer"},
        {ZVT_E_REPORT_EMPTY, "nothing written: the mode has no encoding, or the text converted to nothing"},
        {ZVT_E_FAILED, "failed unexpectedly"},
        {ZVT_REPORT_GENERIC, "the file cannot be written"},
        {ZVT_REPORT_NOT_FOUND, "the file was not found"},
        {ZVT_REPORT_BAD_PATH, "bad path: a missing folder or drive, or an invalid name"},
        {ZVT_REPORT_TOO_MANY_FILES, "no file handle left"},
        {ZVT_REPORT_ACCESS_DENIED, "access denied"},
        {ZVT_REPORT_INVALID_FILE, "invalid file handle"},
        {ZVT_REPORT_BAD_SEEK, "seek error"},
        {ZVT_REPORT_HARD_IO, "the device failed"},
        {ZVT_REPORT_SHARING, "the file is open elsewhere with write access"},
        {ZVT_REPORT_LOCKED, "a region of the file is locked"},
        {ZVT_REPORT_DISK_FULL, "the disk is full"}};
    for (const auto& [code, meaning] : kMeanings)
    {
        if (code == result)
        {
            return result == ZVT_OK ? meaning : std::string(meaning) + " (" + std::to_string(result) + ")";
        }
    }
    return "failed (" + std::to_string(result) + ")";
}

void PrintText(const Snapshot& snapshot, const std::optional<ReportOutcome>& report, std::FILE* out)
{
    if (snapshot.replay)
    {
        std::fprintf(out, "Replay : %s (%s)\n", Printable(snapshot.replay->file).c_str(),
                     snapshot.replay->format.c_str());
    }
    if (snapshot.informationResult != 0)
    {
        std::fprintf(out, "Error = %d\n", snapshot.informationResult);
    }
    PrintProcessor(snapshot, out);
    PrintDecoded(snapshot, out);
    PrintSystem(snapshot, out);
    PrintWholeProcessor(snapshot.whole, out);
    if (report)
    {
        std::fprintf(out, "Report : %s: %s\n", Printable(report->path).c_str(),
                     DescribeReportResult(report->result).c_str());
    }
}

} // namespace zvtinfo
