// Windows and modal dialogs: the dialog procedure and the default handlers.
#include <exception>
#include <stdexcept>

#include "afxwin.h"

void CWnd::SetWindowText(const wchar_t* lpszString) noexcept
{
    ::SetWindowTextW(m_hWnd, lpszString);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const noexcept
{
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) noexcept
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

BOOL CWnd::IsIconic() const noexcept
{
    return ::IsIconic(m_hWnd);
}

void CWnd::GetClientRect(LPRECT lpRect) const noexcept
{
    ::GetClientRect(m_hWnd, lpRect);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

HCURSOR CWnd::OnQueryDragIcon()
{
    Default();
    return nullptr;
}

LRESULT CWnd::Default() noexcept
{
    m_bDefaultProcessing = true;
    return 0;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) noexcept
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

INT_PTR CDialog::DoModal()
{
    const wchar_t* name = MAKEINTRESOURCEW(m_nIDTemplate);
    return DialogBoxParamW(AfxFindResourceHandle(name, MAKEINTRESOURCEW(5) /* RT_DIALOG */), name,
                           OwnerWindow(), DialogProc, reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(int nResult) noexcept
{
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    return UpdateData(FALSE);
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
    {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

HWND CDialog::OwnerWindow() const noexcept
{
    if (m_pParentWnd != nullptr)
    {
        return m_pParentWnd->m_hWnd;
    }
    CWinApp* app = AfxGetApp();
    CWnd* mainWindow = app != nullptr ? app->m_pMainWnd : nullptr;
    return mainWindow != nullptr && mainWindow != this ? mainWindow->m_hWnd : nullptr;
}

// A handler's exception must not unwind through the system's frames: it is shown, and a dialog that
// could not initialise ends with -1.
INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = hWnd;
    }
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrW(hWnd, DWLP_USER));
    if (dialog == nullptr)
    {
        return FALSE; // messages before WM_INITDIALOG
    }
    INT_PTR result = FALSE;
    try
    {
        result = dialog->HandleMessage(message, wParam, lParam);
    }
    catch (const std::exception& error)
    {
        AfxReportException(error);
        if (message == WM_INITDIALOG)
        {
            dialog->EndDialog(-1);
        }
    }
    if (message == WM_NCDESTROY)
    {
        SetWindowLongPtrW(hWnd, DWLP_USER, 0);
        dialog->m_hWnd = nullptr;
    }
    return result;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_bDefaultProcessing = false;
    switch (message)
    {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return HandleCommand(wParam);
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(wParam), lParam);
        return m_bDefaultProcessing ? FALSE : TRUE;
    case WM_PAINT:
        OnPaint();
        return m_bDefaultProcessing ? FALSE : TRUE;
    case WM_QUERYDRAGICON: {
        // The one answer here that is the procedure's result itself; kept as the message result too.
        const auto cursor = reinterpret_cast<INT_PTR>(OnQueryDragIcon());
        if (m_bDefaultProcessing)
        {
            return FALSE;
        }
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, cursor);
        return cursor;
    }
    default:
        return FALSE;
    }
}

// Enter, Esc and the close box arrive as IDOK and IDCANCEL.
INT_PTR CDialog::HandleCommand(WPARAM wParam)
{
    if (HIWORD(wParam) != BN_CLICKED)
    {
        return FALSE;
    }
    switch (LOWORD(wParam))
    {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

void CButton::SetCheck(int nCheck) noexcept
{
    SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
}

int CButton::GetCheck() const noexcept
{
    return static_cast<int>(SendMessage(BM_GETCHECK, 0, 0));
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
    {
        return;
    }
    rControl.m_hWnd = GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
    if (rControl.m_hWnd == nullptr)
    {
        throw std::logic_error("The dialog template has no control " + std::to_string(nIDC) + ".");
    }
}

CPaintDC::CPaintDC(CWnd* pWnd) noexcept : m_hWnd(pWnd->m_hWnd), m_ps{}
{
    m_hDC = BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    EndPaint(m_hWnd, &m_ps);
}

BOOL CPaintDC::DrawIcon(int x, int y, HICON hIcon) noexcept
{
    return ::DrawIcon(m_hDC, x, y, hIcon);
}
