// Vendor and model naming.
#include "Naming.h"

#include <cstring>

namespace zvt
{
namespace
{

struct ModelRow
{
    std::int32_t family;
    std::int32_t firstModel; // the row matches models firstModel..lastModel
    std::int32_t lastModel;
    const char* name;
};

constexpr std::int32_t kAnyLow = INT32_MIN;
constexpr std::int32_t kAnyHigh = INT32_MAX;

// Rows are tried in order; the last row of a family catches its other models.
constexpr ModelRow kAmdModels[] = {
    {4, kAnyLow, kAnyHigh, "AMD Am486/Am5x86"},
    {5, 0, 1, "AMD K5"},
    {5, 6, 7, "AMD K6"},
    {5, 8, 8, "AMD K6-2"},
    {5, 9, 9, "AMD K6-3"},
    {5, kAnyLow, kAnyHigh, "AMD Prosesser (Family 5)"},
    {6, kAnyLow, kAnyHigh, "AMD Athlon/Duron"},
};

constexpr ModelRow kIntelModels[] = {
    {4, 1, 1, "Intel 486DX"},
    {4, 2, 2, "Intel 486SX"},
    {4, 3, 3, "Intel 486DX2"},
    {4, 4, 4, "Intel 486SL"},
    {4, 5, 5, "Intel 486SX2"},
    {4, 7, 7, "Intel 486DX2E"},
    {4, 8, 8, "Intel 486DX4"},
    {4, kAnyLow, kAnyHigh, "Intel Prosesser (Family 4)"},
    {5, 1, 3, "Intel Pentium"},
    {5, 4, 4, "Intel Pentium MMX"},
    {5, kAnyLow, kAnyHigh, "Intel Prosesser (Family 5)"},
    {6, 1, 1, "Intel Pentium Pro"},
    {6, 3, 3, "Intel Pentium II"},
    {6, 5, 5, "Intel Pentium II/Celeron/Xeon"},
    {6, 6, 6, "Intel Celeron"},
    {6, 7, 7, "Intel Pentium III/Xeon"},
    {6, 8, 8, "Intel Pentium III/Celeron/Xeon"},
    {6, 9, 9, "Intel Pentium M"},
    {6, 12, 12, "Intel Pentium M"},
    {6, 10, 10, "Intel Xeon"},
    {6, 11, 11, "Intel Pentium III"},
    {6, kAnyLow, kAnyHigh, "Intel Prosesser (Family 6)"},
};

template <std::size_t N>
const char* LookUpModel(const ModelRow (&rows)[N], std::int32_t family, std::int32_t model,
                        const char* otherFamily) noexcept
{
    for (const ModelRow& row : rows)
    {
        if (row.family == family && model >= row.firstModel && model <= row.lastModel)
        {
            return row.name;
        }
    }
    return otherFamily;
}

struct VendorRow
{
    const char* vendor;
    const char* name; // null: look the name up in the vendor's model table
};

constexpr VendorRow kVendors[] = {
    {"AuthenticAMD", nullptr},
    {"GenuineIntel", nullptr},
    {"CentaurHauls", "Centaur Prosesser"},
    {"Compaq FX32!", "Compaq Prosesser"},
    {"CyrixInstead", "Cyrix Prosesser"},
    {"GenuineTMx86", "Transmeta Prosesser"},
    {"Geode By NSC", "NSC Prosesser"},
    {"NexGenDriven", "NexGen Prosesser"},
    {"UMC UMC UMC ", "UMC Prosesser"},
    {"RiseRiseRise", "Rise Prosesser"},
};

char FoldCase(char c) noexcept
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringCase(const char* left, const char* right) noexcept
{
    for (; *left != '\0' && FoldCase(*left) == FoldCase(*right); ++left, ++right)
    {
    }
    return FoldCase(*left) == FoldCase(*right);
}

const char* NameForVendor(std::int32_t family, std::int32_t model, const char* vendor) noexcept
{
    if (EqualIgnoringCase(vendor, kVendors[0].vendor))
    {
        return LookUpModel(kAmdModels, family, model, "AMD Prosesser");
    }
    if (EqualIgnoringCase(vendor, kVendors[1].vendor))
    {
        return LookUpModel(kIntelModels, family, model, "Intel Prosesser");
    }
    for (const VendorRow& row : kVendors)
    {
        if (row.name != nullptr && EqualIgnoringCase(vendor, row.vendor))
        {
            return row.name;
        }
    }
    return "Unknown";
}

void CopyBounded(char* target, std::size_t capacity, const char* text) noexcept
{
    std::size_t length = std::strlen(text);
    if (length >= capacity)
    {
        length = capacity - 1;
    }
    std::memcpy(target, text, length);
    target[length] = '\0';
}

} // namespace

void GetVendorString(const ZVT_CPUID_LEAF& leaf0, VendorText& vendor) noexcept
{
    char text[kVendorCapacity] = {};
    std::memcpy(text, &leaf0.ebx, 4);
    std::memcpy(text + 4, &leaf0.edx, 4);
    std::memcpy(text + 8, &leaf0.ecx, 4);
    std::memcpy(vendor, text, sizeof text);
}

void GetBrandString(const ZVT_CPUID_LEAF& leaf2, const ZVT_CPUID_LEAF& leaf3, const ZVT_CPUID_LEAF& leaf4,
                    ModelNameText& brand) noexcept
{
    char text[kModelNameCapacity] = {};
    std::memcpy(text, &leaf2, sizeof leaf2);
    std::memcpy(text + 16, &leaf3, sizeof leaf3);
    std::memcpy(text + 32, &leaf4, sizeof leaf4);
    const char* start = text;
    while (start < text + kModelNameCapacity - 1 && *start == ' ')
    {
        ++start;
    }
    CopyBounded(brand, sizeof brand, start);
}

void GetModelName(std::int32_t family, std::int32_t model, const char* vendor, ModelNameText& name) noexcept
{
    name[0] = '\0';
    CopyBounded(name, sizeof name, NameForVendor(family, model, vendor));
}

} // namespace zvt
