// The stress program's answers: the single-threaded reference of every export, taken first, and one
// round of calls of every export checked against it, timed per export.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "PerProcessorFields.h"
#include "ZavsysLibrary.h"

namespace zvt::bench
{

// The report modes exercised: the five encodings, each with and without the byte-order-mark flag.
constexpr std::size_t kReportModeCount = 10;

enum ExportKind : std::size_t
{
    kIdentity,
    kIdentityReport,
    kInformation,
    kWindowsVersion,
    kWow64,
    kFileVersion,
    kTemporaryName,
    kExportKinds
};

const char* ExportKindName(std::size_t kind) noexcept;

// The processor exports' answers on one logical processor, measureMs 0, and its reports.
struct ProcessorReference
{
    ZVT_CPU_IDENTITY identity{};
    ZVT_CPU_INFORMATION information{};
    std::array<std::string, kReportModeCount> reports;
};

struct FileVersionAnswer
{
    std::int32_t result = 0;
    std::int32_t parts[4] = {};
};

// The system exports' answers; the same on every processor.
struct SystemReference
{
    std::int32_t versionResult = 0;
    ZVT_WINDOWS_VERSION version{};
    std::int32_t wow64 = 0;
    std::array<FileVersionAnswer, 2> files;           // kernel32.dll, zavsys.dll
    std::array<std::wstring, 2> temporaryDirectories; // where the temporary files are made, with the
                                                      // separator: short form, long form
};

// Takes the reference on the calling thread; reports go to directory and are deleted. Returns false,
// saying why on stdout, when a reference call fails or a report's size does not fit its encoding.
bool TakeProcessorReference(const CZavsysLibrary& library, const std::wstring& directory,
                            ProcessorReference& reference);
bool TakeSystemReference(const CZavsysLibrary& library, SystemReference& reference);

struct ExportFigures
{
    long long calls = 0;
    long long mismatches = 0;
    double totalUs = 0;
    double maxUs = 0;
};

struct CallFigures
{
    std::array<ExportFigures, kExportKinds> exports;
    unsigned perProcessorFieldsSeen = 0; // bit i: field i of kPerProcessorFields differed from the reference
    long long perProcessorAnswers = 0;   // identity answers in which any of them differed
    std::vector<std::string> firstMismatches;
};

// The names of the fields that are masked, for the bits of perProcessorFieldsSeen.
std::vector<std::string> PerProcessorFieldNames(unsigned fields);
// One caller: calls each export once per round and checks the answer against the references.
class CStressCaller
{
public:
    CStressCaller(const CZavsysLibrary& library, const ProcessorReference& processor,
                  const SystemReference& system, std::wstring reportStem, CallFigures& figures) noexcept;

    // Round r: one call of each export; the report mode and the file-version target rotate with r.
    void CallEachExport(int round);

private:
    void CallIdentity();
    void CallIdentityWithReport(std::size_t modeIndex);
    void CallInformation();
    void CallWindowsVersion();
    void CallWow64();
    void CallFileVersion(std::size_t target);
    void CallTemporaryName(std::int32_t longName);
    bool MatchesIdentity(const ZVT_CPU_IDENTITY& identity);
    void Record(ExportKind kind, double elapsedUs, bool matches, const char* detail);

    const CZavsysLibrary& m_library;
    const ProcessorReference& m_processor;
    const SystemReference& m_system;
    std::wstring m_strReportStem;
    CallFigures& m_figures;
};

std::string ReadWholeFile(const std::wstring& path);

} // namespace zvt::bench
