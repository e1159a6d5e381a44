// zavsys_uarch.h: the table's own rules (every row sourced, ranges well-formed, no two rows of a kind for the
// same processor), made-up signatures at every edge of the table and for each vendor's signature rule, the
// recorded processors against the reviewed tests/data/uarch-expected.tsv (decided by hand from each
// processor's identity), and this machine's processor read live.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#endif

#include "CpuidTables.h"
#include "DataTable.h"
#include "DumpReader.h"
#include "support/Dumps.h"
#include "zavsys_uarch.h"

namespace zvt::test
{
namespace
{

const std::filesystem::path kData = std::filesystem::path(ZVT_TEST_DATA);

// Every microarchitecture name the table may use; a name outside it is a typo or an unreviewed addition.
const std::set<std::string> kMicroarchitectures = {
    "i486", "P5", "Quark", "P6", "Pentium M", "Enhanced Pentium M", "Core", "Penryn", "Nehalem", "Westmere",
    "Sandy Bridge", "Ivy Bridge", "Haswell", "Broadwell", "Skylake", "Palm Cove", "Sunny Cove",
    "Cypress Cove", "Willow Cove", "Golden Cove", "Raptor Cove", "Redwood Cove", "Lion Cove", "Cougar Cove",
    "Coyote Cove", "Panther Cove", "Bonnell", "Saltwell", "Silvermont", "Airmont", "Goldmont",
    "Goldmont Plus", "Tremont", "Gracemont", "Crestmont", "Skymont", "Darkmont", "Arctic Wolf",
    "Knights Landing", "Knights Mill", "NetBurst", "Am486", "K5", "K6", "K5/K6", "Geode LX", "K7", "K8",
    "K10", "Bobcat", "Bulldozer", "Piledriver", "Steamroller", "Excavator", "Jaguar", "Puma", "Zen", "Zen+",
    "Zen 2", "Zen 3", "Zen 3+", "Zen 4", "Zen 4c", "Zen 5", "Zen 5c", "Zen 6", "Zen/Zen+/Zen 2",
    "Zen 3/Zen 4", "Zen 5/Zen 6", "Dhyana", "WinChip", "Samuel", "Samuel 2", "Ezra", "Ezra-T", "Nehemiah",
    "Esther", "Isaiah", "Isaiah II", "C3/C7/Nano", "ZhangJiang", "WuDaoKou", "LuJiaZui", "YongFeng",
    "ShiJiDaDao", "WuDaoKou/LuJiaZui/YongFeng", "MediaGX", "6x86", "6x86MX", "Nx586", "Crusoe", "Efficeon",
    "mP6", "Geode GX", "Geode", "U5",
    // hybrids and their cores
    "Sunny Cove + Tremont", "Golden Cove + Gracemont", "Raptor Cove + Gracemont", "Redwood Cove + Crestmont",
    "Lion Cove + Skymont", "Lion Cove + Skymont + Crestmont", "Skymont / Crestmont", "Cougar Cove + Darkmont",
    "Coyote Cove + Arctic Wolf", "Zen 4 + Zen 4c", "Zen 5 + Zen 5c"};

// A MODEL row's microarchitecture inside a GENERATION row's range: the same, or one of these refinements.
bool RefinesGeneration(const std::string& model, const std::string& generation)
{
    static const std::set<std::pair<std::string, std::string>> refinements = {
        {"Zen+", "Zen"},     {"Zen 3+", "Zen 3"},        {"Zen 4c", "Zen 4"}, {"Zen 4 + Zen 4c", "Zen 4"},
        {"Zen 5c", "Zen 5"}, {"Zen 5 + Zen 5c", "Zen 5"}};
    return model == generation || refinements.count({model, generation}) != 0;
}

const std::uint32_t kAllVendors = 0x0FFFu;

std::vector<const ZVT_UARCH_ROW*> Rows()
{
    std::vector<const ZVT_UARCH_ROW*> rows;
    for (std::size_t i = 0; zvtGetUarchRow(i) != nullptr; ++i)
        rows.push_back(zvtGetUarchRow(i));
    return rows;
}

std::string Text(const char* text)
{
    return text == nullptr ? std::string("(null)") : std::string(text);
}

// The alternatives of a codename: "Cedar Mill / Presler" is {"Cedar Mill", "Presler"}.
std::vector<std::string> Alternatives(const std::string& codename)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t at; (at = codename.find(" / ", start)) != std::string::npos; start = at + 3)
        pieces.push_back(codename.substr(start, at - start));
    pieces.push_back(codename.substr(start));
    return pieces;
}

bool Overlap(std::uint32_t first1, std::uint32_t last1, std::uint32_t first2, std::uint32_t last2)
{
    return first1 <= last2 && first2 <= last1;
}

// A vendor string for one vendor bit.
const char* VendorString(std::uint32_t vendor)
{
    switch (vendor)
    {
    case ZVT_UARCH_VENDOR_INTEL:
        return "GenuineIntel";
    case ZVT_UARCH_VENDOR_AMD:
        return "AuthenticAMD";
    case ZVT_UARCH_VENDOR_HYGON:
        return "HygonGenuine";
    case ZVT_UARCH_VENDOR_CENTAUR:
        return "CentaurHauls";
    case ZVT_UARCH_VENDOR_ZHAOXIN:
        return "  Shanghai  ";
    case ZVT_UARCH_VENDOR_CYRIX:
        return "CyrixInstead";
    case ZVT_UARCH_VENDOR_NEXGEN:
        return "NexGenDriven";
    case ZVT_UARCH_VENDOR_TRANSMETA:
        return "GenuineTMx86";
    case ZVT_UARCH_VENDOR_RISE:
        return "RiseRiseRise";
    case ZVT_UARCH_VENDOR_NSC:
        return "Geode by NSC";
    case ZVT_UARCH_VENDOR_SIS:
        return "SiS SiS SiS ";
    case ZVT_UARCH_VENDOR_UMC:
        return "UMC UMC UMC ";
    default:
        return "unknown";
    }
}

ZVT_UARCH Lookup(const char* vendor, std::uint32_t family, std::uint32_t model, std::uint32_t stepping,
                 const char* brand = nullptr, std::uint32_t leaf1a = 0)
{
    ZVT_UARCH result;
    std::memset(&result, 0x5A, sizeof result);
    EXPECT_EQ(zvtGetUarch(vendor, family, model, stepping, brand, leaf1a, &result), result.kind);
    return result;
}

ZVT_UARCH OfCpuid(const CRecordedCpuid& cpuid)
{
    ZVT_CPU_IDENTITY identity;
    std::memset(&identity, 0, sizeof identity);
    identity.size = ZVT_IDENTITY_SIZE;
    EXPECT_EQ(FillIdentity(cpuid, identity), 0);
    ZVT_UARCH result;
    EXPECT_EQ(zvtGetUarchOfIdentity(&identity, &result), result.kind);
    return result;
}

std::string Hex(std::uint32_t value)
{
    std::ostringstream text;
    text << "0x" << std::hex << value;
    return text.str();
}

// ---------------------------------------------------------------------------------------------------- table

TEST(UarchTable, EveryRowIsSourcedAndWellFormed)
{
    const auto rows = Rows();
    ASSERT_GT(rows.size(), 250u);
    EXPECT_EQ(zvtGetUarchRowCount(), rows.size());
    EXPECT_EQ(zvtGetUarchRow(rows.size()), nullptr);
    for (std::size_t i = 0; i < rows.size(); ++i)
    {
        const ZVT_UARCH_ROW& row = *rows[i];
        SCOPED_TRACE("row " + std::to_string(i) + " " + Text(row.uarch) + " " + Text(row.codename));
        ASSERT_NE(row.source, nullptr);
        EXPECT_GE(std::strlen(row.source), 12u) << "a source names a document or a kernel list";
        ASSERT_NE(row.uarch, nullptr);
        EXPECT_EQ(kMicroarchitectures.count(row.uarch), 1u) << "unreviewed microarchitecture name";
        EXPECT_TRUE(row.level == ZVT_UARCH_ROW_MODEL || row.level == ZVT_UARCH_ROW_GENERATION ||
                    row.level == ZVT_UARCH_ROW_FAMILY);
        EXPECT_NE(row.vendors, 0u);
        EXPECT_EQ(row.vendors & ~kAllVendors, 0u);
        EXPECT_GE(row.family, 4u);
        EXPECT_LE(row.family, 0x1Au);
        EXPECT_LE(row.modelFirst, row.modelLast);
        EXPECT_LE(row.modelLast, 0xFFu);
        EXPECT_LE(row.steppingFirst, row.steppingLast);
        EXPECT_LE(row.steppingLast, 0xFu);
        EXPECT_TRUE(row.coreType == ZVT_UARCH_CORE_ANY || row.coreType == ZVT_UARCH_CORE_EFFICIENCY ||
                    row.coreType == ZVT_UARCH_CORE_PERFORMANCE);
        EXPECT_LE(row.nativeModel, 0xFFFFFFu);
        if (row.nativeModel != 0)
        {
            EXPECT_NE(row.coreType, ZVT_UARCH_CORE_ANY) << "a native model ID belongs to a core type";
        }
        if (row.level == ZVT_UARCH_ROW_MODEL)
        {
            ASSERT_NE(row.codename, nullptr);
            std::set<std::string> seen;
            for (const std::string& alternative : Alternatives(row.codename))
            {
                EXPECT_FALSE(alternative.empty());
                EXPECT_EQ(alternative.find_first_of("\t\n"), std::string::npos);
                EXPECT_TRUE(seen.insert(alternative).second) << "codename named twice: " << alternative;
            }
        }
        else
        {
            EXPECT_EQ(row.codename, nullptr);
            EXPECT_EQ(row.brand, nullptr) << "only a model row splits by brand";
            EXPECT_EQ(row.coreType, ZVT_UARCH_CORE_ANY);
            EXPECT_EQ(row.steppingFirst, 0u);
            EXPECT_EQ(row.steppingLast, 0xFu);
        }
        if (row.level == ZVT_UARCH_ROW_FAMILY)
        {
            EXPECT_EQ(row.modelFirst, 0u);
            EXPECT_EQ(row.modelLast, 0xFFu);
        }
        if (row.brand != nullptr)
        {
            EXPECT_GE(std::strlen(row.brand), 4u);
            EXPECT_EQ(std::string(row.source).rfind("brand split: ", 0), 0u) << "a brand row says why";
        }
    }
}

TEST(UarchTable, RowsOfOneKindNeverOverlap)
{
    const auto rows = Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
    {
        for (std::size_t j = i + 1; j < rows.size(); ++j)
        {
            const ZVT_UARCH_ROW& a = *rows[i];
            const ZVT_UARCH_ROW& b = *rows[j];
            const bool sameBrand =
                (a.brand == nullptr && b.brand == nullptr) ||
                (a.brand != nullptr && b.brand != nullptr && std::strcmp(a.brand, b.brand) == 0);
            const bool clash = a.level == b.level && (a.vendors & b.vendors) != 0 && a.family == b.family &&
                               Overlap(a.modelFirst, a.modelLast, b.modelFirst, b.modelLast) &&
                               Overlap(a.steppingFirst, a.steppingLast, b.steppingFirst, b.steppingLast) &&
                               a.coreType == b.coreType && a.nativeModel == b.nativeModel && sameBrand;
            EXPECT_FALSE(clash) << "rows " << i << " (" << a.uarch << ") and " << j << " (" << b.uarch
                                << ") claim family " << Hex(a.family) << " model " << Hex(b.modelFirst);
        }
    }
}

// A brand row splits a model that a row without brand names too: without the brand it still has an answer.
TEST(UarchTable, EveryBrandSplitHasADefault)
{
    const auto rows = Rows();
    for (const ZVT_UARCH_ROW* split : rows)
    {
        if (split->brand == nullptr)
            continue;
        const bool covered = std::any_of(rows.begin(), rows.end(), [split](const ZVT_UARCH_ROW* row) {
            return row->brand == nullptr && row->level == ZVT_UARCH_ROW_MODEL &&
                   row->family == split->family && (row->vendors & split->vendors) == split->vendors &&
                   row->modelFirst <= split->modelFirst && row->modelLast >= split->modelLast &&
                   row->steppingFirst <= split->steppingFirst && row->steppingLast >= split->steppingLast;
        });
        EXPECT_TRUE(covered) << split->codename;
    }
}

TEST(UarchTable, ModelRowsAgreeWithTheGenerationRangesAroundThem)
{
    const auto rows = Rows();
    for (const ZVT_UARCH_ROW* model : rows)
    {
        if (model->level != ZVT_UARCH_ROW_MODEL || model->coreType != ZVT_UARCH_CORE_ANY)
            continue;
        for (const ZVT_UARCH_ROW* generation : rows)
        {
            if (generation->level == ZVT_UARCH_ROW_GENERATION &&
                (generation->vendors & model->vendors) != 0 && generation->family == model->family &&
                Overlap(generation->modelFirst, generation->modelLast, model->modelFirst, model->modelLast))
            {
                EXPECT_TRUE(RefinesGeneration(model->uarch, generation->uarch))
                    << model->codename << ": " << model->uarch << " inside " << generation->uarch;
                EXPECT_TRUE(generation->modelFirst <= model->modelFirst &&
                            model->modelLast <= generation->modelLast)
                    << model->codename << " straddles a generation range";
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------------- edges

// Each model and generation row answers at both corners of its ranges, with its own brand and core type, for
// each of its vendors; one step outside a range it no longer does.
TEST(UarchLookup, EveryRowAnswersAtItsEdgesAndNotPastThem)
{
    const auto rows = Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
    {
        const ZVT_UARCH_ROW& row = *rows[i];
        if (row.level == ZVT_UARCH_ROW_FAMILY)
            continue;
        const std::uint32_t leaf1a = (row.coreType << 24) | row.nativeModel;
        for (std::uint32_t vendor = 1; vendor <= ZVT_UARCH_VENDOR_UMC; vendor <<= 1)
        {
            if ((row.vendors & vendor) == 0)
                continue;
            const char* vendorText = VendorString(vendor);
            const std::uint32_t corners[2][2] = {{row.modelFirst, row.steppingFirst},
                                                 {row.modelLast, row.steppingLast}};
            for (const auto& corner : corners)
            {
                SCOPED_TRACE(std::string(vendorText) + " row " + std::to_string(i) + " model " +
                             Hex(corner[0]) + " stepping " + Hex(corner[1]));
                const ZVT_UARCH got = Lookup(vendorText, row.family, corner[0], corner[1], row.brand, leaf1a);
                EXPECT_EQ(got.vendor, vendor);
                ASSERT_GE(got.row, 0);
                if (row.level == ZVT_UARCH_ROW_MODEL)
                {
                    EXPECT_EQ(got.row, static_cast<std::int32_t>(i));
                    EXPECT_EQ(got.kind, ZVT_UARCH_EXACT);
                    EXPECT_STREQ(got.uarch, row.uarch);
                    EXPECT_STREQ(got.codename, row.codename);
                    EXPECT_EQ(std::string(got.text), std::string(row.uarch) + " (" + row.codename + ")");
                }
                else if (got.row != static_cast<std::int32_t>(i))
                {
                    // A model row inside the range names that model more closely.
                    EXPECT_EQ(rows[static_cast<std::size_t>(got.row)]->level, ZVT_UARCH_ROW_MODEL);
                    EXPECT_EQ(got.kind, ZVT_UARCH_EXACT);
                }
                else
                {
                    EXPECT_EQ(got.kind, ZVT_UARCH_GENERATION);
                    EXPECT_STREQ(got.codename, "unknown");
                    EXPECT_EQ(std::string(got.text), std::string(row.uarch) + " (family " + Hex(row.family) +
                                                         ", model " + (corner[0] < 16 ? "0x0" : "0x") +
                                                         Hex(corner[0]).substr(2) + ")");
                }
                EXPECT_STREQ(got.source, rows[static_cast<std::size_t>(got.row)]->source);
            }
            const std::uint32_t outside[4][2] = {{row.modelFirst - 1u, row.steppingFirst},
                                                 {row.modelLast + 1u, row.steppingLast},
                                                 {row.modelFirst, row.steppingFirst - 1u},
                                                 {row.modelLast, row.steppingLast + 1u}};
            for (const auto& point : outside)
            {
                if (point[0] > 0xFFu || point[1] > 0xFu)
                    continue;
                const ZVT_UARCH got = Lookup(vendorText, row.family, point[0], point[1], row.brand, leaf1a);
                EXPECT_NE(got.row, static_cast<std::int32_t>(i))
                    << vendorText << " row " << i << " past its edge at model " << Hex(point[0])
                    << " stepping " << Hex(point[1]);
            }
        }
    }
}

// A family row answers for every model of its family that no other row names.
TEST(UarchLookup, FamilyRowsAnswerForModelsNothingElseNames)
{
    const auto rows = Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
    {
        const ZVT_UARCH_ROW& family = *rows[i];
        if (family.level != ZVT_UARCH_ROW_FAMILY)
            continue;
        const std::uint32_t vendor = family.vendors & (~family.vendors + 1u); // its lowest vendor bit
        int checked = 0;
        for (std::uint32_t model = 0; model <= 0xFFu; ++model)
        {
            const bool named = std::any_of(rows.begin(), rows.end(), [&](const ZVT_UARCH_ROW* row) {
                return row->level != ZVT_UARCH_ROW_FAMILY && (row->vendors & vendor) != 0 &&
                       row->family == family.family && row->modelFirst <= model && model <= row->modelLast;
            });
            if (named)
                continue;
            const ZVT_UARCH got = Lookup(VendorString(vendor), family.family, model, 0);
            EXPECT_EQ(got.kind, ZVT_UARCH_FAMILY) << family.uarch << " model " << Hex(model);
            EXPECT_EQ(got.row, static_cast<std::int32_t>(i));
            EXPECT_STREQ(got.uarch, "unknown");
            EXPECT_STREQ(got.generation, family.uarch);
            ++checked;
        }
        EXPECT_GT(checked, 0) << family.uarch;
    }
}

// Every model row's line fits whole.
TEST(UarchLookup, NoRowsTextIsCutShort)
{
    for (const ZVT_UARCH_ROW* row : Rows())
    {
        if (row->level == ZVT_UARCH_ROW_MODEL)
        {
            EXPECT_LT(std::strlen(row->uarch) + std::strlen(row->codename) + 3,
                      std::size_t{ZVT_UARCH_TEXT_SIZE})
                << row->codename;
        }
    }
}

struct MadeUp
{
    const char* vendor;
    std::uint32_t family;
    std::uint32_t model;
    std::uint32_t stepping;
    const char* brand;
    std::uint32_t leaf1a;
    int kind;
    const char* uarch;
    const char* codename;
    const char* text; // nullptr: not checked
};

// Signatures made up for the table's splits, ends and gaps; the answers come from the sources the rows cite
// (Linux intel-family.h stepping notes, amd.c Zen ranges, longhaul.c, centaur.c, the Zhaoxin patches).
const MadeUp kMadeUp[] = {
    // Intel 0x55 by stepping, and steppings no row names
    {"GenuineIntel", 6, 0x55, 0x4, nullptr, 0, ZVT_UARCH_EXACT, "Skylake", "Skylake-SP / Skylake-X", nullptr},
    {"GenuineIntel", 6, 0x55, 0x5, nullptr, 0, ZVT_UARCH_EXACT, "Skylake", "Cascade Lake",
     "Skylake (Cascade Lake)"},
    {"GenuineIntel", 6, 0x55, 0x7, nullptr, 0, ZVT_UARCH_EXACT, "Skylake", "Cascade Lake", nullptr},
    {"GenuineIntel", 6, 0x55, 0x8, nullptr, 0, ZVT_UARCH_GENERATION, "Skylake", "unknown",
     "Skylake (family 0x6, model 0x55)"},
    {"GenuineIntel", 6, 0x55, 0xA, nullptr, 0, ZVT_UARCH_EXACT, "Skylake", "Cooper Lake", nullptr},
    {"GenuineIntel", 6, 0x55, 0xB, nullptr, 0, ZVT_UARCH_EXACT, "Skylake", "Cooper Lake", nullptr},
    {"GenuineIntel", 6, 0x55, 0xC, nullptr, 0, ZVT_UARCH_GENERATION, "Skylake", "unknown", nullptr},
    {"GenuineIntel", 6, 0x8E, 0x9, nullptr, 0, ZVT_UARCH_EXACT, "Skylake",
     "Kaby Lake-U / Kaby Lake-Y / Amber Lake-Y", nullptr},
    {"GenuineIntel", 6, 0x8E, 0xA, nullptr, 0, ZVT_UARCH_EXACT, "Skylake", "Kaby Lake-R / Coffee Lake-U",
     nullptr},
    {"GenuineIntel", 6, 0x8E, 0x8, nullptr, 0, ZVT_UARCH_GENERATION, "Skylake", "unknown", nullptr},
    {"GenuineIntel", 6, 0x9E, 0xD, nullptr, 0, ZVT_UARCH_EXACT, "Skylake", "Coffee Lake-S / Coffee Lake-H",
     nullptr},
    {"GenuineIntel", 6, 0x9E, 0xE, nullptr, 0, ZVT_UARCH_GENERATION, "Skylake", "unknown", nullptr},
    // unknown models and families
    {"GenuineIntel", 6, 0x02, 0x0, nullptr, 0, ZVT_UARCH_UNKNOWN, "unknown", "unknown",
     "unknown (family 0x6, model 0x02)"},
    {"GenuineIntel", 6, 0xFF, 0x0, nullptr, 0, ZVT_UARCH_UNKNOWN, "unknown", "unknown", nullptr},
    {"GenuineIntel", 0x14, 0x01, 0x0, nullptr, 0, ZVT_UARCH_UNKNOWN, "unknown", "unknown",
     "unknown (family 0x14, model 0x01)"},
    {"GenuineIntel", 0xF, 0x05, 0x1, nullptr, 0, ZVT_UARCH_FAMILY, "unknown", "unknown",
     "NetBurst family (model 0x05)"},
    {"AuthenticAMD", 0x1A, 0x30, 0x0, nullptr, 0, ZVT_UARCH_FAMILY, "unknown", "unknown",
     "Zen 5/Zen 6 family (model 0x30)"},
    {"AuthenticAMD", 0x1A, 0x02, 0x1, nullptr, 0, ZVT_UARCH_EXACT, "Zen 5", "Turin", "Zen 5 (Turin)"},
    {"AuthenticAMD", 0x1A, 0x2F, 0x0, nullptr, 0, ZVT_UARCH_GENERATION, "Zen 5", "unknown",
     "Zen 5 (family 0x1a, model 0x2f)"},
    {"AuthenticAMD", 0x1A, 0x50, 0x0, nullptr, 0, ZVT_UARCH_GENERATION, "Zen 6", "unknown", nullptr},
    {"AuthenticAMD", 0x1A, 0xCF, 0x0, nullptr, 0, ZVT_UARCH_GENERATION, "Zen 6", "unknown", nullptr},
    {"AuthenticAMD", 0x1A, 0xD0, 0x0, nullptr, 0, ZVT_UARCH_FAMILY, "unknown", "unknown", nullptr},
    {"AuthenticAMD", 0x17, 0x47, 0x0, nullptr, 0, ZVT_UARCH_GENERATION, "Zen 2", "unknown", nullptr},
    {"AuthenticAMD", 0x17, 0x2F, 0x0, nullptr, 0, ZVT_UARCH_GENERATION, "Zen", "unknown", nullptr},
    {"AuthenticAMD", 0x17, 0x92, 0x0, nullptr, 0, ZVT_UARCH_FAMILY, "unknown", "unknown",
     "Zen/Zen+/Zen 2 family (model 0x92)"},
    {"AuthenticAMD", 0x17, 0x08, 0x2, nullptr, 0, ZVT_UARCH_EXACT, "Zen+", "Pinnacle Ridge / Colfax",
     nullptr},
    {"AuthenticAMD", 0x19, 0x7C, 0x0, nullptr, 0, ZVT_UARCH_GENERATION, "Zen 4", "unknown", nullptr},
    {"AuthenticAMD", 0x19, 0xB0, 0x0, nullptr, 0, ZVT_UARCH_FAMILY, "unknown", "unknown", nullptr},
    {"AuthenticAMD", 0x15, 0x6B, 0x0, nullptr, 0, ZVT_UARCH_GENERATION, "Excavator", "unknown", nullptr},
    {"AuthenticAMD", 0x15, 0x05, 0x0, nullptr, 0, ZVT_UARCH_FAMILY, "unknown", "unknown",
     "Bulldozer family (model 0x05)"},
    {"AuthenticAMD", 0x1B, 0x00, 0x0, nullptr, 0, ZVT_UARCH_UNKNOWN, "unknown", "unknown",
     "unknown (family 0x1b, model 0x00)"},
    {"AuthenticAMD", 0xF, 0x03, 0x0, nullptr, 0, ZVT_UARCH_FAMILY, "unknown", "unknown", nullptr},
    {"AuthenticAMD", 0xF, 0x04, 0x0, nullptr, 0, ZVT_UARCH_EXACT, "K8",
     "ClawHammer / SledgeHammer / Newcastle / Paris / Odessa", nullptr},
    {"HygonGenuine", 0x18, 0x04, 0x0, nullptr, 0, ZVT_UARCH_FAMILY, "unknown", "unknown",
     "Dhyana family (model 0x04)"},
    {"HygonGenuine", 0x17, 0x01, 0x0, nullptr, 0, ZVT_UARCH_UNKNOWN, "unknown", "unknown", nullptr},
    // hybrids: the core type picks the row; a processor that tells none has the model's only kind of core
    {"GenuineIntel", 6, 0x97, 0x2, nullptr, 0, ZVT_UARCH_EXACT, "Golden Cove", "Alder Lake-S", nullptr},
    {"GenuineIntel", 6, 0x97, 0x2, nullptr, 0x40000001u, ZVT_UARCH_EXACT, "Golden Cove", "Alder Lake-S",
     nullptr},
    {"GenuineIntel", 6, 0x97, 0x2, nullptr, 0x20000001u, ZVT_UARCH_EXACT, "Gracemont", "Alder Lake-S",
     "Gracemont (Alder Lake-S)"},
    {"GenuineIntel", 6, 0xC5, 0x2, nullptr, 0x40000003u, ZVT_UARCH_EXACT, "Lion Cove", "Arrow Lake-H",
     nullptr},
    {"GenuineIntel", 6, 0xC5, 0x2, nullptr, 0x20000003u, ZVT_UARCH_EXACT, "Skymont", "Arrow Lake-H", nullptr},
    {"GenuineIntel", 6, 0xC5, 0x2, nullptr, 0x20000002u, ZVT_UARCH_EXACT, "Crestmont", "Arrow Lake-H",
     nullptr},
    {"GenuineIntel", 6, 0xC5, 0x2, nullptr, 0x20000009u, ZVT_UARCH_EXACT, "Skymont / Crestmont",
     "Arrow Lake-H", nullptr},
    {"GenuineIntel", 6, 0xC5, 0x2, nullptr, 0, ZVT_UARCH_EXACT, "Lion Cove + Skymont + Crestmont",
     "Arrow Lake-H", nullptr},
    {"GenuineIntel", 6, 0xBE, 0x0, nullptr, 0x20000001u, ZVT_UARCH_EXACT, "Gracemont", "Alder Lake-N",
     nullptr},
    {"GenuineIntel", 6, 0xAA, 0x4, nullptr, 0x20000002u, ZVT_UARCH_EXACT, "Crestmont",
     "Meteor Lake-H / Meteor Lake-U", nullptr},
    {"GenuineIntel", 0x12, 0x03, 0x0, nullptr, 0x20000000u, ZVT_UARCH_EXACT, "Arctic Wolf", "Nova Lake",
     nullptr},
    {"GenuineIntel", 0x13, 0x01, 0x0, nullptr, 0, ZVT_UARCH_EXACT, "Panther Cove", "Diamond Rapids", nullptr},
    // brand splits, in any case
    {"CentaurHauls", 6, 0x0F, 0xE, "ZHAOXIN KaiXian ZX-C+ C4580@1.83GHz", 0, ZVT_UARCH_EXACT, "ZhangJiang",
     "ZX-C", nullptr},
    {"CentaurHauls", 6, 0x0F, 0xF, "zhaoxin zx-c", 0, ZVT_UARCH_EXACT, "ZhangJiang", "ZX-C", nullptr},
    {"  Shanghai  ", 6, 0x0F, 0xE, "ZHAOXIN", 0, ZVT_UARCH_EXACT, "ZhangJiang", "ZX-C", nullptr},
    {"CentaurHauls", 6, 0x0F, 0xE, "VIA Eden X4 C4250@1.2+GHz", 0, ZVT_UARCH_EXACT, "Isaiah II", "Eden X4",
     nullptr},
    {"CentaurHauls", 6, 0x0F, 0xE, nullptr, 0, ZVT_UARCH_EXACT, "Isaiah II", "Eden X4", nullptr},
    {"CentaurHauls", 6, 0x0F, 0xD, "ZHAOXIN", 0, ZVT_UARCH_EXACT, "Isaiah", "Nano / Nano X2 / QuadCore",
     nullptr},
    {"CentaurHauls", 6, 0x0F, 0xB, nullptr, 0, ZVT_UARCH_FAMILY, "unknown", "unknown",
     "C3/C7/Nano family (model 0x0f)"},
    {"GenuineIntel", 6, 0x75, 0xA, "Spreadtrum SC9853I-IA   728MHz", 0, ZVT_UARCH_EXACT, "Airmont", "SC9853I",
     nullptr},
    {"GenuineIntel", 6, 0x75, 0xA, nullptr, 0, ZVT_UARCH_EXACT, "Airmont", "Lightning Mountain", nullptr},
    {"GenuineIntel", 6, 0x75, 0xA, "Spreadtrum", 0, ZVT_UARCH_EXACT, "Airmont", "SC9853I", nullptr},
    {"GenuineIntel", 6, 0x75, 0xA, "Spreadtrun", 0, ZVT_UARCH_EXACT, "Airmont", "Lightning Mountain",
     nullptr},
    {"AuthenticAMD", 6, 0x08, 0x1, "AMD Geode NX 1750", 0, ZVT_UARCH_EXACT, "K7", "Geode NX", nullptr},
    {"AuthenticAMD", 6, 0x08, 0x1, "AMD Athlon(tm) XP", 0, ZVT_UARCH_EXACT, "K7", "Thoroughbred / Applebred",
     nullptr},
    // VIA and IDT steppings (longhaul.c, centaur.c)
    {"CentaurHauls", 6, 0x07, 0x7, nullptr, 0, ZVT_UARCH_EXACT, "Samuel 2", "C5B", nullptr},
    {"CentaurHauls", 6, 0x07, 0x8, nullptr, 0, ZVT_UARCH_EXACT, "Ezra", "C5C", nullptr},
    {"CentaurHauls", 6, 0x09, 0x1, nullptr, 0, ZVT_UARCH_EXACT, "Nehemiah", "C5XLOE", nullptr},
    {"CentaurHauls", 6, 0x09, 0x2, nullptr, 0, ZVT_UARCH_EXACT, "Nehemiah", "C5XLOH", nullptr},
    {"CentaurHauls", 6, 0x09, 0x5, nullptr, 0, ZVT_UARCH_EXACT, "Nehemiah", "C5P", nullptr},
    {"CentaurHauls", 5, 0x08, 0x6, nullptr, 0, ZVT_UARCH_EXACT, "WinChip", "WinChip 2", nullptr},
    {"CentaurHauls", 5, 0x08, 0x7, nullptr, 0, ZVT_UARCH_EXACT, "WinChip", "WinChip 2A", nullptr},
    {"CentaurHauls", 5, 0x08, 0x9, nullptr, 0, ZVT_UARCH_EXACT, "WinChip", "WinChip 2A", nullptr},
    {"CentaurHauls", 5, 0x08, 0xA, nullptr, 0, ZVT_UARCH_EXACT, "WinChip", "WinChip 2B", nullptr},
    {"  Shanghai  ", 5, 0x08, 0xA, nullptr, 0, ZVT_UARCH_UNKNOWN, "unknown", "unknown", nullptr},
    // every vendor string
    {"AMDisbetter!", 5, 0x00, 0x0, nullptr, 0, ZVT_UARCH_EXACT, "K5", "SSA/5", nullptr},
    {"  Shanghai  ", 7, 0x3B, 0x2, nullptr, 0, ZVT_UARCH_EXACT, "LuJiaZui", "KX-6000 / KX-6000G / KH-30000",
     nullptr},
    {"CentaurHauls", 7, 0x1B, 0x0, nullptr, 0, ZVT_UARCH_EXACT, "WuDaoKou", "KX-5000 / KH-20000", nullptr},
    {"  Shanghai  ", 7, 0x0B, 0x3, nullptr, 0, ZVT_UARCH_FAMILY, "unknown", "unknown",
     "WuDaoKou/LuJiaZui/YongFeng family (model 0x0b)"},
    {"VIA VIA VIA ", 6, 0x06, 0x0, nullptr, 0, ZVT_UARCH_EXACT, "Samuel", "C5A", nullptr},
    {"Geode by NSC", 5, 0x05, 0x0, nullptr, 0, ZVT_UARCH_EXACT, "Geode GX", "Geode GX", nullptr},
    {"CyrixInstead", 6, 0x00, 0x0, nullptr, 0, ZVT_UARCH_EXACT, "6x86MX", "M2", nullptr},
    {"NexGenDriven", 5, 0x00, 0x4, nullptr, 0, ZVT_UARCH_EXACT, "Nx586", "Nx586", nullptr},
    {"RiseRiseRise", 5, 0x09, 0x0, nullptr, 0, ZVT_UARCH_EXACT, "mP6", "iDragon II", nullptr},
    {"SiS SiS SiS ", 5, 0x04, 0x0, nullptr, 0, ZVT_UARCH_EXACT, "mP6", "SiS55x", nullptr},
    {"UMC UMC UMC ", 4, 0x02, 0x0, nullptr, 0, ZVT_UARCH_EXACT, "U5", "U5S", nullptr},
    {"GenuineTMx86", 5, 0x04, 0x3, nullptr, 0, ZVT_UARCH_FAMILY, "unknown", "unknown",
     "Crusoe family (model 0x04)"},
    {"TransmetaCPU", 0xF, 0x02, 0x0, nullptr, 0, ZVT_UARCH_FAMILY, "unknown", "unknown", nullptr},
    {"Vortex86 SoC", 5, 0x02, 0x2, nullptr, 0, ZVT_UARCH_UNKNOWN, "unknown", "unknown",
     "unknown (family 0x5, model 0x02)"},
    {"GenuineInte", 6, 0x97, 0x2, nullptr, 0, ZVT_UARCH_UNKNOWN, "unknown", "unknown", nullptr},
    {"genuineintel", 6, 0x97, 0x2, nullptr, 0, ZVT_UARCH_UNKNOWN, "unknown", "unknown", nullptr},
    {nullptr, 6, 0x97, 0x2, nullptr, 0, ZVT_UARCH_UNKNOWN, "unknown", "unknown", nullptr},
};

TEST(UarchLookup, MadeUpSignaturesAtEverySplitEndAndGap)
{
    for (const MadeUp& c : kMadeUp)
    {
        SCOPED_TRACE(Text(c.vendor) + " " + Hex(c.family) + "/" + Hex(c.model) + "/" + Hex(c.stepping) + " " +
                     Text(c.brand) + " " + Hex(c.leaf1a));
        const ZVT_UARCH got = Lookup(c.vendor, c.family, c.model, c.stepping, c.brand, c.leaf1a);
        EXPECT_EQ(got.kind, c.kind);
        EXPECT_STREQ(zvtGetUarchKindName(got.kind), zvtGetUarchKindName(c.kind));
        EXPECT_STREQ(got.uarch, c.uarch);
        EXPECT_STREQ(got.codename, c.codename);
        if (c.text != nullptr)
        {
            EXPECT_STREQ(got.text, c.text);
        }
        EXPECT_EQ(got.family, c.family);
        EXPECT_EQ(got.model, c.model);
        EXPECT_EQ(got.stepping, c.stepping);
        EXPECT_EQ(got.coreType, c.leaf1a >> 24);
        EXPECT_EQ(got.nativeModel, c.leaf1a & 0xFFFFFFu);
        EXPECT_EQ(got.row < 0, c.kind == ZVT_UARCH_UNKNOWN);
        EXPECT_EQ(std::string(got.source).empty(), c.kind == ZVT_UARCH_UNKNOWN);
        EXPECT_EQ(std::string(got.generation) == "unknown", c.kind == ZVT_UARCH_UNKNOWN);
    }
}

struct Signature
{
    const char* vendor;
    std::uint32_t eax;
    std::uint32_t family;
    std::uint32_t model;
    std::uint32_t stepping;
};

// Leaf 1 EAX decoded by hand with each vendor's rule (Intel SDM vol. 2 CPUID; AMD APM vol. 3 Fn0000_0001).
const Signature kSignatures[] = {
    {"GenuineIntel", 0x000506E3u, 0x6, 0x5E, 0x3},  {"GenuineIntel", 0x000B06F2u, 0x6, 0xBF, 0x2},
    {"GenuineIntel", 0x00000F68u, 0xF, 0x06, 0x8},  {"GenuineIntel", 0x00300F10u, 0x12, 0x01, 0x0},
    {"GenuineIntel", 0x00400F10u, 0x13, 0x01, 0x0}, {"GenuineIntel", 0x00010681u, 0x6, 0x18, 0x1},
    {"GenuineIntel", 0x00010521u, 0x5, 0x02, 0x1},  {"AuthenticAMD", 0x00010681u, 0x6, 0x08, 0x1},
    {"AuthenticAMD", 0x00A20F10u, 0x19, 0x21, 0x0}, {"AuthenticAMD", 0x00100F23u, 0x10, 0x02, 0x3},
    {"AuthenticAMD", 0x00060FB1u, 0xF, 0x6B, 0x1},  {"AuthenticAMD", 0x00B40F40u, 0x1A, 0x44, 0x0},
    {"HygonGenuine", 0x00900F01u, 0x18, 0x00, 0x1}, {"CentaurHauls", 0x000507B3u, 0x7, 0x5B, 0x3},
    {"  Shanghai  ", 0x000307B2u, 0x7, 0x3B, 0x2},  {"CentaurHauls", 0x00010695u, 0x6, 0x19, 0x5},
    {"CentaurHauls", 0x00010585u, 0x5, 0x08, 0x5},  {"CyrixInstead", 0x00010520u, 0x5, 0x02, 0x0},
    {"GenuineTMx86", 0x00020F20u, 0xF, 0x22, 0x0},
};

TEST(UarchLookup, SignatureFollowsEachVendorsRule)
{
    for (const Signature& s : kSignatures)
    {
        std::uint32_t family = 0;
        std::uint32_t model = 0;
        std::uint32_t stepping = 0;
        zvtGetUarchSignature(zvtGetUarchVendor(s.vendor), s.eax, &family, &model, &stepping);
        EXPECT_EQ(family, s.family) << s.vendor << " " << Hex(s.eax);
        EXPECT_EQ(model, s.model) << s.vendor << " " << Hex(s.eax);
        EXPECT_EQ(stepping, s.stepping) << s.vendor << " " << Hex(s.eax);
    }
}

// An identity record made by hand: leaves past the highest one and a brand the range does not reach are not
// read, however much they hold.
TEST(UarchIdentity, ReadsOnlyTheLeavesTheRecordDefines)
{
    auto put = [](ZVT_CPUID_LEAF& leaf, const char* text) {
        std::uint32_t registers[4] = {0, 0, 0, 0};
        std::memcpy(registers, text, std::min<std::size_t>(std::strlen(text), 16));
        leaf = {registers[0], registers[1], registers[2], registers[3]};
    };
    ZVT_CPU_IDENTITY identity;
    std::memset(&identity, 0, sizeof identity);
    identity.size = ZVT_IDENTITY_SIZE;
    identity.basic[0] = {0xD, 0x746E6543u, 0x736C7561u, 0x48727561u}; // "CentaurHauls": EBX, ECX, EDX
    identity.basic[1].eax = 0x000006FEu;
    identity.basic[0x1A].eax = 0x20000003u; // beyond the highest basic leaf: never read
    identity.extended[0].eax = 0x80000004u;
    put(identity.extended[2], "ZHAOXIN KaiXian ");
    put(identity.extended[3], "ZX-C+ C4580");
    ZVT_UARCH got;
    EXPECT_EQ(zvtGetUarchOfIdentity(&identity, &got), ZVT_UARCH_EXACT);
    EXPECT_STREQ(got.uarch, "ZhangJiang");
    EXPECT_EQ(got.vendor, ZVT_UARCH_VENDOR_CENTAUR);
    EXPECT_EQ(got.coreType, 0u);

    identity.extended[0].eax = 0x80000003u; // the brand's last leaf is out of range: no brand at all
    EXPECT_EQ(zvtGetUarchOfIdentity(&identity, &got), ZVT_UARCH_EXACT);
    EXPECT_STREQ(got.uarch, "Isaiah II");

    identity.extended[0].eax = 0x00000002u; // an old processor's answer outside the extended range
    EXPECT_EQ(zvtGetUarchOfIdentity(&identity, &got), ZVT_UARCH_EXACT);
    EXPECT_STREQ(got.uarch, "Isaiah II");

    identity.basic[0].eax = 0; // no leaf 1
    EXPECT_EQ(zvtGetUarchOfIdentity(&identity, &got), ZVT_UARCH_UNKNOWN);
    EXPECT_STREQ(got.uarch, "unknown");
    EXPECT_EQ(got.row, -1);

    identity.basic[0] = {0x20, 0x756E6547u, 0x6C65746Eu, 0x49656E69u}; // "GenuineIntel"
    identity.basic[1].eax = 0x000C0652u;
    EXPECT_EQ(zvtGetUarchOfIdentity(&identity, &got), ZVT_UARCH_EXACT);
    EXPECT_STREQ(got.uarch, "Skymont") << "leaf 0x1A is within the highest basic leaf now";
    EXPECT_EQ(got.nativeModel, 3u);
}

// ----------------------------------------------------------------------------------------------------
// recorded

// The processor a row of the reviewed table is about: the first of its dump, or the first whose leaf 0x1A EAX
// is the core column.
CRecordedCpuid ProcessorOf(const TableRow& row)
{
    std::ifstream file(kData / row.at("dump"), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_TRUE(file.good()) << row.at("dump");
    std::vector<CRecordedCpuid> processors;
    DumpError error;
    EXPECT_TRUE(ParseCpuidDumpProcessors(text.str(), processors, error))
        << row.at("dump") << ":" << error.line;
    if (processors.empty())
        return CRecordedCpuid();
    if (row.at("core") == "-")
        return processors.front();
    const std::uint32_t leaf1a = static_cast<std::uint32_t>(std::stoul(row.at("core"), nullptr, 16));
    for (const CRecordedCpuid& processor : processors)
    {
        if (processor.Query(0x1A, 0).eax == leaf1a)
            return processor;
    }
    ADD_FAILURE() << row.at("dump") << ": no processor answers leaf 0x1A EAX " << row.at("core");
    return processors.front();
}

std::string VendorOf(const CRecordedCpuid& cpuid)
{
    const ZVT_CPUID_LEAF leaf0 = cpuid.Query(0, 0);
    char vendor[13] = {};
    std::memcpy(vendor, &leaf0.ebx, 4);
    std::memcpy(vendor + 4, &leaf0.edx, 4);
    std::memcpy(vendor + 8, &leaf0.ecx, 4);
    return vendor;
}

TEST(UarchRecorded, DumpsMatchTheReviewedTable)
{
    const auto rows = ReadTable(kData / "uarch-expected.tsv");
    ASSERT_GE(rows.size(), 85u);
    for (const TableRow& row : rows)
    {
        SCOPED_TRACE(row.at("dump") + " core " + row.at("core"));
        const CRecordedCpuid cpuid = ProcessorOf(row);
        const ZVT_UARCH got = OfCpuid(cpuid);
        EXPECT_EQ(VendorOf(cpuid), row.at("vendor"));
        EXPECT_EQ(Hex(got.family), row.at("family"));
        EXPECT_EQ(got.model, std::stoul(row.at("model"), nullptr, 16));
        EXPECT_EQ(got.stepping, std::stoul(row.at("stepping"), nullptr, 16));
        EXPECT_STREQ(zvtGetUarchKindName(got.kind), row.at("kind").c_str());
        EXPECT_EQ(got.uarch, row.at("uarch"));
        const auto alternatives = Alternatives(got.codename);
        EXPECT_NE(std::find(alternatives.begin(), alternatives.end(), row.at("codename")), alternatives.end())
            << row.at("codename") << " is not among " << got.codename;
        EXPECT_GE(row.at("source").size(), 20u);
    }
}

// Every recorded processor of the project is in the reviewed table: the fifty dumps and the emulated models.
TEST(UarchRecorded, EveryRecordingIsReviewed)
{
    std::set<std::string> reviewed;
    for (const TableRow& row : ReadTable(kData / "uarch-expected.tsv"))
        reviewed.insert(row.at("dump"));
    int dumps = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kData / "dumps"))
    {
        if (entry.path().extension() == ".raw")
        {
            ++dumps;
            EXPECT_EQ(reviewed.count("dumps/" + entry.path().filename().string()), 1u) << entry.path();
        }
    }
    EXPECT_EQ(dumps, 50);
    for (const std::string& name : DumpNames())
    {
        if (name.rfind("qemu", 0) == 0 || name.rfind("host-", 0) == 0)
        {
            EXPECT_EQ(reviewed.count("cpuid/" + name + ".txt"), 1u) << name;
        }
    }
}

// ---------------------------------------------------------------------------------------------------- live

// This machine's processor, read with the CPUID instruction into the identity record the library fills, is
// one the table names (its microarchitecture at least), whatever it is. The signature rules themselves are
// held by SignatureFollowsEachVendorsRule.
TEST(UarchLive, TheTableNamesThisProcessor)
{
    ZVT_CPU_IDENTITY identity;
    std::memset(&identity, 0, sizeof identity);
    ASSERT_EQ(FillIdentity(ProcessorCpuid(), identity), 0);
    ZVT_UARCH got;
    zvtGetUarchOfIdentity(&identity, &got);
    std::cout << "family " << Hex(got.family) << " model " << Hex(got.model) << " stepping " << got.stepping
              << ": " << got.text << " [" << zvtGetUarchKindName(got.kind) << "; " << got.source << "]\n";
    EXPECT_STRNE(got.uarch, "unknown") << got.text;
    EXPECT_GE(got.kind, ZVT_UARCH_GENERATION);
}

} // namespace
} // namespace zvt::test
