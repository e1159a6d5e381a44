// WOW64 detection through the system object's IsWow64Process address.
#include "FileBox.h"

std::int32_t CWindowsBox::IsWow64() noexcept
{
    // Looked up at run time: systems before XP SP2 have no IsWow64Process.
    m_pfnIsWow64Process =
        reinterpret_cast<PFN_IsWow64Process>(FindKernel32Function(L"kernel32", "IsWow64Process"));
    BOOL isWow64 = FALSE;
    if (m_pfnIsWow64Process != nullptr)
    {
        m_pfnIsWow64Process(GetCurrentProcess(), &isWow64); // its own result is not consulted
    }
    return static_cast<std::int32_t>(isWow64);
}
