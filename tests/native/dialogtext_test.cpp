// The test dialog's lines: processor block, feature boxes, Windows, WOW64 and version lines.
#include <gtest/gtest.h>
#include <set>

#include "DialogText.h"
#include "SampleInformation.h"

namespace
{

int CheckedBit(std::uint32_t features)
{
    int checked = -1;
    for (const zvt::FeatureBox& box : zvt::kFeatureBoxes)
    {
        if (zvt::FeatureBoxState(features, box) != 0)
        {
            EXPECT_EQ(checked, -1) << "more than one box for one bit";
            checked = box.id;
        }
    }
    return checked;
}

} // namespace

TEST(DialogText, ProcessorBlockOrderAndRounding)
{
    // Base before extended here, although the record stores extended first.
    EXPECT_EQ(
        zvt::FormatProcessorText(zvt::test::SampleInformation(), L"FakeVendor", L"Fake Processor 9000"),
        L"Vendor name : FakeVendor\nModel name : Fake Processor 9000\nFrequency : 3390 MHz\nFamily : 23\n"
        L"Base family : 15\nExtended family : 8\nModel : 49\nBase model : 1\nExtended model : 3\n"
        L"Stepping : 5\nCores : 16\nLogical cores : 12\nThreads : 24\nFeature : 0x40020");
}

TEST(DialogText, FeatureNumberHasAtLeastFourDigits)
{
    ZVT_CPU_INFORMATION info{};
    const std::wstring cleared = zvt::FormatProcessorText(info, L"", L"");
    EXPECT_TRUE(cleared.starts_with(L"Vendor name : \nModel name : \nFrequency : 0 MHz\n"));
    EXPECT_TRUE(cleared.ends_with(L"\nThreads : 0\nFeature : 0x0000"));
    info.features = 0x20;
    EXPECT_TRUE(zvt::FormatProcessorText(info, L"", L"").ends_with(L"Feature : 0x0020"));
    info.features = 0x40000;
    EXPECT_TRUE(zvt::FormatProcessorText(info, L"", L"").ends_with(L"Feature : 0x40000"));
    info.features = 0xFFFFFFFF;
    EXPECT_TRUE(zvt::FormatProcessorText(info, L"", L"").ends_with(L"Feature : 0xFFFFFFFF"));
}

TEST(DialogText, NegativeAndNonFiniteFrequencyShowZero)
{
    ZVT_CPU_INFORMATION info{};
    for (float frequency : {-1.0f, 1.0e6f, __builtin_inff(), __builtin_nanf("")})
    {
        info.frequency = frequency;
        EXPECT_NE(zvt::FormatProcessorText(info, L"", L"").find(L"\nFrequency : 0 MHz\n"),
                  std::wstring::npos);
    }
}

TEST(DialogText, NoticeTakesTheVendorLine)
{
    const std::wstring notice = zvt::DescribeMissingLibrary(false, "");
    EXPECT_EQ(notice, L"\"zavsys.dll\" could not be loaded");
    EXPECT_TRUE(zvt::FormatProcessorText(ZVT_CPU_INFORMATION{}, L"", L"", notice)
                    .starts_with(L"\"zavsys.dll\" could not be loaded\nModel name : \nFrequency : 0 MHz\n"));
    EXPECT_EQ(zvt::DescribeMissingLibrary(true, "zvtIsWow64, zvtGetFileVersion"),
              L"zavsys.dll lacks zvtIsWow64, zvtGetFileVersion");
    EXPECT_EQ(zvt::DescribeMissingLibrary(true, ""), L"");
}

TEST(DialogText, EachBoxShowsItsOwnBit)
{
    EXPECT_EQ(CheckedBit(0x00001), 1014);  // 3DNow!
    EXPECT_EQ(CheckedBit(0x00002), 1015);  // 3DNow!+
    EXPECT_EQ(CheckedBit(0x00004), 1025);  // SSE4A
    EXPECT_EQ(CheckedBit(0x00100), 1018);  // MMX
    EXPECT_EQ(CheckedBit(0x00200), 1019);  // MMX+
    EXPECT_EQ(CheckedBit(0x00400), 1020);  // SSE
    EXPECT_EQ(CheckedBit(0x00800), 1021);  // SSE2
    EXPECT_EQ(CheckedBit(0x01000), 1022);  // SSE3
    EXPECT_EQ(CheckedBit(0x02000), 1023);  // SSE4.1
    EXPECT_EQ(CheckedBit(0x04000), 1024);  // SSE4.2
    EXPECT_EQ(CheckedBit(0x10000), 1016);  // AMD-V
    EXPECT_EQ(CheckedBit(0x20000), 1017);  // Intel-VT
    EXPECT_EQ(CheckedBit(0x40000), 1026);  // x86-64
    EXPECT_EQ(CheckedBit(0xFFF880F8), -1); // bits without a box
    std::set<int> ids;
    for (const zvt::FeatureBox& box : zvt::kFeatureBoxes)
    {
        ids.insert(box.id);
    }
    EXPECT_EQ(ids.size(), 13u);
    EXPECT_EQ(*ids.begin(), 1014);
    EXPECT_EQ(*ids.rbegin(), 1026);
}

TEST(DialogText, WindowsLinePutsRevisionLast)
{
    ZVT_WINDOWS_VERSION version{ZVT_WINDOWS_VERSION_SIZE, 4, 10, 0, 19041, 0x30};
    EXPECT_EQ(zvt::FormatWindowsLine(version), L" Windows 10 Pro  (10.0.19041.4)");
    EXPECT_EQ(zvt::FormatWindowsLine(ZVT_WINDOWS_VERSION{ZVT_WINDOWS_VERSION_SIZE, 0, 0, 0, 0, 0}),
              L" An unknown product  (0.0.0.0)");
}

TEST(DialogText, Wow64AndVersionLines)
{
    EXPECT_EQ(zvt::FormatWow64Line(0), L"WOW64 : no");
    EXPECT_EQ(zvt::FormatWow64Line(1), L"WOW64 : yes");
    EXPECT_EQ(zvt::FormatWow64Line(-7), L"WOW64 : yes");
    EXPECT_EQ(zvt::FormatVersionLine(L"TestZavit32.exe", {1, 1600, 14032, 60689}, {}),
              L"TestZavit32.exe Version : 1.1600.14032.60689  zavsys.dll  Version : 0.0.0.0");
}
