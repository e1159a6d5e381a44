// The test dialog: every answer of the library once, filled while the dialog initialises.
#pragma once

#include <afxwin.h>
#include <string>

#include "ZVTX.h"

class CTestZavitDlg : public CDialog
{
public:
    explicit CTestZavitDlg(CWnd* pParent = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnSysCommand(UINT nID, LPARAM lParam) override;
    void OnPaint() override;
    HCURSOR OnQueryDragIcon() override;

private:
    void AddAboutCommand();
    void ShowProcessor();
    void ShowWindowsVersion();
    void ShowWow64();
    void ShowFileVersions();
    // Names of the exports the dialog calls that are not bound, separated by ", ".
    std::string MissingExports() const;

    HICON m_hIcon;
    CZVTXaddition m_zvt; // loaded before the controls exist, freed after the modal loop
    CButton m_MMX;
    CButton m_MMXplus;
    CButton m_SSE;
    CButton m_SSE2;
    CButton m_SSE3;
    CButton m_SSE41;
    CButton m_SSE42;
    CButton m_SSE4A;
    CButton m_3DNow;
    CButton m_3DNowPlus;
    CButton m_AMDV;
    CButton m_IntelVT;
    CButton m_x86_64;
    CStatic m_CPUID;
    CStatic m_Version;
    CStatic m_WOW64;
    CStatic m_Windows;
};

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();
};
