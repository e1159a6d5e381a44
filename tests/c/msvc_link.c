/* A caller as Microsoft's tools build it: compiled for the msvc target and linked with lld-link's
   defaults (on 32-bit x86 that includes /SAFESEH) against zavsys.lib, without a C runtime. Exit code 0
   when the exports answered. */
#include "zavsys.h"

__declspec(dllimport) void __stdcall ExitProcess(unsigned int code);

int _fltused = 0; /* without a C runtime, floating point needs only this marker */

void __cdecl mainCRTStartup(void);

void __cdecl mainCRTStartup(void)
{
    ZVT_CPU_INFORMATION info;
    info.size = 8; /* size and frequency only */
    info.frequency = -1.0f;
    ExitProcess(zvtGetInformation(&info, 0) == ZVT_OK && info.frequency == 0.0f && zvtIsWow64() >= 0 ? 0u
                                                                                                     : 1u);
}
