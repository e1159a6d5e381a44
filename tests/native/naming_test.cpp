// Vendor string, brand string, and the model names of processors without a brand string (against the
// reviewed table tests/data/model-names.tsv).
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "DataTable.h"
#include "Naming.h"

namespace zvt::test
{
namespace
{

TEST(VendorString, EbxEdxEcxAndTwoTerminators)
{
    VendorText vendor;
    std::memset(vendor, 'x', sizeof vendor);
    // "GenuineIntel" as the processor answers it: EBX "Genu", ECX "ntel", EDX "ineI".
    GetVendorString(ZVT_CPUID_LEAF{0x16, 0x756E6547, 0x6C65746E, 0x49656E69}, vendor);
    EXPECT_EQ(std::string(vendor, sizeof vendor), std::string("GenuineIntel\0\0", 14));
}

std::string Terminated(const ModelNameText& text)
{
    const void* end = std::memchr(text, '\0', sizeof text);
    return end == nullptr ? "<no terminator>" : std::string(text, static_cast<const char*>(end));
}

// The three brand leaves holding text (48 characters at most, the rest zero).
std::string BrandOf(const std::string& text)
{
    ZVT_CPUID_LEAF leaves[3] = {};
    std::memcpy(leaves, text.data(), std::min<std::size_t>(text.size(), sizeof leaves));
    ModelNameText brand;
    std::memset(brand, 'x', sizeof brand);
    GetBrandString(leaves[0], leaves[1], leaves[2], brand);
    return Terminated(brand);
}

TEST(BrandString, LeadingSpacesDropTrailingStay)
{
    EXPECT_EQ(BrandOf("       Intel(R) Core(TM) i7 CPU  "), "Intel(R) Core(TM) i7 CPU  ");
    EXPECT_EQ(BrandOf("AMD EPYC 7742 64-Core Processor"), "AMD EPYC 7742 64-Core Processor");
    EXPECT_EQ(BrandOf("\tTab"), "\tTab"); // only 0x20 counts as a space
    const std::string full(48, 'Z');
    EXPECT_EQ(BrandOf(full), full);
    EXPECT_EQ(BrandOf(std::string(47, ' ') + "Q"), "Q");
}

TEST(BrandString, NothingButSpacesOrZerosIsEmpty)
{
    EXPECT_EQ(BrandOf(std::string(48, ' ')), "");
    EXPECT_EQ(BrandOf(std::string(20, ' ')), "");
    EXPECT_EQ(BrandOf(""), "");
}

std::string ModelNameOf(std::int32_t family, std::int32_t model, const char* vendor)
{
    ModelNameText name;
    std::memset(name, 'x', sizeof name);
    GetModelName(family, model, vendor, name);
    return Terminated(name);
}

TEST(ModelName, ReviewedTableOfNames)
{
    const std::vector<TableRow> rows = ReadTable(std::filesystem::path(ZVT_TEST_DATA) / "model-names.tsv");
    ASSERT_GE(rows.size(), 70u);
    for (const TableRow& row : rows)
    {
        const std::string vendor = Unquoted(row.at("vendor"));
        const std::int32_t family = std::stoi(row.at("family"));
        const std::int32_t model = std::stoi(row.at("model"));
        EXPECT_EQ(ModelNameOf(family, model, vendor.c_str()), Unquoted(row.at("name")))
            << '"' << vendor << "\" " << family << '/' << model;
    }
}

} // namespace
} // namespace zvt::test
