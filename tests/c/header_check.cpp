// The public headers as a C++ caller's compiler sees them, with this project's warnings, in every build.
#include <cstdint>

#include "zavsys.h"
#include "zavsys_features.h"

static_assert(ZVT_FLAG_COUNT > 200, "the flag table is generated from the lists");
static_assert(ZVT_FLAG_AVX2 == ZVT_WORD_7_EBX * 32 + 5, "flag numbers are word * 32 + bit");

int ZvtHeaderCheckCxx(const ZVT_CPU_IDENTITY& identity);

int ZvtHeaderCheckCxx(const ZVT_CPU_IDENTITY& identity)
{
    ZVT_FLAG_SET flags;
    ZVT_CACHES caches;
    int missing[ZVT_LEVEL_MAX_MISSING];
    std::int32_t physicalBits = 0;
    std::int32_t linearBits = 0;
    std::uint64_t xcr0 = 0;
    zvtReadFlags(&identity, &flags);
    const int level = zvtGetLevel(&identity);
    return zvtFlagSetHas(&flags, ZVT_FLAG_SSE2) + zvtHasFlag(&identity, ZVT_FLAG_LM) +
           zvtGetMissingForLevel(&identity, level + 1, missing, ZVT_LEVEL_MAX_MISSING) +
           zvtGetCaches(&identity, &caches) + zvtGetAddressSizes(&identity, &physicalBits, &linearBits) +
           zvtReadXcr0(&xcr0) + zvtGetEnabledLevel(&identity, xcr0) + zvtFindFlag("sha_ni") +
           (zvtGetFlagName(ZVT_FLAG_PNI) != nullptr) + (zvtGetLevelName(level) != nullptr) +
           (zvtGetFlagRow(0) != nullptr);
}
