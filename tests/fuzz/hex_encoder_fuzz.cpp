// Fuzzes the report file's encoders: hexadecimal pairs and UTF-16, written piece by piece through a sink,
// must give exactly what decoding the whole text at once gives, and never write past their buffers.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "TextEncoding.h"

namespace
{

class CVectorSink final : public zvt::CByteSink
{
public:
    bool Write(const std::uint8_t* bytes, std::size_t count) noexcept override
    {
        m_bytes.insert(m_bytes.end(), bytes, bytes + count);
        return true;
    }
    std::vector<std::uint8_t> m_bytes;
};

std::vector<ZVT_WCHAR> Units(const std::uint8_t* data, std::size_t size)
{
    std::vector<ZVT_WCHAR> units(size / 2);
    for (std::size_t i = 0; i < units.size(); ++i)
    {
        units[i] = static_cast<ZVT_WCHAR>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    return units;
}

void CheckHex(const std::vector<ZVT_WCHAR>& text)
{
    std::vector<std::uint8_t> whole((text.size() + 1) / 2 + 1);
    const zvt::HexPairsResult result = zvt::DecodeHexPairs(text.data(), text.size(), whole.data());
    CVectorSink sink;
    const std::size_t written = zvt::WriteWideText(zvt::kEncodingHex, text.data(), text.size(), sink);
    if (result.bytes > (text.size() + 1) / 2 || written != sink.m_bytes.size() || written != result.bytes ||
        (written > 0 && std::memcmp(sink.m_bytes.data(), whole.data(), written) != 0) ||
        std::memchr(whole.data(), 0, result.bytes) != nullptr)
    {
        __builtin_trap();
    }
}

void CheckUtf16(const std::vector<ZVT_WCHAR>& text, bool bigEndian)
{
    CVectorSink sink;
    const int encoding = bigEndian ? zvt::kEncodingUtf16BE : zvt::kEncodingUtf16LE;
    const std::size_t written = zvt::WriteWideText(encoding, text.data(), text.size(), sink);
    if (written != 2 * text.size() || sink.m_bytes.size() != written)
    {
        __builtin_trap();
    }
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const auto unit = static_cast<std::uint16_t>(text[i]);
        const std::uint8_t first = sink.m_bytes[2 * i];
        const std::uint8_t second = sink.m_bytes[2 * i + 1];
        if ((bigEndian ? (first << 8 | second) : (second << 8 | first)) != unit)
        {
            __builtin_trap();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<ZVT_WCHAR> text = Units(data, size);
    CheckHex(text);
    CheckUtf16(text, true);
    CheckUtf16(text, false);
    return 0;
}
