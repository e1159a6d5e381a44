/* Linked against the import library, as a C caller with no GetProcAddress: every export resolves through
   its declaration in zavsys.h (stdcall-decorated on 32-bit x86) and answers. Exit 0 when all did. */
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "zavsys.h"

static int failures = 0;

static void Check(int condition, const char* what)
{
    printf("%s: %s\n", condition ? "ok" : "FAILED", what);
    failures += condition ? 0 : 1;
}

int main(void)
{
    ZVT_CPU_INFORMATION information;
    ZVT_CPU_IDENTITY identity;
    ZVT_WINDOWS_VERSION version;
    ZVT_CPUID_DUMP dump;
    int32_t major = -1;
    wchar_t buffer[260] = L"zvt";
    ZeroMemory(&information, sizeof information);
    ZeroMemory(&identity, sizeof identity);
    ZeroMemory(&version, sizeof version);
    information.size = ZVT_INFORMATION_SIZE;
    identity.size = ZVT_IDENTITY_SIZE;
    version.size = ZVT_WINDOWS_VERSION_SIZE;
    ZeroMemory(&dump, sizeof dump);
    dump.size = ZVT_CPUID_DUMP_HEADER_SIZE;

    Check(zvtGetInformation(&information, 0) == ZVT_OK && information.vendor[0] != '\0', "zvtGetInformation");
    Check(zvtGetIdentity(&identity, 0, NULL, 0) == ZVT_OK &&
              memcmp(&identity.basic[0].ebx, information.vendor, 4) == 0,
          "zvtGetIdentity");
    Check(zvtGetCpuidDump(&dump, ZVT_PROCESSOR_CURRENT) == ZVT_E_DUMP_TOO_SMALL && dump.count > 1,
          "zvtGetCpuidDump (the entries needed)");
    /* The others are called for the stack: a wrong convention or argument count would corrupt it. */
    printf("zvtGetWindowsVersion: %d\n", (int)zvtGetWindowsVersion(&version));
    printf("zvtIsWow64: %d\n", (int)zvtIsWow64());
    printf("zvtGetFileVersion: %d\n", (int)zvtGetFileVersion(L"zavsys.dll", &major, NULL, NULL, NULL));
    if (zvtGetTemporaryFileName(0, buffer, 260) == 0)
    {
        DeleteFileW(buffer);
    }
    Check(version.size == ZVT_WINDOWS_VERSION_SIZE && buffer[259] == 0,
          "the caller's records after the calls");
    printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
