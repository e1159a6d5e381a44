// The encodings of the text file: mode decoding, byte-order marks, UTF-16 to bytes, hexadecimal pairs to
// bytes, and the whole way from ANSI text to a file's bytes. No system calls: the code-page conversions
// come in through CCodePages (the system's in WindowsCodePages.h; off Windows, Windows1252.h in the host
// libraries).
#pragma once

#include <cstddef>
#include <cstdint>

#include "zavsys.h"

namespace zvt
{

constexpr int kEncodingAnsi = 0;    // the system's default code page
constexpr int kEncodingUtf8 = 1;    // code page 65001
constexpr int kEncodingUtf16BE = 2; // high byte first
constexpr int kEncodingUtf16LE = 3; // low byte first
constexpr int kEncodingHex = 6;     // pairs of hexadecimal digits become bytes
constexpr int kEncodingNone = 255;  // anything else: nothing is written

constexpr std::size_t kMaxByteOrderMark = 3;

// The encoding chosen by the low byte of a mode; kEncodingNone for codes other than 0, 1, 2, 3 and 6.
int EncodingOfMode(std::int32_t mode) noexcept;

// A mark is written for UTF-8 and UTF-16 unless bits 8..31 of the mode hold exactly 1 (0x101 drops it,
// 0x201 does not).
bool ModeWritesBom(std::int32_t mode) noexcept;

// The byte-order mark of an encoding into mark; returns its length (0 for encodings without one).
std::size_t ByteOrderMark(int encoding, std::uint8_t (&mark)[kMaxByteOrderMark]) noexcept;

// count UTF-16 units as 2 * count bytes, high byte first when bigEndian, else low byte first.
void EncodeUtf16(const ZVT_WCHAR* text, std::size_t count, bool bigEndian, std::uint8_t* out) noexcept;

// The value of a hexadecimal digit, read from the low byte of a character; 0 for anything else.
std::uint8_t HexDigitValue(ZVT_WCHAR character) noexcept;

struct HexPairsResult
{
    std::size_t bytes; // bytes stored in out
    bool ended;        // a pair gave the byte 0, which ends the output
};

// Decodes length characters two at a time into out (room for (length + 1) / 2 bytes). An odd last
// character pairs with a terminator, which counts as the digit 0. Stops before a byte of 0.
HexPairsResult DecodeHexPairs(const ZVT_WCHAR* text, std::size_t length, std::uint8_t* out) noexcept;

// Where encoded bytes go: the file's archive, or a test's vector. Returns false once it takes no more.
class CByteSink
{
public:
    virtual bool Write(const std::uint8_t* bytes, std::size_t count) noexcept = 0;

protected:
    CByteSink() = default;
    CByteSink(const CByteSink&) = default;
    CByteSink& operator=(const CByteSink&) = default;
    ~CByteSink() = default;
};

// Writes count UTF-16 units to sink in a UTF-16 encoding or as hexadecimal pairs, a piece at a time
// through a small stack buffer. Returns the bytes handed to the sink; 0 for any other encoding.
std::size_t WriteWideText(int encoding, const ZVT_WCHAR* text, std::size_t count, CByteSink& sink) noexcept;

// The ANSI code page and UTF-8, both ways. Each call works like the system's: with a null output it only
// counts; the counts include the terminator, and 0 means the conversion failed or had no room.
class CCodePages
{
public:
    // The terminated ANSI text as terminated UTF-16 in wide (room for capacity units).
    virtual std::size_t Widen(const char* text, ZVT_WCHAR* wide, std::size_t capacity) noexcept = 0;
    // The terminated UTF-16 text as terminated UTF-8 (when utf8) or ANSI bytes in narrow (room for capacity).
    virtual std::size_t Narrow(const ZVT_WCHAR* wide, bool utf8, char* narrow,
                               std::size_t capacity) noexcept = 0;

protected:
    CCodePages() = default;
    CCodePages(const CCodePages&) = default;
    CCodePages& operator=(const CCodePages&) = default;
    ~CCodePages() = default;
};

struct TextWriteResult
{
    std::size_t bytes;    // handed to the sink, terminator and mark not counted
    bool memoryExhausted; // a conversion found no memory, and nothing was written
};

// Writes the terminated ANSI text to sink in encoding: widened through codePages, then narrowed again for
// ANSI and UTF-8, or written by WriteWideText. An empty text or another encoding writes nothing. A refusal
// by the sink gives 0 bytes for ANSI and UTF-8 (one piece), the pieces taken for the others.
TextWriteResult WriteAnsiText(int encoding, const char* text, CCodePages& codePages,
                              CByteSink& sink) noexcept;

} // namespace zvt
