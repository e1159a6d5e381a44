// Windows, modal dialogs and their controls for our programs: a static dialog procedure forwards each
// message it knows to a virtual handler; a handler that calls Default() leaves the message to the system.
// Not linked into the library: this part may throw (a control missing from a template, out of memory).
#pragma once

#include <exception>
#include <string>

#include "afx.h"

class CDataExchange;
class CMenu;

class CWnd : public CCmdTarget
{
public:
    HWND GetSafeHwnd() const noexcept
    {
        return m_hWnd;
    }
    void SetWindowText(const wchar_t* lpszString) noexcept;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) noexcept;
    // The window's system menu as a temporary wrapper (valid while the window lives); null if it has none.
    CMenu* GetSystemMenu(BOOL bRevert) const;
    BOOL IsIconic() const noexcept;
    void GetClientRect(LPRECT lpRect) const noexcept;

    // Control binding in either direction; FALSE if binding failed.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    HWND m_hWnd = nullptr;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnSysCommand(UINT nID, LPARAM lParam);
    virtual void OnPaint();
    virtual HCURSOR OnQueryDragIcon();

    // Hands the message being handled back to the system's default processing.
    LRESULT Default() noexcept;

    bool m_bDefaultProcessing = false;
};

class CDialog : public CWnd
{
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr) noexcept;

    // Runs the dialog from its template; the owner is the parent, or else the application's main window.
    // -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult) noexcept;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleCommand(WPARAM wParam);
    HWND OwnerWindow() const noexcept;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
};

class CButton : public CWnd
{
public:
    void SetCheck(int nCheck) noexcept;
    int GetCheck() const noexcept;
};

class CStatic : public CWnd
{
};

class CMenu : public CObject
{
public:
    // A wrapper kept for the thread's lifetime, one per handle; null for a null handle.
    static CMenu* FromHandle(HMENU hMenu);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const wchar_t* lpszNewItem = nullptr) noexcept;

    HMENU m_hMenu = nullptr;
};

// Paints between BeginPaint and EndPaint for the lifetime of the object.
class CPaintDC
{
public:
    explicit CPaintDC(CWnd* pWnd) noexcept;
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const noexcept
    {
        return m_hDC;
    }
    BOOL DrawIcon(int x, int y, HICON hIcon) noexcept;

    HDC m_hDC;

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) noexcept
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
    {
    }
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Attaches rControl to the dialog's control nIDC (once); throws std::logic_error if the template lacks it.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CWinAppEx : public CWinApp
{
public:
    explicit CWinAppEx(BOOL bResourceSmartUpdate = FALSE) noexcept;
    BOOL m_bResourceSmartUpdate;
};

// The module whose resources the program uses (its own).
HINSTANCE AfxGetResourceHandle() noexcept;
HINSTANCE AfxFindResourceHandle(const wchar_t* lpszName, const wchar_t* lpszType) noexcept;
// The string resource nID, or empty.
std::wstring AfxLoadString(UINT nID);
// A message box owned by the main window, captioned with the application's name.
int AfxMessageBox(const wchar_t* lpszText, UINT nType = MB_OK, UINT nIDHelp = 0) noexcept;
// Shows what went wrong in a message box.
void AfxReportException(const std::exception& error) noexcept;
// The program's start: runs the application's InitInstance, and its message loop only when that succeeds.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
