// zvtcall: loads zavsys.dll beside it as any caller would and prints what the library answers.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "zavsys.h"

namespace
{

template <typename Function> Function Bind(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

void PrintInformation(const ZVT_CPU_INFORMATION& info)
{
    std::printf("Vendor name : %s\nModel name : %s\n", info.vendor, info.modelName);
    std::printf("Family : %d (base %d, extended %d)\nModel : %d (base %d, extended %d)\nStepping : %d\n",
                info.family, info.baseFamily, info.extendedFamily, info.model, info.baseModel,
                info.extendedModel, info.stepping);
    std::printf("Cores : %d\nFeature : 0x%05x\nFrequency : %.1f MHz\n", info.cores, info.features,
                static_cast<double>(info.frequency));
}

} // namespace

int wmain()
{
    HMODULE module = LoadLibraryW(L"zavsys.dll");
    if (module == nullptr)
    {
        std::printf("zavsys.dll could not be loaded (error %lu)\n", GetLastError());
        return 1;
    }
    auto getInformation = Bind<PFN_zvtGetInformation>(module, "zvtGetInformation");
    auto getIdentity = Bind<PFN_zvtGetIdentity>(module, "zvtGetIdentity");
    auto isWow64 = Bind<PFN_zvtIsWow64>(module, "zvtIsWow64");
    int status = 1;
    if (getInformation != nullptr && getIdentity != nullptr && isWow64 != nullptr)
    {
        ZVT_CPU_INFORMATION info{};
        info.size = ZVT_INFORMATION_SIZE;
        status = getInformation(&info, 500);
        std::printf("zvtGetInformation : %d\n", status);
        PrintInformation(info);
        ZVT_CPU_IDENTITY identity{};
        identity.size = ZVT_IDENTITY_SIZE;
        const std::int32_t identityStatus = getIdentity(&identity, 0, nullptr, 0);
        std::printf("zvtGetIdentity : %d, highest leaves 0x%08x 0x%08x\n", identityStatus,
                    identity.basic[0].eax, identity.extended[0].eax);
        std::printf("WOW64 : %s\n", isWow64() != 0 ? "yes" : "no");
    }
    FreeLibrary(module);
    return status;
}
