// The box classes' construction: the system object's load-time snapshot. Every result is ignored, so
// building the system object never fails the library's load.
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
