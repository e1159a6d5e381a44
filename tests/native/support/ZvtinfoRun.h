// The native zvtinfo run as a user runs it, for the tests of what it prints, with a temporary folder of
// this test process's own that goes when the process ends.
#pragma once

#include <string>

namespace zvt::test
{

// A file in this process's temporary folder (made on first use).
std::string TempPath(const std::string& name);
// Writes bytes to TempPath(name) and returns that path.
std::string WriteTemp(const std::string& name, const std::string& bytes);

struct ToolRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// zvtinfo with the arguments (a shell command line's words), its standard output and error apart.
ToolRun RunZvtinfo(const std::string& arguments);

} // namespace zvt::test
