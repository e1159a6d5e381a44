// A stand-in zavsys.dll with the two processor exports only, for the dialog's checks against a library
// that lacks exports. ZVT_FAKE_STATUS in the environment makes zvtGetInformation fail with that status.
#include <windows.h>

#include <cwchar>

#include "FakeLibrary.h"

int32_t ZVT_API zvtGetIdentity(ZVT_CPU_IDENTITY*, int32_t, const ZVT_WCHAR*, int32_t)
{
    return 0;
}

int32_t ZVT_API zvtGetInformation(ZVT_CPU_INFORMATION* information, int32_t)
{
    wchar_t status[16] = {};
    GetEnvironmentVariableW(L"ZVT_FAKE_STATUS", status, 16);
    const auto failure = static_cast<int32_t>(std::wcstol(status, nullptr, 10));
    if (failure != 0)
    {
        return failure; // like the real library: nothing copied
    }
    *information = zvt::test::SampleInformation();
    return 0;
}
