/* Compiled as strict C11 in every build: zavsys.h must stay usable from C, and twice over. */
#include <string.h>

#include "zavsys.h"

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
