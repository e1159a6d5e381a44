/* A C caller of zvtGetProcessorDetails that knows only zavsys.h: processor 0 with the machine part, written
   as JSON with zvtinfo's names for the same answers (scripts/compare-details.py holds the two together).
   Flags are named through zvtGetFlagNameByNumber and asked again through zvtQueryFlag. */
#include <stdio.h>
#include <string.h>

#include "zavsys.h"

static const char* LevelName(int32_t level)
{
    static const char* const names[] = {"none", "baseline", "v2", "v3", "v4"};
    return level >= 0 && level <= 4 ? names[level] : "?";
}

static const char* CacheTypeName(int32_t type)
{
    static const char* const names[] = {"?", "data", "instruction", "unified", "trace", "reserved"};
    return type >= 1 && type <= 5 ? names[type] : "?";
}

/* Every flag the record has, by name; 1 when zvtQueryFlag agrees on each. */
static int PrintFlags(const ZVT_PROCESSOR_DETAILS* d)
{
    int32_t flag;
    int agreed = 1;
    const char* separator = "";
    printf("  \"flags\": [");
    for (flag = 0; flag < (int32_t)(32 * d->flagWords); ++flag)
    {
        char name[64];
        if ((d->flags[flag / 32] & (1u << (flag % 32))) == 0 ||
            zvtGetFlagNameByNumber(flag, name, (int32_t)sizeof name) <= 0)
            continue;
        printf("%s\"%s\"", separator, name);
        separator = ", ";
        agreed &= (zvtQueryFlag(name, 0) & ZVT_QUERY_REPORTED) != 0;
    }
    printf("],\n");
    return agreed;
}

static void PrintCaches(const ZVT_PROCESSOR_DETAILS* d)
{
    uint32_t i;
    printf("  \"caches\": [");
    for (i = 0; i < d->cacheCount; ++i)
    {
        const ZVT_DETAILS_CACHE* c = &d->caches[i];
        printf("%s{\"level\": %d, \"type\": \"%s\", \"sizeBytes\": %lu, \"ways\": %d, \"sharedBy\": %d}",
               i == 0 ? "" : ", ", (int)c->level, CacheTypeName(c->type), (unsigned long)c->sizeBytes,
               (int)c->ways, (int)c->sharedBy);
    }
    printf("],\n");
}

static void PrintUarches(const ZVT_PROCESSOR_DETAILS* d)
{
    uint32_t i;
    printf("  \"microarchitectures\": [");
    for (i = 0; i < d->uarchCount; ++i)
    {
        const ZVT_DETAILS_UARCH* u = &d->uarches[i];
        printf("%s{\"microarchitecture\": \"%s\", \"codename\": \"%s\", \"generation\": \"%s\", \"logical\": "
               "%d}",
               i == 0 ? "" : ", ", u->uarch, u->codename, u->generation, (int)u->logical);
    }
    printf("],\n");
}

int main(void)
{
    ZVT_PROCESSOR_DETAILS d;
    int agreed;
    memset(&d, 0, sizeof d);
    d.size = ZVT_DETAILS_SIZE;
    if (zvtGetProcessorDetails(&d, 0, ZVT_DETAILS_MACHINE) != ZVT_OK || d.written != ZVT_DETAILS_SIZE)
    {
        printf("zvtGetProcessorDetails failed\n");
        return 1;
    }
    printf("{\n  \"vendor\": \"%s\",\n  \"level\": \"%s\",\n  \"enabledLevel\": \"%s\",\n", d.vendor,
           LevelName(d.level), LevelName(d.enabledLevel));
    printf("  \"physicalBits\": %d,\n  \"linearBits\": %d,\n  \"hypervisor\": %s,\n",
           (int)d.physicalAddressBits, (int)d.linearAddressBits, d.hypervisor[0] != '\0' ? "true" : "false");
    agreed = PrintFlags(&d);
    PrintCaches(&d);
    PrintUarches(&d);
    printf("  \"topology\": {\"packages\": %d, \"cores\": %d, \"logical\": %d},\n", (int)d.machine.packages,
           (int)d.machine.cores, (int)d.machine.logical);
    printf("  \"queryAgrees\": %s\n}\n", agreed ? "true" : "false");
    return 0;
}
