// The two text forms of a CPUID dump: "cpuid -r" lines ("0x00000001 0x00: eax=... ebx=... ecx=... edx=...",
// in blocks under "CPU n:") and "CPUID 00000001: eax-ebx-ecx-edx" lines, one block per logical processor.
#include "LeafDumpReader.h"

#include <unordered_map>
#include <utility>

#include "DumpLines.h"

namespace zvt
{
namespace
{

using dump::CLineReader;
using dump::CLines;
using dump::LeafText;
using dump::Quote;

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

    // Reads one block from lines; more is set when the next processor's block begins, with its first line
    // given back to lines.
    bool Read(CLines& lines, bool& more)
    {
        std::string_view line;
        more = false;
        while (!more && lines.Next(line))
        {
            if (!Take(line, lines.Number(), more))
            {
                return false;
            }
        }
        if (more)
        {
            lines.Unread();
        }
        return (more || Finish()) && HasLeafZero();
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

} // namespace

bool ParseLeafDump(std::string_view text, std::size_t maxProcessors, std::vector<CRecordedCpuid>& processors,
                   DumpError& error, DumpFormat& format)
{
    CLines lines(text);
    bool more = true;
    while (more && processors.size() < maxProcessors)
    {
        processors.emplace_back();
        CBlockReader reader(processors.back(), error, format);
        if (!reader.Read(lines, more))
        {
            return false;
        }
    }
    return true;
}

} // namespace zvt
