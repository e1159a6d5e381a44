// The dump text, and writing it in one piece.
#include "DumpOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "Sources.h"

namespace zvtinfo
{

std::string FormatCpuidDump(const std::vector<ProcessorDump>& dumps)
{
    std::string text;
    char line[96];
    for (const ProcessorDump& dump : dumps)
    {
        std::snprintf(line, sizeof line, "CPU %u:\n", static_cast<unsigned>(dump.processor));
        text += line;
        for (const ZVT_CPUID_ENTRY& e : dump.entries)
        {
            std::snprintf(
                line, sizeof line, "   0x%08x 0x%02x: eax=0x%08x ebx=0x%08x ecx=0x%08x edx=0x%08x\n",
                static_cast<unsigned>(e.leaf), static_cast<unsigned>(e.subleaf), static_cast<unsigned>(e.eax),
                static_cast<unsigned>(e.ebx), static_cast<unsigned>(e.ecx), static_cast<unsigned>(e.edx));
            text += line;
        }
    }
    return text;
}

bool WriteCpuidDump(const std::vector<ProcessorDump>& dumps, const std::string& path, std::string& reason)
{
    const std::string text = FormatCpuidDump(dumps);
    std::FILE* out = path.empty() ? stdout : OpenFile(path, "wb");
    if (out == nullptr)
    {
        reason = path + ": cannot create: " + std::strerror(errno);
        return false;
    }
    std::fflush(out);
#ifdef _WIN32
    const int oldMode = _setmode(_fileno(out), _O_BINARY); // LF alone, as "cpuid -r" writes it
#endif
    const bool written =
        std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fflush(out) == 0;
    const int writeErrno = errno;
#ifdef _WIN32
    _setmode(_fileno(out), oldMode);
#endif
    const bool closed = path.empty() || std::fclose(out) == 0;
    if (!written || !closed)
    {
        reason = (path.empty() ? std::string("standard output") : path) +
                 ": cannot write: " + std::strerror(written ? errno : writeErrno);
        return false;
    }
    return true;
}

} // namespace zvtinfo
