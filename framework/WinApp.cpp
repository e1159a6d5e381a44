// The application object and the library module's start-up and shut-down.
#include "afx.h"

CWinApp::CWinApp(const wchar_t* lpszAppName) noexcept : m_pszAppName(lpszAppName)
{
    AFX_MODULE_STATE* state = AfxGetStaticModuleState();
    state->m_pCurrentWinApp = this;
    state->m_lpszCurrentAppName = lpszAppName;
}

CWinApp::~CWinApp()
{
    AFX_MODULE_STATE* state = AfxGetStaticModuleState();
    if (state->m_pCurrentWinApp == this)
    {
        state->m_pCurrentWinApp = nullptr;
    }
}

CWinApp* AfxGetApp() noexcept
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPWSTR, int) noexcept
{
    AFX_MODULE_STATE* state = AfxGetModuleState();
    state->m_hCurrentInstanceHandle = hInstance;
    if (state->m_pCurrentWinApp != nullptr)
    {
        state->m_pCurrentWinApp->m_hInstance = hInstance;
    }
    return TRUE;
}

BOOL AfxDllMain(HINSTANCE hInstance, DWORD dwReason) noexcept
{
    switch (dwReason)
    {
    case DLL_PROCESS_ATTACH: {
        AFX_MAINTAIN_STATE2 state(AfxGetStaticModuleState());
        wchar_t emptyCommandLine[1] = {};
        AfxWinInit(hInstance, nullptr, emptyCommandLine, 0);
        CWinApp* app = AfxGetApp();
        if (app != nullptr && !app->InitInstance())
        {
            app->ExitInstance();
            return FALSE;
        }
        return TRUE;
    }
    case DLL_THREAD_DETACH:
        AfxTermThread();
        return TRUE;
    case DLL_PROCESS_DETACH: {
        {
            AFX_MAINTAIN_STATE2 state(AfxGetStaticModuleState());
            if (CWinApp* app = AfxGetApp())
            {
                app->ExitInstance();
            }
        }
        AfxWinTerm();
        return TRUE;
    }
    default:
        return TRUE;
    }
}
