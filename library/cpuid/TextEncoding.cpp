// The encodings of the text file.
#include "TextEncoding.h"

#include <cstdlib>

namespace zvt
{
namespace
{

constexpr std::size_t kPieceUnits = 256; // UTF-16 units per piece: 512 bytes of stack

std::size_t WriteUtf16(const ZVT_WCHAR* text, std::size_t count, bool bigEndian, CByteSink& sink) noexcept
{
    std::uint8_t piece[2 * kPieceUnits];
    std::size_t written = 0;
    for (std::size_t start = 0; start < count; start += kPieceUnits)
    {
        const std::size_t units = count - start < kPieceUnits ? count - start : kPieceUnits;
        EncodeUtf16(text + start, units, bigEndian, piece);
        if (!sink.Write(piece, 2 * units))
        {
            break;
        }
        written += 2 * units;
    }
    return written;
}

// Pieces of an even number of characters keep the pairs together.
std::size_t WriteHexPairs(const ZVT_WCHAR* text, std::size_t count, CByteSink& sink) noexcept
{
    std::uint8_t piece[kPieceUnits];
    std::size_t written = 0;
    for (std::size_t start = 0; start < count; start += 2 * kPieceUnits)
    {
        const std::size_t characters = count - start < 2 * kPieceUnits ? count - start : 2 * kPieceUnits;
        const HexPairsResult result = DecodeHexPairs(text + start, characters, piece);
        if (result.bytes > 0 && !sink.Write(piece, result.bytes))
        {
            break;
        }
        written += result.bytes;
        if (result.ended)
        {
            break;
        }
    }
    return written;
}

// ANSI and UTF-8 go to the sink in one piece, as the text file always wrote them.
TextWriteResult WriteNarrowed(const ZVT_WCHAR* wide, bool utf8, CCodePages& codePages,
                              CByteSink& sink) noexcept
{
    const std::size_t size = codePages.Narrow(wide, utf8, nullptr, 0);
    if (size <= 1)
    {
        return {0, false};
    }
    auto* narrow = static_cast<char*>(std::calloc(size, 1));
    if (narrow == nullptr)
    {
        return {0, true};
    }
    codePages.Narrow(wide, utf8, narrow, size);
    const std::size_t length = size - 1; // without the terminator
    const bool taken = sink.Write(reinterpret_cast<const std::uint8_t*>(narrow), length);
    std::free(narrow);
    return {taken ? length : 0, false};
}

} // namespace

int EncodingOfMode(std::int32_t mode) noexcept
{
    const int code = static_cast<int>(static_cast<std::uint32_t>(mode) & 0xFFu);
    switch (code)
    {
    case kEncodingAnsi:
    case kEncodingUtf8:
    case kEncodingUtf16BE:
    case kEncodingUtf16LE:
    case kEncodingHex:
        return code;
    default:
        return kEncodingNone;
    }
}

bool ModeWritesBom(std::int32_t mode) noexcept
{
    const int encoding = EncodingOfMode(mode);
    const bool hasMark =
        encoding == kEncodingUtf8 || encoding == kEncodingUtf16BE || encoding == kEncodingUtf16LE;
    return hasMark && (static_cast<std::uint32_t>(mode) & 0xFFFFFF00u) != 0x100u;
}

std::size_t ByteOrderMark(int encoding, std::uint8_t (&mark)[kMaxByteOrderMark]) noexcept
{
    switch (encoding)
    {
    case kEncodingUtf8:
        mark[0] = 0xEF;
        mark[1] = 0xBB;
        mark[2] = 0xBF;
        return 3;
    case kEncodingUtf16BE:
        mark[0] = 0xFE;
        mark[1] = 0xFF;
        return 2;
    case kEncodingUtf16LE:
        mark[0] = 0xFF;
        mark[1] = 0xFE;
        return 2;
    default:
        return 0;
    }
}

void EncodeUtf16(const ZVT_WCHAR* text, std::size_t count, bool bigEndian, std::uint8_t* out) noexcept
{
    for (std::size_t i = 0; i < count; ++i)
    {
        const auto unit = static_cast<std::uint16_t>(text[i]);
        const auto high = static_cast<std::uint8_t>(unit >> 8);
        const auto low = static_cast<std::uint8_t>(unit & 0xFFu);
        out[2 * i] = bigEndian ? high : low;
        out[2 * i + 1] = bigEndian ? low : high;
    }
}

std::uint8_t HexDigitValue(ZVT_WCHAR character) noexcept
{
    const auto low = static_cast<std::uint8_t>(static_cast<std::uint16_t>(character) & 0xFFu);
    if (low >= '0' && low <= '9')
    {
        return static_cast<std::uint8_t>(low - '0');
    }
    if (low >= 'A' && low <= 'F')
    {
        return static_cast<std::uint8_t>(low - 'A' + 10);
    }
    if (low >= 'a' && low <= 'f')
    {
        return static_cast<std::uint8_t>(low - 'a' + 10);
    }
    return 0;
}

HexPairsResult DecodeHexPairs(const ZVT_WCHAR* text, std::size_t length, std::uint8_t* out) noexcept
{
    HexPairsResult result{0, false};
    for (std::size_t i = 0; i < length; i += 2)
    {
        const std::uint8_t high = HexDigitValue(text[i]);
        const std::uint8_t low = i + 1 < length ? HexDigitValue(text[i + 1]) : 0; // the terminator
        const auto value = static_cast<std::uint8_t>(high * 16 + low);
        if (value == 0)
        {
            result.ended = true;
            break;
        }
        out[result.bytes++] = value;
    }
    return result;
}

std::size_t WriteWideText(int encoding, const ZVT_WCHAR* text, std::size_t count, CByteSink& sink) noexcept
{
    switch (encoding)
    {
    case kEncodingUtf16BE:
    case kEncodingUtf16LE:
        return WriteUtf16(text, count, encoding == kEncodingUtf16BE, sink);
    case kEncodingHex:
        return WriteHexPairs(text, count, sink);
    default:
        return 0;
    }
}

TextWriteResult WriteAnsiText(int encoding, const char* text, CCodePages& codePages, CByteSink& sink) noexcept
{
    if (text == nullptr || encoding == kEncodingNone || EncodingOfMode(encoding) != encoding)
    {
        return {0, false};
    }
    const std::size_t units = codePages.Widen(text, nullptr, 0);
    if (units <= 1)
    {
        return {0, false};
    }
    auto* wide = static_cast<ZVT_WCHAR*>(std::calloc(units, sizeof(ZVT_WCHAR)));
    if (wide == nullptr)
    {
        return {0, true};
    }
    codePages.Widen(text, wide, units);
    TextWriteResult result{0, false};
    if (encoding == kEncodingAnsi || encoding == kEncodingUtf8)
    {
        result = WriteNarrowed(wide, encoding == kEncodingUtf8, codePages, sink);
    }
    else
    {
        result.bytes = WriteWideText(encoding, wide, units - 1, sink);
    }
    std::free(wide);
    return result;
}

} // namespace zvt
