// The box classes.
#include "FileBox.h"

CWindowsBox::CWindowsBox() noexcept
{
    m_windowsVersion.size = ZVT_WINDOWS_VERSION_SIZE;
}
