// zvtGetWindowsVersion: which bytes of the record a call writes for each size, and where the values
// come from (kernel32.dll's file version, GetProductInfo asked with 6, 0, 0, 0).
#include <windows.h>

#include <gtest/gtest.h>

#include "Sentinel.h"
#include "SystemTestSupport.h"
#include "ZavsysLibrary.h"

namespace
{
using PFN_GetProductInfo = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, PDWORD);

using zvt::test::kSentinel;

// The record at the start of ten sentinel words; the words after the first six are guards.
struct GuardedRecord
{
    explicit GuardedRecord(std::uint32_t size)
    {
        std::fill(std::begin(words), std::end(words), kSentinel);
        words[0] = size;
    }
    ZVT_WINDOWS_VERSION* Record()
    {
        return reinterpret_cast<ZVT_WINDOWS_VERSION*>(words);
    }
    std::uint32_t words[10];
};

class WindowsVersion : public ::testing::Test
{
protected:
    zvt::CZavsysLibrary m_library;
    PFN_zvtGetWindowsVersion m_pfnGetWindowsVersion = m_library.m_pfnGetWindowsVersion;
};

PFN_GetProductInfo FindGetProductInfo()
{
    return reinterpret_cast<PFN_GetProductInfo>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetProductInfo")));
}
} // namespace

TEST_F(WindowsVersion, FillsExactlyBytes4To23FromKernel32AndGetProductInfo)
{
    ASSERT_NE(m_pfnGetWindowsVersion, nullptr);
    const std::vector<std::int32_t> kernel32 = zvt::test::ReadFileVersion(L"kernel32.dll");
    ASSERT_EQ(kernel32.size(), 4u);
    const PFN_GetProductInfo getProductInfo = FindGetProductInfo();
    DWORD productType = kSentinel;
    std::int32_t expectedResult = 1;
    if (getProductInfo != nullptr)
    {
        productType = 0;
        expectedResult = getProductInfo(6, 0, 0, 0, &productType);
    }
    for (std::uint32_t size : {24u, 32u, 0xFFFFFFFFu})
    {
        GuardedRecord guarded(size);
        EXPECT_EQ(m_pfnGetWindowsVersion(guarded.Record()), expectedResult) << size;
        const std::vector<std::uint32_t> expected{size,
                                                  static_cast<std::uint32_t>(kernel32[3]),
                                                  static_cast<std::uint32_t>(kernel32[0]),
                                                  static_cast<std::uint32_t>(kernel32[1]),
                                                  static_cast<std::uint32_t>(kernel32[2]),
                                                  productType,
                                                  kSentinel,
                                                  kSentinel,
                                                  kSentinel,
                                                  kSentinel};
        EXPECT_EQ(std::vector<std::uint32_t>(std::begin(guarded.words), std::end(guarded.words)), expected)
            << size;
    }
}

TEST_F(WindowsVersion, TooSmallOrMissingRecordIsNotTouched)
{
    ASSERT_NE(m_pfnGetWindowsVersion, nullptr);
    for (std::uint32_t size : {0u, 23u})
    {
        GuardedRecord guarded(size);
        const GuardedRecord untouched(size);
        EXPECT_EQ(m_pfnGetWindowsVersion(guarded.Record()), 1) << size;
        EXPECT_EQ(std::vector<std::uint32_t>(std::begin(guarded.words), std::end(guarded.words)),
                  std::vector<std::uint32_t>(std::begin(untouched.words), std::end(untouched.words)));
    }
    EXPECT_EQ(m_pfnGetWindowsVersion(nullptr), 0);
}

TEST_F(WindowsVersion, TwoCallsAgree)
{
    ASSERT_NE(m_pfnGetWindowsVersion, nullptr);
    GuardedRecord first(ZVT_WINDOWS_VERSION_SIZE);
    GuardedRecord second(ZVT_WINDOWS_VERSION_SIZE);
    const std::int32_t firstResult = m_pfnGetWindowsVersion(first.Record());
    EXPECT_EQ(m_pfnGetWindowsVersion(second.Record()), firstResult);
    EXPECT_EQ(std::vector<std::uint32_t>(std::begin(first.words), std::end(first.words)),
              std::vector<std::uint32_t>(std::begin(second.words), std::end(second.words)));
}
