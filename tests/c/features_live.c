/* A C caller of zavsys_features.h on the machine it runs on: the identity record from the DLL, its flags by
   name, the level, and XCR0 read with XGETBV; an AVX instruction is executed when the header says the OS
   enabled it. Ends with "N passed, N failed"; exit 0 when none failed. */
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "zavsys.h"
#include "zavsys_features.h"

static int passed = 0;
static int failed = 0;

static void Check(int condition, const char* what)
{
    if (!condition)
        printf("FAILED: %s\n", what);
    passed += condition ? 1 : 0;
    failed += condition ? 0 : 1;
}

static void PrintFlags(const ZVT_CPU_IDENTITY* identity)
{
    ZVT_FLAG_SET flags;
    int index;
    zvtReadFlags(identity, &flags);
    printf("Flags :");
    for (index = 0; index < ZVT_FLAG_COUNT; ++index)
        if (zvtFlagSetHas(&flags, zvtGetFlagRow(index)->flag))
            printf(" %s", zvtGetFlagRow(index)->name);
    printf("\n");
}

/* The information record's feature word and the header read the same bits of the same processor. */
static void CheckFeatureWord(const ZVT_CPU_IDENTITY* identity, uint32_t features)
{
    static const struct
    {
        uint32_t mask;
        const char* name;
    } pairs[] = {
        {ZVT_FEATURE_MMX, "mmx"},           {ZVT_FEATURE_MMXEXT, "mmxext"}, {ZVT_FEATURE_SSE, "sse"},
        {ZVT_FEATURE_SSE2, "sse2"},         {ZVT_FEATURE_SSE3, "pni"},      {ZVT_FEATURE_SSE41, "sse4_1"},
        {ZVT_FEATURE_SSE42, "sse4_2"},      {ZVT_FEATURE_SSE4A, "sse4a"},   {ZVT_FEATURE_3DNOW, "3dnow"},
        {ZVT_FEATURE_3DNOWEXT, "3dnowext"}, {ZVT_FEATURE_AMDV, "svm"},      {ZVT_FEATURE_INTELVT, "vmx"},
        {ZVT_FEATURE_X86_64, "lm"}};
    size_t i;
    for (i = 0; i < sizeof pairs / sizeof pairs[0]; ++i)
    {
        const int flag = zvtFindFlag(pairs[i].name);
        Check(flag != ZVT_FLAG_NONE && ((features & pairs[i].mask) != 0) == zvtHasFlag(identity, flag),
              pairs[i].name);
    }
}

/* VXORPS on YMM0: faults unless the OS enabled the AVX state. Code built without SSE keeps nothing there. */
static void RunAvxInstruction(void)
{
#ifdef __SSE__
    __asm__ __volatile__(".byte 0xc5, 0xfc, 0x57, 0xc0" ::: "xmm0");
#else
    __asm__ __volatile__(".byte 0xc5, 0xfc, 0x57, 0xc0");
#endif
}

static void CheckXcr0(const ZVT_CPU_IDENTITY* identity)
{
    uint64_t xcr0 = 1;
    const int read = zvtReadXcr0(&xcr0);
    const uint64_t supported = ((uint64_t)identity->basic[0xD].edx << 32) | identity->basic[0xD].eax;
    const int level = zvtGetLevel(identity);
    Check(read == zvtHasFlag(identity, ZVT_FLAG_OSXSAVE), "XCR0 read exactly when OSXSAVE is set");
    printf("XCR0 : %s 0x%08lx%08lx\n", read ? "read" : "not readable", (unsigned long)(xcr0 >> 32),
           (unsigned long)(xcr0 & 0xFFFFFFFFu));
    printf("x86-64 level : %s, enabled by the OS: %s\n", zvtGetLevelName(level),
           zvtGetLevelName(zvtGetEnabledLevel(identity, xcr0)));
    if (!read)
    {
        Check(xcr0 == 0, "XCR0 0 when it cannot be read");
        return;
    }
    Check((xcr0 & 3) == 3, "x87 and SSE state enabled");
    Check((xcr0 & ~supported) == 0, "XCR0 within the components leaf 0xD supports");
    Check(zvtGetEnabledLevel(identity, xcr0) <= level, "the enabled level is at most the supported one");
    if (zvtHasFlag(identity, ZVT_FLAG_AVX) && (xcr0 & ZVT_XCR0_AVX_STATE) == ZVT_XCR0_AVX_STATE)
    {
        RunAvxInstruction();
        Check(1, "an AVX instruction ran");
        printf("AVX : usable\n");
    }
}

int main(void)
{
    ZVT_CPU_IDENTITY identity;
    ZVT_CPU_INFORMATION information;
    int32_t physicalBits = 0;
    int32_t linearBits = 0;
    ZeroMemory(&identity, sizeof identity);
    ZeroMemory(&information, sizeof information);
    identity.size = ZVT_IDENTITY_SIZE;
    information.size = ZVT_INFORMATION_SIZE;
    Check(zvtGetIdentity(&identity, 0, NULL, 0) == ZVT_OK, "zvtGetIdentity");
    Check(zvtGetInformation(&information, 0) == ZVT_OK, "zvtGetInformation");
    PrintFlags(&identity);
    Check(zvtHasFlag(&identity, ZVT_FLAG_FPU) && zvtHasFlag(&identity, ZVT_FLAG_TSC), "fpu and tsc");
#ifdef _WIN64
    Check(zvtGetLevel(&identity) >= ZVT_LEVEL_BASELINE, "a 64-bit process runs on at least the baseline");
#endif
    CheckFeatureWord(&identity, information.features);
    if (zvtGetAddressSizes(&identity, &physicalBits, &linearBits))
    {
        printf("Address sizes : %d bits physical, %d bits linear\n", (int)physicalBits, (int)linearBits);
        Check(physicalBits >= 32 && linearBits >= 32, "address sizes of at least 32 bits");
    }
    CheckXcr0(&identity);
    printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
