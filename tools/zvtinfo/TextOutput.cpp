// The text form: the dialog's processor block with the same labels, then features by name, Windows, WOW64
// and file versions.
#include <cctype>

#include "Frequency.h"
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

void PrintProcessor(const ZVT_CPU_INFORMATION& info, std::FILE* out)
{
    std::fprintf(out, "Vendor name : %s\nModel name : %s\nFrequency : %d MHz\n",
                 Printable(FixedText(info.vendor)).c_str(), Printable(FixedText(info.modelName)).c_str(),
                 zvt::RoundFrequencyForDisplay(info.frequency));
    std::fprintf(out, "Family : %d\nBase family : %d\nExtended family : %d\n", info.family, info.baseFamily,
                 info.extendedFamily);
    std::fprintf(out, "Model : %d\nBase model : %d\nExtended model : %d\nStepping : %d\n", info.model,
                 info.baseModel, info.extendedModel, info.stepping);
    std::fprintf(out, "Cores : %d\nLogical cores : %d\nThreads : %d\nFeature : 0x%04X\n", info.cores,
                 info.logicalCores, info.threads, info.features);
    const std::string names = FeatureNames(info.features);
    std::fprintf(out, "Features : %s\n", names.empty() ? "none" : names.c_str());
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
    const ZVT_WINDOWS_VERSION& v = system.windows;
    std::fprintf(out, "Windows : %u.%u.%u.%u, product type 0x%08X (result %d)\n", v.major, v.minor, v.build,
                 v.revision, v.productType, system.windowsResult);
    std::fprintf(out, "WOW64 : %s\n", system.wow64 != 0 ? "yes" : "no");
    for (const FileVersionAnswer& file : system.files)
    {
        std::fprintf(out, "%s Version : %d.%d.%d.%d\n", file.file.c_str(), file.major, file.minor, file.build,
                     file.revision);
    }
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
    switch (result)
    {
    case ZVT_OK:
        return "written";
    case ZVT_E_NO_CPUID:
        return "no CPUID instruction (10000)";
    case ZVT_E_NO_REPORT_BUFFER:
        return "the library has no report buffer (-10001)";
    case ZVT_E_REPORT_EMPTY:
        return "nothing written: the mode has no encoding, or the text converted to nothing (-10000)";
    case 2:
        return "the file cannot be created: not found (2)";
    case 3:
        return "the file cannot be created: bad path (3)";
    case 5:
        return "the file cannot be created: access denied (5)";
    case 11:
        return "the file cannot be created: sharing violation (11)";
    default:
        return "failed (" + std::to_string(result) + ")";
    }
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
    PrintProcessor(snapshot.information, out);
    PrintSystem(snapshot, out);
    if (report)
    {
        std::fprintf(out, "Report : %s: %s\n", Printable(report->path).c_str(),
                     DescribeReportResult(report->result).c_str());
    }
}

} // namespace zvtinfo
