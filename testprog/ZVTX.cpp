// Loading and binding zavsys.dll.
#include "ZVTX.h"

#include "BindExports.h"

// No path: the system's search order applies, the program's own directory first.
CZVTX::CZVTX() noexcept : m_hModule(LoadLibraryW(L"zavsys.dll"))
{
    if (m_hModule == nullptr)
    {
        return;
    }
    zvt::BindExports(m_hModule, *this);
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
