// CPUID, the EFLAGS ID-bit test and RDTSC for i686 and x86-64, with GCC's intrinsics and a few lines of asm.
#include "X86Probe.h"

#include <cpuid.h>
#include <x86intrin.h>

namespace zvt
{

bool IsCpuidSupported() noexcept
{
#if defined(__x86_64__)
    return true; // every x86-64 processor has CPUID
#else
    // CPUID exists when software can change EFLAGS bit 21 (ID); the original EFLAGS are restored.
    unsigned long flipped = 0;
    unsigned long original = 0;
    asm volatile("pushfl\n\t"
                 "pushfl\n\t"
                 "popl %0\n\t"
                 "movl %0, %1\n\t"
                 "xorl $0x200000, %0\n\t"
                 "pushl %0\n\t"
                 "popfl\n\t"
                 "pushfl\n\t"
                 "popl %0\n\t"
                 "popfl"
                 : "=&r"(flipped), "=&r"(original)
                 :
                 : "cc");
    return ((flipped ^ original) & 0x200000UL) != 0;
#endif
}

ZVT_CPUID_LEAF ExecuteCpuid(std::uint32_t leaf, std::uint32_t subleaf) noexcept
{
    unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
    __cpuid_count(leaf, subleaf, eax, ebx, ecx, edx);
    return ZVT_CPUID_LEAF{eax, ebx, ecx, edx};
}

std::uint64_t ReadTimeStampCounter() noexcept
{
    return __rdtsc();
}

} // namespace zvt
