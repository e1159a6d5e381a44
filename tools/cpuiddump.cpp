// cpuiddump: prints the basic and extended CPUID leaves (sub-leaf 0) of the processor it runs on, as
// "CPUID xxxxxxxx: eax-ebx-ecx-edx" lines. Run the 32-bit build with QEMU_CPU=<model> to record old models.
#include <cstdio>

#include "X86Probe.h"

namespace
{

void DumpRange(std::uint32_t first)
{
    const std::uint32_t highest = zvt::ExecuteCpuid(first, 0).eax;
    for (std::uint32_t leaf = first; leaf <= highest && leaf - first < 0x100; ++leaf)
    {
        const ZVT_CPUID_LEAF r = zvt::ExecuteCpuid(leaf, 0);
        std::printf("CPUID %08X: %08X-%08X-%08X-%08X\n", leaf, r.eax, r.ebx, r.ecx, r.edx);
    }
}

} // namespace

int main()
{
    if (!zvt::IsCpuidSupported())
    {
        std::printf("no CPUID\n");
        return 1;
    }
    DumpRange(0);
    DumpRange(0x80000000u);
    return 0;
}
