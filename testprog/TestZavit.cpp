// The application object of the test program.
#include "TestZavit.h"

#include "TestZavitDlg.h"

CTestZavitApp theApp;

CTestZavitApp::CTestZavitApp() noexcept : CWinAppEx(TRUE)
{
}

// Runs the dialog and returns FALSE, so the program ends without a message loop of its own.
BOOL CTestZavitApp::InitInstance()
{
    CWinAppEx::InitInstance();
    SetRegistryKey(L"アプリケーション ウィザードで生成されたローカル アプリケーション");
    CTestZavitDlg dlg; // loads the library
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr; // the dialog object goes now, and the library with it
    return FALSE;
}
