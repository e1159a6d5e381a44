// The loader object: binds every export of the library beside it, and frees the library exactly once.
#include <windows.h>

#include <gtest/gtest.h>

#include "ExportTable.h"
#include "ZVTX.h"

// The rows the loader has a pointer for, each bound to the address of the export of that name; a template,
// so that the rows it has no member for drop out.
template <typename Loader> int CheckBoundRows(const Loader& zvt)
{
    int bound = 0;
#define ZVT_CHECK_ROW(name, member, ordinal, bytes)                                                          \
    if constexpr (requires { zvt.member; })                                                                  \
    {                                                                                                        \
        EXPECT_NE(zvt.member, nullptr) << #name;                                                             \
        EXPECT_EQ(reinterpret_cast<void*>(zvt.member),                                                       \
                  reinterpret_cast<void*>(GetProcAddress(zvt.m_hModule, #name)))                             \
            << #name;                                                                                        \
        ++bound;                                                                                             \
    }
    ZVT_EXPORT_TABLE(ZVT_CHECK_ROW)
#undef ZVT_CHECK_ROW
    return bound;
}

TEST(Loader, BindsEveryExportItHasAPointerForByName)
{
    CZVTXaddition zvt;
    ASSERT_NE(zvt.m_hModule, nullptr);
    EXPECT_EQ(CheckBoundRows(zvt), 6) << "the dialog's loader binds the six exports it shows";
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
