// Stress figures of zavsys.dll. Many threads call every export at once, each answer checked against the
// single-threaded reference taken first; then the library is loaded, called and unloaded over and over
// while the process's handle count and private memory are watched. Prints a figure for each and exits 1
// on any mismatch, or on growth beyond the bounds below. Usage: stress [threads] [rounds] [cycles]
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "BenchTimer.h"
#include "ProcessUsage.h"
#include "StressCalls.h"

namespace
{

using namespace zvt::bench;
using zvt::CZavsysLibrary;

// Growth over the load cycles after the warm-up that counts as a leak: over 1,000 cycles, one handle
// kept every 250 cycles, or 8 heap bytes a cycle (less than the smallest heap block), exceeds them.
constexpr long long kHandleDriftBound = 4;
constexpr long long kHeapDriftBound = 8 * 1024;
constexpr long long kCommittedDriftBound = 128 * 1024; // pages are committed 64 KiB at a time
constexpr long long kCommitChargeDriftBound = 256 * 1024;
// Cycles before the start figures are taken: the first loads fill caches that stay (heap, loader, files).
constexpr int kWarmUpCycles = 10;
// The separate measured figure: every thread asks for the frequency once, at the same moment.
constexpr std::int32_t kMeasureMs = 100;

struct Options
{
    int threads = 8;
    int rounds = 1000; // per thread: one call of every export a round
    int cycles = 1000;
};

// The logical processors this process may run on, as single-bit affinity masks.
std::vector<DWORD_PTR> ProcessorMasks()
{
    DWORD_PTR processMask = 0;
    DWORD_PTR systemMask = 0;
    GetProcessAffinityMask(GetCurrentProcess(), &processMask, &systemMask);
    std::vector<DWORD_PTR> masks;
    for (DWORD_PTR bit = 1; bit != 0; bit <<= 1)
    {
        if ((processMask & bit) != 0)
        {
            masks.push_back(bit);
        }
    }
    return masks;
}

// A private temporary directory for the run: the library's temporary files and the reports go there,
// so anything left behind can be counted.
class CStressDirectory
{
public:
    CStressDirectory()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        m_strPath = std::wstring(temp) + L"zvt-stress-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_strPath.c_str(), nullptr);
        SetEnvironmentVariableW(L"TMP", m_strPath.c_str());
        SetEnvironmentVariableW(L"TEMP", m_strPath.c_str());
    }
    ~CStressDirectory()
    {
        RemoveDirectoryW(m_strPath.c_str());
    }
    CStressDirectory(const CStressDirectory&) = delete;
    CStressDirectory& operator=(const CStressDirectory&) = delete;

    const std::wstring& Path() const
    {
        return m_strPath;
    }

    // Deletes every file; returns how many of them were not reports (temporary files left behind).
    int DeleteAll() const
    {
        int strays = 0;
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((m_strPath + L"\\*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
        {
            const std::wstring name(found.cFileName);
            if (name == L"." || name == L"..")
            {
                continue;
            }
            strays += name.size() < 4 || name.compare(name.size() - 4, 4, L".txt") != 0 ? 1 : 0;
            DeleteFileW((m_strPath + L"\\" + name).c_str());
        }
        if (search != INVALID_HANDLE_VALUE)
        {
            FindClose(search);
        }
        return strays;
    }

private:
    std::wstring m_strPath;
};

struct ThreadStart
{
    const std::function<void(int)>* body;
    int thread;
    HANDLE go;
};

DWORD WINAPI StartThread(void* context)
{
    const auto* start = static_cast<const ThreadStart*>(context);
    WaitForSingleObject(start->go, INFINITE);
    (*start->body)(start->thread);
    return 0;
}

// Runs body(thread) on count threads released together; returns the seconds from release to the last end.
double RunTogether(int count, const std::function<void(int)>& body)
{
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::vector<ThreadStart> starts(static_cast<std::size_t>(count));
    std::vector<HANDLE> threads;
    for (int i = 0; i < count; ++i)
    {
        starts[static_cast<std::size_t>(i)] = ThreadStart{&body, i, go};
        threads.push_back(
            CreateThread(nullptr, 0, StartThread, &starts[static_cast<std::size_t>(i)], 0, nullptr));
    }
    Sleep(100); // every thread is waiting by now
    const double begin = Now();
    SetEvent(go);
    WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, INFINITE);
    const double seconds = Now() - begin;
    for (HANDLE thread : threads)
    {
        CloseHandle(thread);
    }
    CloseHandle(go);
    return seconds;
}

CallFigures Sum(const std::vector<CallFigures>& parts)
{
    CallFigures total;
    for (const CallFigures& part : parts)
    {
        for (std::size_t kind = 0; kind < kExportKinds; ++kind)
        {
            total.exports[kind].calls += part.exports[kind].calls;
            total.exports[kind].mismatches += part.exports[kind].mismatches;
            total.exports[kind].totalUs += part.exports[kind].totalUs;
            total.exports[kind].maxUs = std::max(total.exports[kind].maxUs, part.exports[kind].maxUs);
        }
        total.perProcessorFieldsSeen |= part.perProcessorFieldsSeen;
        total.perProcessorAnswers += part.perProcessorAnswers;
        total.firstMismatches.insert(total.firstMismatches.end(), part.firstMismatches.begin(),
                                     part.firstMismatches.end());
    }
    return total;
}

// Prints the per-export table; returns the mismatches.
long long PrintCallFigures(const CallFigures& figures, double seconds)
{
    long long calls = 0;
    long long mismatches = 0;
    std::printf("  %-26s %7s %10s %10s %10s\n", "export", "calls", "mean us", "max ms", "mismatches");
    for (std::size_t kind = 0; kind < kExportKinds; ++kind)
    {
        const ExportFigures& row = figures.exports[kind];
        std::printf("  %-26s %7lld %10.1f %10.2f %10lld\n", ExportKindName(kind), row.calls,
                    row.calls > 0 ? row.totalUs / static_cast<double>(row.calls) : 0.0, row.maxUs / 1000,
                    row.mismatches);
        calls += row.calls;
        mismatches += row.mismatches;
    }
    std::printf("  all: %lld calls in %.2f s = %.0f calls/s; mismatches %lld\n", calls, seconds,
                static_cast<double>(calls) / seconds, mismatches);
    const std::vector<std::string> fields = PerProcessorFieldNames(figures.perProcessorFieldsSeen);
    std::printf(
        "  identity answers whose per-processor fields (masked) differed from the reference: %lld%s\n",
        figures.perProcessorAnswers, fields.empty() ? "" : ", in");
    for (const std::string& field : fields)
    {
        std::printf("    %s\n", field.c_str());
    }
    for (const std::string& mismatch : figures.firstMismatches)
    {
        std::printf("  MISMATCH %s\n", mismatch.c_str());
    }
    return mismatches;
}

// The reference of each logical processor, taken on the main thread pinned to it; the processors'
// answers are compared with the first one's, apart from the fields that name the processor.
bool TakeReferences(const CZavsysLibrary& library, const std::wstring& directory,
                    const std::vector<DWORD_PTR>& processors, std::vector<ProcessorReference>& references)
{
    references.resize(processors.size());
    for (std::size_t i = 0; i < processors.size(); ++i)
    {
        SetThreadAffinityMask(GetCurrentThread(), processors[i]);
        if (!TakeProcessorReference(library, directory, references[i]))
        {
            return false;
        }
        bool sameOtherwise = false;
        const std::vector<std::string> fields = PerProcessorFieldNames(
            zvt::DifferingPerProcessorFields(references[i].identity, references[0].identity, sameOtherwise));
        std::printf("reference on processor %zu: %s\n", i,
                    !sameOtherwise   ? "differs from processor 0 beyond the per-processor fields"
                    : fields.empty() ? "same as processor 0"
                                     : "same as processor 0 apart from the per-processor fields");
    }
    DWORD_PTR all = 0;
    for (const DWORD_PTR processor : processors)
    {
        all |= processor;
    }
    SetThreadAffinityMask(GetCurrentThread(), all);
    return true;
}

// Each thread runs on one processor (thread i on processor i modulo their count) and is checked
// against that processor's reference: on a hybrid processor the core types answer some leaves
// differently.
bool RunConcurrentCalls(const Options& options, const CZavsysLibrary& library,
                        const std::vector<DWORD_PTR>& processors,
                        const std::vector<ProcessorReference>& references, const SystemReference& system,
                        const std::wstring& directory)
{
    std::vector<CallFigures> figures(static_cast<std::size_t>(options.threads));
    const double seconds = RunTogether(options.threads, [&](int thread) {
        const std::size_t processor = static_cast<std::size_t>(thread) % processors.size();
        SetThreadAffinityMask(GetCurrentThread(), processors[processor]);
        CStressCaller caller(library, references[processor], system,
                             directory + L"\\thread" + std::to_wstring(thread) + L"-",
                             figures[static_cast<std::size_t>(thread)]);
        for (int round = 0; round < options.rounds; ++round)
        {
            caller.CallEachExport(round + thread); // the threads' report encodings differ at any moment
        }
    });
    std::printf("== %d threads x %d rounds at once (a round calls every export once; reports in ten modes, "
                "a file per thread and mode)\n",
                options.threads, options.rounds);
    return PrintCallFigures(Sum(figures), seconds) == 0;
}

// Every thread measures the frequency once, at the same moment; the records must match the reference
// apart from the frequency, which is only reported: a sleep overrun makes it read high under load.
bool RunMeasuredCalls(const Options& options, const CZavsysLibrary& library,
                      const ProcessorReference& reference)
{
    ZVT_CPU_INFORMATION alone{};
    alone.size = ZVT_INFORMATION_SIZE;
    library.m_pfnGetInformation(&alone, kMeasureMs);
    std::vector<ZVT_CPU_INFORMATION> records(static_cast<std::size_t>(options.threads));
    std::vector<std::int32_t> results(records.size());
    RunTogether(options.threads, [&](int thread) {
        ZVT_CPU_INFORMATION& record = records[static_cast<std::size_t>(thread)];
        record.size = ZVT_INFORMATION_SIZE;
        results[static_cast<std::size_t>(thread)] = library.m_pfnGetInformation(&record, kMeasureMs);
    });
    int mismatches = 0;
    float lowest = records[0].frequency;
    float highest = records[0].frequency;
    for (std::size_t i = 0; i < records.size(); ++i)
    {
        ZVT_CPU_INFORMATION record = records[i];
        lowest = std::min(lowest, record.frequency);
        highest = std::max(highest, record.frequency);
        const bool measured = record.frequency > 0;
        record.frequency = 0;
        mismatches += results[i] != ZVT_OK || !measured ||
                              std::memcmp(&record, &reference.information, sizeof record) != 0
                          ? 1
                          : 0;
    }
    std::printf("== zvtGetInformation measuring %d ms: alone %.1f MHz; %d threads at once %.1f .. %.1f MHz; "
                "mismatches %d\n",
                static_cast<int>(kMeasureMs), static_cast<double>(alone.frequency), options.threads,
                static_cast<double>(lowest), static_cast<double>(highest), mismatches);
    return mismatches == 0;
}

struct UsageTrack
{
    long long start = 0;
    long long end = 0;
    long long max = 0;

    void Note(long long value, bool isStart)
    {
        start = isStart ? value : start;
        max = isStart || value > max ? value : max;
        end = value;
    }
    long long Drift() const
    {
        return end - start;
    }
};

// One cycle: load by name, bind, call every export once (checked like the concurrent calls), unload.
// Returns false when the library could not be loaded or bound, or stayed loaded after FreeLibrary.
bool RunOneCycle(int cycle, const ProcessorReference& reference, const SystemReference& system,
                 const std::wstring& directory, CallFigures& figures)
{
    bool bound = false;
    {
        const CZavsysLibrary library;
        bound = library.IsComplete();
        if (bound)
        {
            CStressCaller caller(library, reference, system, directory + L"\\cycle-", figures);
            caller.CallEachExport(cycle);
        }
    }
    return bound && GetModuleHandleW(L"zavsys.dll") == nullptr;
}

enum UsageFigure
{
    kHandles,
    kHeapBytes,
    kCommittedBytes,
    kPrivateBytes,
    kUsageFigures
};

std::array<long long, kUsageFigures> Figures(const ProcessUsage& usage)
{
    return {static_cast<long long>(usage.handles), static_cast<long long>(usage.heapBytes),
            static_cast<long long>(usage.committedBytes), static_cast<long long>(usage.privateBytes)};
}

void PrintProgress(int cycle, const ProcessUsage& usage)
{
    std::printf(
        "  after cycle %4d: %lu handles, heap in use %zu B, committed private %zu KiB, private %zu KiB\n",
        cycle, usage.handles, usage.heapBytes, usage.committedBytes / 1024, usage.privateBytes / 1024);
}

// Prints the start, end, maximum and drift of each figure; returns true when every bounded one kept its
// bound.
bool PrintUsage(const std::array<UsageTrack, kUsageFigures>& tracks, bool privateIsCommitCharge)
{
    struct Row
    {
        const char* name;
        const char* unit;
        long long scale;
        long long bound; // 0: shown, not bounded
    };
    const Row rows[kUsageFigures] = {
        {"handles", "", 1, kHandleDriftBound},
        {"heap in use (HeapWalk, every heap)", "B", 1, kHeapDriftBound},
        {"committed private pages (VirtualQuery)", "KiB", 1024, kCommittedDriftBound},
        {privateIsCommitCharge
             ? "private memory (GetProcessMemoryInfo PrivateUsage)"
             : "private memory (GetProcessMemoryInfo PagefileUsage; Wine gives no PrivateUsage)",
         "KiB", 1024, privateIsCommitCharge ? kCommitChargeDriftBound : 0},
    };
    bool flat = true;
    for (std::size_t i = 0; i < kUsageFigures; ++i)
    {
        const UsageTrack& track = tracks[i];
        const bool kept = rows[i].bound == 0 || track.Drift() <= rows[i].bound;
        std::printf("  %s: start %lld, end %lld, max %lld %s; drift %+lld", rows[i].name,
                    track.start / rows[i].scale, track.end / rows[i].scale, track.max / rows[i].scale,
                    rows[i].unit, track.Drift() / rows[i].scale);
        if (rows[i].bound != 0)
        {
            std::printf(" (bound %lld): %s\n", rows[i].bound / rows[i].scale, kept ? "kept" : "EXCEEDED");
        }
        else
        {
            std::printf(" (not bounded: includes the host's and, under qemu, the emulator's memory)\n");
        }
        flat = flat && kept;
    }
    return flat;
}

// The main thread, on the first processor, loads, calls and unloads the library; the handle count and
// the memory figures are read after every cycle. version.dll, which the library imports, is held loaded
// meanwhile, as by any caller that uses the version API itself: Wine 8 keeps a few hundred bytes on each
// unload of its version.dll, which would hide the library's own figures.
bool RunLoadCycles(const Options& options, DWORD_PTR processor, const ProcessorReference& reference,
                   const SystemReference& system, const std::wstring& directory)
{
    SetThreadAffinityMask(GetCurrentThread(), processor);
    HMODULE heldVersion = LoadLibraryW(L"version.dll");
    CallFigures figures;
    std::array<UsageTrack, kUsageFigures> tracks;
    bool privateIsCommitCharge = true;
    int failedCycles = 0;
    double slowestMs = 0;
    const double begin = Now();
    for (int cycle = 1; cycle <= options.cycles; ++cycle)
    {
        const double cycleStart = Now();
        failedCycles += RunOneCycle(cycle, reference, system, directory, figures) ? 0 : 1;
        slowestMs = std::max(slowestMs, (Now() - cycleStart) * 1000);
        const ProcessUsage usage = MeasureProcessUsage();
        const std::array<long long, kUsageFigures> values = Figures(usage);
        for (std::size_t i = 0; i < kUsageFigures; ++i)
        {
            tracks[i].Note(values[i], cycle == std::min(kWarmUpCycles, options.cycles));
        }
        privateIsCommitCharge = privateIsCommitCharge && usage.privateIsCommitCharge;
        if (cycle % std::max(1, options.cycles / 10) == 0)
        {
            PrintProgress(cycle, usage);
        }
    }
    const double seconds = Now() - begin;
    FreeLibrary(heldVersion);
    std::printf(
        "== %d cycles of LoadLibrary, every export once, FreeLibrary: %.1f cycles/s, slowest %.1f ms, "
        "cycles failed to load, bind or unload: %d\n",
        options.cycles, options.cycles / seconds, slowestMs, failedCycles);
    const long long mismatches = PrintCallFigures(figures, seconds);
    std::printf("  handles counted by %s; start = after cycle %d\n", HandleCountSource(),
                std::min(kWarmUpCycles, options.cycles));
    const bool flat = PrintUsage(tracks, privateIsCommitCharge);
    return failedCycles == 0 && mismatches == 0 && flat;
}

bool ReadOptions(int argc, char** argv, Options& options)
{
    int* const fields[] = {&options.threads, &options.rounds, &options.cycles};
    for (int i = 1; i < argc && i <= 3; ++i)
    {
        *fields[i - 1] = std::atoi(argv[i]);
        if (*fields[i - 1] <= 0)
        {
            return false;
        }
    }
    return argc <= 4 && options.threads <= MAXIMUM_WAIT_OBJECTS;
}

} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0); // the figures appear as they come, also into a file
    Options options;
    if (!ReadOptions(argc, argv, options))
    {
        std::printf("usage: stress [threads (1..64)] [rounds per thread] [load cycles]\n");
        return 2;
    }
    CStressDirectory directory;
    const std::vector<DWORD_PTR> processors = ProcessorMasks();
    std::vector<ProcessorReference> references;
    SystemReference system;
    bool passed = false;
    {
        const CZavsysLibrary library;
        if (!library.IsComplete())
        {
            std::printf("zavsys.dll could not be loaded with all its exports (missing: %s)\n",
                        library.MissingExports().c_str());
            return 1;
        }
        passed = TakeReferences(library, directory.Path(), processors, references) &&
                 TakeSystemReference(library, system);
        passed =
            passed && RunConcurrentCalls(options, library, processors, references, system, directory.Path());
        passed = RunMeasuredCalls(options, library, references[0]) && passed;
    }
    passed = passed && RunLoadCycles(options, processors[0], references[0], system, directory.Path());
    const int strays = directory.DeleteAll();
    std::printf("temporary files left behind: %d\n%s\n", strays, passed && strays == 0 ? "PASSED" : "FAILED");
    return passed && strays == 0 ? 0 : 1;
}
