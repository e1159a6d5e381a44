// The recorded processor and the dump reader.
#include "RecordedCpuid.h"

#include <cctype>

namespace zvt
{

ZVT_CPUID_LEAF CRecordedCpuid::Query(std::uint32_t leaf, std::uint32_t subleaf) const noexcept
{
    if (m_queriedCount < m_queried.size())
    {
        m_queried[m_queriedCount++] = leaf;
    }
    for (const Entry& entry : m_entries)
    {
        if (entry.leaf == leaf && entry.subleaf == subleaf)
        {
            return entry.registers;
        }
    }
    return ZVT_CPUID_LEAF{};
}

void CRecordedCpuid::Add(std::uint32_t leaf, std::uint32_t subleaf, const ZVT_CPUID_LEAF& registers)
{
    if (!Contains(leaf, subleaf))
    {
        m_entries.push_back(Entry{leaf, subleaf, registers});
    }
}

bool CRecordedCpuid::Contains(std::uint32_t leaf, std::uint32_t subleaf) const noexcept
{
    for (const Entry& entry : m_entries)
    {
        if (entry.leaf == leaf && entry.subleaf == subleaf)
        {
            return true;
        }
    }
    return false;
}

namespace
{

// A cursor over one line that reads the pieces of both dump formats.
class CLineReader
{
public:
    explicit CLineReader(std::string_view line) noexcept : m_line(line)
    {
    }

    void SkipBlanks() noexcept
    {
        while (m_pos < m_line.size() && (m_line[m_pos] == ' ' || m_line[m_pos] == '\t'))
        {
            ++m_pos;
        }
    }
    bool Take(std::string_view text) noexcept
    {
        SkipBlanks();
        if (m_line.substr(m_pos, text.size()) != text)
        {
            return false;
        }
        m_pos += text.size();
        return true;
    }
    // 1 to 8 hexadecimal digits, with an optional 0x.
    bool Hex(std::uint32_t& value) noexcept
    {
        SkipBlanks();
        if (m_line.substr(m_pos, 2) == "0x" || m_line.substr(m_pos, 2) == "0X")
        {
            m_pos += 2;
        }
        value = 0;
        std::size_t digits = 0;
        for (; m_pos < m_line.size() && std::isxdigit(static_cast<unsigned char>(m_line[m_pos])) != 0;
             ++m_pos)
        {
            if (++digits > 8)
            {
                return false;
            }
            const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(m_line[m_pos])));
            value = value * 16 + static_cast<std::uint32_t>(c <= '9' ? c - '0' : c - 'a' + 10);
        }
        return digits > 0;
    }
    bool AtEnd() noexcept
    {
        SkipBlanks();
        return m_pos == m_line.size();
    }

private:
    std::string_view m_line;
    std::size_t m_pos = 0;
};

// "   0x00000001 0x00: eax=0x000906ea ebx=0x00100800 ecx=0x7ffafbbf edx=0xbfebfbff"
bool ReadCpuidToolLine(CLineReader& reader, CRecordedCpuid::Entry& entry) noexcept
{
    ZVT_CPUID_LEAF& r = entry.registers;
    return reader.Hex(entry.leaf) && reader.Hex(entry.subleaf) && reader.Take(":") && reader.Take("eax=") &&
           reader.Hex(r.eax) && reader.Take("ebx=") && reader.Hex(r.ebx) && reader.Take("ecx=") &&
           reader.Hex(r.ecx) && reader.Take("edx=") && reader.Hex(r.edx) && reader.AtEnd();
}

// "CPUID 00000001: 000906EA-00100800-7FFAFBBF-BFEBFBFF" (sub-leaf 0; repeated leaves are later sub-leaves)
bool ReadCpuidTextLine(CLineReader& reader, CRecordedCpuid::Entry& entry) noexcept
{
    ZVT_CPUID_LEAF& r = entry.registers;
    entry.subleaf = 0;
    return reader.Hex(entry.leaf) && reader.Take(":") && reader.Hex(r.eax) && reader.Take("-") &&
           reader.Hex(r.ebx) && reader.Take("-") && reader.Hex(r.ecx) && reader.Take("-") &&
           reader.Hex(r.edx) && reader.AtEnd();
}

std::string_view Trim(std::string_view line) noexcept
{
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
    {
        line.remove_suffix(1);
    }
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
    {
        line.remove_prefix(1);
    }
    return line;
}

enum class LineKind
{
    Skip,
    Leaf,
    NextProcessor,
    Bad
};

LineKind ClassifyLine(std::string_view line, CRecordedCpuid::Entry& entry, bool seenLeaves) noexcept
{
    if (line.empty() || line.front() == '#')
    {
        return LineKind::Skip;
    }
    if (line.substr(0, 3) == "CPU" && line.back() == ':' && line.substr(0, 5) != "CPUID")
    {
        return seenLeaves ? LineKind::NextProcessor : LineKind::Skip; // "CPU:" or "CPU 1:"
    }
    CLineReader reader(line);
    if (reader.Take("CPUID"))
    {
        return ReadCpuidTextLine(reader, entry) ? LineKind::Leaf : LineKind::Bad;
    }
    if (line.substr(0, 2) == "0x")
    {
        return ReadCpuidToolLine(reader, entry) ? LineKind::Leaf : LineKind::Bad;
    }
    // Other text between blocks (headers of text dumps) ends a block once leaves were read.
    return seenLeaves ? LineKind::NextProcessor : LineKind::Skip;
}

} // namespace

bool ParseCpuidDump(std::string_view text, CRecordedCpuid& cpuid, DumpError& error)
{
    int lineNumber = 0;
    bool seenLeaves = false;
    while (!text.empty())
    {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++lineNumber;
        CRecordedCpuid::Entry entry{};
        const LineKind kind = ClassifyLine(line, entry, seenLeaves);
        if (kind == LineKind::Bad)
        {
            error = DumpError{lineNumber, "not a CPUID line: " + std::string(line.substr(0, 60))};
            return false;
        }
        if (kind == LineKind::NextProcessor || (kind == LineKind::Leaf && seenLeaves && entry.leaf == 0 &&
                                                entry.subleaf == 0 && cpuid.Contains(0, 0)))
        {
            break; // the first processor's block is complete
        }
        if (kind == LineKind::Leaf)
        {
            // A repeated leaf in the text format is its next sub-leaf.
            while (cpuid.Contains(entry.leaf, entry.subleaf))
            {
                ++entry.subleaf;
            }
            cpuid.Add(entry.leaf, entry.subleaf, entry.registers);
            seenLeaves = true;
        }
    }
    if (!seenLeaves)
    {
        error = DumpError{0, "no CPUID leaves found"};
        return false;
    }
    return true;
}

} // namespace zvt
