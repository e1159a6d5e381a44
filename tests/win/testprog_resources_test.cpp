// The test program's resources as the system reads them from the built file: dialog templates, the about
// menu text, the icon sizes, the manifest and the version resource of this width. What a template must be
// whatever the layout (plain check boxes for the features) is checked here; the layout's bytes are held by
// the output snapshot (scripts/snapshot-outputs.sh), since TestZavit.rc is their one source.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "VersionResource.h"
#include "zavsys.h"

namespace
{

const WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// One control of a DIALOGEX template; predefined classes by name.
struct Item
{
    int id;
    std::wstring className;
    std::wstring text; // "#128" for an ordinal
    DWORD style;
    short x, y, cx, cy;
};

struct Template
{
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring caption;
    WORD pointSize = 0;
    BYTE charSet = 0;
    std::wstring typeface;
    std::vector<Item> items;
};

class Reader
{
public:
    explicit Reader(const BYTE* p) : m_p(p)
    {
    }
    template <typename T> T Read()
    {
        T value;
        std::memcpy(&value, m_p, sizeof value);
        m_p += sizeof value;
        return value;
    }
    // A string, an ordinal (as "#n") or nothing.
    std::wstring ReadNameOrOrdinal()
    {
        const WORD first = Read<WORD>();
        if (first == 0xFFFF)
        {
            return L"#" + std::to_wstring(Read<WORD>());
        }
        std::wstring text;
        for (WORD c = first; c != 0; c = Read<WORD>())
        {
            text += static_cast<wchar_t>(c);
        }
        return text;
    }
    void AlignToDword(const BYTE* base)
    {
        while ((m_p - base) % 4 != 0)
        {
            ++m_p;
        }
    }
    void Skip(std::size_t bytes)
    {
        m_p += bytes;
    }

private:
    const BYTE* m_p;
};

// Predefined classes by name, in one spelling: compilers write them as ordinals or as upper-case names.
std::wstring ClassName(const std::wstring& raw)
{
    if (raw == L"#128" || lstrcmpiW(raw.c_str(), L"Button") == 0)
    {
        return L"Button";
    }
    if (raw == L"#130" || lstrcmpiW(raw.c_str(), L"Static") == 0)
    {
        return L"Static";
    }
    return raw;
}

class ProgramResources : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_module = LoadLibraryExW(ZVT_PROGRAM, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override
    {
        FreeLibrary(m_module);
    }

    const BYTE* Resource(const wchar_t* type, int id, DWORD* size = nullptr)
    {
        return ResourceOf(m_module, type, id, size);
    }

    static const BYTE* ResourceOf(HMODULE module, const wchar_t* type, int id, DWORD* size = nullptr)
    {
        HRSRC info = FindResourceExW(module, type, MAKEINTRESOURCEW(id), kJapanese);
        if (info == nullptr)
        {
            return nullptr;
        }
        if (size != nullptr)
        {
            *size = SizeofResource(module, info);
        }
        return static_cast<const BYTE*>(LockResource(LoadResource(module, info)));
    }

    Template Dialog(int id)
    {
        Template dialog;
        const BYTE* base = Resource(RT_DIALOG, id);
        if (base == nullptr)
        {
            ADD_FAILURE() << "no dialog " << id;
            return dialog;
        }
        Reader reader(base);
        EXPECT_EQ(reader.Read<WORD>(), 1);      // version
        EXPECT_EQ(reader.Read<WORD>(), 0xFFFF); // extended template
        reader.Read<DWORD>();                   // help id
        dialog.exStyle = reader.Read<DWORD>();
        dialog.style = reader.Read<DWORD>();
        const WORD count = reader.Read<WORD>();
        dialog.x = reader.Read<short>();
        dialog.y = reader.Read<short>();
        dialog.cx = reader.Read<short>();
        dialog.cy = reader.Read<short>();
        EXPECT_EQ(reader.ReadNameOrOrdinal(), L""); // no menu
        EXPECT_EQ(reader.ReadNameOrOrdinal(), L""); // the standard dialog class
        dialog.caption = reader.ReadNameOrOrdinal();
        dialog.pointSize = reader.Read<WORD>();
        EXPECT_EQ(reader.Read<WORD>(), 0); // weight
        EXPECT_EQ(reader.Read<BYTE>(), 0); // italic
        dialog.charSet = reader.Read<BYTE>();
        dialog.typeface = reader.ReadNameOrOrdinal();
        for (WORD i = 0; i < count; ++i)
        {
            reader.AlignToDword(base);
            Item item;
            reader.Read<DWORD>(); // help id
            EXPECT_EQ(reader.Read<DWORD>(), 0u) << "extended style of item " << i;
            item.style = reader.Read<DWORD>();
            item.x = reader.Read<short>();
            item.y = reader.Read<short>();
            item.cx = reader.Read<short>();
            item.cy = reader.Read<short>();
            item.id = static_cast<int>(reader.Read<DWORD>());
            item.className = ClassName(reader.ReadNameOrOrdinal());
            item.text = reader.ReadNameOrOrdinal();
            reader.Skip(reader.Read<WORD>());
            dialog.items.push_back(item);
        }
        return dialog;
    }

    HMODULE m_module = nullptr;
};

} // namespace

// The dialog only shows the features: one plain (not automatic) check box per feature label, each a tab
// stop, and no push button that could change or close anything.
TEST_F(ProgramResources, MainDialogShowsFeaturesInPlainCheckBoxes)
{
    const Template dialog = Dialog(102);
    std::vector<std::wstring> labels;
    for (const Item& item : dialog.items)
    {
        if (item.className != L"Button")
        {
            continue;
        }
        EXPECT_EQ(item.style & BS_TYPEMASK, static_cast<DWORD>(BS_CHECKBOX)) << item.id;
        EXPECT_NE(item.style & WS_TABSTOP, 0u) << item.id;
        labels.push_back(item.text);
    }
#define ZVT_LABEL_TEXT(mask, text) std::wstring(L"" text),
    std::vector<std::wstring> expected = {ZVT_FEATURE_LABELS(ZVT_LABEL_TEXT)};
#undef ZVT_LABEL_TEXT
    std::sort(labels.begin(), labels.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(labels, expected);
}

TEST_F(ProgramResources, AboutMenuTextAndIcon)
{
    wchar_t text[64] = {};
    ASSERT_GT(LoadStringW(m_module, 101, text, 64), 0);
    EXPECT_STREQ(text, L"バージョン情報 TestZavit(&A)...");

    DWORD size = 0;
    const BYTE* group = Resource(RT_GROUP_ICON, 128, &size);
    ASSERT_NE(group, nullptr);
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    ASSERT_EQ(size, 6u + 14u * count);
    std::vector<std::pair<int, int>> images; // (pixels, bits per pixel)
    for (WORD i = 0; i < count; ++i)
    {
        const BYTE* entry = group + 6 + 14 * i;
        const int width = entry[0] == 0 ? 256 : entry[0];
        EXPECT_EQ(entry[1], entry[0]) << "square";
        images.emplace_back(width, *reinterpret_cast<const WORD*>(entry + 6));
    }
    std::vector<std::pair<int, int>> expected;
    for (int pixels : {16, 24, 32, 48})
    {
        for (int bits : {4, 8, 32})
        {
            expected.emplace_back(pixels, bits);
        }
    }
    expected.emplace_back(256, 32);
    EXPECT_EQ(images, expected);
}

TEST_F(ProgramResources, ManifestAsksForNothingMore)
{
    DWORD size = 0;
    const BYTE* manifest = Resource(MAKEINTRESOURCEW(24), 1, &size);
    ASSERT_NE(manifest, nullptr);
    const std::string text(reinterpret_cast<const char*>(manifest), size);
    EXPECT_NE(text.find("level=\"asInvoker\" uiAccess=\"false\""), std::string::npos);
    EXPECT_NE(text.find(">true</dpiAware>"), std::string::npos);
}

// The version resource each width's program carries; the two differ in their build numbers and names.
struct ProgramVersion
{
    DWORD fileMs, fileLs, productMs, productLs;
    const wchar_t* description;
    const wchar_t* internalName;
    const wchar_t* fileName;
    const wchar_t* fileVersion;
    const wchar_t* productVersion;
};
#ifdef _WIN64
constexpr ProgramVersion kVersion = {
    (1u << 16) | 1600u,      (14064u << 16) | 60689u,       (1u << 16) | 1600u,
    (14064u << 16) | 60689u, L"Test for Zavit DLL (AMD64)", L"TestZavit@AMD64",
    L"TestZavit64.exe",      L"1.1600.14064.60689",         L"1.1600.14064.60689"};
#else
constexpr ProgramVersion kVersion = {
    (1u << 16) | 1600u,      (14032u << 16) | 60689u,     (3u << 16) | 1600u,
    (14032u << 16) | 60689u, L"Test for Zavit DLL (x86)", L"TestZavit@x86",
    L"TestZavit32.exe",      L"1.1600.14032.60689",       L"3.1600.14032.60689"};
#endif

TEST(ProgramVersion, VersionResourceOfThisWidth)
{
    const zvt::test::CVersionResource resource(ZVT_PROGRAM);
    ASSERT_TRUE(resource.IsRead());
    const VS_FIXEDFILEINFO* fixed = resource.Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(resource.String(L"ProductName"), L"TestZavit");
    EXPECT_EQ(fixed->dwFileVersionMS, kVersion.fileMs);
    EXPECT_EQ(fixed->dwFileVersionLS, kVersion.fileLs);
    EXPECT_EQ(fixed->dwProductVersionMS, kVersion.productMs);
    EXPECT_EQ(fixed->dwProductVersionLS, kVersion.productLs);
    EXPECT_EQ(resource.String(L"FileDescription"), kVersion.description);
    EXPECT_EQ(resource.String(L"InternalName"), kVersion.internalName);
    EXPECT_EQ(resource.String(L"OriginalFilename"), kVersion.fileName);
    EXPECT_EQ(resource.String(L"FileVersion"), kVersion.fileVersion);
    EXPECT_EQ(resource.String(L"ProductVersion"), kVersion.productVersion);
    const void* translation = resource.Value(L"\\VarFileInfo\\Translation");
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(*static_cast<const DWORD*>(translation), (1200u << 16) | 0x411u);
}
