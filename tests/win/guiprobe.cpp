// guiprobe: drives a running test dialog from outside. Finds it by its caption among the windows of the
// program under test (RUNNING, the file name it runs as), reads its controls and compares them with what
// zavsys.dll answers this process, opens and closes the about box through the system command, and
// closes the dialog.
//   guiprobe RUNNING check <program file name> [--no-library | --renamed | --lacking | --no-cpuid]
//   guiprobe RUNNING error-box <program file name>   (reads and dismisses the "Error = ..." box)
//   guiprobe RUNNING about <system command>     (opens the about box; prints its rectangle)
//   guiprobe RUNNING about-close | close
// Output is UTF-8; failures print "FAIL ..." and exit 1.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "DialogText.h"
#include "FakeLibrary.h"
#include "ZavsysLibrary.h"
#include "zavsys.h"

namespace
{

const wchar_t* const kMainCaption = L"TestZavit";
const wchar_t* const kAboutCaption = L"バージョン情報 TestZavit";
int failures = 0;
std::wstring runningProgram; // the file name the program under test runs as

// The file name (without its folder) of the program whose process owns the window; empty if unknown.
std::wstring OwnerFileName(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr)
    {
        return {};
    }
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const BOOL named = QueryFullProcessImageNameW(process, 0, path, &size);
    CloseHandle(process);
    if (!named)
    {
        return {};
    }
    const wchar_t* name = std::wcsrchr(path, L'\\');
    return name != nullptr ? name + 1 : path;
}

// The dialog with this caption that the program under test owns. The desktop is shared with every other
// program of the session, and a dialog test in another process shows a dialog with the same caption.
HWND FindProgramDialog(const wchar_t* caption)
{
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"#32770", caption)) != nullptr)
    {
        if (_wcsicmp(OwnerFileName(window).c_str(), runningProgram.c_str()) == 0)
        {
            return window;
        }
    }
    return nullptr;
}

void Print(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    std::fwrite(utf8.c_str(), 1, std::strlen(utf8.c_str()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void Expect(const std::wstring& what, const std::wstring& shown, const std::wstring& expected)
{
    if (shown != expected)
    {
        Print(L"FAIL " + what + L"\n  shown:    [" + shown + L"]\n  expected: [" + expected + L"]");
        ++failures;
    }
}

// Polls for a dialog with this caption, up to timeoutMs; null if it did not come.
HWND WaitForDialog(const wchar_t* caption, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;)
    {
        HWND window = FindProgramDialog(caption);
        if (window != nullptr && IsWindowVisible(window))
        {
            return window;
        }
        if (GetTickCount() - start > timeoutMs)
        {
            return nullptr;
        }
        Sleep(100);
    }
}

bool WaitUntilGone(const wchar_t* caption, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (FindProgramDialog(caption) != nullptr)
    {
        if (GetTickCount() - start > timeoutMs)
        {
            return false;
        }
        Sleep(100);
    }
    return true;
}

std::wstring ControlText(HWND dialog, int id)
{
    wchar_t text[1024] = {};
    GetDlgItemTextW(dialog, id, text, 1024);
    return text;
}

void PrintRect(const wchar_t* label, HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    Print(std::wstring(label) + L" " + std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " +
          std::to_wstring(rect.right - rect.left) + L" " + std::to_wstring(rect.bottom - rect.top));
}

// What the dialog should show, as this process learns it from the library (or zeros without it).
struct Expected
{
    ZVT_CPU_INFORMATION info{};
    ZVT_WINDOWS_VERSION version{};
    std::int32_t isWow64 = 0;
    zvt::FileVersion program;
    zvt::FileVersion library;
    std::wstring notice;
};

Expected AskLibrary(const wchar_t* programName, bool renamed)
{
    Expected expected;
    const zvt::CZavsysLibrary library;
    if (!library.IsComplete())
    {
        Print(L"FAIL the probe cannot load zavsys.dll");
        ++failures;
        return expected;
    }
    expected.info.size = ZVT_INFORMATION_SIZE;
    library.m_pfnGetInformation(&expected.info, 0);
    expected.version.size = ZVT_WINDOWS_VERSION_SIZE;
    library.m_pfnGetWindowsVersion(&expected.version);
    expected.isWow64 = library.m_pfnIsWow64();
    if (!renamed) // a renamed program no longer finds its own file under the fixed name
    {
        zvt::FileVersion& v = expected.program;
        library.m_pfnGetFileVersion(programName, &v.major, &v.minor, &v.build, &v.revision);
    }
    zvt::FileVersion& v = expected.library;
    library.m_pfnGetFileVersion(L"zavsys.dll", &v.major, &v.minor, &v.build, &v.revision);
    return expected;
}

std::wstring WidenAscii(const char* text)
{
    return std::wstring(text, text + std::strlen(text));
}

// The frequency is measured by the dialog, not by the probe: its line is compared by shape only.
std::wstring WithoutFrequency(const std::wstring& text, std::wstring& frequencyLine)
{
    const std::size_t start = text.find(L"\nFrequency : ");
    const std::size_t end = text.find(L'\n', start + 1);
    if (start == std::wstring::npos || end == std::wstring::npos)
    {
        return text;
    }
    frequencyLine = text.substr(start + 1, end - start - 1);
    return text.substr(0, start) + text.substr(end);
}

// The real library's answers, or what the stand-in library gives, or nothing at all.
Expected ExpectedFor(const wchar_t* programName, const std::wstring& mode)
{
    Expected expected;
    if (mode == L"--no-library")
    {
        expected.notice = zvt::DescribeMissingLibrary(false, "");
    }
    else if (mode == L"--lacking" || mode == L"--no-cpuid")
    {
        expected.notice = zvt::DescribeMissingLibrary(true, kFakeMissingExports);
        if (mode == L"--lacking")
        {
            expected.info = zvt::test::SampleInformation();
        }
    }
    else
    {
        expected = AskLibrary(programName, mode == L"--renamed");
    }
    return expected;
}

// Check box ids and the feature bits they show, written out here rather than taken from the program.
const int kBoxBits[][2] = {{1014, 0},  {1015, 1},  {1016, 16}, {1017, 17}, {1018, 8}, {1019, 9}, {1020, 10},
                           {1021, 11}, {1022, 12}, {1023, 13}, {1024, 14}, {1025, 2}, {1026, 18}};

int Check(const wchar_t* programName, const std::wstring& mode)
{
    HWND dialog = WaitForDialog(kMainCaption, 90000);
    if (dialog == nullptr)
    {
        Print(L"FAIL no dialog");
        return 1;
    }
    PrintRect(L"main", dialog);
    const Expected expected = ExpectedFor(programName, mode);
    const std::wstring processor = ControlText(dialog, 1027);
    Print(processor);
    std::wstring frequencyLine;
    std::wstring ignored;
    const std::wstring shownBlock = WithoutFrequency(processor, frequencyLine);
    const std::wstring expectedBlock =
        WithoutFrequency(zvt::FormatProcessorText(expected.info, WidenAscii(expected.info.vendor),
                                                  WidenAscii(expected.info.modelName), expected.notice),
                         ignored);
    Expect(L"processor block", shownBlock, expectedBlock);
    if (expected.info.frequency != 0.0f)
    {
        Expect(L"frequency", frequencyLine, L"Frequency : 3390 MHz");
    }
    else if (mode.empty() || mode == L"--renamed")
    {
        if (!frequencyLine.ends_with(L" MHz") || frequencyLine == L"Frequency : 0 MHz")
        {
            Print(L"FAIL no frequency measured: " + frequencyLine);
            ++failures;
        }
    }
    else
    {
        Expect(L"frequency", frequencyLine, L"Frequency : 0 MHz");
    }
    for (const auto& [id, bit] : kBoxBits)
    {
        const auto state = static_cast<int>(SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0));
        Expect(L"check box " + std::to_wstring(id), std::to_wstring(state),
               std::to_wstring((expected.info.features >> bit) & 1u));
    }
    Print(ControlText(dialog, 1000));
    Expect(L"WOW64 line", ControlText(dialog, 1000), zvt::FormatWow64Line(expected.isWow64));
    Print(ControlText(dialog, 1001));
    Expect(L"Windows line", ControlText(dialog, 1001), zvt::FormatWindowsLine(expected.version));
    Print(ControlText(dialog, 1029));
    Expect(L"version line", ControlText(dialog, 1029),
           zvt::FormatVersionLine(programName, expected.program, expected.library));
    return failures == 0 ? 0 : 1;
}

// The message box is captioned with the program's name without its extension.
int DismissErrorBox(std::wstring programName)
{
    programName.erase(programName.rfind(L'.'));
    HWND box = WaitForDialog(programName.c_str(), 90000);
    if (box == nullptr)
    {
        Print(L"FAIL no error box");
        return 1;
    }
    Print(L"error box: " + ControlText(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitUntilGone(programName.c_str(), 30000) ? 0 : 1;
}

// Commands 0x0010 to 0x001F open the about box; 0x0020 must not.
int OpenAbout(const wchar_t* command)
{
    HWND dialog = WaitForDialog(kMainCaption, 30000);
    if (dialog == nullptr)
    {
        Print(L"FAIL no dialog");
        return 1;
    }
    PostMessageW(dialog, WM_SYSCOMMAND, 0x0020, 0);
    if (WaitForDialog(kAboutCaption, 1000) != nullptr)
    {
        Print(L"FAIL system command 0x0020 opened the about box");
        return 1;
    }
    PostMessageW(dialog, WM_SYSCOMMAND, std::wcstoul(command, nullptr, 0), 0);
    HWND about = WaitForDialog(kAboutCaption, 30000);
    if (about == nullptr)
    {
        Print(L"FAIL no about box");
        return 1;
    }
    PrintRect(L"about", about);
    Print(L"about owner is the dialog: " +
          std::wstring(GetWindow(about, GW_OWNER) == dialog ? L"yes" : L"no"));
    wchar_t caption[128] = {};
    GetWindowTextW(about, caption, 128);
    Print(L"about: " + std::wstring(caption));
    return GetWindow(about, GW_OWNER) == dialog ? 0 : 1;
}

int Close(const wchar_t* caption)
{
    HWND window = FindProgramDialog(caption);
    if (window == nullptr)
    {
        Print(L"FAIL nothing to close");
        return 1;
    }
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(caption == kMainCaption ? IDCANCEL : IDOK, BN_CLICKED), 0);
    if (!WaitUntilGone(caption, 30000))
    {
        Print(L"FAIL still open");
        return 1;
    }
    return 0;
}

int Usage()
{
    std::fputs(
        "usage: guiprobe RUNNING check NAME [MODE] | error-box NAME | about COMMAND | about-close | close\n",
        stderr);
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
    {
        return Usage();
    }
    runningProgram = argv[1];
    const std::vector<std::wstring> args(argv + 2, argv + argc);
    if (args.size() >= 2 && args[0] == L"check")
    {
        return Check(args[1].c_str(), args.size() > 2 ? args[2] : L"");
    }
    if (args.size() == 2 && args[0] == L"error-box")
    {
        return DismissErrorBox(args[1]);
    }
    if (args.size() == 2 && args[0] == L"about")
    {
        return OpenAbout(args[1].c_str());
    }
    if (args.size() == 1 && args[0] == L"about-close")
    {
        return Close(kAboutCaption);
    }
    if (args.size() == 1 && args[0] == L"close")
    {
        return Close(kMainCaption);
    }
    return Usage();
}
