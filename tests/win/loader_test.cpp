// The loader object: binds every export of the library beside it, and frees the library exactly once.
#include <windows.h>

#include <gtest/gtest.h>

#include "ZVTX.h"

TEST(Loader, BindsAllSixExportsByName)
{
    CZVTXaddition zvt;
    ASSERT_NE(zvt.m_hModule, nullptr);
    auto address = [&](const char* name) {
        return reinterpret_cast<void*>(GetProcAddress(zvt.m_hModule, name));
    };
    EXPECT_EQ(reinterpret_cast<void*>(zvt.m_pfnGetIdentity), address("zvtGetIdentity"));
    EXPECT_EQ(reinterpret_cast<void*>(zvt.m_pfnGetInformation), address("zvtGetInformation"));
    EXPECT_EQ(reinterpret_cast<void*>(zvt.m_pfnGetWindowsVersion), address("zvtGetWindowsVersion"));
    EXPECT_EQ(reinterpret_cast<void*>(zvt.m_pfnIsWow64), address("zvtIsWow64"));
    EXPECT_EQ(reinterpret_cast<void*>(zvt.m_pfnGetFileVersion), address("zvtGetFileVersion"));
    EXPECT_EQ(reinterpret_cast<void*>(zvt.m_pfnGetTemporaryFileName), address("zvtGetTemporaryFileName"));
    EXPECT_NE(zvt.m_pfnGetTemporaryFileName, nullptr);
}

TEST(Loader, FreesTheLibraryOnceOnDestruction)
{
    ASSERT_EQ(GetModuleHandleW(L"zavsys.dll"), nullptr);
    HMODULE ours = LoadLibraryW(L"zavsys.dll"); // one reference of our own
    ASSERT_NE(ours, nullptr);
    {
        CZVTXaddition zvt;
        EXPECT_EQ(zvt.m_hModule, ours);
    }
    EXPECT_EQ(GetModuleHandleW(L"zavsys.dll"), ours) << "freed more than once";
    FreeLibrary(ours);
    EXPECT_EQ(GetModuleHandleW(L"zavsys.dll"), nullptr) << "not freed";
}
