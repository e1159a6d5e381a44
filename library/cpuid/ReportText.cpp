// The text of the identity report.
#include "ReportText.h"

#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

#include "CpuidTables.h"
#include "Frequency.h"
#include "Naming.h"

namespace zvt
{
namespace
{

// Appends to a fixed buffer, always terminated; remembers when something did not fit.
class CReportWriter
{
public:
    CReportWriter(char* buffer, std::size_t capacity) noexcept : m_pBuffer(buffer), m_nCapacity(capacity)
    {
        m_pBuffer[0] = '\0';
    }

    void Append(std::string_view text) noexcept
    {
        if (!Reserve(text.size()))
        {
            return;
        }
        std::memcpy(m_pBuffer + m_nLength, text.data(), text.size());
        m_nLength += text.size();
        m_pBuffer[m_nLength] = '\0';
    }

    // "%d" without the formatter, which would bring a whole printf into the library.
    void AppendDecimal(std::int32_t value) noexcept
    {
        char digits[12]; // "-2147483648" and a terminator
        char* first = digits + sizeof digits - 1;
        *first = '\0';
        auto magnitude =
            value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
        do
        {
            *--first = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0)
        {
            *--first = '-';
        }
        Append(first);
    }

    // "0x%08x " without the formatter: 640 of these make up most of a report.
    void AppendHexCell(std::uint32_t value) noexcept
    {
        static constexpr char kDigits[] = "0123456789abcdef";
        char cell[] = "0x00000000 ";
        for (int i = 9; i >= 2; --i, value >>= 4)
        {
            cell[i] = kDigits[value & 0xFu];
        }
        Append(cell);
    }

    std::size_t Finish() noexcept
    {
        if (m_bOverflow)
        {
            m_pBuffer[0] = '\0';
            return 0;
        }
        return m_nLength;
    }

private:
    bool Reserve(std::size_t length) noexcept
    {
        m_bOverflow = m_bOverflow || length >= m_nCapacity - m_nLength;
        return !m_bOverflow;
    }

    char* m_pBuffer;
    std::size_t m_nCapacity;
    std::size_t m_nLength = 0;
    bool m_bOverflow = false;
};

void AppendHead(CReportWriter& writer, const ZVT_CPU_IDENTITY& identity) noexcept
{
    const CpuSignature signature = DecodeSignature(identity, IsAmd(identity));
    VendorText vendor;
    ModelNameText modelName;
    GetVendorString(identity.basic[0], vendor);
    GetBrandString(identity.extended[2], identity.extended[3], identity.extended[4], modelName);
    if (modelName[0] == '\0')
    {
        GetModelName(signature.family, signature.model, vendor, modelName);
    }
    writer.Append(vendor);
    writer.Append("\r\n");
    writer.Append(modelName);
    writer.Append("\r\n");
    const std::pair<const char*, std::int32_t> familyFields[] = {
        {"Family:", signature.family},
        {" Base family:", signature.baseFamily},
        {" Extended family:", signature.extendedFamily},
        {" Model:", signature.model},
        {" Base model:", signature.baseModel},
        {" Extended model:", signature.extendedModel},
        {" Stepping:", signature.stepping},
    };
    for (const auto& [label, value] : familyFields)
    {
        writer.Append(label);
        writer.AppendDecimal(value);
    }
    writer.Append("\r\n\r\n");
}

void AppendTable(CReportWriter& writer, const CpuidTable& table, std::uint32_t firstLeaf) noexcept
{
    writer.Append(kTableHeader);
    writer.Append("\r\n");
    for (std::uint32_t j = 0; j < kReportTableRows; ++j)
    {
        const ZVT_CPUID_LEAF& leaf = table[j];
        writer.AppendHexCell(firstLeaf + j);
        writer.AppendHexCell(leaf.eax);
        writer.AppendHexCell(leaf.ebx);
        writer.AppendHexCell(leaf.ecx);
        writer.AppendHexCell(leaf.edx);
        writer.Append("\r\n");
    }
}

// The integer part as a 32-bit conversion of the processor gives it: what has none (NaN, out of range)
// becomes the "integer indefinite" INT32_MIN, which is not greater than 0.
std::int32_t IntegerPart(float value) noexcept
{
    if (!(value > -2147483649.0f && value < 2147483648.0f))
    {
        return INT32_MIN;
    }
    return static_cast<std::int32_t>(value);
}

void AppendFrequency(CReportWriter& writer, float frequencyMhz) noexcept
{
    if (IntegerPart(frequencyMhz) > 0)
    {
        writer.Append("\n");
        writer.Append(kFrequencyPrefix);
        writer.AppendDecimal(RoundFrequencyForDisplay(frequencyMhz));
        writer.Append(kFrequencyUnit);
    }
}

} // namespace

std::size_t BuildReport(const ZVT_CPU_IDENTITY& identity, char* buffer, std::size_t capacity) noexcept
{
    if (buffer == nullptr || capacity == 0)
    {
        return 0;
    }
    CReportWriter writer(buffer, capacity);
    AppendHead(writer, identity);
    AppendTable(writer, identity.basic, 0);
    AppendTable(writer, identity.extended, kExtendedBase);
    AppendFrequency(writer, identity.frequency);
    return writer.Finish();
}

} // namespace zvt
