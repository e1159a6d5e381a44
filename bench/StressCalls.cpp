// Reference answers and checked, timed calls of the six exports.
#include "StressCalls.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwctype>

#include "BenchTimer.h"
#include "DumpReader.h"
#include "ExportTable.h"
#include "MeasuredRecords.h"
#include "PerProcessorFields.h"
#include "RecordedClock.h"

namespace zvt::bench
{
namespace
{

// The report modes: the five encodings, each with and without the no-mark flag.
constexpr std::int32_t kReportModes[kReportModeCount] = {
    ZVT_MODE_ANSI,    ZVT_MODE_ANSI | ZVT_MODE_NO_BOM,
    ZVT_MODE_UTF8,    ZVT_MODE_UTF8 | ZVT_MODE_NO_BOM,
    ZVT_MODE_UTF16BE, ZVT_MODE_UTF16BE | ZVT_MODE_NO_BOM,
    ZVT_MODE_UTF16LE, ZVT_MODE_UTF16LE | ZVT_MODE_NO_BOM,
    ZVT_MODE_HEX,     ZVT_MODE_HEX | ZVT_MODE_NO_BOM,
};

// Hexadecimal pairs turned into bytes are no text to read back; they are compared byte for byte.
bool IsReadable(std::size_t modeIndex) noexcept
{
    return (kReportModes[modeIndex] & 0xFF) != ZVT_MODE_HEX;
}

// A report read back through the report reader: the identity record its tables hold.
bool ReadReportBack(const std::string& report, ZVT_CPU_IDENTITY& identity)
{
    CRecordedCpuid cpuid;
    DumpError error;
    DumpDetails details;
    return ParseCpuidDump(report, cpuid, error, &details) && details.format == DumpFormat::Report &&
           PrepareIdentity(cpuid, CRecordedClock(), nullptr, 0, identity) == ZVT_OK;
}

// The same report as the reference of its mode: the same bytes, or, where only the fields that name the
// executing processor differ, the same length and the same record read back with those fields masked.
bool SameReport(const std::string& actual, const ProcessorReference& reference, std::size_t modeIndex)
{
    const std::string& expected = reference.reports[modeIndex];
    if (actual == expected)
    {
        return true;
    }
    ZVT_CPU_IDENTITY read{};
    bool same = false;
    return IsReadable(modeIndex) && actual.size() == expected.size() && ReadReportBack(actual, read) &&
           (DifferingPerProcessorFields(read, reference.identity, same), same);
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
    // The export each kind calls, by its row in the export table; the report variant is named apart.
    static constexpr std::size_t kRows[kExportKinds] = {0, 0, 1, 2, 3, 4, 5};
    static const std::string report = std::string(kExports[0].name) + " + report";
    if (kind == kIdentityReport)
    {
        return report.c_str();
    }
    return kind < kExportKinds ? kExports[kRows[kind]].name : "?";
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
        const std::int32_t result = library.m_pfnGetIdentity(&identity, 0, path.c_str(), kReportModes[i]);
        reference.reports[i] = ReadWholeFile(path);
        DeleteFileW(path.c_str());
        if (result != ZVT_OK)
        {
            std::printf("reference: report mode 0x%x gave %d\n", static_cast<unsigned>(kReportModes[i]),
                        static_cast<int>(result));
            return false;
        }
    }
    for (std::size_t i = 0; i < kReportModeCount; ++i)
    {
        ZVT_CPU_IDENTITY read{};
        bool same = false;
        if (reference.reports[i].empty() ||
            (IsReadable(i) && !(ReadReportBack(reference.reports[i], read) &&
                                (DifferingPerProcessorFields(read, reference.identity, same), same))))
        {
            std::printf("reference: report mode 0x%x does not read back to the record\n",
                        static_cast<unsigned>(kReportModes[i]));
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
        return m_library.m_pfnGetIdentity(&identity, 0, path.c_str(), kReportModes[modeIndex]);
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
