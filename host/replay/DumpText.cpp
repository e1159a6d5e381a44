// Byte-order marks and UTF-16 told apart from single-byte text.
#include "DumpText.h"

namespace zvt
{
namespace
{

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

} // namespace zvt
