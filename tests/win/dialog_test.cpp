// The test dialog in this process, with the program's own resources linked in: what another process
// cannot see (the system menu, the icons, painting while minimised) is checked during initialisation,
// after which the dialog ends itself.
#include <windows.h>

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

#include "TestZavitDlg.h"

namespace
{

struct Observed
{
    int menuItems = 0;
    UINT lastId = 0;
    std::wstring lastText;
    UINT separatorType = 0;
    LRESULT bigIcon = 0;
    LRESULT smallIcon = 0;
    LRESULT dragIcon = 0;
    bool paintedMinimised = false;
};

class CProbedDialog : public CTestZavitDlg
{
public:
    Observed m_observed;

protected:
    BOOL OnInitDialog() override
    {
        const BOOL focus = CTestZavitDlg::OnInitDialog();
        ObserveMenu();
        m_observed.bigIcon = SendMessage(WM_GETICON, ICON_BIG, 0);
        m_observed.smallIcon = SendMessage(WM_GETICON, ICON_SMALL, 0);
        m_observed.dragIcon = SendMessage(WM_QUERYDRAGICON, 0, 0);
        SendMessage(WM_SYSCOMMAND, 0x0020, 0); // not the about command: nothing opens, nothing blocks
        ShowWindow(m_hWnd, SW_MINIMIZE);
        SendMessage(WM_PAINT, 0, 0); // a minimised window may never be painted without a window manager
        EndDialog(IDOK);
        return focus;
    }
    void OnPaint() override
    {
        m_observed.paintedMinimised = m_observed.paintedMinimised || IsIconic();
        CTestZavitDlg::OnPaint();
    }

private:
    void ObserveMenu()
    {
        HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
        m_observed.menuItems = GetMenuItemCount(menu);
        const int last = m_observed.menuItems - 1;
        wchar_t text[64] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE;
        item.dwTypeData = text;
        item.cch = 64;
        GetMenuItemInfoW(menu, static_cast<UINT>(last), TRUE, &item);
        m_observed.lastId = item.wID;
        m_observed.lastText = text;
        MENUITEMINFOW separator{};
        separator.cbSize = sizeof separator;
        separator.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(menu, static_cast<UINT>(last - 1), TRUE, &separator);
        m_observed.separatorType = separator.fType;
    }
};

} // namespace

TEST(Dialog, SystemMenuIconsAndMinimisedPainting)
{
    if (std::getenv("DISPLAY") == nullptr)
    {
        GTEST_SKIP() << "no display";
    }
    CProbedDialog dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    const Observed& seen = dialog.m_observed;
    EXPECT_GE(seen.menuItems, 2);
    EXPECT_EQ(seen.lastId, 0x0010u);
    EXPECT_EQ(seen.lastText, L"バージョン情報 TestZavit(&A)...");
    EXPECT_EQ(seen.separatorType & MFT_SEPARATOR, static_cast<UINT>(MFT_SEPARATOR));
    EXPECT_NE(seen.bigIcon, 0);
    EXPECT_EQ(seen.smallIcon, seen.bigIcon);
    EXPECT_EQ(seen.dragIcon, seen.bigIcon);
    EXPECT_TRUE(seen.paintedMinimised);
}
