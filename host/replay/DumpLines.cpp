// The line-level pieces of the dump readers.
#include "DumpLines.h"

#include <cstdio>

namespace zvt::dump
{

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

std::string Quote(std::string_view line)
{
    std::string quoted;
    for (const char c : line.substr(0, 60))
    {
        quoted += std::isprint(static_cast<unsigned char>(c)) != 0 ? c : '?';
    }
    return quoted;
}

std::string HexText(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", value);
    return text;
}

std::string LeafText(std::uint32_t leaf, std::uint32_t subleaf)
{
    return "leaf " + HexText(leaf) + " sub-leaf " + std::to_string(subleaf);
}

} // namespace zvt::dump
