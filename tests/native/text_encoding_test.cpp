// The text file's encodings: which modes write a mark, UTF-16 byte order, hexadecimal pairs, and ANSI text
// through the code pages.
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "TextEncoding.h"
#include "Windows1252.h"

namespace
{

using Bytes = std::vector<std::uint8_t>;

std::basic_string<ZVT_WCHAR> Widen(const std::string& text)
{
    return {text.begin(), text.end()};
}

Bytes Mark(std::int32_t mode)
{
    std::uint8_t mark[zvt::kMaxByteOrderMark] = {};
    if (!zvt::ModeWritesBom(mode))
    {
        return {};
    }
    return Bytes(mark, mark + zvt::ByteOrderMark(zvt::EncodingOfMode(mode), mark));
}

Bytes Utf16(const std::basic_string<ZVT_WCHAR>& text, bool bigEndian)
{
    Bytes out(2 * text.size());
    zvt::EncodeUtf16(text.data(), text.size(), bigEndian, out.data());
    return out;
}

Bytes Hex(const std::string& text)
{
    const auto wide = Widen(text);
    Bytes out((wide.size() + 1) / 2);
    out.resize(zvt::DecodeHexPairs(wide.data(), wide.size(), out.data()).bytes);
    return out;
}

} // namespace

TEST(TextEncoding, LowByteOfModeChoosesEncoding)
{
    EXPECT_EQ(zvt::EncodingOfMode(0), zvt::kEncodingAnsi);
    EXPECT_EQ(zvt::EncodingOfMode(1), zvt::kEncodingUtf8);
    EXPECT_EQ(zvt::EncodingOfMode(0x102), zvt::kEncodingUtf16BE);
    EXPECT_EQ(zvt::EncodingOfMode(0x203), zvt::kEncodingUtf16LE);
    EXPECT_EQ(zvt::EncodingOfMode(6), zvt::kEncodingHex);
    for (const std::int32_t unsupported : {4, 5, 7, 0xFF, 0x105, -1})
    {
        EXPECT_EQ(zvt::EncodingOfMode(unsupported), zvt::kEncodingNone) << unsupported;
    }
}

TEST(TextEncoding, MarkUnlessUpperBitsAreExactlyOne)
{
    EXPECT_EQ(Mark(0), Bytes{});
    EXPECT_EQ(Mark(1), (Bytes{0xEF, 0xBB, 0xBF}));
    EXPECT_EQ(Mark(0x101), Bytes{});
    EXPECT_EQ(Mark(0x201), (Bytes{0xEF, 0xBB, 0xBF}));
    EXPECT_EQ(Mark(2), (Bytes{0xFE, 0xFF}));
    EXPECT_EQ(Mark(0x102), Bytes{});
    EXPECT_EQ(Mark(3), (Bytes{0xFF, 0xFE}));
    EXPECT_EQ(Mark(0x103), Bytes{});
    EXPECT_EQ(Mark(0x10003), (Bytes{0xFF, 0xFE}));       // only exactly 1 in bits 8..31 drops the mark
    EXPECT_EQ(Mark(0x10101), (Bytes{0xEF, 0xBB, 0xBF})); // bits 8..15 alone are not the rule
    EXPECT_EQ(Mark(5), Bytes{});
    EXPECT_EQ(Mark(6), Bytes{});
    EXPECT_EQ(Mark(0x106), Bytes{});
}

TEST(TextEncoding, Utf16ByteOrders)
{
    EXPECT_EQ(Utf16(Widen("ab"), true), (Bytes{0x00, 0x61, 0x00, 0x62}));
    EXPECT_EQ(Utf16(Widen("ab"), false), (Bytes{0x61, 0x00, 0x62, 0x00}));
    const std::basic_string<ZVT_WCHAR> wide = {0x30D0, 0x00E9};
    EXPECT_EQ(Utf16(wide, true), (Bytes{0x30, 0xD0, 0x00, 0xE9}));
    EXPECT_EQ(Utf16(wide, false), (Bytes{0xD0, 0x30, 0xE9, 0x00}));
    EXPECT_EQ(Utf16({}, true), Bytes{});
}

TEST(TextEncoding, HexPairs)
{
    EXPECT_EQ(Hex("4142"), (Bytes{0x41, 0x42}));
    EXPECT_EQ(Hex("fFaA09"), (Bytes{0xFF, 0xAA, 0x09}));
    EXPECT_EQ(Hex("414"), (Bytes{0x41, 0x40})); // the odd digit pairs with the terminator
    EXPECT_EQ(Hex("4"), (Bytes{0x40}));
    EXPECT_EQ(Hex("41004142"), (Bytes{0x41})); // a zero byte ends the output
    EXPECT_EQ(Hex("0041"), Bytes{});
    EXPECT_EQ(Hex("0"), Bytes{});
    EXPECT_EQ(Hex(""), Bytes{});
    EXPECT_EQ(Hex("G1zz"), (Bytes{0x01})); // non-digits count as 0: "G1" is 01, "zz" is 00
}

TEST(TextEncoding, HexPairsReportWhereTheyEnded)
{
    const auto text = Widen("41420043");
    std::uint8_t out[4] = {};
    const zvt::HexPairsResult whole = zvt::DecodeHexPairs(text.data(), 4, out);
    EXPECT_EQ(whole.bytes, 2u);
    EXPECT_FALSE(whole.ended);
    const zvt::HexPairsResult stopped = zvt::DecodeHexPairs(text.data(), text.size(), out);
    EXPECT_EQ(stopped.bytes, 2u);
    EXPECT_TRUE(stopped.ended);
}

TEST(TextEncoding, HexDigitsReadTheLowByteOnly)
{
    EXPECT_EQ(zvt::HexDigitValue(0x0141), 10); // low byte 'A'
    EXPECT_EQ(zvt::HexDigitValue(0x3039), 9);  // low byte '9'
    EXPECT_EQ(zvt::HexDigitValue('g'), 0);
    EXPECT_EQ(zvt::HexDigitValue('/'), 0);
    EXPECT_EQ(zvt::HexDigitValue(':'), 0);
    EXPECT_EQ(zvt::HexDigitValue('@'), 0);
}

namespace
{

// Collects what it is given; refuses everything after limit bytes.
class CVectorSink final : public zvt::CByteSink
{
public:
    explicit CVectorSink(std::size_t limit = SIZE_MAX) : m_nLimit(limit)
    {
    }
    bool Write(const std::uint8_t* bytes, std::size_t count) noexcept override
    {
        if (m_bytes.size() + count > m_nLimit)
        {
            return false;
        }
        m_bytes.insert(m_bytes.end(), bytes, bytes + count);
        ++m_nWrites;
        return true;
    }
    Bytes m_bytes;
    int m_nWrites = 0;

private:
    std::size_t m_nLimit;
};

// What the file holds for a mode: the mark, then the text in that encoding.
Bytes FileBytes(std::int32_t mode, const std::string& text, std::size_t* handedOver = nullptr)
{
    const auto wide = Widen(text);
    CVectorSink sink;
    Bytes bytes = Mark(mode);
    const std::size_t written = zvt::WriteWideText(zvt::EncodingOfMode(mode), wide.data(), wide.size(), sink);
    if (handedOver != nullptr)
    {
        *handedOver = written;
    }
    EXPECT_EQ(written, sink.m_bytes.size());
    bytes.insert(bytes.end(), sink.m_bytes.begin(), sink.m_bytes.end());
    return bytes;
}

} // namespace

TEST(TextEncoding, FileBytesPerMode)
{
    std::size_t written = 0;
    EXPECT_EQ(FileBytes(2, "ab", &written), (Bytes{0xFE, 0xFF, 0x00, 0x61, 0x00, 0x62}));
    EXPECT_EQ(written, 4u); // the mark is not counted
    EXPECT_EQ(FileBytes(0x102, "ab"), (Bytes{0x00, 0x61, 0x00, 0x62}));
    EXPECT_EQ(FileBytes(3, "ab"), (Bytes{0xFF, 0xFE, 0x61, 0x00, 0x62, 0x00}));
    EXPECT_EQ(FileBytes(0x103, "ab"), (Bytes{0x61, 0x00, 0x62, 0x00}));
    EXPECT_EQ(FileBytes(6, "4142"), (Bytes{0x41, 0x42}));
    EXPECT_EQ(FileBytes(6, "41004142"), (Bytes{0x41}));
    EXPECT_EQ(FileBytes(6, "414"), (Bytes{0x41, 0x40}));
    EXPECT_EQ(FileBytes(5, "abc", &written), Bytes{});
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(FileBytes(0x103, ""), Bytes{});
}

TEST(TextEncoding, LongTextsGoOverInPieces)
{
    std::string text;
    for (int i = 0; i < 700; ++i)
    {
        text += static_cast<char>('a' + i % 26);
    }
    const Bytes little = FileBytes(0x103, text);
    ASSERT_EQ(little.size(), 2 * text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        ASSERT_EQ(little[2 * i], static_cast<std::uint8_t>(text[i])) << i;
        ASSERT_EQ(little[2 * i + 1], 0) << i;
    }

    std::string hex;
    for (int i = 0; i < 1500; ++i)
    {
        hex += "7f";
    }
    EXPECT_EQ(FileBytes(6, hex), Bytes(1500, 0x7F));
    Bytes withOne(1500, 0x7F);
    withOne.push_back(0x01);
    EXPECT_EQ(FileBytes(6, hex + "01"), withOne);
    EXPECT_EQ(FileBytes(6, hex + "00" + hex), Bytes(1500, 0x7F)); // the end found in a later piece
}

TEST(TextEncoding, StopsWhenTheSinkRefuses)
{
    const auto wide = Widen(std::string(600, 'x'));
    CVectorSink sink(600);
    const std::size_t written = zvt::WriteWideText(zvt::kEncodingUtf16LE, wide.data(), wide.size(), sink);
    EXPECT_EQ(written, 512u); // the first piece went over, the second did not
    EXPECT_EQ(sink.m_nWrites, 1);
}

namespace
{

// Gives the same wide and narrow texts whatever it is asked, and records each call ('W' widen, 'A' narrow
// to ANSI, 'U' narrow to UTF-8; lower case for counting calls).
class CRecordingCodePages final : public zvt::CCodePages
{
public:
    std::size_t Widen(const char* text, ZVT_WCHAR* wide, std::size_t capacity) noexcept override
    {
        m_calls += wide == nullptr ? 'w' : 'W';
        m_widened = text;
        if (wide == nullptr && m_claimedUnits != 0)
        {
            return m_claimedUnits;
        }
        return Copy(m_wide, wide, capacity);
    }
    std::size_t Narrow(const ZVT_WCHAR* wide, bool utf8, char* narrow, std::size_t capacity) noexcept override
    {
        m_calls += narrow == nullptr ? (utf8 ? 'u' : 'a') : (utf8 ? 'U' : 'A');
        m_narrowed.assign(wide, wide + m_wide.size());
        if (narrow == nullptr && m_claimedBytes != 0)
        {
            return m_claimedBytes;
        }
        return Copy(utf8 ? std::string("u8\xC3\xA9") : std::string("an\xE9"), narrow, capacity);
    }

    std::basic_string<ZVT_WCHAR> m_wide = {0x20AC, 'x'};
    std::string m_calls;
    std::string m_widened;
    std::basic_string<ZVT_WCHAR> m_narrowed;
    // When not 0, the counts given instead of the real ones: too large for any allocation to succeed.
    std::size_t m_claimedUnits = 0;
    std::size_t m_claimedBytes = 0;

private:
    template <typename Text, typename Unit>
    static std::size_t Copy(const Text& text, Unit* out, std::size_t capacity) noexcept
    {
        if (out != nullptr && capacity >= text.size() + 1)
        {
            std::copy(text.begin(), text.end(), out);
            out[text.size()] = 0;
        }
        return text.size() + 1;
    }
};

struct AnsiWrite
{
    Bytes bytes;
    std::size_t written;
};

AnsiWrite WriteAnsi(int encoding, const char* text, zvt::CCodePages& codePages, std::size_t limit = SIZE_MAX)
{
    CVectorSink sink(limit);
    const zvt::TextWriteResult result = zvt::WriteAnsiText(encoding, text, codePages, sink);
    EXPECT_FALSE(result.memoryExhausted);
    return {sink.m_bytes, result.bytes};
}

} // namespace

TEST(AnsiText, EachEncodingTakesItsWayThroughTheCodePages)
{
    CRecordingCodePages ansi;
    const AnsiWrite narrowed = WriteAnsi(zvt::kEncodingAnsi, "text", ansi);
    EXPECT_EQ(narrowed.bytes, (Bytes{0x61, 0x6E, 0xE9}));
    EXPECT_EQ(narrowed.written, 3u);
    EXPECT_EQ(ansi.m_calls, "wWaA");
    EXPECT_EQ(ansi.m_widened, "text");
    EXPECT_EQ(ansi.m_narrowed, ansi.m_wide); // the widened text is what is narrowed

    CRecordingCodePages utf8;
    EXPECT_EQ(WriteAnsi(zvt::kEncodingUtf8, "text", utf8).bytes, (Bytes{0x75, 0x38, 0xC3, 0xA9}));
    EXPECT_EQ(utf8.m_calls, "wWuU");

    CRecordingCodePages big;
    const AnsiWrite wide = WriteAnsi(zvt::kEncodingUtf16BE, "text", big);
    EXPECT_EQ(wide.bytes, (Bytes{0x20, 0xAC, 0x00, 0x78})); // the terminator is not written or counted
    EXPECT_EQ(wide.written, 4u);
    EXPECT_EQ(big.m_calls, "wW");

    CRecordingCodePages little;
    EXPECT_EQ(WriteAnsi(zvt::kEncodingUtf16LE, "text", little).bytes, (Bytes{0xAC, 0x20, 0x78, 0x00}));
    CRecordingCodePages hex;
    hex.m_wide = {'4', '1', 0x0142, '3'}; // digits are read from the low byte
    EXPECT_EQ(WriteAnsi(zvt::kEncodingHex, "text", hex).bytes, (Bytes{0x41, 0xB3}));
}

TEST(AnsiText, NothingToWrite)
{
    for (const int encoding : {zvt::kEncodingAnsi, zvt::kEncodingUtf16LE, zvt::kEncodingHex})
    {
        CRecordingCodePages empty;
        empty.m_wide.clear();
        const AnsiWrite write = WriteAnsi(encoding, "", empty);
        EXPECT_EQ(write.bytes, Bytes{}) << encoding;
        EXPECT_EQ(write.written, 0u) << encoding;
        EXPECT_EQ(empty.m_calls, "w") << encoding;
    }
    for (const int encoding : {4, 5, zvt::kEncodingNone})
    {
        CRecordingCodePages unsupported;
        EXPECT_EQ(WriteAnsi(encoding, "text", unsupported).written, 0u) << encoding;
        EXPECT_EQ(unsupported.m_calls, "") << encoding;
    }
    CRecordingCodePages refused;
    const AnsiWrite write = WriteAnsi(zvt::kEncodingUtf8, "text", refused, 3);
    EXPECT_EQ(write.written, 0u); // one piece, refused whole
    EXPECT_EQ(write.bytes, Bytes{});
}

// A buffer the conversion cannot get is reported as such, and nothing reaches the file: the wide buffer
// every encoding needs (its size in bytes beyond size_t), and the narrow one of ANSI and UTF-8 (larger than
// any allocator gives).
TEST(AnsiText, NoMemoryForABufferWritesNothing)
{
    const struct
    {
        int encoding;
        bool narrowFails; // else the wide buffer fails
        const char* calls;
    } cases[] = {
        {zvt::kEncodingAnsi, false, "w"},    {zvt::kEncodingUtf8, false, "w"},
        {zvt::kEncodingUtf16BE, false, "w"}, {zvt::kEncodingUtf16LE, false, "w"},
        {zvt::kEncodingHex, false, "w"},     {zvt::kEncodingAnsi, true, "wWa"},
        {zvt::kEncodingUtf8, true, "wWu"},
    };
    for (const auto& c : cases)
    {
        CRecordingCodePages codePages;
        if (c.narrowFails)
        {
            codePages.m_claimedBytes = SIZE_MAX;
        }
        else
        {
            codePages.m_claimedUnits = SIZE_MAX / sizeof(ZVT_WCHAR) + 1;
        }
        CVectorSink sink;
        const zvt::TextWriteResult result = zvt::WriteAnsiText(c.encoding, "text", codePages, sink);
        EXPECT_TRUE(result.memoryExhausted) << c.encoding << ' ' << c.narrowFails;
        EXPECT_EQ(result.bytes, 0u) << c.encoding << ' ' << c.narrowFails;
        EXPECT_EQ(sink.m_nWrites, 0) << c.encoding << ' ' << c.narrowFails;
        EXPECT_EQ(codePages.m_calls, c.calls) << c.encoding << ' ' << c.narrowFails;
    }
}

// Windows-1252 as Western Windows converts it: the undefined bytes pass through as the C1 controls of the
// same value, the others take the characters of the Windows-1252 chart.
TEST(AnsiText, Windows1252ReportInEveryEncoding)
{
    zvt::CWindows1252CodePages codePages;
    const char* text = "\x81\x8D\x8F\x90\x9D\x80\xE9Z";
    EXPECT_EQ(WriteAnsi(zvt::kEncodingAnsi, text, codePages).bytes,
              (Bytes{0x81, 0x8D, 0x8F, 0x90, 0x9D, 0x80, 0xE9, 0x5A}));
    EXPECT_EQ(WriteAnsi(zvt::kEncodingUtf8, text, codePages).bytes,
              (Bytes{0xC2, 0x81, 0xC2, 0x8D, 0xC2, 0x8F, 0xC2, 0x90, 0xC2, 0x9D, 0xE2, 0x82, 0xAC, 0xC3, 0xA9,
                     0x5A}));
    EXPECT_EQ(WriteAnsi(zvt::kEncodingUtf16BE, text, codePages).bytes,
              (Bytes{0x00, 0x81, 0x00, 0x8D, 0x00, 0x8F, 0x00, 0x90, 0x00, 0x9D, 0x20, 0xAC, 0x00, 0xE9, 0x00,
                     0x5A}));
    const std::basic_string<ZVT_WCHAR> kana = {0x30D0, 0};
    char narrow[2] = {};
    EXPECT_EQ(codePages.Narrow(kana.data(), false, narrow, sizeof narrow), 2u);
    EXPECT_EQ(narrow[0], '?'); // not in the code page
}

namespace
{

// Through the code pages as their callers use them: count, then convert; the terminator is dropped.
std::basic_string<ZVT_WCHAR> WidenBytes(zvt::CCodePages& codePages, const std::string& bytes)
{
    std::basic_string<ZVT_WCHAR> wide(codePages.Widen(bytes.c_str(), nullptr, 0), 0);
    EXPECT_EQ(codePages.Widen(bytes.c_str(), wide.data(), wide.size()), wide.size());
    wide.pop_back();
    return wide;
}

Bytes NarrowUnits(zvt::CCodePages& codePages, std::basic_string<ZVT_WCHAR> wide, bool utf8)
{
    std::string narrow(codePages.Narrow(wide.c_str(), utf8, nullptr, 0), '\0');
    EXPECT_EQ(codePages.Narrow(wide.c_str(), utf8, narrow.data(), narrow.size()), narrow.size());
    narrow.pop_back();
    return Bytes(narrow.begin(), narrow.end());
}

} // namespace

// The published Windows-1252 chart for 0x80..0xA0, written out here rather than taken from the converter.
// The five bytes the chart leaves undefined go both ways as the C1 control of the same value, as Western
// Windows converts them.
TEST(Windows1252, BytesFrom80ToA0BothWays)
{
    const struct
    {
        std::uint8_t byte;
        ZVT_WCHAR unit;
    } chart[] = {
        {0x80, 0x20AC}, // euro sign
        {0x81, 0x0081}, // undefined
        {0x82, 0x201A}, // single low-9 quotation mark
        {0x83, 0x0192}, // f with hook
        {0x84, 0x201E}, // double low-9 quotation mark
        {0x85, 0x2026}, // horizontal ellipsis
        {0x86, 0x2020}, // dagger
        {0x87, 0x2021}, // double dagger
        {0x88, 0x02C6}, // modifier letter circumflex
        {0x89, 0x2030}, // per mille sign
        {0x8A, 0x0160}, // S with caron
        {0x8B, 0x2039}, // single left-pointing angle quotation mark
        {0x8C, 0x0152}, // ligature OE
        {0x8D, 0x008D}, // undefined
        {0x8E, 0x017D}, // Z with caron
        {0x8F, 0x008F}, // undefined
        {0x90, 0x0090}, // undefined
        {0x91, 0x2018}, // left single quotation mark
        {0x92, 0x2019}, // right single quotation mark
        {0x93, 0x201C}, // left double quotation mark
        {0x94, 0x201D}, // right double quotation mark
        {0x95, 0x2022}, // bullet
        {0x96, 0x2013}, // en dash
        {0x97, 0x2014}, // em dash
        {0x98, 0x02DC}, // small tilde
        {0x99, 0x2122}, // trade mark sign
        {0x9A, 0x0161}, // s with caron
        {0x9B, 0x203A}, // single right-pointing angle quotation mark
        {0x9C, 0x0153}, // ligature oe
        {0x9D, 0x009D}, // undefined
        {0x9E, 0x017E}, // z with caron
        {0x9F, 0x0178}, // Y with diaeresis
        {0xA0, 0x00A0}, // no-break space, where the chart meets Latin-1 again
        {0x7F, 0x007F}, // the last ASCII byte, just below
        {0xFF, 0x00FF}, // y with diaeresis, the top
    };
    zvt::CWindows1252CodePages codePages;
    for (const auto& [byte, unit] : chart)
    {
        // Between two letters, so that a dropped or doubled unit shows too.
        EXPECT_EQ(WidenBytes(codePages, std::string{'a', static_cast<char>(byte), 'b'}),
                  (std::basic_string<ZVT_WCHAR>{'a', unit, 'b'}))
            << std::hex << +byte;
        EXPECT_EQ(NarrowUnits(codePages, {'a', unit, 'b'}, false), (Bytes{'a', byte, 'b'}))
            << std::hex << +byte;
    }
}

// UTF-8 takes one byte below U+0080, two below U+0800, three from there to the end of the basic plane; the
// bytes are Unicode's, written out by hand.
TEST(Windows1252, Utf8LengthsAtTheirBoundaries)
{
    const struct
    {
        ZVT_WCHAR unit;
        Bytes utf8;
    } cases[] = {
        {0x0001, {0x01}},
        {0x007F, {0x7F}},
        {0x0080, {0xC2, 0x80}},
        {0x00FF, {0xC3, 0xBF}},
        {0x07FF, {0xDF, 0xBF}},
        {0x0800, {0xE0, 0xA0, 0x80}},
        {0x20AC, {0xE2, 0x82, 0xAC}},
        {0xFFFD, {0xEF, 0xBF, 0xBD}},
    };
    zvt::CWindows1252CodePages codePages;
    for (const auto& [unit, utf8] : cases)
    {
        Bytes expected{'a'};
        expected.insert(expected.end(), utf8.begin(), utf8.end());
        expected.push_back('b');
        EXPECT_EQ(NarrowUnits(codePages, {'a', unit, 'b'}, true), expected) << std::hex << unit;
        const std::basic_string<ZVT_WCHAR> alone{unit, 0};
        EXPECT_EQ(codePages.Narrow(alone.data(), true, nullptr, 0), utf8.size() + 1) << std::hex << unit;
    }
}
