// The library module: its three global objects (one file, so their construction order is this order)
// and its entry point.
#include "Module.h"

#include <cstdlib>

CCpuIdentity theIdentity;
CFileBox theSystem;
CZVTApp theApp;

CZVTApp::CZVTApp() noexcept : CWinApp(nullptr)
{
}

BOOL CZVTApp::InitInstance()
{
    CWinApp::InitInstance();
    return TRUE;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    return AfxDllMain(hInstance, dwReason);
}

// Reached only through a broken object; defined here so that the runtime's verbose terminate handler
// (and with it the unwinder and the demangler) stays out of the library.
extern "C" void __cxa_pure_virtual()
{
    std::abort();
}
