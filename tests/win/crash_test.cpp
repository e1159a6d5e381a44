// A test program that crashes must fail at once, not wait on a debugger until ctest's timeout: the
// program runs itself as a child that raises an exception nobody handles, or writes through a null
// pointer, and expects the child to end promptly with the exception's code.
#include <windows.h>

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace
{

const char* const kRaiseArgument = "--raise";
const char* const kWriteArgument = "--write-through-null";
const DWORD kUnhandledCode = 0xE000C0DE; // an application's code: error severity, customer bit
// Far above a 32-bit process start under qemu on a loaded machine, far below ctest's timeout.
const DWORD kLimitMs = 20000;

int* volatile nowhere = nullptr; // volatile: the compiler cannot drop the store or replace it by a trap

void WriteThroughNull()
{
    *nowhere = 1;
}

struct ChildEnd
{
    bool ended = false;
    DWORD exitCode = 0;
    DWORD elapsedMs = 0;
};

ChildEnd RunCrashingChild(const char* crashArgument)
{
    ChildEnd end;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string argument(crashArgument);
    std::wstring commandLine =
        L"\"" + std::wstring(path) + L"\" " + std::wstring(argument.begin(), argument.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const DWORD start = GetTickCount();
    if (!CreateProcessW(path, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
    {
        ADD_FAILURE() << "CreateProcess failed: " << GetLastError();
        return end;
    }
    end.ended = WaitForSingleObject(process.hProcess, kLimitMs) == WAIT_OBJECT_0;
    end.elapsedMs = GetTickCount() - start;
    if (!end.ended)
    {
        TerminateProcess(process.hProcess, 1);
    }
    GetExitCodeProcess(process.hProcess, &end.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return end;
}

TEST(Crash, AnUnhandledExceptionEndsTheProgramAtOnceWithItsCode)
{
    const ChildEnd end = RunCrashingChild(kRaiseArgument);
    ASSERT_TRUE(end.ended) << "still running after " << kLimitMs << " ms: a debugger holds it";
    EXPECT_EQ(end.exitCode, kUnhandledCode)
        << "ended after " << end.elapsedMs << " ms with 0x" << std::hex << end.exitCode;
}

// 32-bit Wine under qemu-user reports the fault of this store as an illegal instruction.
TEST(Crash, AnAccessViolationEndsTheProgramAtOnce)
{
    const ChildEnd end = RunCrashingChild(kWriteArgument);
    ASSERT_TRUE(end.ended) << "still running after " << kLimitMs << " ms: a debugger holds it";
    EXPECT_TRUE(end.exitCode == static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION) ||
                (sizeof(void*) == 4 && end.exitCode == static_cast<DWORD>(EXCEPTION_ILLEGAL_INSTRUCTION)))
        << "ended after " << end.elapsedMs << " ms with 0x" << std::hex << end.exitCode;
}

} // namespace

// A child returns only if its crash did not end it; the parent then sees status 0, the wrong code.
int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], kRaiseArgument) == 0)
    {
        RaiseException(kUnhandledCode, EXCEPTION_NONCONTINUABLE, 0, nullptr);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], kWriteArgument) == 0)
    {
        WriteThroughNull();
        return 0;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
