// Replay throughput: every dump in a folder read, parsed and decoded into both records, over and over.
// Usage: replay_bench DUMP_FOLDER [SECONDS]. Prints dumps per second.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "DumpReader.h"
#include "MeasuredRecords.h"
#include "RecordedClock.h"

namespace
{

std::vector<std::string> ReadDumps(const std::filesystem::path& folder)
{
    std::vector<std::string> dumps;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
    {
        if (entry.path().extension() == ".txt")
        {
            std::ifstream file(entry.path(), std::ios::binary);
            std::stringstream text;
            text << file.rdbuf();
            dumps.push_back(text.str());
        }
    }
    return dumps;
}

// Parses and decodes one dump; returns a value that depends on the result, so nothing is optimised away.
std::uint32_t Replay(const std::string& dump)
{
    zvt::CRecordedCpuid cpuid;
    zvt::DumpError error;
    if (!zvt::ParseCpuidDump(dump, cpuid, error))
    {
        return 0;
    }
    const zvt::CRecordedClock clock;
    ZVT_CPU_IDENTITY identity{};
    zvt::PrepareIdentity(cpuid, clock, nullptr, 0, identity);
    ZVT_CPU_INFORMATION information{};
    information.size = ZVT_INFORMATION_SIZE;
    zvt::GetInformation(cpuid, clock, &information, 0);
    return information.features ^ identity.basic[0].eax;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: replay_bench DUMP_FOLDER [SECONDS]\n");
        return 2;
    }
    const std::vector<std::string> dumps = ReadDumps(argv[1]);
    const double seconds = argc > 2 ? std::stod(argv[2]) : 2.0;
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    std::size_t replayed = 0;
    std::uint32_t check = 0;
    while (!dumps.empty() && std::chrono::duration<double>(Clock::now() - start).count() < seconds)
    {
        for (const std::string& dump : dumps)
        {
            check ^= Replay(dump);
            ++replayed;
        }
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%zu dumps, %zu replays in %.2f s: %.0f dumps/s (check %08x)\n", dumps.size(), replayed,
                elapsed, static_cast<double>(replayed) / elapsed, check);
    return 0;
}
