// The line-level pieces of the dump readers: the text cut into numbered lines, a cursor over one line,
// and the forms in which a bad line and a leaf are named in an error message.
#pragma once

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zvt::dump
{

// Trailing CR, blanks and tabs, and leading blanks and tabs, removed.
std::string_view Trim(std::string_view line) noexcept;
// A piece of a bad line for the error message, printable and on one line.
std::string Quote(std::string_view line);
// "0x0000000b"
std::string HexText(std::uint32_t value);
// "leaf 0x0000000b sub-leaf 1"
std::string LeafText(std::uint32_t leaf, std::uint32_t subleaf);

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
        m_previous = m_text;
        const std::size_t end = m_text.find('\n');
        line = Trim(m_text.substr(0, end));
        m_text = end == std::string_view::npos ? std::string_view{} : m_text.substr(end + 1);
        ++m_number;
        return true;
    }
    // Gives the line just read back, for the reader of the next processor's block that it begins.
    void Unread() noexcept
    {
        m_text = m_previous;
        --m_number;
    }
    int Number() const noexcept
    {
        return m_number;
    }

private:
    std::string_view m_text;
    std::string_view m_previous;
    int m_number = 0;
};

} // namespace zvt::dump
