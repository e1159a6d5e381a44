// The JSON form: every field of the three records under its own name, the raw tables as leaf objects,
// and null for what this system or a replay cannot answer.
#include <nlohmann/json.hpp>
#include <string_view>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "CodePage.h"
#include "Decoded.h"
#include "Frequency.h"
#include "InformationFields.h"
#include "Output.h"

namespace zvtinfo
{
namespace
{

using Json = nlohmann::ordered_json;

#ifdef _WIN32
constexpr std::string_view kLineEnd = "\r\n"; // as the console's text mode would write it
#else
constexpr std::string_view kLineEnd = "\n";
#endif

Json LeafTable(const ZVT_CPUID_LEAF (&table)[ZVT_CPUID_LEAVES], std::uint32_t firstLeaf)
{
    Json rows = Json::array();
    for (std::uint32_t i = 0; i < ZVT_CPUID_LEAVES; ++i)
    {
        const ZVT_CPUID_LEAF& leaf = table[i];
        rows.push_back(Json{{"leaf", firstLeaf + i},
                            {"eax", leaf.eax},
                            {"ebx", leaf.ebx},
                            {"ecx", leaf.ecx},
                            {"edx", leaf.edx}});
    }
    return rows;
}

// A name from the record as UTF-8, decoded through the code page of the reports.
std::string DecodedName(const std::string& bytes)
{
    return NarrowWide(WidenAnsi(bytes), true);
}

// The name's bytes as they are in the record, two lower-case hexadecimal digits each.
std::string HexBytes(const std::string& bytes)
{
    constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes)
    {
        const auto byte = static_cast<unsigned char>(c);
        hex += {kDigits[byte >> 4], kDigits[byte & 0xF]};
    }
    return hex;
}

Json Identity(const Snapshot& snapshot)
{
    const ZVT_CPU_IDENTITY& identity = snapshot.identity;
    return Json{{"result", snapshot.identityResult},
                {"size", identity.size},
                {"frequency", identity.frequency},
                {"basic", LeafTable(identity.basic, 0)},
                {"extended", LeafTable(identity.extended, 0x80000000u)}};
}

// The feature word's labels, one string each.
Json FeatureNameList(std::uint32_t features)
{
    Json names = Json::array();
    const std::string joined = FeatureNames(features);
    for (std::size_t start = 0; start < joined.size();)
    {
        const std::size_t end = std::min(joined.find(' ', start), joined.size());
        names.push_back(joined.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

Json Information(const Snapshot& snapshot)
{
    const ZVT_CPU_INFORMATION& info = snapshot.information;
    Json shown{{"result", snapshot.informationResult},
               {"size", info.size},
               {"frequency", info.frequency},
               {"displayFrequency", zvt::RoundFrequencyForDisplay(info.frequency)},
               {"vendor", DecodedName(FixedText(info.vendor))},
               {"modelName", DecodedName(FixedText(info.modelName))}};
    for (const InformationField& field : kInformationFields)
    {
        shown[field.name] = info.*field.member;
    }
    shown["features"] = info.features;
    shown["featureNames"] = FeatureNameList(info.features);
    shown["vendorHex"] = HexBytes(FixedText(info.vendor));
    shown["modelNameHex"] = HexBytes(FixedText(info.modelName));
    return shown;
}

// A cache or TLB part the vendor defines; null for one it does not.
Json CacheJson(const ZVT_CACHE& cache, bool defined)
{
    return defined ? Json{{"sizeKb", cache.sizeKb},
                          {"ways", cache.ways},
                          {"lineBytes", cache.lineBytes},
                          {"linesPerTag", cache.linesPerTag}}
                   : Json(nullptr);
}

Json TlbJson(const ZVT_TLB& tlb, bool defined)
{
    return defined ? Json{{"entries", tlb.entries}, {"ways", tlb.ways}} : Json(nullptr);
}

Json CachesJson(const DecodedIdentity& decoded)
{
    const ZVT_CACHES& c = decoded.caches;
    const bool l1 = (decoded.cacheParts & ZVT_CACHES_L1) != 0;
    return Json{{"l1d", CacheJson(c.l1d, l1)},
                {"l1i", CacheJson(c.l1i, l1)},
                {"l2", CacheJson(c.l2, (decoded.cacheParts & ZVT_CACHES_L2) != 0)},
                {"l3", CacheJson(c.l3, (decoded.cacheParts & ZVT_CACHES_L3) != 0)},
                {"l1dTlb4k", TlbJson(c.l1dTlb4k, l1)},
                {"l1iTlb4k", TlbJson(c.l1iTlb4k, l1)},
                {"l1dTlb2m", TlbJson(c.l1dTlb2m, l1)},
                {"l1iTlb2m", TlbJson(c.l1iTlb2m, l1)},
                {"l2dTlb4k", TlbJson(c.l2dTlb4k, decoded.l2Tlbs)},
                {"l2iTlb4k", TlbJson(c.l2iTlb4k, decoded.l2Tlbs)},
                {"l2dTlb2m", TlbJson(c.l2dTlb2m, decoded.l2Tlbs)},
                {"l2iTlb2m", TlbJson(c.l2iTlb2m, decoded.l2Tlbs)}};
}

// What the public feature header decodes from the identity record; XCR0 and the level it enables only live.
Json Decoded(const Snapshot& snapshot)
{
    const DecodedIdentity decoded = DecodeIdentity(snapshot.identity);
    const Json addressSizes = decoded.addressSizes
                                  ? Json{{"physicalBits", decoded.addressSizes->physicalBits},
                                         {"linearBits", decoded.addressSizes->linearBits}}
                                  : Json(nullptr);
    return Json{{"flags", decoded.flags},
                {"level", LevelName(decoded.level)},
                {"missingForNextLevel", decoded.missingForNextLevel},
                {"xcr0", snapshot.xcr0 ? Json(*snapshot.xcr0) : Json(nullptr)},
                {"enabledLevel", snapshot.xcr0
                                     ? Json(LevelName(zvtGetEnabledLevel(&snapshot.identity, *snapshot.xcr0)))
                                     : Json(nullptr)},
                {"hypervisor", decoded.hypervisor},
                {"addressSizes", addressSizes},
                {"caches", CachesJson(decoded)}};
}

void AddSystem(const Snapshot& snapshot, Json& root)
{
    if (!snapshot.system)
    {
        root["windowsVersion"] = nullptr;
        root["wow64"] = nullptr;
        root["fileVersions"] = nullptr;
        return;
    }
    const SystemAnswers& system = *snapshot.system;
    const ZVT_WINDOWS_VERSION& v = system.windows;
    Json files = Json::array();
    for (const FileVersionAnswer& file : system.files)
    {
        files.push_back(Json{{"file", file.file},
                             {"result", file.result},
                             {"major", file.major},
                             {"minor", file.minor},
                             {"build", file.build},
                             {"revision", file.revision}});
    }
    root["windowsVersion"] = Json{{"result", system.windowsResult},
                                  {"size", v.size},
                                  {"revision", v.revision},
                                  {"major", v.major},
                                  {"minor", v.minor},
                                  {"build", v.build},
                                  {"productType", v.productType}};
    root["wow64"] = Json{{"result", system.wow64}, {"value", system.wow64 != 0}};
    root["fileVersions"] = files;
}

Json Source(const Snapshot& snapshot)
{
    if (!snapshot.replay)
    {
        return Json{{"kind", "processor"}};
    }
    return Json{{"kind", "replay"},
                {"file", snapshot.replay->file},
                {"format", snapshot.replay->format},
                {"recordedFrequency", snapshot.replay->frequencyMhz}};
}

} // namespace

void PrintJson(const Snapshot& snapshot, const std::optional<ReportOutcome>& report, std::FILE* out)
{
    Json root{{"source", Source(snapshot)},
              {"identity", Identity(snapshot)},
              {"information", Information(snapshot)},
              {"decoded", Decoded(snapshot)},
              {"wholeProcessor", WholeProcessorJson(snapshot.whole)}};
    AddSystem(snapshot, root);
    root["report"] = report ? Json{{"path", report->path},
                                   {"mode", report->mode},
                                   {"result", report->result},
                                   {"meaning", DescribeReportResult(report->result)}}
                            : Json(nullptr);
    // Names from a record or a dump need not be UTF-8: replace what is not, rather than fail.
    const std::string text = root.dump(1, ' ', false, Json::error_handler_t::replace);
    // One write: a text-mode stream on Windows writes line by line, which costs tens of milliseconds here.
    std::string lines;
    lines.reserve(text.size() + text.size() / 8);
    for (const char c : text)
    {
        lines += c == '\n' ? kLineEnd : std::string_view(&c, 1);
    }
    lines += kLineEnd;
    std::fflush(out);
#ifdef _WIN32
    const int oldMode = _setmode(_fileno(out), _O_BINARY);
#endif
    std::fwrite(lines.data(), 1, lines.size(), out);
    std::fflush(out);
#ifdef _WIN32
    _setmode(_fileno(out), oldMode);
#endif
}

} // namespace zvtinfo
