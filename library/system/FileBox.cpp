// The box classes' construction, the system object's load-time snapshot (every result is ignored, so
// building it never fails the library's load), and the look-up of optional kernel32 functions.
#include "FileBox.h"

CWindowsBox::CWindowsBox() noexcept
{
    m_windowsVersion.size = ZVT_WINDOWS_VERSION_SIZE;
    FillWindowsVersion(&m_windowsVersion);
}

CTimeBox::CTimeBox() noexcept
{
    GetTimeZoneInformation(&m_timeZoneInformation);
}

CFileBox::CFileBox() noexcept
{
    m_osVersionInfo.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
    OSVERSIONINFOW osVersionInfo{};
    osVersionInfo.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
    if (GetVersionExW(&osVersionInfo))
    {
        m_osVersionInfo = osVersionInfo;
    }
}

void* CWindowsBox::FindKernel32Function(const wchar_t* moduleName, const char* functionName) noexcept
{
    const HMODULE kernel32 = GetModuleHandleW(moduleName);
    return kernel32 == nullptr ? nullptr : reinterpret_cast<void*>(GetProcAddress(kernel32, functionName));
}
