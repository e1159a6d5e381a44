// Edition texts by product-type code, version names by major.minor, and service-pack suffixes.
#include "WindowsName.h"

#include <array>
#include <cstdint>
#include <cwchar>

namespace
{

constexpr std::uint32_t kLastEditionCode = 0x85;
constexpr const wchar_t* kWindowsEdition = L"Windows"; // codes without a row of their own

// Indexed by product-type code. Null: no row, the edition is "Windows". The texts stand as the product
// tables have always had them: the leading blanks of 0x26 and 0x62 and the doubled parenthesis of 0x2D
// included, since users compare the dialog line with what earlier builds showed.
constexpr std::array<const wchar_t*, kLastEditionCode + 1> MakeEditionTable()
{
    std::array<const wchar_t*, kLastEditionCode + 1> table{};
    table[0x00] = L"An unknown product";
    table[0x01] = L"Ultimate";
    table[0x02] = L"Home Basic";
    table[0x03] = L"Home Premium";
    table[0x04] = L"Windows 10 Enterprise";
    table[0x05] = L"Home Basic N";
    table[0x06] = L"Professional"; // "Business" on 6.0, decided in EditionText
    table[0x07] = L"Server Standard";
    table[0x08] = L"Server Datacenter(full installation)";
    table[0x09] = L"Windows Small Business Server";
    table[0x0A] = L"Server Enterprise(full installation)";
    table[0x0B] = L"Starter";
    table[0x0C] = L"Server Datacenter(core installation)";
    table[0x0D] = L"Server Standard(core installation)";
    table[0x0E] = L"Server Enterprise(core installation)";
    table[0x0F] = L"Server Enterprise for Itanium - based Systems";
    table[0x10] = L"Business N";
    table[0x11] = L"Web Server(full installation)";
    table[0x12] = L"HPC Edition";
    table[0x13] = L"Windows Storage Server 2008 R2 Essentials";
    table[0x14] = L"Storage Server Express";
    table[0x15] = L"Storage Server Standard";
    table[0x16] = L"Storage Server Workgroup";
    table[0x17] = L"Storage Server Enterprise";
    table[0x18] = L"Windows Server 2008 for Windows Essential Server Solutions";
    table[0x19] = L"Small Business Server Premium";
    table[0x1A] = L"Home Premium N";
    table[0x1B] = L"Windows 10 Enterprise N";
    table[0x1C] = L"Ultimate N";
    table[0x1D] = L"Web Server(core installation)";
    table[0x1E] = L"Windows Essential Business Server Management Server";
    table[0x1F] = L"Windows Essential Business Server Security Server";
    table[0x20] = L"Windows Essential Business Server Messaging Server";
    table[0x21] = L"Server Foundation";
    table[0x22] = L"Windows Home Server 2011";
    table[0x23] = L"Windows Server 2008 without Hyper - V for Windows Essential Server Solutions";
    table[0x24] = L"Server Standard without Hyper - V";
    table[0x25] = L"Server Datacenter without Hyper - V(full installation)";
    table[0x26] = L" Server Enterprise without Hyper - V(full installation)";
    table[0x27] = L"Server Datacenter without Hyper - V(core installation)";
    table[0x28] = L"Server Standard without Hyper - V(core installation)";
    table[0x29] = L"Server Enterprise without Hyper - V(core installation)";
    table[0x2A] = L"Hyper - V Server";
    table[0x2B] = L"Storage Server Express(core installation)";
    table[0x2C] = L"Storage Server Standard(core installation)";
    table[0x2D] = L"Storage Server Workgroup(core installation))";
    table[0x2E] = L"Storage Server Enterprise(core installation)";
    table[0x2F] = L"Starter N";
    table[0x30] = L"Windows 10 Pro";
    table[0x31] = L"Windows 10 Pro N";
    table[0x32] = L"Windows Small Business Server 2011 Essentials";
    table[0x33] = L"Server For SB Solutions";
    table[0x34] = L"Server Solutions Premium";
    table[0x35] = L"Server Solutions Premium(core installation)";
    table[0x36] = L"Server For SB Solutions EM";
    table[0x37] = L"Server For SB Solutions EM";
    table[0x38] = L"Windows MultiPoint Server";
    table[0x3B] = L"Windows Essential Server Solution Management";
    table[0x3C] = L"Windows Essential Server Solution Additional";
    table[0x3D] = L"Windows Essential Server Solution Management SVC";
    table[0x3E] = L"Windows Essential Server Solution Additional SVC";
    table[0x3F] = L"Small Business Server Premium(core installation)";
    table[0x40] = L"Server Hyper Core V";
    for (std::size_t code = 0x42; code <= 0x45; ++code)
    {
        table[code] = L"Not supported";
    }
    table[0x46] = L"Windows 10 Enterprise E";
    table[0x47] = L"Not supported";
    table[0x48] = L"Windows 10 Enterprise(evaluation installation)";
    table[0x4C] = L"Windows MultiPoint Server Standard(full installation)";
    table[0x4D] = L"Windows MultiPoint Server Premium(full installation)";
    table[0x4F] = L"Server Standard(evaluation installation)";
    table[0x50] = L"Server Datacenter(evaluation installation)";
    table[0x54] = L"Windows 10 Enterprise N(evaluation installation)";
    table[0x5F] = L"Storage Server Workgroup(evaluation installation)";
    table[0x60] = L"Storage Server Standard(evaluation installation)";
    table[0x62] = L" Windows 10 Home N";
    table[0x63] = L"Windows 10 Home China";
    table[0x64] = L"Windows 10 Home Single Language";
    table[0x65] = L"Windows 10 Home";
    table[0x67] = L"Professional with Media Center";
    table[0x68] = L"Windows 10 Mobile";
    table[0x79] = L"Windows 10 Education";
    table[0x7A] = L"Windows 10 Education N";
    table[0x7D] = L"Windows 10 Enterprise 2015 LTSB";
    table[0x7E] = L"Windows 10 Enterprise 2015 LTSB N";
    table[0x81] = L"Windows 10 Enterprise 2015 LTSB(evaluation installation)";
    table[0x82] = L"Windows 10 Enterprise 2015 LTSB N(evaluation installation)";
    table[0x85] = L"Windows 10 Mobile Enterprise";
    return table;
}

constexpr auto kEditionTable = MakeEditionTable();

bool IsVersion(const ZVT_WINDOWS_VERSION& record, std::uint32_t major, std::uint32_t minor)
{
    return record.major == major && record.minor == minor;
}

const wchar_t* EditionText(const ZVT_WINDOWS_VERSION& record)
{
    if (record.productType == 0x06 && IsVersion(record, 6, 0))
    {
        return L"Business";
    }
    if (record.productType > kLastEditionCode || kEditionTable[record.productType] == nullptr)
    {
        return kWindowsEdition;
    }
    return kEditionTable[record.productType];
}

wchar_t LowerAscii(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// The first three characters spell "Win" in any case: the edition names Windows by itself.
bool NamesWindows(const wchar_t* edition)
{
    const wchar_t* win = L"win";
    for (int i = 0; i < 3; ++i)
    {
        if (LowerAscii(edition[i]) != win[i])
        {
            return false;
        }
    }
    return true;
}

// Only major and minor count; build and revision never pick a name.
const wchar_t* VersionName(const ZVT_WINDOWS_VERSION& record)
{
    struct Row
    {
        std::uint32_t major;
        std::uint32_t minor;
        const wchar_t* name;
    };
    static constexpr Row kRows[] = {
        {10, 0, L"Windows 10"},   {6, 3, L"Windows 8.1"},         {6, 2, L"Windows 8"},  {6, 1, L"Windows 7"},
        {6, 0, L"Windows Vista"}, {5, 2, L"Windows Server 2003"}, {5, 1, L"Windows XP"},
    };
    for (const Row& row : kRows)
    {
        if (IsVersion(record, row.major, row.minor))
        {
            return row.name;
        }
    }
    return L"";
}

// XP's service packs are told apart by the fourth version part, every other version's by the third.
const wchar_t* ServicePackSuffix(const ZVT_WINDOWS_VERSION& record)
{
    if (IsVersion(record, 5, 1))
    {
        if (record.revision == 2180)
        {
            return L"Service Pack 3";
        }
        return record.revision == 1105 || record.revision == 1106 ? L"Service Pack 1" : L"";
    }
    struct Row
    {
        std::uint32_t major;
        std::uint32_t minor;
        std::uint32_t build;
        const wchar_t* suffix;
    };
    static constexpr Row kRows[] = {
        {6, 3, 9600, L"Update1"},        {6, 1, 7601, L"Service Pack 1"}, {6, 0, 6002, L"Service Pack 2"},
        {6, 0, 6001, L"Service Pack 1"}, {5, 2, 1180, L"Service Pack 1"},
    };
    for (const Row& row : kRows)
    {
        if (IsVersion(record, row.major, row.minor) && record.build == row.build)
        {
            return row.suffix;
        }
    }
    return L"";
}

// Appends text at position, never past the last character before the terminator.
std::size_t Append(wchar_t (&output)[kWindowsNameCapacity], std::size_t position, const wchar_t* text)
{
    for (; *text != L'\0' && position + 1 < kWindowsNameCapacity; ++text)
    {
        output[position++] = *text;
    }
    output[position] = L'\0';
    return position;
}

} // namespace

void GetWindowsName(const ZVT_WINDOWS_VERSION& record, wchar_t (&output)[kWindowsNameCapacity]) noexcept
{
    const wchar_t* edition = EditionText(record);
    const wchar_t* versionName = NamesWindows(edition) ? L"" : VersionName(record);
    std::size_t position = Append(output, 0, versionName);
    position = Append(output, position, L" ");
    position = Append(output, position, edition);
    position = Append(output, position, L" ");
    Append(output, position, ServicePackSuffix(record));
}
