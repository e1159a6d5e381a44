// The processor exports and the module as a caller sees them: loaded and bound by name.
#include <windows.h>

#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>

#include "ExportTable.h"
#include "ZavsysLibrary.h"

namespace
{

using zvt::CZavsysLibrary;

class Exports : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(library.IsComplete());
    }
    CZavsysLibrary library;
};

using zvt::kExports;

FARPROC ByOrdinal(HMODULE module, WORD ordinal)
{
    return GetProcAddress(module, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(ordinal)));
}

bool IsExportOrdinal(WORD ordinal)
{
    return std::any_of(std::begin(kExports), std::end(kExports),
                       [ordinal](const zvt::ExportRow& row) { return row.ordinal == ordinal; });
}

TEST_F(Exports, OrdinalsResolveToTheNamedExportsAndTheGapToNothing)
{
    WORD highest = 0;
    for (const zvt::ExportRow& entry : kExports)
    {
        const FARPROC byName = GetProcAddress(library.m_hModule, entry.name);
        EXPECT_NE(byName, nullptr) << entry.name;
        EXPECT_EQ(byName, ByOrdinal(library.m_hModule, entry.ordinal)) << entry.name;
        highest = std::max<WORD>(highest, entry.ordinal);
    }
    for (WORD ordinal = ZVT_ORDINAL_GET_IDENTITY - 1; ordinal <= highest + 1; ++ordinal)
    {
        EXPECT_TRUE(IsExportOrdinal(ordinal) || ByOrdinal(library.m_hModule, ordinal) == nullptr) << ordinal;
    }
    EXPECT_EQ(GetProcAddress(library.m_hModule, "_zvtIsWow64@0"), nullptr);
    EXPECT_EQ(GetProcAddress(library.m_hModule, "zvtIsWow64@0"), nullptr);
    EXPECT_EQ(GetProcAddress(library.m_hModule, "_zvtGetIdentity@16"), nullptr);
}

// The stand-in library beside the tests exports only the two processor calls: the binding names the rest.
TEST(Binding, NamesWhatAnIncompleteLibraryLacks)
{
    const CZavsysLibrary incomplete(L"..\\fake\\zavsys.dll");
    ASSERT_TRUE(incomplete.IsLoaded()) << incomplete.LoadError();
    EXPECT_FALSE(incomplete.IsComplete());
    EXPECT_NE(incomplete.m_pfnGetInformation, nullptr);
    EXPECT_EQ(incomplete.m_pfnIsWow64, nullptr);
    EXPECT_EQ(
        incomplete.MissingExports(),
        "zvtGetWindowsVersion, zvtIsWow64, zvtGetFileVersion, zvtGetTemporaryFileName, zvtGetCpuidDump, "
        "zvtGetProcessorDetails, zvtQueryFlag, zvtGetFlagNameByNumber");
    const CZavsysLibrary absent(L"..\\fake\\no-such.dll");
    EXPECT_FALSE(absent.IsComplete());
    EXPECT_EQ(absent.MissingExports(), "zvtGetIdentity, zvtGetInformation, zvtGetWindowsVersion, zvtIsWow64, "
                                       "zvtGetFileVersion, zvtGetTemporaryFileName, zvtGetCpuidDump, "
                                       "zvtGetProcessorDetails, zvtQueryFlag, zvtGetFlagNameByNumber");
}

TEST_F(Exports, IsWow64AgreesWithTheSystem)
{
    BOOL expected = FALSE;
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &expected));
    EXPECT_EQ(library.m_pfnIsWow64() != 0, expected != FALSE);
#ifdef _WIN64
    EXPECT_EQ(library.m_pfnIsWow64(), 0);
#else
    EXPECT_NE(library.m_pfnIsWow64(), 0); // a 32-bit process under this 64-bit Wine
#endif
}

#ifndef _WIN64
struct StdcallOutcome
{
    std::int32_t result;
    std::uint32_t poppedBytes;
};

// Pushes five arguments, calls, and measures how far the callee moved the stack pointer back: a stdcall
// function of n arguments pops exactly 4 * n bytes, a cdecl one pops none.
StdcallOutcome CallMeasuringPops(const void* function, const std::uint32_t (&arguments)[5])
{
    std::uint32_t result = 0;
    std::uint32_t popped = 0;
    asm volatile("movl %%esp, %%esi\n\t"
                 "pushl 16(%[args])\n\t"
                 "pushl 12(%[args])\n\t"
                 "pushl 8(%[args])\n\t"
                 "pushl 4(%[args])\n\t"
                 "pushl (%[args])\n\t"
                 "call *%[function]\n\t"
                 "movl %%esp, %%ecx\n\t"
                 "subl %%esi, %%ecx\n\t"
                 "addl $20, %%ecx\n\t"
                 "movl %%esi, %%esp\n\t"
                 : "=a"(result), "=c"(popped)
                 : [function] "D"(function), [args] "b"(arguments)
                 : "esi", "edx", "memory", "cc");
    return StdcallOutcome{static_cast<std::int32_t>(result), popped};
}

TEST_F(Exports, EveryExportPopsItsOwnArguments)
{
    // Arguments every export accepts harmlessly: null records and buffers, no measurement.
    const std::uint32_t harmless[5] = {0, 0, 0, 0, 0};
    for (const zvt::ExportRow& entry : kExports)
    {
        const auto function = reinterpret_cast<const void*>(GetProcAddress(library.m_hModule, entry.name));
        ASSERT_NE(function, nullptr) << entry.name;
        EXPECT_EQ(CallMeasuringPops(function, harmless).poppedBytes, entry.argumentBytes) << entry.name;
    }
}
#endif

// Loads and frees the library many times; a handle kept by each load would move the next free handle up.
TEST(Module, LoadingAndFreeingRepeatedlyKeepsNoHandles)
{
    const auto nextHandle = [] {
        HANDLE probe = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        CloseHandle(probe);
        return reinterpret_cast<std::uintptr_t>(probe);
    };
    {
        CZavsysLibrary warmUp; // the first load may create lasting system objects of its own
    }
    const std::uintptr_t before = nextHandle();
    for (int cycle = 0; cycle < 200; ++cycle)
    {
        CZavsysLibrary library;
        ASSERT_TRUE(library.IsComplete());
        ZVT_CPU_INFORMATION information{};
        information.size = ZVT_INFORMATION_SIZE;
        ASSERT_EQ(library.m_pfnGetInformation(&information, 0), 0);
    }
    EXPECT_LE(nextHandle(), before + 4 * sizeof(void*)) << "handles leak across load and unload";
}

} // namespace
