// Running the native zvtinfo from the tests.
#include "ZvtinfoRun.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace zvt::test
{
namespace
{

std::filesystem::path TempDirectory()
{
    return std::filesystem::temp_directory_path() / ("zvtinfo-test-" + std::to_string(getpid()));
}

// This run's files go when the program ends.
const struct TempCleanup
{
    ~TempCleanup()
    {
        std::error_code ignored;
        std::filesystem::remove_all(TempDirectory(), ignored);
    }
} kTempCleanup;

} // namespace

std::string TempPath(const std::string& name)
{
    std::filesystem::create_directories(TempDirectory());
    return (TempDirectory() / name).string();
}

std::string WriteTemp(const std::string& name, const std::string& bytes)
{
    const std::string path = TempPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

ToolRun RunZvtinfo(const std::string& arguments)
{
    const std::string errPath = TempPath("stderr.txt");
    const std::string command = std::string(ZVT_ZVTINFO) + " " + arguments + " 2>" + errPath;
    ToolRun run;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
    {
        return run;
    }
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
    {
        run.out.append(chunk, got);
    }
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::stringstream err;
    err << std::ifstream(errPath).rdbuf();
    run.err = err.str();
    return run;
}

} // namespace zvt::test
