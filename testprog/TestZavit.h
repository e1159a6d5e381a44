// The test program's application: one modal dialog, then the end.
#pragma once

#include <afxwin.h>

class CTestZavitApp : public CWinAppEx
{
public:
    CTestZavitApp() noexcept;
    BOOL InitInstance() override;
};

extern CTestZavitApp theApp;
