// The library's global objects, built at load in this order: identity, system, application.
#pragma once

#include "CpuIdentity.h"
#include "FileBox.h"
#include "afx.h"

class CZVTApp : public CWinApp
{
public:
    CZVTApp() noexcept;
    ~CZVTApp() override = default;
    BOOL InitInstance() override;
};

extern CCpuIdentity theIdentity;
extern CFileBox theSystem;
extern CZVTApp theApp;
