// The dump reader: both line formats, comments, the first processor's block only, and bad input.
#include <gtest/gtest.h>
#include <string>

#include "DumpReader.h"

namespace zvt::test
{
namespace
{

struct Parsed
{
    bool ok = false;
    CRecordedCpuid cpuid;
    DumpError error;
};

Parsed Parse(const std::string& text)
{
    Parsed parsed;
    parsed.ok = ParseCpuidDump(text, parsed.cpuid, parsed.error);
    return parsed;
}

void ExpectLeaf(const CRecordedCpuid& cpuid, std::uint32_t leaf, std::uint32_t subleaf,
                const ZVT_CPUID_LEAF& expected)
{
    EXPECT_TRUE(cpuid.Contains(leaf, subleaf)) << std::hex << leaf << '.' << subleaf;
    const ZVT_CPUID_LEAF r = cpuid.Query(leaf, subleaf);
    EXPECT_EQ(r.eax, expected.eax);
    EXPECT_EQ(r.ebx, expected.ebx);
    EXPECT_EQ(r.ecx, expected.ecx);
    EXPECT_EQ(r.edx, expected.edx);
}

TEST(DumpParser, ToolFormatFirstBlockOnly)
{
    const Parsed p =
        Parse("# cpuid -r\n"
              "CPU 0:\n"
              "   0x00000000 0x00: eax=0x0000000d ebx=0x756e6547 ecx=0x6c65746e edx=0x49656e69\r\n"
              "   0x00000004 0x00: eax=0x00000121 ebx=0x01c0003f ecx=0x0000003f edx=0x00000001\n"
              "\n"
              "   0x00000004 0x01: eax=0x00000122 ebx=0x01C0003F ecx=0x0000003f edx=0x00000001\n"
              "   0x80000000 0x00: eax=0x80000008 ebx=0 ecx=0 edx=0\n"
              "CPU 1:\n"
              "   0x00000000 0x00: eax=0x0000000b ebx=0x756e6547 ecx=0x6c65746e edx=0x49656e69\n"
              "   0x00000005 0x00: eax=0x00000001 ebx=0x00000002 ecx=0x00000003 edx=0x00000004\n");
    ASSERT_TRUE(p.ok) << p.error.line << ": " << p.error.message;
    EXPECT_EQ(p.cpuid.Entries().size(), 4u);
    ExpectLeaf(p.cpuid, 0, 0, {0x0D, 0x756E6547, 0x6C65746E, 0x49656E69});
    ExpectLeaf(p.cpuid, 4, 1, {0x122, 0x01C0003F, 0x3F, 1});
    ExpectLeaf(p.cpuid, 0x80000000u, 0, {0x80000008u, 0, 0, 0});
    EXPECT_FALSE(p.cpuid.Contains(5, 0));
    EXPECT_TRUE(p.cpuid.HasCpuid());
}

TEST(DumpParser, TextFormatRepeatsAreSubleavesAndANewLeafZeroEndsTheBlock)
{
    const Parsed p = Parse("# QEMU_CPU=pentium3 wine cpuiddump.exe\n"
                           "CPUID 00000000: 00000004-756E6547-6C65746E-49656E69\n"
                           "CPUID 00000004: 00000121-01C0003F-0000003F-00000001\n"
                           "  CPUID 00000004: 00000122-01c0003f-0000003f-00000001  \n"
                           "CPUID 80000001: 00000623-00000000-00000000-C1C3F3FD\n"
                           "CPUID 00000000: 0000000B-756E6547-6C65746E-49656E69\n"
                           "CPUID 00000005: 00000001-00000002-00000003-00000004\n");
    ASSERT_TRUE(p.ok) << p.error.line << ": " << p.error.message;
    EXPECT_EQ(p.cpuid.Entries().size(), 4u);
    ExpectLeaf(p.cpuid, 0, 0, {4, 0x756E6547, 0x6C65746E, 0x49656E69});
    ExpectLeaf(p.cpuid, 4, 1, {0x122, 0x01C0003F, 0x3F, 1});
    ExpectLeaf(p.cpuid, 0x80000001u, 0, {0x623, 0, 0, 0xC1C3F3FDu});
    EXPECT_FALSE(p.cpuid.Contains(5, 0));
}

TEST(DumpParser, LeafDumpsWithAByteOrderMark)
{
    const std::string text = "CPUID 00000000: 00000001-756E6547-6C65746E-49656E69\n"
                             "CPUID 00000001: 000306C4-00000800-FFFA3203-078BFBFD\n";
    const std::string tool =
        "CPU:\n"
        "   0x00000000 0x00: eax=0x00000001 ebx=0x756e6547 ecx=0x6c65746e edx=0x49656e69\n"
        "   0x00000001 0x00: eax=0x000306c4 ebx=0x00000800 ecx=0xfffa3203 edx=0x078bfbfd\n";
    std::string utf16;
    for (const char c : text)
    {
        utf16 += std::string(1, c) + '\0';
    }
    for (const std::string& marked : {"\xEF\xBB\xBF" + text, "\xEF\xBB\xBF" + tool, "\xFF\xFE" + utf16})
    {
        const Parsed p = Parse(marked);
        ASSERT_TRUE(p.ok) << p.error.line << ": " << p.error.message;
        EXPECT_EQ(p.cpuid.Entries().size(), 2u);
        ExpectLeaf(p.cpuid, 0, 0, {1, 0x756E6547, 0x6C65746E, 0x49656E69}); // the line right after the mark
        ExpectLeaf(p.cpuid, 1, 0, {0x000306C4, 0x800, 0xFFFA3203, 0x078BFBFD});
    }
}

TEST(DumpParser, HeadersBetweenBlocksEndTheFirst)
{
    const char* const dumps[] = {
        "CPUID 00000000: 00000001-756E6547-6C65746E-49656E69\n"
        "CPUID 00000001: 00000001-00000002-00000003-00000004\n"
        "------[ Logical CPU #1 ]------\n"
        "\n"
        "Another header\n"
        "CPUID 00000000: 00000001-756E6547-6C65746E-49656E69\n"
        "CPUID 00000001: 00000005-00000006-00000007-00000008\n",
        "CPU 0:\n"
        "   0x00000000 0x00: eax=0x00000001 ebx=0x756e6547 ecx=0x6c65746e edx=0x49656e69\n"
        "   0x00000001 0x00: eax=0x00000001 ebx=0x00000002 ecx=0x00000003 edx=0x00000004\n"
        "some header\n"
        "CPU 1:\n"
        "   0x00000001 0x00: eax=0x00000005 ebx=0x00000006 ecx=0x00000007 edx=0x00000008\n",
    };
    for (const char* dump : dumps)
    {
        const Parsed p = Parse(dump);
        ASSERT_TRUE(p.ok) << p.error.line << ": " << p.error.message;
        EXPECT_EQ(p.cpuid.Entries().size(), 2u);
        ExpectLeaf(p.cpuid, 1, 0, {1, 2, 3, 4});
    }
}

TEST(DumpParser, IdenticalRepeatsAreOneAnswer)
{
    const Parsed p = Parse("   0x00000000 0x00: eax=0x1 ebx=0x2 ecx=0x3 edx=0x4\n"
                           "   0x00000007 0x00: eax=0x0 ebx=0x29c6fbf ecx=0x0 edx=0x0\n"
                           "   0x00000007 0x00: eax=0x0 ebx=0x029C6FBF ecx=0x0 edx=0x0\n");
    ASSERT_TRUE(p.ok) << p.error.line << ": " << p.error.message;
    EXPECT_EQ(p.cpuid.Entries().size(), 2u);
    ExpectLeaf(p.cpuid, 7, 0, {0, 0x029C6FBF, 0, 0});
}

// A garbled line, and what lost or invented answers silently before (a block without leaf 0, two answers
// for one sub-leaf, text that belongs to no block): refused at the line that shows it.
TEST(DumpParser, BadLinesAreRefusedWithTheirNumber)
{
    const struct
    {
        const char* text;
        int line;
        const char* says;
    } cases[] = {
        {"# header\nCPU:\n   0x00000000 0x00: eax=0x0000000d ebx=zz ecx=0 edx=0\n", 3, "not a CPUID line"},
        {"CPU:\n   0x00000000 0x00: eax=0x1 ebx=0x2 ecx=0x3\n", 2, "not a CPUID line"},
        {"CPU:\n   0x00000000 0x00: eax=0x1 ebx=0x2 ecx=0x3 edx=0x4 extra\n", 2, "not a CPUID line"},
        {"CPUID 00000000: 00000001-756E6547-6C65746E-49656E69\nCPUID 00000001: 1-2-3\n", 2,
         "not a CPUID line"},
        {"CPUID 00000000: 00000001-756E6547-6C65746E-49656E69\nCPUID 00000001: 123456789-2-3-4\n", 2,
         "not a CPUID line"},
        {"\n\nCPUID : 1-2-3-4\n", 3, "not a CPUID line"},
        {"0x00000000: eax=1 ebx=2 ecx=3 edx=4\n", 1, "not a CPUID line"},
        {"# header\nCPU:\n   0x00000001 0x00: eax=0x1 ebx=0x2 ecx=0x3 edx=0x4\n", 3, "no basic leaf 0"},
        {"\nCPUID 80000000: 80000004-0-0-0\nCPUID 00000001: 1-2-3-4\n", 2, "no basic leaf 0"},
        {"   0x00000000 0x01: eax=0x1 ebx=0x2 ecx=0x3 edx=0x4\n   0x00000001 0x00: eax=0 ebx=0 ecx=0 edx=0\n",
         1, "no basic leaf 0"},
        {"CPU:\n   0x00000000 0x00: eax=0x1 ebx=0x2 ecx=0x3 edx=0x4\n"
         "   0x00000004 0x01: eax=0x1 ebx=0x2 ecx=0x3 edx=0x4\n"
         "   0x00000004 0x01: eax=0x1 ebx=0x2 ecx=0x3 edx=0x5\n",
         4, "leaf 0x00000004 sub-leaf 1 has a different answer on line 3"},
        {"CPUID 00000000: 1-2-3-4\nCPUID 00000001: 1-2-3-4\nthe end\n\n# done\n", 3,
         "unexpected text after the CPUID leaves: the end"},
        {"CPUID 00000000: 1-2-3-4\n[ more ]\nCPUID 00000001: 1-2-3-4\n", 2, "not a CPUID line: [ more ]"},
    };
    for (const auto& c : cases)
    {
        const Parsed p = Parse(c.text);
        EXPECT_FALSE(p.ok) << c.text;
        EXPECT_EQ(p.error.line, c.line) << c.text << p.error.message;
        EXPECT_NE(p.error.message.find(c.says), std::string::npos) << c.text << p.error.message;
    }
}

// The whole message, where a refusal could point at the wrong one of two lines: an answer that differs
// in any one register is a second answer, and of several stray lines the first is the one named.
TEST(DumpParser, RefusalsNameTheFirstLineAtFault)
{
    const std::string leaves = "CPU:\n   0x00000000 0x00: eax=0x1 ebx=0x2 ecx=0x3 edx=0x4\n"
                               "   0x00000004 0x01: eax=0x1 ebx=0x2 ecx=0x3 edx=0x4\n";
    const std::string twoLeaves = "CPUID 00000000: 1-2-3-4\nCPUID 00000001: 1-2-3-4\n";
    const struct
    {
        std::string text;
        int line;
        const char* message;
    } cases[] = {
        {leaves + "   0x00000004 0x01: eax=0x9 ebx=0x2 ecx=0x3 edx=0x4\n", 4,
         "leaf 0x00000004 sub-leaf 1 has a different answer on line 3"},
        {leaves + "   0x00000004 0x01: eax=0x1 ebx=0x9 ecx=0x3 edx=0x4\n", 4,
         "leaf 0x00000004 sub-leaf 1 has a different answer on line 3"},
        {leaves + "   0x00000004 0x01: eax=0x1 ebx=0x2 ecx=0x9 edx=0x4\n", 4,
         "leaf 0x00000004 sub-leaf 1 has a different answer on line 3"},
        {leaves + "   0x00000004 0x02: eax=0x1 ebx=0x2 ecx=0x9 edx=0x4\n"
                  "   0x00000004 0x01: eax=0x1 ebx=0x2 ecx=0x3 edx=0x4\n"
                  "   0x00000004 0x02: eax=0x1 ebx=0x2 ecx=0x3 edx=0x4\n",
         6, "leaf 0x00000004 sub-leaf 2 has a different answer on line 4"},
        {twoLeaves + "first stray\nsecond stray\n", 3, "unexpected text after the CPUID leaves: first stray"},
        {twoLeaves + "\nfirst stray\n# a comment\nsecond stray\n\n", 4,
         "unexpected text after the CPUID leaves: first stray"},
        {twoLeaves + "first stray\nsecond stray\nCPUID 00000002: 1-2-3-4\n", 3,
         "not a CPUID line: first stray"},
    };
    for (const auto& c : cases)
    {
        const Parsed p = Parse(c.text);
        EXPECT_FALSE(p.ok) << c.text;
        EXPECT_EQ(p.error.line, c.line) << c.text;
        EXPECT_EQ(p.error.message, c.message) << c.text;
    }
}

TEST(DumpParser, NoLeavesIsAnError)
{
    for (const char* text : {"", "\n\n", "# only a comment\n", "CPU:\n", "no CPUID\n"})
    {
        const Parsed p = Parse(text);
        EXPECT_FALSE(p.ok) << '"' << text << '"';
        EXPECT_EQ(p.error.line, 0);
    }
}

} // namespace
} // namespace zvt::test
