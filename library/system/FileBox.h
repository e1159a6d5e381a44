// The library's Windows-information classes and the system object's type. The static operations behind
// zvtGetFileVersion, zvtGetTemporaryFileName and zvtGetWindowsVersion live here too; they use no object.
#pragma once

#include <cstdint>

#include "afx.h"
#include "zavsys.h"

// Root of the box classes; carries the file-version query.
class CFileBoxA : public CObject
{
public:
    ~CFileBoxA() override = default;

    // The four parts of the fixed file version of fileName (a path, or a bare name looked up as a module
    // to load would be). Each output may be null. 0 with every non-null output written (0..65535), or -1
    // with nothing written: no file name, no such file, no version resource, or no memory for it.
    static std::int32_t GetFileVersion(const wchar_t* fileName, std::int32_t* major, std::int32_t* minor,
                                       std::int32_t* build, std::int32_t* revision) noexcept;
};

using PFN_IsWow64Process = BOOL(WINAPI*)(HANDLE process, PBOOL isWow64);

// Windows version data and the IsWow64Process address that IsWow64 looks up.
class CWindowsBox : public CFileBoxA
{
public:
    // Fills its own version record; the OS version information stays empty here.
    CWindowsBox() noexcept;
    ~CWindowsBox() override = default;

    // kernel32.dll's file version and the edition code into a record whose size is at least 24.
    // Results: 0 when the version cannot be read (or no record), 1 when the record is too small or the
    // system has no GetProductInfo, else what GetProductInfo returned.
    static std::int32_t FillWindowsVersion(ZVT_WINDOWS_VERSION* version) noexcept;

    // Nonzero when the calling process runs under WOW64. Looks IsWow64Process up afresh on every call and
    // stores the address, null on systems without it (then 0), in m_pfnIsWow64Process.
    std::int32_t IsWow64() noexcept;

    OSVERSIONINFOW m_osVersionInfo{};
    ZVT_WINDOWS_VERSION m_windowsVersion{};
    PFN_IsWow64Process m_pfnIsWow64Process = nullptr;

protected:
    // A kernel32 function looked up by name at the moment of use (optional ones are linked to never);
    // null when the system has none. moduleName is the name kernel32 is asked for by.
    static void* FindKernel32Function(const wchar_t* moduleName, const char* functionName) noexcept;
};

// Adds the time-zone information, read once when built.
class CTimeBox : public CWindowsBox
{
public:
    CTimeBox() noexcept;
    ~CTimeBox() override = default;

    TIME_ZONE_INFORMATION m_timeZoneInformation{};
};

// The system object's type: a load-time snapshot of the Windows data, and the temporary-file services.
class CFileBox : public CWindowsBox
{
public:
    // After its base and its member: the OS version information from GetVersionExW.
    CFileBox() noexcept;
    ~CFileBox() override = default;

    // Creates an empty file in the temporary directory, named after at most the first 3 characters of
    // prefix; its path goes to name (260 characters). 0, or -1 with no file created.
    static std::int32_t MakeTemporaryFileName(const wchar_t* prefix, wchar_t (&name)[MAX_PATH]) noexcept;

    // The buffer holds the prefix on entry and the new file's path (its long form when longName is
    // nonzero) on success. On failure (-1) the buffer is unchanged and no file is left behind.
    static std::int32_t GetTemporaryFileName(std::int32_t longName, wchar_t* buffer,
                                             std::int32_t capacity) noexcept;

    CTimeBox m_timeBox;
};
