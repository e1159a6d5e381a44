// The test dialog and the about box.
#include "TestZavitDlg.h"

#include <array>
#include <stdexcept>

#include "DialogText.h"
#include "resource.h"

namespace
{

#ifdef _WIN64
constexpr const wchar_t* kProgramFileName = L"TestZavit64.exe";
#else
constexpr const wchar_t* kProgramFileName = L"TestZavit32.exe";
#endif

// Narrow text of the processor record (the thread's ANSI code page) widened, at most fieldSize - 1
// characters even if the library left no terminator.
std::wstring Widen(const char* field, std::size_t fieldSize)
{
    const int length = static_cast<int>(strnlen(field, fieldSize - 1));
    if (length == 0)
    {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    const int written = MultiByteToWideChar(CP_THREAD_ACP, 0, field, length, wide.data(), length);
    if (written <= 0)
    {
        throw std::runtime_error("A name of the processor could not be converted (error " +
                                 std::to_string(GetLastError()) + ").");
    }
    wide.resize(static_cast<std::size_t>(written));
    return wide;
}

} // namespace

CTestZavitDlg::CTestZavitDlg(CWnd* pParent)
    : CDialog(IDD_TESTZAVIT_DIALOG, pParent),
      m_hIcon(LoadIconW(AfxFindResourceHandle(MAKEINTRESOURCEW(IDR_MAINFRAME), MAKEINTRESOURCEW(14)),
                        MAKEINTRESOURCEW(IDR_MAINFRAME)))
{
}

void CTestZavitDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_3DNOW, m_3DNow);
    DDX_Control(pDX, IDC_3DNOWEXT, m_3DNowPlus);
    DDX_Control(pDX, IDC_AMDV, m_AMDV);
    DDX_Control(pDX, IDC_INTELVT, m_IntelVT);
    DDX_Control(pDX, IDC_MMX, m_MMX);
    DDX_Control(pDX, IDC_MMXEXT, m_MMXplus);
    DDX_Control(pDX, IDC_SSE, m_SSE);
    DDX_Control(pDX, IDC_SSE2, m_SSE2);
    DDX_Control(pDX, IDC_SSE3, m_SSE3);
    DDX_Control(pDX, IDC_SSE41, m_SSE41);
    DDX_Control(pDX, IDC_SSE42, m_SSE42);
    DDX_Control(pDX, IDC_SSE4A, m_SSE4A);
    DDX_Control(pDX, IDC_X86_64, m_x86_64);
    DDX_Control(pDX, IDC_CPUID, m_CPUID);
    DDX_Control(pDX, IDC_VERSION, m_Version);
    DDX_Control(pDX, IDC_WOW64, m_WOW64);
    DDX_Control(pDX, IDC_WINDOWS, m_Windows);
}

BOOL CTestZavitDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AddAboutCommand();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    ShowProcessor();
    ShowWindowsVersion();
    ShowWow64();
    ShowFileVersions();
    return TRUE;
}

void CTestZavitDlg::AddAboutCommand()
{
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu == nullptr)
    {
        return;
    }
    const std::wstring aboutMenu = AfxLoadString(IDS_ABOUTBOX);
    if (!aboutMenu.empty())
    {
        pSysMenu->AppendMenu(MF_SEPARATOR);
        pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutMenu.c_str());
    }
}

// Exports that are not bound are not called: their records stay zero and the processor block says why.
void CTestZavitDlg::ShowProcessor()
{
    ZVT_CPU_INFORMATION info{};
    ZVT_CPU_IDENTITY identity{};
    identity.size = ZVT_IDENTITY_SIZE;
    if (m_zvt.m_pfnGetIdentity != nullptr)
    {
        m_zvt.m_pfnGetIdentity(&identity, 0, nullptr, ZVT_MODE_ANSI); // no measurement, no report
    }
    info.size = ZVT_INFORMATION_SIZE;
    const std::int32_t status =
        m_zvt.m_pfnGetInformation != nullptr ? m_zvt.m_pfnGetInformation(&info, 500) : 0;
    if (status != 0)
    {
        const std::wstring error = L"Error = " + std::to_wstring(status);
        AfxMessageBox(error.c_str(), MB_OK, 0);
    }
    const std::wstring vendor = Widen(info.vendor, sizeof info.vendor);
    const std::wstring modelName = Widen(info.modelName, sizeof info.modelName);
    const std::wstring notice = zvt::DescribeMissingLibrary(m_zvt.m_hModule != nullptr, MissingExports());
    m_CPUID.SetWindowText(zvt::FormatProcessorText(info, vendor, modelName, notice).c_str());

    const std::array<CButton*, 13> boxes = {&m_MMX,   &m_MMXplus, &m_SSE,   &m_SSE2,  &m_SSE3,
                                            &m_SSE41, &m_SSE42,   &m_SSE4A, &m_3DNow, &m_3DNowPlus,
                                            &m_AMDV,  &m_IntelVT, &m_x86_64};
    for (std::size_t i = 0; i < boxes.size(); ++i)
    {
        boxes[i]->SendMessage(
            BM_SETCHECK, static_cast<WPARAM>(zvt::FeatureBoxState(info.features, zvt::kFeatureBoxes[i])), 0);
    }
}

void CTestZavitDlg::ShowWindowsVersion()
{
    ZVT_WINDOWS_VERSION version{};
    version.size = ZVT_WINDOWS_VERSION_SIZE;
    if (m_zvt.m_pfnGetWindowsVersion != nullptr)
    {
        m_zvt.m_pfnGetWindowsVersion(&version); // fields it leaves unwritten read as 0
    }
    m_Windows.SetWindowText(zvt::FormatWindowsLine(version).c_str());
}

void CTestZavitDlg::ShowWow64()
{
    const std::int32_t isWow64 = m_zvt.m_pfnIsWow64 != nullptr ? m_zvt.m_pfnIsWow64() : 0;
    m_WOW64.SetWindowText(zvt::FormatWow64Line(isWow64).c_str());
}

// The program's own name is fixed, not taken from the running file: a renamed copy shows 0.0.0.0.
void CTestZavitDlg::ShowFileVersions()
{
    zvt::FileVersion program;
    zvt::FileVersion library;
    if (m_zvt.m_pfnGetFileVersion != nullptr)
    {
        m_zvt.m_pfnGetFileVersion(kProgramFileName, &program.major, &program.minor, &program.build,
                                  &program.revision);
        m_zvt.m_pfnGetFileVersion(L"zavsys.dll", &library.major, &library.minor, &library.build,
                                  &library.revision);
    }
    m_Version.SetWindowText(zvt::FormatVersionLine(kProgramFileName, program, library).c_str());
}

std::string CTestZavitDlg::MissingExports() const
{
    const std::array<std::pair<bool, const char*>, 5> exports = {{
        {m_zvt.m_pfnGetIdentity != nullptr, "zvtGetIdentity"},
        {m_zvt.m_pfnGetInformation != nullptr, "zvtGetInformation"},
        {m_zvt.m_pfnGetWindowsVersion != nullptr, "zvtGetWindowsVersion"},
        {m_zvt.m_pfnIsWow64 != nullptr, "zvtIsWow64"},
        {m_zvt.m_pfnGetFileVersion != nullptr, "zvtGetFileVersion"},
    }};
    std::string missing;
    for (const auto& [bound, name] : exports)
    {
        if (!bound)
        {
            missing += missing.empty() ? name : std::string(", ") + name;
        }
    }
    return missing;
}

// 0x0011 to 0x001F count as the about command too: the low four bits belong to the system.
void CTestZavitDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
    {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    }
    else
    {
        CDialog::OnSysCommand(nID, lParam);
    }
}

// Minimised, the dialog draws its icon centred in the client area.
void CTestZavitDlg::OnPaint()
{
    if (!IsIconic())
    {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CTestZavitDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX)
{
}
