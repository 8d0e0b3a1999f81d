#include "app/CManagerDlg.h"
#include <algorithm>
#include <shellapi.h>
#include <windowsx.h>
#include "app/AppPaths.h"
#include "app/CManagerApp.h"
#include "app/CAboutDlg.h"
#include "framework/CBitmap.h"
#include "framework/CWaitCursor.h"
#include "framework/CWinApp.h"
#include "framework/ResString.h"
#include "catalogue/PluginInstall.h"
#include "catalogue/PluginPicker.h"
#include "catalogue/VisFolderCopy.h"
#include "catalogue/VisPlugin.h"
#include "host/HostNumbering.h"
#include "host/HostPaths.h"
#include "host/HostProcess.h"
#include "host/HostRegistry.h"
#include "host/KeySteps.h"
#include "res/resource.h"
#include "skin/ScaledArt.h"
#include "skin/SkinGeometry.h"
#include "skin/WindowShape.h"

namespace {
HICON LoadProgramIcon(int size)
{
    return static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                           IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// One message for all the plug-ins of a start that could not be asked for their names.
constexpr size_t kListedProblems = 20;

void WarnNoDisplayNames(const std::vector<std::string>& problems)
{
    if (!problems.empty())
        AfxMessageBox(FormatResString1(IDS_NO_DISPLAY_NAME, ListLines(problems, kListedProblems, IDS_AND_MORE)),
                      MB_ICONEXCLAMATION | MB_OK);
}

int AskUser(const std::string& text, UINT type)
{
    return AfxMessageBox(text, type);
}

// The art's sizes at 96 dpi, and the grounds it is drawn for.
const SIZE kTitleSize{223, 27};
const SIZE kLampSize{13, 17};
const SIZE kClipSize{50, 120};
const COLORREF kLampMask = 0x00FF00FF;
const COLORREF kLampGround = RGB(20, 19, 38);  // the list's panel
const COLORREF kClipGround = RGB(12, 12, 26);  // the clip's well

// Sent by Windows 8.1 and later; the headers for the systems we target lack it.
const UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED

const UINT_PTR kPollTimer = 100;
const UINT kPollPeriodMs = 1000;
// How long the host's notices are ignored after our key presses when it
// never names the visual they stepped it to.
const UINT_PTR kSwitchTimer = 101;
const UINT kSwitchSettleMs = 2000;
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
    if (!m_strVisFolder.empty()) {
        RemoveInterruptedCopies(m_strVisFolder);
        MakeSaveFlow().RecoverInterruptedSave(RunningHost());
    }
    m_nDpi = WindowDpi(m_hWnd);
    ShowFace();
    ApplyWindowShape();
    SubclassList();
    CreateStateLamps();
    SkinButtons();
    ScaleTitle();
    InsertListColumn();
    ScanPlugins();
    FitListColumn();
    MarkCurrentVisual();
    StartAnimation();
    SetPollTimer(TRUE);
    ::DragAcceptFiles(m_hWnd, TRUE);
    AcceptDropsFromLowerLevels(m_hWnd);
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
    m_hWindowRgn = CreateWindowShape(m_hWnd, m_nDpi);
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

// At 96 dpi the face is stretched over the window as it always was; at
// other scales the larger face is averaged down to the window's size.
void CManagerDlg::ShowFace()
{
    if (ArtSetFor(m_nDpi) == 1) {
        SetBackground(IDB_BACKGROUND, BG_STRETCH);
        return;
    }
    RECT client = GetClientRect();
    SetScaledBackground(IDB_BACKGROUND_2X, client.right, client.bottom);
}

void CManagerDlg::ScaleTitle()
{
    CBitmap art;
    if (!art.Attach(LoadArtForDpi(IDB_TITLE, IDB_TITLE_2X, kTitleSize, ControlArtDpi(m_nDpi))))
        return;
    HBITMAP shown = ShowInBitmapControl(m_hWnd, art);
    // The first is the one the template loaded; later ones are ours, deleted as they are replaced.
    if (shown != m_bmpTitle.GetSafeHandle())
        ::DeleteObject(shown);
    m_bmpTitle = std::move(art);
}

// Moved to a display of another scale: the window takes the place Windows
// suggests, and its dialog layout follows by itself; the art and the shape
// are made again for the new scale.
void CManagerDlg::OnDpiChanged(int dpi, const RECT& suggested)
{
    m_nDpi = dpi;
    ::SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowFace();
    ApplyWindowShape();
    CreateStateLamps();
    ScaleTitle();
    OpenClip();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
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

// The lamps grow with the rows' text; scaled down, their edges blend with
// the dark panel they are made for.
void CManagerDlg::CreateStateLamps()
{
    m_imageList.Create(ScaleToDpi(kLampSize.cx, m_nDpi), ScaleToDpi(kLampSize.cy, m_nDpi), ILC_COLOR24 | ILC_MASK, 3, 0);
    const UINT lamps[][2] = {{IDB_LAMP_ENABLED, IDB_LAMP_ENABLED_2X},
                             {IDB_LAMP_DISABLED, IDB_LAMP_DISABLED_2X},
                             {IDB_LAMP_BUILTIN, IDB_LAMP_BUILTIN_2X}};
    for (const auto& ids : lamps) {
        CBitmap lamp;
        lamp.Attach(LoadKeyedArtForDpi(ids[0], ids[1], kLampSize, m_nDpi, kLampMask, kLampGround));
        m_imageList.AddMasked(lamp, kLampMask);
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

// Each plug-in that gives no name adds its line to problems: "file: why".
CPluginScanner::NameWarning CManagerDlg::NoteNameProblems(std::vector<std::string>& problems) const
{
    return [this, &problems](const std::string& path, const std::string& problem) {
        problems.push_back(path.substr(m_strVisFolder.size()) + ": " + problem);
    };
}

BOOL CManagerDlg::ScanPlugins()
{
    std::vector<std::string> problems;
    CPluginScanner scanner(m_list, m_strVisFolder, AfxGetApp()->m_profile, m_enabledAtLoad,
                           NoteNameProblems(problems));
    BOOL scanned = scanner.ScanPlugins();
    WarnNoDisplayNames(problems);
    return scanned;
}

CPluginInstaller CManagerDlg::MakeInstaller(std::vector<std::string>& problems)
{
    return CPluginInstaller(m_list, m_strVisFolder, AfxGetApp()->m_profile, m_enabledAtLoad,
                            NoteNameProblems(problems), &AskUser);
}

// From the menu the new rows go below the selected row.
void CManagerDlg::AddPluginsFromDialog()
{
    std::vector<std::string> paths = ChoosePluginFiles(m_hWnd, AfxGetApp()->m_profile);
    int selected = m_list.GetNextItem(-1, LVNI_SELECTED);
    AddPlugins(paths, selected < 0 ? kNoVisual : selected + 1);
}

// Dropped on a row, the new rows go in there; anywhere else, at the end.
void CManagerDlg::OnDropFiles(HDROP drop)
{
    std::vector<std::string> paths = DroppedPaths(drop);
    POINT point{};
    ::DragQueryPoint(drop, &point);
    ::DragFinish(drop);
    ::MapWindowPoints(m_hWnd, m_list.m_hWnd, &point, 1);
    AddPlugins(paths, m_list.HitTest(point));
}

void CManagerDlg::AddPlugins(const std::vector<std::string>& paths, int anchor)
{
    if (paths.empty())
        return;
    std::vector<std::string> problems;
    {
        CWaitCursor wait;
        m_list.ShowInsertedRows(
            MakeInstaller(problems).AddPlugins(paths, AddedRowIndex(anchor, m_list.GetItemCount())));
    }
    WarnNoDisplayNames(problems);
}

void CManagerDlg::RemoveSelectedPlugins()
{
    std::vector<std::string> problems;
    m_list.RemoveRows(MakeInstaller(problems).RecyclePlugins(m_list.RemovableRows()));
}

// The host's own name for what it shows wins; without a running host the
// number it stored last, which counts only the visuals it loaded. The rows
// are still in load order here.
void CManagerDlg::MarkCurrentVisual()
{
    std::string hostVisual;
    if (m_bHostRunning && m_hostChannel.GetVisName(hostVisual)) {
        m_list.SetCurrentByName(hostVisual);
        return;
    }
    int row = LoadIndexOfHostNumber(ReadVisNumber(), m_enabledAtLoad);
    if (row < m_list.GetItemCount())
        m_list.SetCurrent(row);
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
    const VisPlugin* before = previous == kNoVisual ? nullptr : m_list.GetPlugin(previous);
    int start = before ? before->loadIndex : kNoVisual;
    // The running host numbers the visuals as it loaded them, as the key steps count.
    int number = HostNumberOfLoadIndex(target, m_enabledAtLoad);
    if (number != kNoVisual)
        WriteVisNumber(number);
    bool altHeld = (::GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
    if (altHeld || !m_bHostRunning || start == target)
        return;
    CWaitCursor wait;
    m_bSwitching = true;
    if (StepHostToVisual(target, start))
        AwaitSwitchedVisual(m_list.GetItemText(row, 0));
    else
        EndSwitching();
}

// The running host still cycles through the visuals as it loaded them, so
// the steps count by load positions and the states they had then. FALSE
// when no key could be sent.
BOOL CManagerDlg::StepHostToVisual(int target, int start)
{
    return SendKeySteps(m_hHostWnd, PlanKeySteps(target, start, m_enabledAtLoad));
}

// The host acts on the keys after we sent them and names each visual it
// passes: those notices are ours and must not move the mark, until it names
// the target, or for a while when it never does.
void CManagerDlg::AwaitSwitchedVisual(const std::string& name)
{
    m_strSwitchTarget = name;
    ::SetTimer(m_hWnd, kSwitchTimer, kSwitchSettleMs, nullptr);
}

void CManagerDlg::EndSwitching()
{
    ::KillTimer(m_hWnd, kSwitchTimer);
    m_bSwitching = false;
    m_strSwitchTarget.clear();
}

BOOL CManagerDlg::FindHostWindow(HWND* window) const
{
    return ::FindHostWindow(window);
}

// Off is FALSE while the watcher has not left: it may still read the
// record, which then stays mapped.
BOOL CManagerDlg::SetHostConnected(BOOL on)
{
    if (on) {
        if (m_hostChannel.Open())
            m_hostWatcher.Start(m_hostChannel, m_hStopEvent, m_hWnd);
        return TRUE;
    }
    if (!m_hostWatcher.Stop())
        return FALSE;
    m_hostChannel.Close();
    return TRUE;
}

void CManagerDlg::SetPollTimer(BOOL on)
{
    if (on)
        m_nPollTimer = ::SetTimer(m_hWnd, kPollTimer, kPollPeriodMs, nullptr);
    else if (m_nPollTimer)
        ::KillTimer(m_hWnd, m_nPollTimer);
}

// A host whose watcher has not left yet still counts as running: the next
// poll tries again.
void CManagerDlg::OnPollTimer()
{
    bool running = FindHostWindow(&m_hHostWnd) != FALSE;
    if (running == m_bHostRunning)
        return;
    if (SetHostConnected(running) || running)
        m_bHostRunning = running;
}

void CManagerDlg::OnHostVisChanged(LPARAM name)
{
    std::unique_ptr<std::string> hostVisual = TakeHostVisName(name);
    if (!m_bSwitching) {
        m_list.SetCurrentByName(*hostVisual);
        return;
    }
    if (*hostVisual == m_strSwitchTarget)
        EndSwitching();
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

CSaveFlow CManagerDlg::MakeSaveFlow() const
{
    return CSaveFlow(m_strVisFolder, m_strHostExe, JournalPathFor(AfxGetApp()->m_profile.GetPath()), &AskUser);
}

// Letting go of the host: its position first, then nothing watches it while
// it goes down and comes up again. A window that stays open (after a
// recovery at start-up) links to the new host at its next poll.
CSaveFlow::RunningHost CManagerDlg::RunningHost()
{
    CSaveFlow::RunningHost host;
    host.running = m_bHostRunning;
    host.letGo = [this] {
        DWORD position = 0;
        m_hostChannel.GetPlayPosition(&position);
        SetPollTimer(FALSE);
        if (SetHostConnected(FALSE))
            m_bHostRunning = false;
        return position;
    };
    return host;
}

std::vector<SaveRow> CManagerDlg::SaveRows() const
{
    std::vector<SaveRow> rows;
    for (int row = kFirstPluginRow; row < m_list.GetItemCount(); ++row) {
        const VisPlugin* plugin = m_list.GetPlugin(row);
        if (plugin)
            rows.push_back({plugin->file, (plugin->flags & VIS_ENABLED) != 0});
    }
    return rows;
}

// The current visual's number in the order the host loaded the visuals.
int CManagerDlg::CurrentHostNumber() const
{
    const VisPlugin* current = m_list.m_nCurrent == kNoVisual ? nullptr : m_list.GetPlugin(m_list.m_nCurrent);
    return current ? HostNumberOfLoadIndex(current->loadIndex, m_enabledAtLoad) : kNoVisual;
}

void CManagerDlg::OnOK()
{
    if (MakeSaveFlow().Save(SaveRows(), m_list.m_nCurrent, CurrentHostNumber(), RunningHost()))
        EndDialog(IDOK);
}

void CManagerDlg::UndoLastSave()
{
    if (MakeSaveFlow().UndoLastSave(RunningHost()))
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
    if (header->idFrom == IDC_LIST && header->code == LVN_GETINFOTIPA) {
        OnListInfoTip(reinterpret_cast<NMLVGETINFOTIPA*>(header));
        result = 0;
        return true;
    }
    if (header->idFrom == IDC_LIST && header->code == LVN_KEYDOWN) {
        WORD key = reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey;
        if (key == VK_DELETE)
            RemoveSelectedPlugins();
        else if (key >= '1' && key <= '9' && ::GetKeyState(VK_CONTROL) < 0)
            MakeSetFlow().ApplySet(key - '1');
        result = 0;
        return true;
    }
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

// A row's tip names its file as it is on disk, relative to the Vis folder.
void CManagerDlg::OnListInfoTip(NMLVGETINFOTIPA* tip)
{
    const VisPlugin* plugin = m_list.GetPlugin(tip->iItem);
    if (!plugin || tip->cchTextMax <= 0)
        return;
    std::string text = plugin->file.empty() ? LoadResString(IDS_BUILTIN_TIP) : plugin->file;
    if (!plugin->problem.empty())
        text += "\n" + plugin->problem;
    size_t length = std::min(text.size(), static_cast<size_t>(tip->cchTextMax - 1));
    text.copy(tip->pszText, length);
    tip->pszText[length] = '\0';
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
    OpenClip();
}

// The larger clip is shown averaged down to the scale, or as it is at 192 dpi.
void CManagerDlg::OpenClip()
{
    int dpi = ControlArtDpi(m_nDpi);
    bool large = ArtSetFor(dpi) != 1;
    SIZE shown{ScaleToDpi(kClipSize.cx, dpi), ScaleToDpi(kClipSize.cy, dpi)};
    m_wndAnim.SetFrameSize(large && shown.cx < kClipSize.cx * 2 ? shown : SIZE{}, kClipGround);
    m_wndAnim.Open(large ? IDR_CLIP_2X : IDR_CLIP, ANIM_AUTOPLAY | ANIM_KEYFROMFRAME, 0x0000FF00);
}

void CManagerDlg::OnPopupMenu(POINT screenPoint, UINT alignment)
{
    HMENU menu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_POPUP));
    HMENU popup = menu ? ::GetSubMenu(menu, 0) : nullptr;
    UINT command = 0;
    if (popup) {
        GreyUnavailableCommands(popup);
        MakeSetFlow().FillMenu(popup);
    }
    if (popup)
        command = static_cast<UINT>(::TrackPopupMenu(popup, alignment | TPM_NONOTIFY | TPM_RETURNCMD,
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
    case ID_POPUP_SORT_UP:
    case ID_POPUP_SORT_DOWN:
        m_list.SortByName(command == ID_POPUP_SORT_UP);
        break;
    case ID_POPUP_ALL_ON:
    case ID_POPUP_ALL_OFF:
        m_list.SwitchAllLamps(command == ID_POPUP_ALL_ON);
        break;
    case ID_POPUP_UNDO_SAVE:
        UndoLastSave();
        break;
    case ID_POPUP_ADD:
        AddPluginsFromDialog();
        break;
    case ID_POPUP_REMOVE:
        RemoveSelectedPlugins();
        break;
    default:
        OnSetCommand(command);
    }
}

CSetFlow CManagerDlg::MakeSetFlow()
{
    return CSetFlow(m_list, this, AfxGetApp()->m_profile, &AskUser);
}

void CManagerDlg::OnSetCommand(UINT command)
{
    CSetFlow sets = MakeSetFlow();
    if (command >= ID_POPUP_SET_FIRST && command <= ID_POPUP_SET_LAST)
        sets.ApplySet(command - ID_POPUP_SET_FIRST);
    else if (command == ID_POPUP_SET_SAVE)
        sets.SaveAsSet();
    else if (command == ID_POPUP_SET_EXPORT)
        sets.ExportSet();
    else if (command == ID_POPUP_SET_IMPORT)
        sets.ImportSet();
    else if (command == ID_POPUP_SET_DELETE)
        sets.DeleteSet();
}

void CManagerDlg::GreyUnavailableCommands(HMENU popup)
{
    if (!MakeSaveFlow().CanUndo())
        ::EnableMenuItem(popup, ID_POPUP_UNDO_SAVE, MF_BYCOMMAND | MF_GRAYED);
    if (m_list.RemovableRows().empty())
        ::EnableMenuItem(popup, ID_POPUP_REMOVE, MF_BYCOMMAND | MF_GRAYED);
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
        if (wParam == kSwitchTimer)
            EndSwitching();
        else
            OnPollTimer();
        result = Default();
        return true;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        result = 0;
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
        PaintWindowOutline(m_hWnd, m_hFrameRgn, m_brushFrame1, m_brushFrame2, m_brushFrame3, m_nDpi);
        return true;
    case kDpiChanged:
        // The dialog manager scales the template's layout and font first.
        result = Default();
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
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
        OnPopupMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, TPM_CENTERALIGN);
        result = 0;
        return true;
    case WM_CONTEXTMENU:
        // The Apps key or Shift+F10, in the window or passed up by any of its
        // controls; a right click keeps its own ways.
        if (lParam != -1)
            break;
        OnPopupMenu(m_list.KeyboardMenuPoint(), TPM_LEFTALIGN);
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
