// Reference answers and checked, timed calls of the six exports.
#include "StressCalls.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwctype>

#include "BenchTimer.h"
#include "PerProcessorFields.h"

namespace zvt::bench
{
namespace
{

struct ReportMode
{
    std::int32_t mode;
    std::size_t markBytes;
    std::size_t unitBytes; // bytes per character of the text; 0 for hexadecimal pairs (two characters a byte)
};

// The first is ANSI with the mark flag clear: the report's text itself.
constexpr ReportMode kReportModes[kReportModeCount] = {
    {ZVT_MODE_ANSI, 0, 1},    {ZVT_MODE_ANSI | ZVT_MODE_NO_BOM, 0, 1},
    {ZVT_MODE_UTF8, 3, 1},    {ZVT_MODE_UTF8 | ZVT_MODE_NO_BOM, 0, 1},
    {ZVT_MODE_UTF16BE, 2, 2}, {ZVT_MODE_UTF16BE | ZVT_MODE_NO_BOM, 0, 2},
    {ZVT_MODE_UTF16LE, 2, 2}, {ZVT_MODE_UTF16LE | ZVT_MODE_NO_BOM, 0, 2},
    {ZVT_MODE_HEX, 0, 0},     {ZVT_MODE_HEX | ZVT_MODE_NO_BOM, 0, 0},
};

// Characters of the report text that show the per-processor fields: the digits of their cells in the
// leaf's table row ("0x%08x " cells: leaf, EAX, EBX, ECX, EDX).
std::vector<std::size_t> PerProcessorCharacters(const std::string& text)
{
    constexpr std::size_t kCellWidth = 11;
    std::vector<std::size_t> positions;
    for (const PerProcessorField& field : kPerProcessorFields)
    {
        char rowStart[16];
        std::snprintf(rowStart, sizeof rowStart, "\r\n0x%08x ",
                      (field.extended ? 0x80000000u : 0u) + field.index);
        const std::size_t row = text.find(rowStart);
        if (row == std::string::npos)
        {
            continue;
        }
        const std::size_t digits = row + 2 + kCellWidth * (1 + static_cast<std::size_t>(field.reg)) + 2;
        for (std::size_t digit = 0; digit < 8; ++digit)
        {
            if ((field.bits & (0xF0000000u >> (4 * digit))) != 0)
            {
                positions.push_back(digits + digit);
            }
        }
    }
    return positions;
}

std::vector<std::size_t> BytesOfCharacters(const std::vector<std::size_t>& characters, const ReportMode& mode)
{
    std::vector<std::size_t> bytes;
    for (const std::size_t character : characters)
    {
        if (mode.unitBytes == 0)
        {
            bytes.push_back(character / 2);
        }
        for (std::size_t unit = 0; unit < mode.unitBytes; ++unit)
        {
            bytes.push_back(mode.markBytes + character * mode.unitBytes + unit);
        }
    }
    return bytes;
}

// A report's size follows from the text's: the mark and one or two bytes a character; hexadecimal pairs
// stop early at a pair that gives 0.
bool SizeFitsEncoding(const std::string& report, std::size_t textLength, const ReportMode& mode) noexcept
{
    if (mode.unitBytes == 0)
    {
        return report.size() <= (textLength + 1) / 2;
    }
    return report.size() == mode.markBytes + textLength * mode.unitBytes;
}

bool SameReport(std::string actual, const ProcessorReference& reference, std::size_t modeIndex)
{
    std::string expected = reference.reports[modeIndex];
    if (actual.size() != expected.size())
    {
        return false;
    }
    for (const std::size_t byte : reference.perProcessorBytes[modeIndex])
    {
        if (byte < actual.size())
        {
            actual[byte] = expected[byte] = 0;
        }
    }
    return actual == expected;
}

bool EndsWithNoCase(const std::wstring& text, const wchar_t* suffix)
{
    const std::size_t length = std::wcslen(suffix);
    return text.size() >= length && _wcsicmp(text.c_str() + text.size() - length, suffix) == 0;
}

constexpr wchar_t kTemporaryPrefix[] = L"zst";

// A name handed out must be <directory><prefix><hex digits>.tmp, an empty file that this caller alone
// owns: deleting it must succeed (a name given to two callers at once would fail the second delete).
bool IsFreshTemporaryFile(const std::wstring& name, const std::wstring& directory)
{
    const std::size_t prefixLength = std::wcslen(kTemporaryPrefix);
    bool wellFormed = name.compare(0, directory.size(), directory) == 0 &&
                      name.compare(directory.size(), prefixLength, kTemporaryPrefix) == 0 &&
                      EndsWithNoCase(name, L".tmp") && name.size() > directory.size() + prefixLength + 4;
    for (std::size_t i = directory.size() + prefixLength; wellFormed && i < name.size() - 4; ++i)
    {
        wellFormed = std::iswxdigit(name[i]) != 0;
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    const bool emptyFile = GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data) &&
                           (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
                           data.nFileSizeLow == 0 && data.nFileSizeHigh == 0;
    const bool deleted = DeleteFileW(name.c_str()) != FALSE;
    return wellFormed && emptyFile && deleted;
}

const wchar_t* const kVersionFiles[2] = {L"kernel32.dll", L"zavsys.dll"};

// A record filled with 0xCD but for its size, so that every byte a call leaves alone shows.
template <typename Record> Record Unfilled(decltype(Record::size) size) noexcept
{
    Record record;
    std::memset(&record, 0xCD, sizeof record);
    record.size = size;
    return record;
}

template <typename Call> auto Timed(double& elapsedUs, Call call)
{
    const double start = Now();
    const auto result = call();
    elapsedUs = (Now() - start) * 1e6;
    return result;
}

} // namespace

const char* ExportKindName(std::size_t kind) noexcept
{
    static const char* const names[kExportKinds] = {
        "zvtGetIdentity", "zvtGetIdentity + report", "zvtGetInformation",      "zvtGetWindowsVersion",
        "zvtIsWow64",     "zvtGetFileVersion",       "zvtGetTemporaryFileName"};
    return kind < kExportKinds ? names[kind] : "?";
}

std::string ReadWholeFile(const std::wstring& path)
{
    std::string bytes;
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
    {
        return bytes;
    }
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
    {
        bytes.append(chunk, read);
    }
    CloseHandle(file);
    return bytes;
}

std::vector<std::string> PerProcessorFieldNames(unsigned fields)
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < std::size(kPerProcessorFields); ++i)
    {
        if ((fields & (1u << i)) != 0)
        {
            names.emplace_back(kPerProcessorFields[i].name);
        }
    }
    return names;
}

bool TakeProcessorReference(const CZavsysLibrary& library, const std::wstring& directory,
                            ProcessorReference& reference)
{
    reference.identity.size = ZVT_IDENTITY_SIZE;
    reference.information.size = ZVT_INFORMATION_SIZE;
    if (library.m_pfnGetIdentity(&reference.identity, 0, nullptr, 0) != ZVT_OK ||
        library.m_pfnGetInformation(&reference.information, 0) != ZVT_OK)
    {
        std::printf("reference: the processor exports failed\n");
        return false;
    }
    for (std::size_t i = 0; i < kReportModeCount; ++i)
    {
        const std::wstring path = directory + L"\\reference-" + std::to_wstring(i) + L".txt";
        ZVT_CPU_IDENTITY identity{};
        identity.size = ZVT_IDENTITY_SIZE;
        const std::int32_t result =
            library.m_pfnGetIdentity(&identity, 0, path.c_str(), kReportModes[i].mode);
        reference.reports[i] = ReadWholeFile(path);
        DeleteFileW(path.c_str());
        if (result != ZVT_OK)
        {
            std::printf("reference: report mode 0x%x gave %d\n", static_cast<unsigned>(kReportModes[i].mode),
                        static_cast<int>(result));
            return false;
        }
    }
    const std::string& text = reference.reports[0];
    const std::vector<std::size_t> characters = PerProcessorCharacters(text);
    for (std::size_t i = 0; i < kReportModeCount; ++i)
    {
        reference.perProcessorBytes[i] = BytesOfCharacters(characters, kReportModes[i]);
        if (!SizeFitsEncoding(reference.reports[i], text.size(), kReportModes[i]))
        {
            std::printf("reference: report mode 0x%x has %zu bytes for a text of %zu characters\n",
                        static_cast<unsigned>(kReportModes[i].mode), reference.reports[i].size(),
                        text.size());
            return false;
        }
    }
    return true;
}

bool TakeSystemReference(const CZavsysLibrary& library, SystemReference& reference)
{
    reference.version.size = ZVT_WINDOWS_VERSION_SIZE;
    reference.versionResult = library.m_pfnGetWindowsVersion(&reference.version);
    reference.wow64 = library.m_pfnIsWow64();
    for (std::size_t i = 0; i < reference.files.size(); ++i)
    {
        FileVersionAnswer& answer = reference.files[i];
        answer.result = library.m_pfnGetFileVersion(kVersionFiles[i], &answer.parts[0], &answer.parts[1],
                                                    &answer.parts[2], &answer.parts[3]);
    }
    for (std::int32_t longName = 0; longName < 2; ++longName)
    {
        wchar_t name[MAX_PATH] = {};
        std::wcscpy(name, kTemporaryPrefix);
        if (library.m_pfnGetTemporaryFileName(longName, name, MAX_PATH) != ZVT_OK)
        {
            std::printf("reference: zvtGetTemporaryFileName failed\n");
            return false;
        }
        DeleteFileW(name);
        const std::wstring path(name);
        reference.temporaryDirectories[static_cast<std::size_t>(longName)] =
            path.substr(0, path.rfind(L'\\') + 1);
    }
    return true;
}

CStressCaller::CStressCaller(const CZavsysLibrary& library, const ProcessorReference& processor,
                             const SystemReference& system, std::wstring reportStem,
                             CallFigures& figures) noexcept
    : m_library(library), m_processor(processor), m_system(system), m_strReportStem(std::move(reportStem)),
      m_figures(figures)
{
}

void CStressCaller::CallEachExport(int round)
{
    const auto turn = static_cast<std::size_t>(round);
    CallIdentity();
    CallIdentityWithReport(turn % kReportModeCount);
    CallInformation();
    CallWindowsVersion();
    CallWow64();
    CallFileVersion(turn % m_system.files.size());
    CallTemporaryName(static_cast<std::int32_t>(turn % 2));
}

void CStressCaller::Record(ExportKind kind, double elapsedUs, bool matches, const char* detail)
{
    ExportFigures& figures = m_figures.exports[kind];
    ++figures.calls;
    figures.totalUs += elapsedUs;
    figures.maxUs = elapsedUs > figures.maxUs ? elapsedUs : figures.maxUs;
    if (!matches)
    {
        ++figures.mismatches;
        if (m_figures.firstMismatches.size() < 5)
        {
            m_figures.firstMismatches.push_back(std::string(ExportKindName(kind)) + ": " + detail);
        }
    }
}

bool CStressCaller::MatchesIdentity(const ZVT_CPU_IDENTITY& identity)
{
    bool same = false;
    const unsigned differing = DifferingPerProcessorFields(identity, m_processor.identity, same);
    m_figures.perProcessorFieldsSeen |= differing;
    m_figures.perProcessorAnswers += differing != 0 ? 1 : 0;
    return same;
}

void CStressCaller::CallIdentity()
{
    ZVT_CPU_IDENTITY identity = Unfilled<ZVT_CPU_IDENTITY>(ZVT_IDENTITY_SIZE);
    double elapsedUs = 0;
    const std::int32_t result =
        Timed(elapsedUs, [&] { return m_library.m_pfnGetIdentity(&identity, 0, nullptr, 0); });
    Record(kIdentity, elapsedUs, result == ZVT_OK && MatchesIdentity(identity), "result or record differs");
}

void CStressCaller::CallIdentityWithReport(std::size_t modeIndex)
{
    const std::wstring path = m_strReportStem + std::to_wstring(modeIndex) + L".txt";
    ZVT_CPU_IDENTITY identity = Unfilled<ZVT_CPU_IDENTITY>(ZVT_IDENTITY_SIZE);
    double elapsedUs = 0;
    const std::int32_t result = Timed(elapsedUs, [&] {
        return m_library.m_pfnGetIdentity(&identity, 0, path.c_str(), kReportModes[modeIndex].mode);
    });
    const bool sameRecord = MatchesIdentity(identity);
    const bool sameReport = SameReport(ReadWholeFile(path), m_processor, modeIndex);
    Record(kIdentityReport, elapsedUs, result == ZVT_OK && sameRecord && sameReport,
           result != ZVT_OK ? "failed" : (sameRecord ? "report differs" : "record differs"));
}

void CStressCaller::CallInformation()
{
    ZVT_CPU_INFORMATION information = Unfilled<ZVT_CPU_INFORMATION>(ZVT_INFORMATION_SIZE);
    double elapsedUs = 0;
    const std::int32_t result =
        Timed(elapsedUs, [&] { return m_library.m_pfnGetInformation(&information, 0); });
    Record(kInformation, elapsedUs,
           result == ZVT_OK && std::memcmp(&information, &m_processor.information, sizeof information) == 0,
           "result or record differs");
}

void CStressCaller::CallWindowsVersion()
{
    ZVT_WINDOWS_VERSION version = Unfilled<ZVT_WINDOWS_VERSION>(ZVT_WINDOWS_VERSION_SIZE);
    double elapsedUs = 0;
    const std::int32_t result = Timed(elapsedUs, [&] { return m_library.m_pfnGetWindowsVersion(&version); });
    Record(kWindowsVersion, elapsedUs,
           result == m_system.versionResult && std::memcmp(&version, &m_system.version, sizeof version) == 0,
           "result or record differs");
}

void CStressCaller::CallWow64()
{
    double elapsedUs = 0;
    const std::int32_t result = Timed(elapsedUs, [&] { return m_library.m_pfnIsWow64(); });
    Record(kWow64, elapsedUs, result == m_system.wow64, "differs");
}

void CStressCaller::CallFileVersion(std::size_t target)
{
    FileVersionAnswer answer;
    std::fill(std::begin(answer.parts), std::end(answer.parts), -7);
    double elapsedUs = 0;
    answer.result = Timed(elapsedUs, [&] {
        return m_library.m_pfnGetFileVersion(kVersionFiles[target], &answer.parts[0], &answer.parts[1],
                                             &answer.parts[2], &answer.parts[3]);
    });
    const FileVersionAnswer& expected = m_system.files[target];
    Record(kFileVersion, elapsedUs,
           answer.result == expected.result &&
               std::equal(std::begin(answer.parts), std::end(answer.parts), std::begin(expected.parts)),
           "result or parts differ");
}

void CStressCaller::CallTemporaryName(std::int32_t longName)
{
    wchar_t name[MAX_PATH] = {};
    std::wcscpy(name, kTemporaryPrefix);
    double elapsedUs = 0;
    const std::int32_t result =
        Timed(elapsedUs, [&] { return m_library.m_pfnGetTemporaryFileName(longName, name, MAX_PATH); });
    Record(kTemporaryName, elapsedUs,
           result == ZVT_OK &&
               IsFreshTemporaryFile(name, m_system.temporaryDirectories[longName != 0 ? 1 : 0]),
           "failed, or not a fresh empty file of the expected form");
}

} // namespace zvt::bench
