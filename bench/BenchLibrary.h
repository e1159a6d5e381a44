// What every benchmark of the exports starts with: the round count from its command line, and the library
// beside it, complete, or a line saying what is missing.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "ZavsysLibrary.h"

namespace zvt::bench
{

inline int RoundsArgument(int argc, char** argv, int fallback)
{
    return argc > 1 ? std::atoi(argv[1]) : fallback;
}

inline bool IsUsable(const CZavsysLibrary& library)
{
    if (!library.IsComplete())
    {
        std::printf("zavsys.dll could not be loaded or lacks: %s\n", library.MissingExports().c_str());
        return false;
    }
    return true;
}

} // namespace zvt::bench
