// zvtinfo: what zavsys reports about this machine, or about a processor recorded elsewhere.
#ifdef _WIN32
#include <windows.h>
#endif

#include <CLI/CLI.hpp>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "Decoded.h"
#include "Output.h"
#include "Sources.h"

#ifdef _WIN32
#include "Unicode.h"
#endif

namespace zvtinfo
{
namespace
{

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

struct Options
{
    bool json = false;
    std::string reportPath;
    std::string modeText = "ansi";
    std::int32_t measureMs = 0;
    std::string replayPath;
    bool dump = false;
    std::string dumpPath; // empty: standard output
    std::string xcr0Text; // empty: read this machine's, or none in a replay
};

// A report mode by name, or as a number (decimal or 0x hexadecimal) passed to the library unchanged.
std::optional<std::int32_t> ParseMode(const std::string& text)
{
    static const std::pair<const char*, std::int32_t> kNames[] = {
        {"ansi", ZVT_MODE_ANSI},       {"utf8", ZVT_MODE_UTF8 | ZVT_MODE_NO_BOM},
        {"utf8-bom", ZVT_MODE_UTF8},   {"utf16be", ZVT_MODE_UTF16BE},
        {"utf16le", ZVT_MODE_UTF16LE}, {"hex", ZVT_MODE_HEX}};
    for (const auto& [name, mode] : kNames)
    {
        if (text == name)
        {
            return mode;
        }
    }
    try
    {
        std::size_t used = 0;
        const long long value = std::stoll(text, &used, 0);
        if (used == text.size() && value >= INT32_MIN && value <= UINT32_MAX)
        {
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        }
    }
    catch (const std::logic_error&)
    {
    }
    return std::nullopt;
}

// XCR0 as a user copies it from elsewhere: 0x and hexadecimal digits, or decimal digits, in 64 bits. Signs,
// spaces and octal are refused rather than read as something else.
std::optional<std::uint64_t> ParseXcr0(const std::string& text)
{
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    if (digits.empty() ||
        digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos)
    {
        return std::nullopt;
    }
    try
    {
        return std::stoull(digits, nullptr, hex ? 16 : 10);
    }
    catch (const std::out_of_range&)
    {
        return std::nullopt;
    }
}

void DefineOptions(CLI::App& app, Options& options)
{
    CLI::Option* json =
        app.add_flag("--json", options.json, "Print one JSON object with every field of the records");
    CLI::Option* report = app.add_option("--report", options.reportPath, "Write the identity report to PATH")
                              ->type_name("PATH");
    app.add_option("--mode", options.modeText,
                   "Report encoding: ansi, utf8, utf8-bom, utf16be, utf16le, hex, or a number such as 0x102 "
                   "(default ansi)")
        ->type_name("MODE")
        ->needs(report)
        ->check(
            [](const std::string& text) { return ParseMode(text) ? std::string() : "unknown mode " + text; });
    CLI::Option* measure = app.add_option("--measure", options.measureMs,
                                          "Measure the clock frequency over MS milliseconds (1..10000; 0, "
                                          "the default, measures nothing)")
                               ->type_name("MS")
                               ->check(CLI::Range(0, 10000));
    CLI::Option* replay =
        app.add_option("--replay", options.replayPath,
                       "Decode a recorded CPUID dump instead of executing CPUID: \"cpuid -r\" "
                       "output, \"CPUID xxxxxxxx: eax-ebx-ecx-edx\" lines, or an identity report")
            ->type_name("FILE")
            ->excludes(measure);
    app.add_option(
           "--dump", options.dumpPath,
           "Write every logical processor's CPUID leaves and sub-leaves as \"cpuid -r\" prints them, to "
           "FILE or to standard output; --replay and \"cpuid -f\" read them back")
        ->type_name("[FILE]")
        ->expected(0, 1)
        ->excludes(json, report, measure, replay);
    app.add_option("--xcr0", options.xcr0Text,
                   "Take XCR0 as VALUE (0x hexadecimal, or decimal) for the enabled x86-64 level instead of "
                   "reading this machine's; with --replay, the XCR0 the recorded machine had")
        ->type_name("VALUE")
        ->check([](const std::string& text) {
            return ParseXcr0(text) ? std::string() : "not a 64-bit XCR0 value: " + text;
        });
}

// Every processor's leaves and the system's own count; without them the text and JSON say less, not wrong.
void ReadThisMachineWhole(WholeProcessor& whole)
{
    Failure ignored;
    if (!ReadThisMachineDumps(whole.processors, ignored))
    {
        whole.processors.clear();
    }
    whole.system = ReadSystemCount();
}

int RunDump(const std::string& path)
{
    std::vector<ProcessorDump> dumps;
    Failure failure;
    std::string reason;
    if (!ReadThisMachineDumps(dumps, failure))
    {
        std::fprintf(stderr, "zvtinfo: %s\n", failure.message.c_str());
        return failure.exitCode;
    }
    if (!WriteCpuidDump(dumps, path, reason))
    {
        std::fprintf(stderr, "zvtinfo: %s\n", reason.c_str());
        return kExitFailure;
    }
    return 0;
}

int Run(const Options& options)
{
    if (options.dump)
    {
        return RunDump(options.dumpPath);
    }
    Snapshot snapshot;
    Failure failure;
    const bool read = options.replayPath.empty() ? ReadThisMachine(options.measureMs, snapshot, failure)
                                                 : ReplayDump(options.replayPath, snapshot, failure);
    if (!read)
    {
        std::fprintf(stderr, "zvtinfo: %s\n", failure.message.c_str());
        return failure.exitCode;
    }
    if (options.replayPath.empty())
    {
        snapshot.frequencyMeasured = options.measureMs > 0;
        ReadThisMachineWhole(snapshot.whole);
    }
    else
    {
        snapshot.frequencyMeasured = snapshot.replay->frequencyMhz > 0;
    }
    if (!options.xcr0Text.empty())
    {
        snapshot.xcr0 = ParseXcr0(options.xcr0Text);
    }
    else if (options.replayPath.empty())
    {
        snapshot.xcr0 = ReadThisMachineXcr0();
    }
    std::optional<ReportOutcome> report;
    if (!options.reportPath.empty())
    {
        const std::int32_t mode = *ParseMode(options.modeText);
        const std::int32_t result = options.replayPath.empty()
                                        ? WriteThisMachineReport(options.reportPath, mode, options.measureMs)
                                        : WriteRecordedReport(snapshot.identity, options.reportPath, mode);
        report = ReportOutcome{options.reportPath, mode, result};
    }
    if (options.json)
    {
        PrintJson(snapshot, report, stdout);
    }
    else
    {
        PrintText(snapshot, report, stdout);
    }
    const bool reportFailed = report && report->result != ZVT_OK;
    if (reportFailed)
    {
        std::fprintf(stderr, "zvtinfo: %s: report %s\n", report->path.c_str(),
                     DescribeReportResult(report->result).c_str());
    }
    return snapshot.informationResult != 0 || reportFailed ? kExitFailure : 0;
}

int Main(const std::vector<std::string>& arguments)
{
    CLI::App app{"zvtinfo: what zavsys.dll reports about this machine's processor and Windows, or about a "
                 "processor recorded in a CPUID dump.\nExit status: 0 done, 1 failed or bad input, 2 usage.",
                 "zvtinfo"};
    Options options;
    DefineOptions(app, options);
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend() - 1);
    try
    {
        app.parse(reversed);
        options.dump = app.get_option("--dump")->count() > 0;
    }
    catch (const CLI::CallForHelp& help)
    {
        return app.exit(help);
    }
    catch (const CLI::ParseError& error)
    {
        std::fprintf(stderr, "zvtinfo: %s (see --help)\n", error.what());
        return kExitUsage;
    }
    try
    {
        return Run(options);
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "zvtinfo: %s\n", error.what());
        return kExitFailure;
    }
}

} // namespace
} // namespace zvtinfo

#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i)
    {
        arguments.push_back(zvtinfo::NarrowToUtf8(argv[i]));
    }
    return zvtinfo::Main(arguments);
}
#else
int main(int argc, char** argv)
{
    return zvtinfo::Main(std::vector<std::string>(argv, argv + argc));
}
#endif
