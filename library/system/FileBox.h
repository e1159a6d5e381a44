// The library's Windows-information classes and the system object's type.
#pragma once

#include "afx.h"
#include "zavsys.h"

// Root of the box classes; carries the file-version query.
class CFileBoxA : public CObject
{
public:
    ~CFileBoxA() override = default;
};

using PFN_IsWow64Process = BOOL(WINAPI*)(HANDLE process, PBOOL isWow64);

// Windows version data and the IsWow64Process address that zvtIsWow64 looks up.
class CWindowsBox : public CFileBoxA
{
public:
    CWindowsBox() noexcept;
    ~CWindowsBox() override = default;

    OSVERSIONINFOW m_osVersionInfo{};
    ZVT_WINDOWS_VERSION m_windowsVersion{};
    PFN_IsWow64Process m_pfnIsWow64Process = nullptr;
};

class CTimeBox : public CWindowsBox
{
public:
    ~CTimeBox() override = default;
};

class CFileBox : public CWindowsBox
{
public:
    ~CFileBox() override = default;

    CTimeBox m_timeBox;
};
