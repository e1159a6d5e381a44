// A small stand-in for the Windows C++ UI class library: the root class, the module state and its frame,
// the application object and the start-up and shut-down of a library module. Only what zavsys and its
// test program use.
#pragma once

#include <windows.h>

class CObject
{
public:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject() = default;
};

class CWinApp;
class CWnd;

// What a module keeps for itself: its instance handle and its application object.
struct AFX_MODULE_STATE
{
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    CWinApp* m_pCurrentWinApp = nullptr;
    const wchar_t* m_lpszCurrentAppName = nullptr;
};

// This module's own state (each module linking the framework has one).
AFX_MODULE_STATE* AfxGetStaticModuleState() noexcept;
// The state current on the calling thread; this module's own when no frame has set another.
AFX_MODULE_STATE* AfxGetModuleState() noexcept;

// Makes a module state current on this thread for its lifetime, then restores the previous one.
class AFX_MAINTAIN_STATE2
{
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState) noexcept;
    ~AFX_MAINTAIN_STATE2();
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

private:
    AFX_MODULE_STATE* m_pPrevModuleState;
};

class CCmdTarget : public CObject
{
};

class CWinThread : public CCmdTarget
{
public:
    CWnd* m_pMainWnd = nullptr; // owner of dialogs run without a parent
    virtual BOOL InitInstance()
    {
        return FALSE;
    }
    virtual int ExitInstance()
    {
        return 0;
    }
};

class CWinApp : public CWinThread
{
public:
    // Registers itself as its module's application.
    explicit CWinApp(const wchar_t* lpszAppName = nullptr) noexcept;
    ~CWinApp() override;

    BOOL InitInstance() override
    {
        return TRUE;
    }

    // Only remembered: nothing in our programs reads or writes settings.
    void SetRegistryKey(const wchar_t* lpszRegistryKey) noexcept
    {
        m_pszRegistryKey = lpszRegistryKey;
    }

    const wchar_t* m_pszAppName;
    const wchar_t* m_pszRegistryKey = nullptr;
    HINSTANCE m_hInstance = nullptr;
};

CWinApp* AfxGetApp() noexcept;
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow) noexcept;
void AfxWinTerm() noexcept;
void AfxTermThread() noexcept;

// The library module's entry: runs the application's InitInstance on attach (failing the load when it
// returns FALSE) and ExitInstance on detach; the static objects are built before and destroyed after.
BOOL AfxDllMain(HINSTANCE hInstance, DWORD dwReason) noexcept;
