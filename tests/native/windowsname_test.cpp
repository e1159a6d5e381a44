// The Windows name: edition table oddities, version names, suffix rules and the blanks between parts.
#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

#include "WindowsName.h"

namespace
{

std::wstring Name(std::uint32_t productType, std::uint32_t major, std::uint32_t minor,
                  std::uint32_t build = 0, std::uint32_t revision = 0)
{
    ZVT_WINDOWS_VERSION record{};
    record.size = ZVT_WINDOWS_VERSION_SIZE;
    record.productType = productType;
    record.major = major;
    record.minor = minor;
    record.build = build;
    record.revision = revision;
    wchar_t output[kWindowsNameCapacity];
    std::fill(std::begin(output), std::end(output), L'#');
    GetWindowsName(record, output);
    return output;
}

} // namespace

TEST(WindowsName, EditionThatNamesWindowsGetsNoVersionName)
{
    EXPECT_EQ(Name(0x30, 10, 0, 19045, 1), L" Windows 10 Pro ");
    EXPECT_EQ(Name(0x30, 6, 1, 7601), L" Windows 10 Pro Service Pack 1");
    EXPECT_EQ(Name(0x65, 6, 3, 9600), L" Windows 10 Home Update1");
}

TEST(WindowsName, PlainEditionGetsVersionNameAndSuffix)
{
    EXPECT_EQ(Name(0x06, 6, 1, 7601), L"Windows 7 Professional Service Pack 1");
    EXPECT_EQ(Name(0x06, 6, 0, 6002), L"Windows Vista Business Service Pack 2");
    EXPECT_EQ(Name(0x06, 6, 0, 6001), L"Windows Vista Business Service Pack 1");
    EXPECT_EQ(Name(0x06, 10, 0), L"Windows 10 Professional ");
    EXPECT_EQ(Name(0x01, 6, 2, 9200), L"Windows 8 Ultimate ");
    EXPECT_EQ(Name(0x07, 5, 2, 3790), L"Windows Server 2003 Server Standard ");
    EXPECT_EQ(Name(0x07, 4, 0), L" Server Standard ");
}

TEST(WindowsName, OddTextsStandAsTheyAre)
{
    // The leading blank of 0x62 defeats the "Win" test, so a version name goes in front.
    EXPECT_EQ(Name(0x62, 10, 0), L"Windows 10  Windows 10 Home N ");
    EXPECT_EQ(Name(0x26, 6, 1), L"Windows 7  Server Enterprise without Hyper - V(full installation) ");
    EXPECT_EQ(Name(0x2D, 6, 0), L"Windows Vista Storage Server Workgroup(core installation)) ");
    EXPECT_EQ(Name(0x36, 6, 1), Name(0x37, 6, 1));
    EXPECT_EQ(Name(0x44, 6, 1), L"Windows 7 Not supported ");
    EXPECT_EQ(Name(0x85, 10, 0), L" Windows 10 Mobile Enterprise ");
}

TEST(WindowsName, CodesWithoutRowGiveWindows)
{
    for (std::uint32_t code : {0x39u, 0x3Au, 0x41u, 0x4Bu, 0x61u, 0x66u, 0x84u, 0x86u, 0xFFFFFFFFu})
    {
        EXPECT_EQ(Name(code, 6, 1, 7601), L" Windows Service Pack 1") << std::hex << code;
    }
}

TEST(WindowsName, ClearedRecord)
{
    EXPECT_EQ(Name(0, 0, 0), L" An unknown product ");
    EXPECT_EQ(Name(0, 5, 1, 2600, 2180), L"Windows XP An unknown product Service Pack 3");
}

TEST(WindowsName, SuffixFieldDependsOnVersion)
{
    // XP: the revision decides, not the build.
    EXPECT_EQ(Name(0x01, 5, 1, 2180, 0), L"Windows XP Ultimate ");
    EXPECT_EQ(Name(0x01, 5, 1, 0, 1105), L"Windows XP Ultimate Service Pack 1");
    EXPECT_EQ(Name(0x01, 5, 1, 0, 1106), L"Windows XP Ultimate Service Pack 1");
    // Server 2003: the build decides, not the revision.
    EXPECT_EQ(Name(0x01, 5, 2, 1180, 0), L"Windows Server 2003 Ultimate Service Pack 1");
    EXPECT_EQ(Name(0x01, 5, 2, 0, 1180), L"Windows Server 2003 Ultimate ");
    // 6.2 and 10.0 never get one; 6.3 only with build 9600.
    EXPECT_EQ(Name(0x01, 6, 2, 9600), L"Windows 8 Ultimate ");
    EXPECT_EQ(Name(0x01, 6, 3, 9601), L"Windows 8.1 Ultimate ");
    EXPECT_EQ(Name(0x01, 10, 0, 7601, 7601), L"Windows 10 Ultimate ");
    EXPECT_EQ(Name(0x01, 6, 1, 7600), L"Windows 7 Ultimate ");
}

TEST(WindowsName, LongestResultFitsUncut)
{
    const std::wstring longest = Name(0x26, 5, 2, 1180);
    EXPECT_EQ(longest,
              L"Windows Server 2003  Server Enterprise without Hyper - V(full installation) Service Pack 1");
    EXPECT_LT(longest.size(), kWindowsNameCapacity);
}
