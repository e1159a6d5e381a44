// The library file's own resources: version block, strings and manifest, read as any tool reads them.
#include <windows.h>

#include <gtest/gtest.h>
#include <string>

#include "VersionResource.h"

namespace
{

using zvt::test::CVersionResource;

TEST(ModuleResources, VersionResourceOfTheLibrary)
{
    const CVersionResource resource(L"zavsys.dll");
    ASSERT_TRUE(resource.IsRead());
    const VS_FIXEDFILEINFO* fixed = resource.Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwFileVersionMS, (1u << 16) | 1600u);
    EXPECT_EQ(fixed->dwFileVersionLS, (14032u << 16) | 60689u);
    EXPECT_EQ(fixed->dwProductVersionMS, (1u << 16) | 1600u);
    EXPECT_EQ(fixed->dwProductVersionLS, (14032u << 16) | 60689u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
#ifdef _WIN64
    EXPECT_EQ(resource.String(L"InternalName"), L"ZVT-S1@AMD64");
#else
    EXPECT_EQ(resource.String(L"InternalName"), L"ZVT-S1@x86");
#endif
    EXPECT_EQ(resource.String(L"OriginalFilename"), L"zavsys.dll");
    EXPECT_EQ(resource.String(L"FileVersion"), L"1.1600.14032.60689");
    UINT length = 0;
    const void* translation = resource.Value(L"\\VarFileInfo\\Translation", &length);
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(*static_cast<const DWORD*>(translation), (1200u << 16) | 0x411u);
}

TEST(ModuleResources, ManifestAsksForNoElevationAndDeclaresDpiAwareness)
{
    HMODULE module = LoadLibraryExW(L"zavsys.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC resource = FindResourceExW(module, MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(2),
                                     MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_NE(resource, nullptr);
    const auto* text = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    const std::string manifest(text, SizeofResource(module, resource));
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
    FreeLibrary(module);
}

} // namespace
