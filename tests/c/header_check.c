/* Compiled as strict C99 and C11 in every build: zavsys.h and zavsys_features.h must stay usable from C,
   and twice over. */
#include <string.h>

#include "zavsys.h"
#include "zavsys_features.h"

#define ZVT_LABEL_ROW(mask, label) {mask, label},

static const struct
{
    uint32_t mask;
    const char* label;
} featureLabels[] = {ZVT_FEATURE_LABELS(ZVT_LABEL_ROW)};

ZVT_STATIC_ASSERT(sizeof featureLabels / sizeof featureLabels[0] == ZVT_FEATURE_LABEL_COUNT,
                  "one label per feature bit");

/* Every pointer type a C caller binds with GetProcAddress, with the records it passes. */
struct ZvtBoundExports
{
    PFN_zvtGetIdentity getIdentity;
    PFN_zvtGetInformation getInformation;
    PFN_zvtGetWindowsVersion getWindowsVersion;
    PFN_zvtIsWow64 isWow64;
    PFN_zvtGetFileVersion getFileVersion;
    PFN_zvtGetTemporaryFileName getTemporaryFileName;
};

int ZvtHeaderCheckLabel(uint32_t features, char* out, size_t capacity);

int ZvtHeaderCheckLabel(uint32_t features, char* out, size_t capacity)
{
    size_t i;
    int count = 0;
    ZVT_CPU_INFORMATION information;
    memset(&information, 0, sizeof information);
    information.size = ZVT_INFORMATION_SIZE;
    information.features = features;
    out[0] = '\0';
    for (i = 0; i < sizeof featureLabels / sizeof featureLabels[0]; ++i)
    {
        if ((information.features & featureLabels[i].mask) != 0 && strlen(out) + 8 < capacity)
        {
            strcat(out, featureLabels[i].label);
            strcat(out, " ");
            ++count;
        }
    }
    return count;
}

int ZvtHeaderCheckFlags(const ZVT_CPU_IDENTITY* identity, char* out, size_t capacity);

/* The flag names of a record, then its level and what the next one lacks: every call a C caller makes. */
int ZvtHeaderCheckFlags(const ZVT_CPU_IDENTITY* identity, char* out, size_t capacity)
{
    ZVT_FLAG_SET flags;
    ZVT_CACHES caches;
    int missing[ZVT_LEVEL_MAX_MISSING];
    int index;
    int32_t physicalBits;
    int32_t linearBits;
    uint64_t xcr0;
    const int level = zvtGetLevel(identity);
    out[0] = '\0';
    zvtReadFlags(identity, &flags);
    for (index = 0; index < ZVT_FLAG_COUNT; ++index)
    {
        const ZVT_FLAG_ROW* row = zvtGetFlagRow(index);
        if (zvtFlagSetHas(&flags, row->flag) && strlen(out) + strlen(row->name) + 2 < capacity)
        {
            strcat(out, row->name);
            strcat(out, " ");
        }
    }
    (void)zvtGetMissingForLevel(identity, level + 1, missing, ZVT_LEVEL_MAX_MISSING);
    (void)zvtGetCaches(identity, &caches);
    (void)zvtGetAddressSizes(identity, &physicalBits, &linearBits);
    (void)zvtReadXcr0(&xcr0);
    return zvtHasFlag(identity, ZVT_FLAG_HYPERVISOR) + zvtFindFlag("avx2") + level +
           zvtGetEnabledLevel(identity, xcr0) + (zvtGetFlagName(ZVT_FLAG_SSE4_1) != NULL) +
           (zvtGetLevelName(level) != NULL);
}
