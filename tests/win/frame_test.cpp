// The export frame as the library ships it: the exports and everything behind them are compiled with
// the library's own flags (no exceptions) and called in this process. calloc is wrapped at link time, so a
// test sees which module state is current inside an export, and can exhaust memory there.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "afx.h"
#include "zavsys.h"

extern "C" void* __real_calloc(std::size_t count, std::size_t size);

namespace
{

AFX_MODULE_STATE callerState;

// While armed: the module state current at each calloc, and whether calloc fails.
bool g_bArmed = false;
bool g_bFailCalloc = false;
std::vector<AFX_MODULE_STATE*> g_statesSeen;

// The caller's module state is current from construction; calloc is watched until destruction.
class CCallerFrame
{
public:
    explicit CCallerFrame(bool failCalloc = false) : m_caller(&callerState)
    {
        g_statesSeen.clear();
        g_statesSeen.reserve(16);
        g_bFailCalloc = failCalloc;
        g_bArmed = true;
    }
    ~CCallerFrame()
    {
        g_bArmed = false;
        g_bFailCalloc = false;
    }
    CCallerFrame(const CCallerFrame&) = delete;
    CCallerFrame& operator=(const CCallerFrame&) = delete;

private:
    AFX_MAINTAIN_STATE2 m_caller;
};

struct ExportCall
{
    const char* name;
    std::function<std::int32_t()> run;
    std::int32_t expected;
};

} // namespace

extern "C" void* __wrap_calloc(std::size_t count, std::size_t size)
{
    if (g_bArmed && g_statesSeen.size() < g_statesSeen.capacity())
    {
        g_statesSeen.push_back(AfxGetModuleState());
    }
    return g_bArmed && g_bFailCalloc ? nullptr : __real_calloc(count, size);
}

namespace
{

TEST(ExportFrame, TheLibrarysStateIsCurrentInsideAndTheCallersAfterwards)
{
    CCallerFrame caller;
    ASSERT_EQ(AfxGetModuleState(), &callerState);
    std::int32_t major = -1;
    EXPECT_EQ(zvtGetFileVersion(L"kernel32.dll", &major, nullptr, nullptr, nullptr), ZVT_OK);
    EXPECT_GT(major, 0);
    EXPECT_EQ(AfxGetModuleState(), &callerState);
    ASSERT_FALSE(g_statesSeen.empty()); // the version block is allocated inside the export
    for (AFX_MODULE_STATE* state : g_statesSeen)
    {
        EXPECT_EQ(state, AfxGetStaticModuleState());
    }
}

TEST(ExportFrame, EveryExportRestoresTheCallersStateOnItsReturns)
{
    ZVT_CPU_IDENTITY identity{};
    identity.size = ZVT_IDENTITY_SIZE;
    ZVT_CPU_INFORMATION information{};
    information.size = ZVT_INFORMATION_SIZE;
    ZVT_WINDOWS_VERSION version{};
    version.size = ZVT_WINDOWS_VERSION_SIZE;
    ZVT_CPUID_DUMP dumpHeader{};
    dumpHeader.size = ZVT_CPUID_DUMP_HEADER_SIZE;
    const ExportCall calls[] = {
        {"zvtGetIdentity", [&] { return zvtGetIdentity(&identity, 0, nullptr, 0); }, ZVT_OK},
        {"zvtGetIdentity, report in a missing folder",
         [] { return zvtGetIdentity(nullptr, 0, L"Z:\\no such folder\\report.txt", ZVT_MODE_UTF8); },
         ZVT_REPORT_BAD_PATH},
        {"zvtGetInformation", [&] { return zvtGetInformation(&information, 0); }, ZVT_OK},
        {"zvtGetWindowsVersion", [&] { return zvtGetWindowsVersion(&version) == 0 ? -1 : 1; }, 1},
        {"zvtGetWindowsVersion, no record", [] { return zvtGetWindowsVersion(nullptr); }, 0},
        {"zvtIsWow64", [] { return zvtIsWow64() != 0 ? 0 : 0; }, 0}, // any truth value
        {"zvtGetFileVersion, no name",
         [] { return zvtGetFileVersion(nullptr, nullptr, nullptr, nullptr, nullptr); }, ZVT_E_FAILED},
        {"zvtGetTemporaryFileName, no buffer", [] { return zvtGetTemporaryFileName(0, nullptr, MAX_PATH); },
         ZVT_E_FAILED},
        {"zvtGetCpuidDump, header only (a whole enumeration on processor 0)",
         [&] { return zvtGetCpuidDump(&dumpHeader, 0); }, ZVT_E_DUMP_TOO_SMALL},
        {"zvtGetCpuidDump, no such processor", [&] { return zvtGetCpuidDump(&dumpHeader, -2); },
         ZVT_E_NO_PROCESSOR},
    };
    for (const ExportCall& call : calls)
    {
        CCallerFrame caller;
        EXPECT_EQ(call.run(), call.expected) << call.name;
        EXPECT_EQ(AfxGetModuleState(), &callerState) << call.name;
        for (AFX_MODULE_STATE* state : g_statesSeen)
        {
            EXPECT_EQ(state, AfxGetStaticModuleState()) << call.name;
        }
    }
}

TEST(ExportFrame, MemoryExhaustedInsideAnExportIsAResultAndTheCallersStateReturns)
{
    std::int32_t parts[4] = {7, 7, 7, 7};
    {
        CCallerFrame caller(true);
        EXPECT_EQ(zvtGetFileVersion(L"kernel32.dll", &parts[0], &parts[1], &parts[2], &parts[3]),
                  ZVT_E_FAILED);
        EXPECT_EQ(AfxGetModuleState(), &callerState);
        EXPECT_FALSE(g_statesSeen.empty());
    }
    EXPECT_EQ(std::vector<std::int32_t>(std::begin(parts), std::end(parts)), std::vector<std::int32_t>(4, 7));
}

TEST(ExportFrame, NestedFramesRestoreInOrder)
{
    EXPECT_EQ(AfxGetModuleState(), AfxGetStaticModuleState()); // no frame: the module's own
    {
        AFX_MAINTAIN_STATE2 outer(&callerState);
        {
            AFX_MAINTAIN_STATE2 inner(AfxGetStaticModuleState());
            EXPECT_EQ(AfxGetModuleState(), AfxGetStaticModuleState());
        }
        EXPECT_EQ(AfxGetModuleState(), &callerState);
    }
    EXPECT_EQ(AfxGetModuleState(), AfxGetStaticModuleState());
}

} // namespace
