// Measures the identity report: the time to write a whole report in each encoding through the export,
// and the allocations made while building its text and while writing it (the text file linked in, with
// the allocator wrapped to count). Prints a table; asserts nothing.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchLibrary.h"
#include "CountedAllocations.h"
#include "CpuidTables.h"
#include "ReportText.h"
#include "TextFile.h"
#include "ZavsysLibrary.h"
#include "zavsys.h"

namespace
{

constexpr int kRounds = 200;
constexpr std::int32_t kModes[] = {0, 1, 0x101, 2, 0x102, 3, 0x103, 6, 5};

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::wstring BenchPath()
{
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp, length) + L"zvt-report-bench-" + std::to_wstring(GetCurrentProcessId()) +
           L".txt";
}

void MeasureBuilding(const ZVT_CPU_IDENTITY& identity)
{
    static char buffer[zvt::kReportCapacity];
    const long before = zvt::test::AllocationCount();
    LARGE_INTEGER start;
    LARGE_INTEGER stop;
    QueryPerformanceCounter(&start);
    std::size_t length = 0;
    for (int i = 0; i < kRounds; ++i)
    {
        length = zvt::BuildReport(identity, buffer, sizeof buffer);
    }
    QueryPerformanceCounter(&stop);
    std::printf("build text        %6zu chars  %8.1f us/report  %ld allocations in %d reports\n", length,
                1e6 * Seconds(start, stop) / kRounds, zvt::test::AllocationCount() - before, kRounds);
}

// Allocations of one open-write-close of the text through the text file, as the report makes them.
long AllocationsOfWriting(const std::wstring& path, std::int32_t mode, const char* text)
{
    CTextFile file;
    const long before = zvt::test::AllocationCount();
    file.OpenForWrite(path.c_str(), mode);
    const long opening = zvt::test::AllocationCount() - before;
    file.WriteText(text);
    const long writing = zvt::test::AllocationCount() - before - opening;
    file.Close();
    return opening * 100 + writing;
}

void MeasureWriting(PFN_zvtGetIdentity getIdentity, const ZVT_CPU_IDENTITY& identity)
{
    static char text[zvt::kReportCapacity];
    zvt::BuildReport(identity, text, sizeof text);
    const std::wstring path = BenchPath();
    std::printf("mode    file bytes  us/report (export)  allocations: opening  converting\n");
    for (const std::int32_t mode : kModes)
    {
        LARGE_INTEGER start;
        LARGE_INTEGER stop;
        QueryPerformanceCounter(&start);
        std::int32_t result = 0;
        for (int i = 0; i < kRounds; ++i)
        {
            result = getIdentity(nullptr, 0, path.c_str(), mode);
        }
        QueryPerformanceCounter(&stop);
        WIN32_FILE_ATTRIBUTE_DATA attributes{};
        GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes);
        const long allocations = AllocationsOfWriting(path, mode, text);
        std::printf("0x%03x   %10lu  %18.1f  %20ld  %10ld   (result %d)\n", static_cast<unsigned>(mode),
                    attributes.nFileSizeLow, 1e6 * Seconds(start, stop) / kRounds, allocations / 100,
                    allocations % 100, result);
    }
    DeleteFileW(path.c_str());
}

} // namespace

int main()
{
    const zvt::CZavsysLibrary library;
    if (!zvt::bench::IsUsable(library))
    {
        return 1;
    }
    const PFN_zvtGetIdentity getIdentity = library.m_pfnGetIdentity;
    ZVT_CPU_IDENTITY identity{};
    identity.size = ZVT_IDENTITY_SIZE;
    getIdentity(&identity, 0, nullptr, 0);
    identity.frequency = 2394.5f;
    std::printf("%d rounds each, %d-bit\n", kRounds, static_cast<int>(8 * sizeof(void*)));
    MeasureBuilding(identity);
    MeasureWriting(getIdentity, identity);
    return 0;
}
