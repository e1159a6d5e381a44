// The box classes linked in directly: what building the system object leaves in each part, and the
// file-version query when its memory cannot be had (calloc is wrapped at link time).
#include <windows.h>

#include <cstring>
#include <gtest/gtest.h>

#include "FailingCalloc.h"
#include "FileBox.h"

namespace
{
template <typename T> bool SameBytes(const T& left, const T& right)
{
    return std::memcmp(&left, &right, sizeof(T)) == 0;
}

// Makes calloc fail for its lifetime.
struct CallocFails
{
    CallocFails()
    {
        g_bFailCalloc = true;
    }
    ~CallocFails()
    {
        g_bFailCalloc = false;
    }
};

// Answers the opposite of the system: an address left over in the slot must never be called.
BOOL g_bSystemAnswer = FALSE;
BOOL WINAPI StaleIsWow64Process(HANDLE, PBOOL isWow64)
{
    *isWow64 = !g_bSystemAnswer;
    return TRUE;
}
} // namespace

TEST(SystemObject, EachPartHoldsWhatItsConstructorRead)
{
    const CFileBox box;
    ZVT_WINDOWS_VERSION fresh{};
    fresh.size = ZVT_WINDOWS_VERSION_SIZE;
    CWindowsBox::FillWindowsVersion(&fresh);
    ASSERT_NE(fresh.major, 0u);
    EXPECT_TRUE(SameBytes(box.m_windowsVersion, fresh));
    EXPECT_TRUE(SameBytes(box.m_timeBox.m_windowsVersion, fresh));

    OSVERSIONINFOW osVersionInfo{};
    osVersionInfo.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
    ASSERT_TRUE(GetVersionExW(&osVersionInfo));
    EXPECT_EQ(box.m_osVersionInfo.dwOSVersionInfoSize, 276u);
    EXPECT_TRUE(SameBytes(box.m_osVersionInfo, osVersionInfo));
    EXPECT_TRUE(SameBytes(box.m_timeBox.m_osVersionInfo, OSVERSIONINFOW{})); // the member's stays empty

    TIME_ZONE_INFORMATION timeZone{};
    GetTimeZoneInformation(&timeZone);
    EXPECT_TRUE(SameBytes(box.m_timeBox.m_timeZoneInformation, timeZone));
    EXPECT_EQ(box.m_pfnIsWow64Process, nullptr);
    EXPECT_EQ(box.m_timeBox.m_pfnIsWow64Process, nullptr);
}

TEST(SystemObject, WindowsPartAloneFillsOnlyItsVersionRecord)
{
    const CWindowsBox box;
    ZVT_WINDOWS_VERSION fresh{};
    fresh.size = ZVT_WINDOWS_VERSION_SIZE;
    CWindowsBox::FillWindowsVersion(&fresh);
    EXPECT_TRUE(SameBytes(box.m_windowsVersion, fresh));
    EXPECT_TRUE(SameBytes(box.m_osVersionInfo, OSVERSIONINFOW{})); // only the system object's own is filled
    EXPECT_EQ(box.m_pfnIsWow64Process, nullptr);
}

TEST(SystemObject, IsWow64LooksTheFunctionUpAfreshOnEveryCall)
{
    CFileBox box;
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    ASSERT_NE(kernel32, nullptr);
    const auto* isWow64Process = reinterpret_cast<void*>(GetProcAddress(kernel32, "IsWow64Process"));
    ASSERT_NE(isWow64Process, nullptr);
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &g_bSystemAnswer));
    for (int call = 0; call < 2; ++call)
    {
        box.m_pfnIsWow64Process = &StaleIsWow64Process;
        EXPECT_EQ(box.IsWow64() != 0, g_bSystemAnswer != FALSE);
        EXPECT_EQ(reinterpret_cast<void*>(box.m_pfnIsWow64Process), isWow64Process);
        EXPECT_EQ(box.m_timeBox.m_pfnIsWow64Process, nullptr);
    }
}

TEST(FileVersionMemory, ExhaustedMemoryLeavesOutputsAndRecordUntouched)
{
    std::int32_t parts[4] = {7, 7, 7, 7};
    ZVT_WINDOWS_VERSION version{ZVT_WINDOWS_VERSION_SIZE, 9, 9, 9, 9, 9};
    const ZVT_WINDOWS_VERSION before = version;
    {
        CallocFails failing;
        EXPECT_EQ(CFileBoxA::GetFileVersion(L"kernel32.dll", &parts[0], &parts[1], &parts[2], &parts[3]),
                  ZVT_E_FAILED);
        EXPECT_EQ(CWindowsBox::FillWindowsVersion(&version), 0);
    }
    EXPECT_EQ(std::vector<std::int32_t>(std::begin(parts), std::end(parts)), std::vector<std::int32_t>(4, 7));
    EXPECT_TRUE(SameBytes(version, before));
    EXPECT_EQ(CFileBoxA::GetFileVersion(L"kernel32.dll", &parts[0], &parts[1], &parts[2], &parts[3]), ZVT_OK);
}
