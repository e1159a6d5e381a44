// The test program's resources as the system reads them from the built file: dialog templates, the about
// menu text, the icon sizes, the manifest and the version resource of this width.
#include <windows.h>

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

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
        HRSRC info = FindResourceExW(m_module, type, MAKEINTRESOURCEW(id), kJapanese);
        if (info == nullptr)
        {
            return nullptr;
        }
        if (size != nullptr)
        {
            *size = SizeofResource(m_module, info);
        }
        return static_cast<const BYTE*>(LockResource(LoadResource(m_module, info)));
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

void ExpectItems(const std::vector<Item>& shown, const std::vector<Item>& expected)
{
    ASSERT_EQ(shown.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
    {
        const Item& s = shown[i];
        const Item& e = expected[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(e.id));
        EXPECT_EQ(s.id, e.id);
        EXPECT_EQ(s.className, e.className);
        EXPECT_EQ(s.text, e.text);
        EXPECT_EQ(s.style, e.style) << std::hex << s.style;
        EXPECT_EQ(s.x, e.x);
        EXPECT_EQ(s.y, e.y);
        EXPECT_EQ(s.cx, e.cx);
        EXPECT_EQ(s.cy, e.cy);
    }
}

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kCheckBox = kChild | BS_CHECKBOX | WS_TABSTOP; // plain, not automatic
constexpr DWORD kLeftText = kChild | SS_LEFT | WS_GROUP;

} // namespace

TEST_F(ProgramResources, MainDialogTemplate)
{
    const Template dialog = Dialog(102);
    EXPECT_EQ(dialog.style, static_cast<DWORD>(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_VISIBLE |
                                               WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(dialog.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, 260);
    EXPECT_EQ(dialog.cy, 260);
    EXPECT_EQ(dialog.caption, L"TestZavit");
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.charSet, 1);
    EXPECT_EQ(dialog.typeface, L"MS UI Gothic");
    ExpectItems(
        dialog.items,
        {
            {1018, L"Button", L"MMX", kCheckBox, 5, 130, 35, 8},
            {1019, L"Button", L"MMX+", kCheckBox, 45, 130, 35, 8},
            {1020, L"Button", L"SSE", kCheckBox, 5, 141, 35, 8},
            {1021, L"Button", L"SSE2", kCheckBox, 45, 141, 35, 8},
            {1022, L"Button", L"SSE3", kCheckBox, 85, 141, 35, 8},
            {1023, L"Button", L"SSE4.1", kCheckBox, 125, 141, 35, 8},
            {1024, L"Button", L"SSE4.2", kCheckBox, 165, 141, 35, 8},
            {1025, L"Button", L"SSE4A", kCheckBox, 205, 141, 35, 8},
            {1014, L"Button", L"3DNow!", kCheckBox, 5, 152, 35, 8},
            {1015, L"Button", L"3DNow!+", kCheckBox, 45, 152, 35, 8},
            {1016, L"Button", L"AMD-V", kCheckBox, 5, 163, 35, 8},
            {1017, L"Button", L"Intel-VT", kCheckBox, 45, 163, 35, 8},
            {1026, L"Button", L"x86-64", kCheckBox, 5, 174, 35, 8},
            {1027, L"Static", L"CPUID", kLeftText, 5, 5, 250, 115},
            {1029, L"Static", L"TestZavit.exe : Ver1.0000.0000.0000  zavsys.dll : Ver.1.0000.0000.0000",
             kChild | SS_CENTER | WS_GROUP, 5, 230, 250, 9},
            {1000, L"Static", L"WOW64 : yes", kLeftText, 5, 190, 250, 8},
            {1001, L"Static", L"Windows Version : 1.0.0.0\nWindows7", kLeftText, 5, 203, 250, 15},
        });
}

TEST_F(ProgramResources, AboutDialogTemplate)
{
    const Template dialog = Dialog(100);
    EXPECT_EQ(dialog.style, static_cast<DWORD>(DS_SETFONT | DS_MODALFRAME | DS_FIXEDSYS | WS_POPUP |
                                               WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.cx, 170);
    EXPECT_EQ(dialog.cy, 62);
    EXPECT_EQ(dialog.caption, L"バージョン情報 TestZavit");
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.typeface, L"MS UI Gothic");
    ExpectItems(
        dialog.items,
        {
            {-1, L"Static", L"#128", kChild | SS_ICON, 14, 14, 21, 20},
            {-1, L"Static", L"TestZavit, Version 1.0", kLeftText | SS_NOPREFIX, 42, 14, 114, 8},
            {IDOK, L"Button", L"OK", kChild | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 113, 41, 50, 14},
        });
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

TEST(ProgramVersion, VersionResourceOfThisWidth)
{
    DWORD handle = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(ZVT_PROGRAM, &handle));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(ZVT_PROGRAM, 0, static_cast<DWORD>(block.size()), block.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    auto text = [&](const wchar_t* name) {
        const std::wstring path = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
        void* found = nullptr;
        UINT count = 0;
        return VerQueryValueW(block.data(), path.c_str(), &found, &count)
                   ? std::wstring(static_cast<wchar_t*>(found))
                   : std::wstring(L"<missing>");
    };
    EXPECT_EQ(text(L"ProductName"), L"TestZavit");
#ifdef _WIN64
    EXPECT_EQ(fixed->dwFileVersionMS, (1u << 16) | 1600u);
    EXPECT_EQ(fixed->dwFileVersionLS, (14064u << 16) | 60689u);
    EXPECT_EQ(fixed->dwProductVersionMS, (1u << 16) | 1600u);
    EXPECT_EQ(fixed->dwProductVersionLS, (14064u << 16) | 60689u);
    EXPECT_EQ(text(L"FileDescription"), L"Test for Zavit DLL (AMD64)");
    EXPECT_EQ(text(L"InternalName"), L"TestZavit@AMD64");
    EXPECT_EQ(text(L"OriginalFilename"), L"TestZavit64.exe");
    EXPECT_EQ(text(L"FileVersion"), L"1.1600.14064.60689");
    EXPECT_EQ(text(L"ProductVersion"), L"1.1600.14064.60689");
#else
    EXPECT_EQ(fixed->dwFileVersionMS, (1u << 16) | 1600u);
    EXPECT_EQ(fixed->dwFileVersionLS, (14032u << 16) | 60689u);
    EXPECT_EQ(fixed->dwProductVersionMS, (3u << 16) | 1600u);
    EXPECT_EQ(fixed->dwProductVersionLS, (14032u << 16) | 60689u);
    EXPECT_EQ(text(L"FileDescription"), L"Test for Zavit DLL (x86)");
    EXPECT_EQ(text(L"InternalName"), L"TestZavit@x86");
    EXPECT_EQ(text(L"OriginalFilename"), L"TestZavit32.exe");
    EXPECT_EQ(text(L"FileVersion"), L"1.1600.14032.60689");
    EXPECT_EQ(text(L"ProductVersion"), L"3.1600.14032.60689");
#endif
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    EXPECT_EQ(*static_cast<const DWORD*>(value), (1200u << 16) | 0x411u);
}
