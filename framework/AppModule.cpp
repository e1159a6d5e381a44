// The program side of the framework: menus, resources, message boxes and the program's entry point.
#include <exception>
#include <iterator>
#include <map>
#include <memory>

#include "afxwin.h"

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    thread_local std::map<HMENU, std::unique_ptr<CMenu>> wrappers;
    if (hMenu == nullptr)
    {
        return nullptr;
    }
    std::unique_ptr<CMenu>& wrapper = wrappers[hMenu];
    if (!wrapper)
    {
        wrapper = std::make_unique<CMenu>();
        wrapper->m_hMenu = hMenu;
    }
    return wrapper.get();
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const wchar_t* lpszNewItem) noexcept
{
    return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

CWinAppEx::CWinAppEx(BOOL bResourceSmartUpdate) noexcept
    : CWinApp(nullptr), m_bResourceSmartUpdate(bResourceSmartUpdate)
{
}

HINSTANCE AfxGetResourceHandle() noexcept
{
    HINSTANCE instance = AfxGetModuleState()->m_hCurrentInstanceHandle;
    return instance != nullptr ? instance : GetModuleHandleW(nullptr);
}

HINSTANCE AfxFindResourceHandle(const wchar_t*, const wchar_t*) noexcept
{
    return AfxGetResourceHandle(); // no resource-only satellite modules
}

std::wstring AfxLoadString(UINT nID)
{
    const wchar_t* text = nullptr;
    // With a capacity of 0 the system hands out a pointer into the resource itself.
    const int length = LoadStringW(AfxGetResourceHandle(), nID, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text != nullptr ? std::wstring(text, static_cast<std::size_t>(length))
                                         : std::wstring();
}

namespace
{

// The application's name, else the program file's name without directory and extension.
std::wstring ApplicationName()
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pszAppName != nullptr)
    {
        return app->m_pszAppName;
    }
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path);
    name.erase(0, name.find_last_of(L"\\/") + 1);
    return name.substr(0, name.rfind(L'.'));
}

} // namespace

int AfxMessageBox(const wchar_t* lpszText, UINT nType, UINT) noexcept
{
    CWinApp* app = AfxGetApp();
    HWND owner = app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd->m_hWnd : nullptr;
    try
    {
        return MessageBoxW(owner, lpszText, ApplicationName().c_str(), nType);
    }
    catch (const std::exception&)
    {
        return MessageBoxW(owner, lpszText, nullptr, nType);
    }
}

void AfxReportException(const std::exception& error) noexcept
{
    const char* what = error.what();
    wchar_t text[512] = {};
    MultiByteToWideChar(CP_ACP, 0, what, -1, text, static_cast<int>(std::size(text)) - 1);
    AfxMessageBox(text, MB_ICONERROR);
}

namespace
{

void RunMessageLoop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
    {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    int exitCode = -1;
    CWinApp* app = AfxGetApp();
    if (app != nullptr && AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
    {
        try
        {
            if (app->InitInstance())
            {
                RunMessageLoop();
            }
            exitCode = app->ExitInstance();
        }
        catch (const std::exception& error)
        {
            AfxReportException(error);
        }
    }
    AfxWinTerm();
    return exitCode;
}

extern "C" int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
