// The library file's own resources: version block, strings and manifest, read as any tool reads them.
#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

std::vector<unsigned char> VersionBlock(const wchar_t* file)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(file, &handle);
    std::vector<unsigned char> block(size);
    if (size == 0 || !GetFileVersionInfoW(file, 0, size, block.data()))
    {
        block.clear();
    }
    return block;
}

std::wstring VersionString(std::vector<unsigned char>& block, const std::wstring& name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\041104b0\\" + name;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0)
    {
        return L"<missing>";
    }
    return std::wstring(static_cast<const wchar_t*>(value));
}

TEST(ModuleResources, VersionResourceOfTheLibrary)
{
    std::vector<unsigned char> block = VersionBlock(L"zavsys.dll");
    ASSERT_FALSE(block.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, (1u << 16) | 1600u);
    EXPECT_EQ(fixed->dwFileVersionLS, (14032u << 16) | 60689u);
    EXPECT_EQ(fixed->dwProductVersionMS, (1u << 16) | 1600u);
    EXPECT_EQ(fixed->dwProductVersionLS, (14032u << 16) | 60689u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
#ifdef _WIN64
    EXPECT_EQ(VersionString(block, L"InternalName"), L"ZVT-S1@AMD64");
#else
    EXPECT_EQ(VersionString(block, L"InternalName"), L"ZVT-S1@x86");
#endif
    EXPECT_EQ(VersionString(block, L"OriginalFilename"), L"zavsys.dll");
    EXPECT_EQ(VersionString(block, L"FileVersion"), L"1.1600.14032.60689");
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(*static_cast<const DWORD*>(value), (1200u << 16) | 0x411u);
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
