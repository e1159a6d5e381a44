// Vendor string, brand string, and the vendor and model tables for processors without a brand string.
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "Naming.h"
#include "support/Synthetic.h"

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

TEST(ModelName, VendorTable)
{
    const struct
    {
        const char* vendor;
        const char* name;
    } cases[] = {
        {"CentaurHauls", "Centaur Prosesser"},
        {"Compaq FX32!", "Compaq Prosesser"},
        {"CyrixInstead", "Cyrix Prosesser"},
        {"GenuineTMx86", "Transmeta Prosesser"},
        {"Geode By NSC", "NSC Prosesser"},
        {"NexGenDriven", "NexGen Prosesser"},
        {"UMC UMC UMC ", "UMC Prosesser"},
        {"RiseRiseRise", "Rise Prosesser"},
        {"riseriserise", "Rise Prosesser"},
        {"genuineintel", "Intel Prosesser (Family 5)"},
        {"AUTHENTICAMD", "AMD K6"},
        {"UMC UMC UMC", "Unknown"},
        {"HygonGenuine", "Unknown"},
        {"GenuineIntel ", "Unknown"},
        {"GenuineInte", "Unknown"},
        {"", "Unknown"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(ModelNameOf(5, 6, c.vendor), c.name) << '"' << c.vendor << '"';
    }
}

TEST(ModelName, AmdAndIntelTablesByFamilyAndModel)
{
    constexpr const char* kAmd = "AuthenticAMD";
    constexpr const char* kIntel = "GenuineIntel";
    const struct
    {
        const char* vendor;
        std::int32_t family;
        std::int32_t model;
        const char* name;
    } cases[] = {
        // clang-format off
        {kAmd, 4, 0, "AMD Am486/Am5x86"}, {kAmd, 4, -7, "AMD Am486/Am5x86"},
        {kAmd, 5, 0, "AMD K5"}, {kAmd, 5, 1, "AMD K5"},
        {kAmd, 5, 2, "AMD Prosesser (Family 5)"}, {kAmd, 5, 3, "AMD Prosesser (Family 5)"},
        {kAmd, 5, 5, "AMD Prosesser (Family 5)"}, {kAmd, 5, 6, "AMD K6"},
        {kAmd, 5, 7, "AMD K6"}, {kAmd, 5, 8, "AMD K6-2"}, {kAmd, 5, 9, "AMD K6-3"},
        {kAmd, 5, 10, "AMD Prosesser (Family 5)"}, {kAmd, 5, -1, "AMD Prosesser (Family 5)"},
        {kAmd, 6, 0, "AMD Athlon/Duron"}, {kAmd, 6, 255, "AMD Athlon/Duron"},
        {kAmd, 15, 0, "AMD Prosesser"}, {kAmd, 23, 8, "AMD Prosesser"},
        {kAmd, 3, 0, "AMD Prosesser"}, {kAmd, -6, 0, "AMD Prosesser"},
        {kIntel, 4, 1, "Intel 486DX"}, {kIntel, 4, 2, "Intel 486SX"},
        {kIntel, 4, 3, "Intel 486DX2"}, {kIntel, 4, 4, "Intel 486SL"},
        {kIntel, 4, 5, "Intel 486SX2"}, {kIntel, 4, 7, "Intel 486DX2E"},
        {kIntel, 4, 8, "Intel 486DX4"}, {kIntel, 4, 6, "Intel Prosesser (Family 4)"},
        {kIntel, 4, 0, "Intel Prosesser (Family 4)"}, {kIntel, 4, 9, "Intel Prosesser (Family 4)"},
        {kIntel, 4, -1, "Intel Prosesser (Family 4)"}, {kIntel, 5, 0, "Intel Prosesser (Family 5)"},
        {kIntel, 5, 1, "Intel Pentium"}, {kIntel, 5, 3, "Intel Pentium"},
        {kIntel, 5, 4, "Intel Pentium MMX"}, {kIntel, 5, 5, "Intel Prosesser (Family 5)"},
        {kIntel, 6, 1, "Intel Pentium Pro"}, {kIntel, 6, 3, "Intel Pentium II"},
        {kIntel, 6, 5, "Intel Pentium II/Celeron/Xeon"}, {kIntel, 6, 6, "Intel Celeron"},
        {kIntel, 6, 7, "Intel Pentium III/Xeon"}, {kIntel, 6, 8, "Intel Pentium III/Celeron/Xeon"},
        {kIntel, 6, 9, "Intel Pentium M"}, {kIntel, 6, 12, "Intel Pentium M"},
        {kIntel, 6, 10, "Intel Xeon"}, {kIntel, 6, 11, "Intel Pentium III"},
        {kIntel, 6, 0, "Intel Prosesser (Family 6)"}, {kIntel, 6, 2, "Intel Prosesser (Family 6)"},
        {kIntel, 6, 4, "Intel Prosesser (Family 6)"}, {kIntel, 6, 13, "Intel Prosesser (Family 6)"},
        {kIntel, 6, 158, "Intel Prosesser (Family 6)"}, {kIntel, 6, -3, "Intel Prosesser (Family 6)"},
        {kIntel, 15, 2, "Intel Prosesser"}, {kIntel, 7, 1, "Intel Prosesser"},
        {kIntel, 0, 0, "Intel Prosesser"},
        // clang-format on
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(ModelNameOf(c.family, c.model, c.vendor), c.name)
            << c.vendor << ' ' << c.family << '/' << c.model;
    }
}

} // namespace
} // namespace zvt::test
