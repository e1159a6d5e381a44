// zvtGetFileVersion: the fixed file version of system files, of the library itself and of files the
// tests make; outputs start as sentinels to show what a call leaves untouched.
#include <windows.h>

#include <gtest/gtest.h>

#include "Sentinel.h"
#include "SystemTestSupport.h"
#include "TempFiles.h"
#include "ZavsysLibrary.h"

namespace
{
using zvt::test::kSignedSentinel;

class FileVersion : public ::testing::Test
{
protected:
    // {result, major, minor, build, revision}, every output starting as the sentinel.
    std::vector<std::int32_t> Query(const wchar_t* fileName) const
    {
        std::int32_t parts[4] = {kSignedSentinel, kSignedSentinel, kSignedSentinel, kSignedSentinel};
        const std::int32_t result = m_pfnGetFileVersion(fileName, &parts[0], &parts[1], &parts[2], &parts[3]);
        return {result, parts[0], parts[1], parts[2], parts[3]};
    }

    zvt::CZavsysLibrary m_library;
    PFN_zvtGetFileVersion m_pfnGetFileVersion = m_library.m_pfnGetFileVersion;
    const std::vector<std::int32_t> m_untouched{ZVT_E_FAILED, kSignedSentinel, kSignedSentinel,
                                                kSignedSentinel, kSignedSentinel};
};

std::wstring ModulePath(HMODULE module)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}
} // namespace

TEST_F(FileVersion, Kernel32MatchesTheVersionApi)
{
    ASSERT_NE(m_pfnGetFileVersion, nullptr);
    const std::vector<std::int32_t> expected = zvt::test::ReadFileVersion(L"kernel32.dll");
    ASSERT_EQ(expected.size(), 4u);
    std::vector<std::int32_t> withResult{ZVT_OK};
    withResult.insert(withResult.end(), expected.begin(), expected.end());
    EXPECT_EQ(Query(L"kernel32.dll"), withResult);
}

TEST_F(FileVersion, LibraryByBareNameAndByFullPath)
{
    ASSERT_NE(m_pfnGetFileVersion, nullptr);
    const std::vector<std::int32_t> expected{ZVT_OK, 1, 1600, 14032, 60689};
    EXPECT_EQ(Query(L"zavsys.dll"), expected);
    EXPECT_EQ(Query(ModulePath(m_library.m_hModule).c_str()), expected);
}

TEST_F(FileVersion, PartsOf65535AndFileNotProductVersion)
{
    ASSERT_NE(m_pfnGetFileVersion, nullptr);
    // A resource-only library: file version 65535.1.2.65535, product version 9.9.9.9.
    const std::vector<std::int32_t> expected{ZVT_OK, 65535, 1, 2, 65535};
    EXPECT_EQ(Query(L"versiononly.dll"), expected);
}

TEST_F(FileVersion, NoVersionResourceNoFileNoNameTouchNothing)
{
    ASSERT_NE(m_pfnGetFileVersion, nullptr);
    const zvt::test::CTempDirectory scratch;
    const std::wstring textFile = scratch.Path(L"plain.txt");
    zvt::test::WriteBytes(textFile, zvt::test::ToBytes("no version here\r\n"));

    EXPECT_EQ(Query(textFile.c_str()), m_untouched);
    EXPECT_EQ(Query(scratch.Path(L"missing.dll").c_str()), m_untouched);
    EXPECT_EQ(Query(nullptr), m_untouched);
}

TEST_F(FileVersion, NullOutputsAreSkipped)
{
    ASSERT_NE(m_pfnGetFileVersion, nullptr);
    EXPECT_EQ(m_pfnGetFileVersion(L"zavsys.dll", nullptr, nullptr, nullptr, nullptr), ZVT_OK);

    std::int32_t minor = kSignedSentinel;
    std::int32_t revision = kSignedSentinel;
    EXPECT_EQ(m_pfnGetFileVersion(L"zavsys.dll", nullptr, &minor, nullptr, &revision), ZVT_OK);
    EXPECT_EQ(minor, 1600);
    EXPECT_EQ(revision, 60689);
}
