#include "app/CManagerDlg.h"
#include <shellapi.h>
#include <windowsx.h>
#include "app/AppPaths.h"
#include "app/CManagerApp.h"
#include "app/CAboutDlg.h"
#include "catalogue/DisplayName.h"
#include "catalogue/PluginFileName.h"
#include "framework/CBitmap.h"
#include "framework/CWaitCursor.h"
#include "framework/CWinApp.h"
#include "framework/ResString.h"
#include "catalogue/VisPlugin.h"
#include "host/HostPaths.h"
#include "host/HostProcess.h"
#include "host/HostRegistry.h"
#include "host/KeySteps.h"
#include "host/PluginRename.h"
#include "res/resource.h"
#include "skin/SkinGeometry.h"
#include "skin/WindowShape.h"

namespace {
HICON LoadProgramIcon(int size)
{
    return static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                           IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

void WarnNoDisplayName(const std::string& pluginPath)
{
    AfxMessageBox(FormatResString1(IDS_NO_DISPLAY_NAME, pluginPath), MB_ICONEXCLAMATION | MB_OK);
}

bool AskToGoOnAfterFailedRename(UINT messageId, const std::string& pluginName)
{
    return AfxMessageBox(FormatResString1(messageId, pluginName), MB_ICONEXCLAMATION | MB_OKCANCEL) == IDOK;
}

const UINT_PTR kPollTimer = 100;
const UINT kPollPeriodMs = 1000;
const int kFirstPluginRow = 4;
}

CManagerDlg::CManagerDlg(CWnd* parent, bool smallFonts)
    : CSkinDialog(smallFonts ? IDD_MANAGER_SMALLFONT : IDD_MANAGER, parent)
{
    m_hIconSmall = LoadProgramIcon(16);
    m_hIconBig = LoadProgramIcon(32);
    m_hFrameRgn = ::CreateRectRgn(0, 0, 1, 1);
    m_brushFrame1.CreateSolidBrush(0x00C8BEBE);
    m_brushFrame2.CreateSolidBrush(0x00C0A0A0);
    m_brushFrame3.CreateSolidBrush(0x00A08080);
    m_hStopEvent = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

CManagerDlg::~CManagerDlg()
{
    if (m_hStopEvent)
        ::CloseHandle(m_hStopEvent);
    if (m_hFrameRgn)
        ::DeleteObject(m_hFrameRgn);
    // The window region belongs to the system once set.
    if (m_hIconBig)
        ::DestroyIcon(m_hIconBig);
    if (m_hIconSmall)
        ::DestroyIcon(m_hIconSmall);
}

BOOL CManagerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (FindHostWindow(&m_hHostWnd)) {
        m_bHostRunning = true;
        SetHostConnected(TRUE);
    }
    ::SetWindowTextA(m_hWnd, LoadResString(IDS_TITLE).c_str());
    ModifyStyle(0, WS_SYSMENU);
    AddAboutToSystemMenu();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIconBig));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIconSmall));
    ReadHostSettings();
    SetBackground(IDB_BACKGROUND, BG_STRETCH);
    ApplyWindowShape();
    SubclassList();
    CreateStateLamps();
    SkinButtons();
    InsertListColumn();
    ScanPlugins();
    FitListColumn();
    MarkCurrentVisual();
    StartAnimation();
    SetPollTimer(TRUE);
    return TRUE;
}

void CManagerDlg::AddAboutToSystemMenu()
{
    HMENU systemMenu = ::GetSystemMenu(m_hWnd, FALSE);
    std::string about = LoadResString(IDS_ABOUTBOX);
    if (!systemMenu || about.empty())
        return;
    ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, about.c_str());
}

// Without the host's folder there is nothing to list or rename: a missing
// key is reported like a missing value, and the window ends.
void CManagerDlg::ReadHostSettings()
{
    std::string folder;
    if (!ReadHostFolder(folder)) {
        AfxMessageBox(IDS_NO_HOST_FOLDER, MB_ICONSTOP | MB_OK);
        EndDialog(IDCANCEL);
        return;
    }
    HostPaths paths = MakeHostPaths(folder);
    m_strHostFolder = paths.folder;
    m_strHostExe = paths.executable;
    m_strVisFolder = paths.visFolder;
}

// A window without its shape would show the background's square corners:
// report it and end.
void CManagerDlg::ApplyWindowShape()
{
    m_hWindowRgn = CreateWindowShape(m_hWnd);
    if (!m_hWindowRgn) {
        AfxMessageBox(IDS_REGION_FAILED, MB_ICONHAND | MB_OK);
        EndDialog(IDCANCEL);
    }
    // The system owns the region once it is set, and only then.
    if (!::SetWindowRgn(m_hWnd, m_hWindowRgn, FALSE) && m_hWindowRgn) {
        ::DeleteObject(m_hWindowRgn);
        m_hWindowRgn = nullptr;
    }
}

void CManagerDlg::SkinButtons()
{
    m_btnSave.SubclassDlgItem(IDOK, this);
    m_btnCancel.SubclassDlgItem(IDC_CANCEL, this);
    int effect = SKIN_SHADE;
    short level = 30;
    COLORREF saveText = 0x00FF8000;
    COLORREF cancelText = 0x008000FF;
    m_btnSave.ApplySkin(&effect, &level, nullptr, &saveText);
    m_btnCancel.ApplySkin(&effect, &level, nullptr, &cancelText);
}

// The list shows the skin unchanged behind its rows; it fills no background of its own.
void CManagerDlg::SubclassList()
{
    m_list.SubclassDlgItem(IDC_LIST, this);
    int effect = SKIN_COPY;
    short level = 30;
    COLORREF textColor = 0x00FFE080;
    m_list.ApplySkin(&effect, &level, nullptr, &textColor, FALSE);
    m_list.SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
}

void CManagerDlg::CreateStateLamps()
{
    m_imageList.Create(13, 17, ILC_COLOR24 | ILC_MASK, 3, 0);
    for (UINT id : {IDB_LAMP_ENABLED, IDB_LAMP_DISABLED, IDB_LAMP_BUILTIN}) {
        CBitmap lamp;
        lamp.LoadBitmap(AfxGetResourceHandle(), id);
        m_imageList.AddMasked(lamp, 0x00FF00FF);
    }
    // The image list is ours to destroy; without this style the list view would destroy it too.
    m_list.ModifyStyle(0, LVS_SHAREIMAGELISTS);
    m_list.SetImageList(m_imageList, LVSIL_SMALL);
}

void CManagerDlg::InsertListColumn()
{
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_CENTER;
    column.cx = -1;
    column.pszText = const_cast<char*>("");
    column.iSubItem = -1;
    m_list.InsertColumn(0, &column);
}

void CManagerDlg::FitListColumn()
{
    m_list.SetColumnWidth(0, m_list.GetClientRect().right);
}

CPluginScanner CManagerDlg::MakeScanner()
{
    return CPluginScanner(m_list, m_strVisFolder, AfxGetApp()->m_profile, m_enabledAtLoad, &WarnNoDisplayName);
}

BOOL CManagerDlg::ScanPlugins()
{
    return MakeScanner().ScanPlugins();
}

int CManagerDlg::AddPluginItem(const std::string& name, const std::string& relativePath, int image)
{
    return MakeScanner().AddPluginItem(name, relativePath, image);
}

std::string CManagerDlg::FindPluginInFolder(const std::string& folderPath)
{
    return MakeScanner().FindPluginInFolder(folderPath);
}

BOOL CManagerDlg::LookupDisplayName(const std::string& path, std::string& name) const
{
    return ::LookupDisplayName(AfxGetApp()->m_profile, path, name);
}

BOOL CManagerDlg::GetPluginKey(const std::string& path, std::string& key) const
{
    return ::GetPluginKey(path, key);
}

// The host's own name for what it shows wins; without a running host the
// position it stored last.
void CManagerDlg::MarkCurrentVisual()
{
    std::string hostVisual;
    if (m_bHostRunning && m_hostChannel.GetVisName(hostVisual)) {
        m_list.SetCurrentByName(hostVisual);
        return;
    }
    int number = ReadVisNumber();
    if (number >= 0 && number < m_list.GetItemCount())
        m_list.SetCurrent(number);
}

// Only a click on a plug-in's lamp switches it; the list refuses the
// built-in rows and the current visual.
void CManagerDlg::OnClickList(const NMITEMACTIVATE* click)
{
    if (click->iItem < kFirstPluginRow)
        return;
    RECT lamp{};
    if (!m_list.GetItemRect(click->iItem, &lamp, LVIR_ICON) || !::PtInRect(&lamp, click->ptAction))
        return;
    m_list.ToggleLamp(click->iItem);
}

void CManagerDlg::OnDblClkList(const NMITEMACTIVATE* click)
{
    int row = click->iItem;
    if (!m_list.IsKnownToHost(row))
        return;
    int previous = m_list.SetCurrent(row);
    int target = m_list.GetPlugin(row)->loadIndex;
    const VisPlugin* before = previous == INT_MAX ? nullptr : m_list.GetPlugin(previous);
    int start = before ? before->loadIndex : kNoVisual;
    // The host numbers its visuals by their rows in the list as it is now.
    WriteVisNumber(row);
    bool altHeld = (::GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
    if (altHeld || !m_bHostRunning || start == target)
        return;
    CWaitCursor wait;
    m_bSwitching = true;
    StepHostToVisual(target, start);
    m_bSwitching = false;
}

// The running host still cycles through the visuals as it loaded them, so
// the steps count by load positions and the states they had then.
BOOL CManagerDlg::StepHostToVisual(int target, int start)
{
    SendKeySteps(m_hHostWnd, PlanKeySteps(target, start, m_enabledAtLoad));
    return TRUE;
}

BOOL CManagerDlg::FindHostWindow(HWND* window) const
{
    return ::FindHostWindow(window);
}

void CManagerDlg::SetHostConnected(BOOL on)
{
    if (on) {
        if (m_hostChannel.Open())
            m_hostWatcher.Start(m_hostChannel, m_hStopEvent, m_hWnd);
        return;
    }
    // A watcher that does not leave may still read the record: it stays mapped.
    if (m_hostWatcher.Stop())
        m_hostChannel.Close();
}

void CManagerDlg::SetPollTimer(BOOL on)
{
    if (on)
        m_nPollTimer = ::SetTimer(m_hWnd, kPollTimer, kPollPeriodMs, nullptr);
    else if (m_nPollTimer)
        ::KillTimer(m_hWnd, m_nPollTimer);
}

void CManagerDlg::OnPollTimer()
{
    bool running = FindHostWindow(&m_hHostWnd) != FALSE;
    if (running == m_bHostRunning)
        return;
    SetHostConnected(running);
    m_bHostRunning = running;
}

void CManagerDlg::OnHostVisChanged(LPARAM name)
{
    std::unique_ptr<std::string> hostVisual = TakeHostVisName(name);
    if (!m_bSwitching)
        m_list.SetCurrentByName(*hostVisual);
}

void CManagerDlg::DisconnectHost()
{
    SetPollTimer(FALSE);
    if (m_bHostRunning)
        SetHostConnected(FALSE);
    CHostWatcher::DiscardPendingNotices(m_hWnd);
}

int CManagerDlg::ReadVisNumber() const
{
    return ::ReadVisNumber();
}

BOOL CManagerDlg::WriteVisNumber(int number) const
{
    return ::WriteVisNumber(number);
}

// A host that will not end is left as one whose process cannot be opened:
// still counted as running, and the renames report what it holds.
void CManagerDlg::QuitHost(HWND hostWnd)
{
    CWaitCursor wait;
    if (::QuitHost(hostWnd, m_strHostExe) == HostQuit::Exited)
        m_bHostRunning = false;
}

void CManagerDlg::RestartHost(DWORD position)
{
    CWaitCursor wait;
    ::RestartHost(m_strHostExe, position);
}

bool CManagerDlg::RenamePlugin(int row, const VisPlugin& plugin, bool enable)
{
    return RenamePluginFile(m_strVisFolder, row, plugin.file, enable, &AskToGoOnAfterFailedRename);
}

void CManagerDlg::RenamePlugins()
{
    CWaitCursor wait;
    for (int row = kFirstPluginRow; row < m_list.GetItemCount(); ++row) {
        const VisPlugin* plugin = m_list.GetPlugin(row);
        if (plugin && !RenamePlugin(row, *plugin, (plugin->flags & VIS_ENABLED) != 0))
            break;
    }
}

// Save: the host must not hold the plug-ins while they are renamed, and
// loads the new order only when it starts.
void CManagerDlg::OnOK()
{
    bool restart = false;
    DWORD position = 0;
    if (m_bHostRunning) {
        int answer = AfxMessageBox(IDS_RESTART_HOST, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        if (answer == IDCANCEL)
            return;
        restart = answer == IDYES;
    }
    if (restart) {
        m_hostChannel.GetPlayPosition(&position);
        SetPollTimer(FALSE);
        SetHostConnected(FALSE);
        QuitHost(m_hHostWnd);
    }
    RenamePlugins();
    if (restart)
        RestartHost(position);
    WriteVisNumber(m_list.m_nCurrent);
    EndDialog(IDOK);
}

bool CManagerDlg::OnCommand(WORD id, WORD code, HWND control)
{
    if (id == IDC_CANCEL) {
        EndDialog(IDCANCEL);
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

bool CManagerDlg::OnListNotify(NMHDR* header, LRESULT& result)
{
    if (header->idFrom != IDC_LIST || (header->code != NM_CLICK && header->code != NM_DBLCLK))
        return false;
    auto* click = reinterpret_cast<NMITEMACTIVATE*>(header);
    if (header->code == NM_CLICK)
        OnClickList(click);
    else
        OnDblClkList(click);
    result = 0;
    return true;
}

void CManagerDlg::ShowAboutBox()
{
    CAboutDlg about(this);
    about.DoModal();
}

// Without its clip the control shows the window's face; the program goes on.
void CManagerDlg::StartAnimation()
{
    m_wndAnim.SubclassDlgItem(IDC_ANIMATION, this);
    m_wndAnim.Open(IDR_CLIP, ANIM_AUTOPLAY | ANIM_KEYFROMFRAME, 0x0000FF00);
}

void CManagerDlg::OnPopupMenu(UINT, POINT screenPoint)
{
    HMENU menu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_POPUP));
    HMENU popup = menu ? ::GetSubMenu(menu, 0) : nullptr;
    UINT command = 0;
    if (popup)
        command = static_cast<UINT>(::TrackPopupMenu(popup, TPM_CENTERALIGN | TPM_NONOTIFY | TPM_RETURNCMD,
                                                     screenPoint.x, screenPoint.y, 0, m_hWnd, nullptr));
    if (menu)
        ::DestroyMenu(menu);
    switch (command) {
    case IDC_CANCEL:
        SendMessage(WM_CLOSE);
        break;
    case ID_POPUP_ABOUT:
        ShowAboutBox();
        break;
    case ID_POPUP_UNINSTALL:
        ConfirmUninstall();
        break;
    }
}

void CManagerDlg::ConfirmUninstall()
{
    if (AfxMessageBox(IDS_CONFIRM_UNINSTALL, MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2) == IDYES)
        theApp.SelfDelete(SD_CLOSEMAIN);
}

// The readme lies beside the executable, under its name.
void CManagerDlg::ShowReadme()
{
    char executable[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, executable, MAX_PATH);
    std::string readme = ReadmePathFor(executable);
    auto opened = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(::GetDesktopWindow(), "open", readme.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (opened <= 32)
        AfxMessageBox(IDS_NO_HELP, MB_ICONEXCLAMATION | MB_OK);
}

bool CManagerDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != IDM_ABOUTBOX)
            break;
        ShowAboutBox();
        result = 0;
        return true;
    case WM_CLOSE:
        EndDialog(IDCANCEL);
        result = 0;
        return true;
    case WM_NOTIFY:
        return OnListNotify(reinterpret_cast<NMHDR*>(lParam), result);
    case WM_TIMER:
        OnPollTimer();
        result = Default();
        return true;
    case WM_HOSTVISCHANGED:
        OnHostVisChanged(lParam);
        result = 0;
        return true;
    case WM_DESTROY:
        DisconnectHost();
        result = Default();
        return true;
    case WM_PAINT:
        result = Default();
        PaintWindowOutline(m_hWnd, m_hFrameRgn, m_brushFrame1, m_brushFrame2, m_brushFrame3);
        return true;
    case WM_NCHITTEST:
        // Dragging the window's surface moves it.
        result = CaptionHitTest(static_cast<long>(Default()));
        return true;
    case WM_NCPAINT:
        // No frame to paint: the outline is drawn in WM_PAINT.
        result = 0;
        return true;
    case WM_NCRBUTTONDOWN:
        // The whole face counts as caption, so a right click anywhere on it lands here. Not
        // passed on: the default handling would wait for a release the menu has taken, then
        // open the system menu.
        OnPopupMenu(static_cast<UINT>(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        result = 0;
        return true;
    case WM_HELP:
        // F1, from the window or any of its controls.
        ShowReadme();
        result = TRUE;
        return true;
    }
    return CSkinDialog::OnMessage(msg, wParam, lParam, result);
}
