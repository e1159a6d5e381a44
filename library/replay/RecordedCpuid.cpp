// The recorded processor and the dump reader.
#include "RecordedCpuid.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <unordered_map>
#include <utility>

#include "CpuidTables.h"
#include "ReportText.h"

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

std::string HexText(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", value);
    return text;
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

// A piece of a bad line for the error message, printable and on one line.
std::string Quote(std::string_view line)
{
    std::string quoted;
    for (const char c : line.substr(0, 60))
    {
        quoted += std::isprint(static_cast<unsigned char>(c)) != 0 ? c : '?';
    }
    return quoted;
}

// The text cut into trimmed lines, numbered from 1.
class CLines
{
public:
    explicit CLines(std::string_view text) noexcept : m_text(text)
    {
    }
    bool Next(std::string_view& line) noexcept
    {
        if (m_text.empty())
        {
            return false;
        }
        const std::size_t end = m_text.find('\n');
        line = Trim(m_text.substr(0, end));
        m_text = end == std::string_view::npos ? std::string_view{} : m_text.substr(end + 1);
        ++m_number;
        return true;
    }
    int Number() const noexcept
    {
        return m_number;
    }

private:
    std::string_view m_text;
    int m_number = 0;
};

enum class LineKind
{
    Skip,            // blank or a comment
    Leaf,            // one CPUID answer
    ProcessorHeader, // "CPU:" or "CPU 1:" of "cpuid -r"
    Text,            // anything else: a header, or text where none belongs
    Bad              // starts like a CPUID line but is not one
};

LineKind ClassifyLine(std::string_view line, CRecordedCpuid::Entry& entry, DumpFormat& format) noexcept
{
    if (line.empty() || line.front() == '#')
    {
        return LineKind::Skip;
    }
    if (line.substr(0, 3) == "CPU" && line.back() == ':' && line.substr(0, 5) != "CPUID")
    {
        return LineKind::ProcessorHeader;
    }
    CLineReader reader(line);
    if (reader.Take("CPUID"))
    {
        format = DumpFormat::CpuidText;
        return ReadCpuidTextLine(reader, entry) ? LineKind::Leaf : LineKind::Bad;
    }
    if (line.substr(0, 2) == "0x")
    {
        format = DumpFormat::CpuidTool;
        return ReadCpuidToolLine(reader, entry) ? LineKind::Leaf : LineKind::Bad;
    }
    return LineKind::Text;
}

constexpr const char* kTooManyEntries = "more than 4096 CPUID answers: not a dump of one processor";
static_assert(kMaxDumpEntries == 4096);

std::string LeafText(std::uint32_t leaf, std::uint32_t subleaf)
{
    return "leaf " + HexText(leaf) + " sub-leaf " + std::to_string(subleaf);
}

// Adds a parsed answer, or says why the dump is refused. The same answer twice is a harmless repeat; two
// different answers for one leaf and sub-leaf leave no way to tell which the processor gave.
class CDumpBuilder
{
public:
    explicit CDumpBuilder(CRecordedCpuid& cpuid) noexcept : m_cpuid(cpuid)
    {
    }
    bool Add(CRecordedCpuid::Entry entry, bool repeatIsNextSubleaf, int lineNumber, std::string& message)
    {
        if (m_cpuid.Entries().size() >= kMaxDumpEntries)
        {
            message = kTooManyEntries;
            return false;
        }
        if (repeatIsNextSubleaf)
        {
            // The text format has no sub-leaf column: the n-th line of a leaf is its sub-leaf n.
            entry.subleaf = m_nextSubleaf[entry.leaf]++;
        }
        const auto [first, added] = m_firstLines.try_emplace(Key(entry), Answer{entry.registers, lineNumber});
        if (!added && !SameRegisters(first->second.registers, entry.registers))
        {
            message = LeafText(entry.leaf, entry.subleaf) + " has a different answer on line " +
                      std::to_string(first->second.line);
            return false;
        }
        m_cpuid.Add(entry.leaf, entry.subleaf, entry.registers);
        return true;
    }

private:
    struct Answer
    {
        ZVT_CPUID_LEAF registers;
        int line;
    };
    static std::uint64_t Key(const CRecordedCpuid::Entry& entry) noexcept
    {
        return std::uint64_t{entry.leaf} << 32 | entry.subleaf;
    }
    static bool SameRegisters(const ZVT_CPUID_LEAF& a, const ZVT_CPUID_LEAF& b) noexcept
    {
        return a.eax == b.eax && a.ebx == b.ebx && a.ecx == b.ecx && a.edx == b.edx;
    }

    CRecordedCpuid& m_cpuid;
    std::unordered_map<std::uint32_t, std::uint32_t> m_nextSubleaf;
    std::unordered_map<std::uint64_t, Answer> m_firstLines;
};

// Reads the first processor's block. Text before its first leaf is a header; after the leaves, text is a
// header of the next block only when that block follows (it starts with leaf 0, or "CPU 1:" names it);
// otherwise it is a line that does not belong, and the dump is refused there.
class CBlockReader
{
public:
    CBlockReader(CRecordedCpuid& cpuid, DumpError& error, DumpFormat& format) noexcept
        : m_cpuid(cpuid), m_error(error), m_format(format), m_builder(cpuid)
    {
    }

    bool Read(std::string_view text)
    {
        CLines lines(text);
        std::string_view line;
        bool complete = false;
        while (!complete && lines.Next(line))
        {
            if (!Take(line, lines.Number(), complete))
            {
                return false;
            }
        }
        return (complete || Finish()) && HasLeafZero();
    }

private:
    // One line; complete once the next processor's block begins.
    bool Take(std::string_view line, int lineNumber, bool& complete)
    {
        CRecordedCpuid::Entry entry{};
        switch (ClassifyLine(line, entry, m_format))
        {
        case LineKind::Skip:
            return true;
        case LineKind::Bad:
            return Fail(lineNumber, "not a CPUID line: " + Quote(line));
        case LineKind::ProcessorHeader:
            complete = m_firstLeafLine > 0;
            return true;
        case LineKind::Text:
            if (m_firstLeafLine > 0 && m_strayLine == 0)
            {
                m_strayLine = lineNumber;
                m_strayText = Quote(line);
            }
            return true;
        case LineKind::Leaf:
            return TakeLeaf(entry, lineNumber, complete);
        }
        return true;
    }

    bool TakeLeaf(const CRecordedCpuid::Entry& entry, int lineNumber, bool& complete)
    {
        const bool leafZero = entry.leaf == 0 && entry.subleaf == 0;
        if (m_firstLeafLine > 0 && leafZero && (m_strayLine > 0 || m_cpuid.Contains(0, 0)))
        {
            complete = true; // the next processor's block begins
            return true;
        }
        if (m_strayLine > 0)
        {
            return Fail(m_strayLine, "not a CPUID line: " + m_strayText);
        }
        std::string message;
        if (!m_builder.Add(entry, m_format == DumpFormat::CpuidText, lineNumber, message))
        {
            return Fail(lineNumber, message);
        }
        m_firstLeafLine = m_firstLeafLine > 0 ? m_firstLeafLine : lineNumber;
        return true;
    }

    // At the end of the text: the block read must be whole.
    bool Finish()
    {
        if (m_firstLeafLine == 0)
        {
            return Fail(0, "no CPUID leaves found");
        }
        if (m_strayLine > 0)
        {
            return Fail(m_strayLine, "unexpected text after the CPUID leaves: " + m_strayText);
        }
        return true;
    }

    // Leaf 0 holds the vendor and the highest leaf: without it nothing else can be read as asked.
    bool HasLeafZero()
    {
        return m_cpuid.Contains(0, 0) ||
               Fail(m_firstLeafLine, "the processor's block has no basic leaf 0 (vendor and highest leaf)");
    }

    bool Fail(int lineNumber, std::string message)
    {
        m_error = DumpError{lineNumber, std::move(message)};
        return false;
    }

    CRecordedCpuid& m_cpuid;
    DumpError& m_error;
    DumpFormat& m_format;
    CDumpBuilder m_builder;
    int m_firstLeafLine = 0;
    int m_strayLine = 0; // the first text after the leaves, until the next block shows it was a header
    std::string m_strayText;
};

bool ParseLeafLines(std::string_view text, CRecordedCpuid& cpuid, DumpError& error, DumpFormat& format)
{
    CBlockReader reader(cpuid, error, format);
    return reader.Read(text);
}

// The identity report: a head of three lines, then two tables under a header line each, then an optional
// frequency line; the layout is the report writer's.
bool IsReport(std::string_view text) noexcept
{
    CLines lines(text);
    std::string_view line;
    while (lines.Next(line))
    {
        if (line == kTableHeader)
        {
            return true;
        }
    }
    return false;
}

// "0x00000001 0x000906ea 0x00100800 0x7ffafbbf 0xbfebfbff"
bool ReadReportRow(std::string_view line, std::uint32_t expectedLeaf, ZVT_CPUID_LEAF& registers) noexcept
{
    CLineReader reader(line);
    std::uint32_t leaf = 0;
    return line.substr(0, 2) == "0x" && reader.Hex(leaf) && leaf == expectedLeaf &&
           reader.Hex(registers.eax) && reader.Hex(registers.ebx) && reader.Hex(registers.ecx) &&
           reader.Hex(registers.edx) && reader.AtEnd();
}

// "Frequency : 2390MHz"
bool ReadFrequencyLine(std::string_view line, std::int32_t& frequencyMhz) noexcept
{
    if (line.size() <= kFrequencyPrefix.size() + kFrequencyUnit.size() ||
        line.substr(0, kFrequencyPrefix.size()) != kFrequencyPrefix ||
        line.substr(line.size() - kFrequencyUnit.size()) != kFrequencyUnit)
    {
        return false;
    }
    const std::string_view digits =
        line.substr(kFrequencyPrefix.size(), line.size() - kFrequencyPrefix.size() - kFrequencyUnit.size());
    std::int64_t value = 0;
    for (const char c : digits)
    {
        if (c < '0' || c > '9' || value > INT32_MAX / 10)
        {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    frequencyMhz = static_cast<std::int32_t>(value);
    return value <= INT32_MAX;
}

bool ParseReportTable(CLines& lines, std::uint32_t firstLeaf, CRecordedCpuid& cpuid, DumpError& error)
{
    std::string_view line;
    for (int row = 0; row < kReportTableRows; ++row)
    {
        const std::uint32_t leaf = firstLeaf + static_cast<std::uint32_t>(row);
        ZVT_CPUID_LEAF registers{};
        if (!lines.Next(line))
        {
            error = DumpError{lines.Number(), "the report ends before leaf " + HexText(leaf)};
            return false;
        }
        if (!ReadReportRow(line, leaf, registers))
        {
            error = DumpError{lines.Number(),
                              "expected the report row of leaf " + HexText(leaf) + ": " + Quote(line)};
            return false;
        }
        cpuid.Add(leaf, 0, registers);
    }
    return true;
}

bool ParseReportTail(CLines& lines, DumpError& error, std::int32_t& frequencyMhz)
{
    std::string_view line;
    bool seenFrequency = false;
    while (lines.Next(line))
    {
        if (line.empty())
        {
            continue;
        }
        if (seenFrequency || !ReadFrequencyLine(line, frequencyMhz))
        {
            error = DumpError{lines.Number(), "unexpected text after the report tables: " + Quote(line)};
            return false;
        }
        seenFrequency = true;
    }
    return true;
}

bool ParseReport(std::string_view text, CRecordedCpuid& cpuid, DumpError& error, std::int32_t& frequencyMhz)
{
    CLines lines(text);
    std::string_view line;
    while (lines.Next(line) && line != kTableHeader)
    {
        // vendor, model name and family lines: decoded again from the tables
    }
    if (!ParseReportTable(lines, 0, cpuid, error))
    {
        return false;
    }
    if (!lines.Next(line) || line != kTableHeader)
    {
        error = DumpError{lines.Number(), "expected the header of the extended table"};
        return false;
    }
    return ParseReportTable(lines, kExtendedBase, cpuid, error) &&
           ParseReportTail(lines, error, frequencyMhz);
}

bool LooksLikeUtf16(std::string_view bytes, std::size_t zeroAt) noexcept
{
    // ASCII text in UTF-16 without a mark: every other byte is zero.
    return bytes.size() >= 2 && bytes.size() % 2 == 0 && bytes[zeroAt] == '\0' && bytes[1 - zeroAt] != '\0';
}

std::string NarrowUtf16(std::string_view bytes, bool bigEndian)
{
    std::string narrow;
    narrow.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    {
        const auto high = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const char low = bytes[bigEndian ? i + 1 : i];
        narrow += high == 0 ? low : '?';
    }
    return narrow;
}

} // namespace

std::string NarrowDumpText(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
    {
        return std::string(bytes.substr(3));
    }
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")
    {
        return NarrowUtf16(bytes.substr(2), bytes[0] == '\xFE');
    }
    if (LooksLikeUtf16(bytes, 0) || LooksLikeUtf16(bytes, 1))
    {
        return NarrowUtf16(bytes, bytes[0] == '\0');
    }
    return std::string(bytes);
}

bool ParseCpuidDump(std::string_view text, CRecordedCpuid& cpuid, DumpError& error, DumpDetails* details)
{
    const std::string narrow = NarrowDumpText(text);
    DumpDetails found;
    bool parsed = false;
    if (IsReport(narrow))
    {
        found.format = DumpFormat::Report;
        parsed = ParseReport(narrow, cpuid, error, found.frequencyMhz);
    }
    else
    {
        parsed = ParseLeafLines(narrow, cpuid, error, found.format);
    }
    if (parsed && details != nullptr)
    {
        *details = found;
    }
    return parsed;
}

} // namespace zvt
