// Loading and binding zavsys.dll.
#include "ZVTX.h"

namespace
{

template <typename Function> void Bind(HMODULE module, const char* name, Function& function) noexcept
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

// No path: the system's search order applies, the program's own directory first.
CZVTX::CZVTX() noexcept : m_hModule(LoadLibraryW(L"zavsys.dll"))
{
    if (m_hModule == nullptr)
    {
        return;
    }
    Bind(m_hModule, "zvtGetIdentity", m_pfnGetIdentity);
    Bind(m_hModule, "zvtGetInformation", m_pfnGetInformation);
    Bind(m_hModule, "zvtGetWindowsVersion", m_pfnGetWindowsVersion);
    Bind(m_hModule, "zvtIsWow64", m_pfnIsWow64);
    Bind(m_hModule, "zvtGetFileVersion", m_pfnGetFileVersion);
    Bind(m_hModule, "zvtGetTemporaryFileName", m_pfnGetTemporaryFileName);
}

// The pointers are left as they are: nothing may call them once the library is gone.
CZVTX::~CZVTX()
{
    if (m_hModule != nullptr)
    {
        FreeLibrary(m_hModule);
        m_hModule = nullptr;
    }
}
