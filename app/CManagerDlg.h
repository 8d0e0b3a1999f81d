#pragma once
#include <string>
#include <vector>
#include "animation/CAnimationWnd.h"
#include "catalogue/CPluginInstaller.h"
#include "catalogue/CPluginScanner.h"
#include "framework/CBitmap.h"
#include "framework/CBrush.h"
#include "framework/CImageList.h"
#include "host/CHostChannel.h"
#include "host/CHostWatcher.h"
#include "host/CSaveFlow.h"
#include "listview/CReorderListCtrl.h"
#include "sets/CSetFlow.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinDialog.h"
#include "skin/DisplayScale.h"

// The program's only window: a borderless, skinned modal dialog holding the
// catalogue list, "Save", "Cancel" and the animation.
class CManagerDlg : public CSkinDialog {
public:
    CManagerDlg(CWnd* parent, bool smallFonts);
    ~CManagerDlg() override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    // Escape must not end the window.
    void OnCancel() override {}
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void AddAboutToSystemMenu();
    void ReadHostSettings();
    void ApplyWindowShape();
    // The display's scale: the art made for it, or for a larger one scaled down.
    void ShowFace();
    void ScaleTitle();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void SkinButtons();
    void SubclassList();
    void CreateStateLamps();
    void InsertListColumn();
    void FitListColumn();

    // The catalogue; the work is the scanner's.
    BOOL ScanPlugins();
    void ShowAboutBox();
    // The clip, the popup menu and the readme.
    void StartAnimation();
    void OpenClip();
    void OnPopupMenu(POINT screenPoint, UINT alignment);
    void GreyUnavailableCommands(HMENU popup);
    void ConfirmUninstall();
    void ShowReadme();
    void MarkCurrentVisual();

    // Adding and removing plug-ins; the work is the installer's.
    CPluginScanner::NameWarning NoteNameProblems(std::vector<std::string>& problems) const;
    CPluginInstaller MakeInstaller(std::vector<std::string>& problems);
    void AddPluginsFromDialog();
    void OnDropFiles(HDROP drop);
    void AddPlugins(const std::vector<std::string>& paths, int anchor);
    void RemoveSelectedPlugins();

    // Sets of the plug-ins' arrangement; the work is the set flow's.
    CSetFlow MakeSetFlow();
    void OnSetCommand(UINT command);

    // List gestures.
    bool OnListNotify(NMHDR* header, LRESULT& result);
    void OnListInfoTip(NMLVGETINFOTIPA* tip);
    void OnClickList(const NMITEMACTIVATE* click);
    void OnDblClkList(const NMITEMACTIVATE* click);
    BOOL StepHostToVisual(int target, int start);
    void AwaitSwitchedVisual(const std::string& name);
    void EndSwitching();

    // The running host.
    BOOL FindHostWindow(HWND* window) const;
    BOOL SetHostConnected(BOOL on);
    void SetPollTimer(BOOL on);
    void OnPollTimer();
    void OnHostVisChanged(LPARAM name);
    void DisconnectHost();
    int ReadVisNumber() const;
    BOOL WriteVisNumber(int number) const;

    // Save and its undo; the work is the save flow's.
    CSaveFlow MakeSaveFlow() const;
    CSaveFlow::RunningHost RunningHost();
    std::vector<SaveRow> SaveRows() const;
    int CurrentHostNumber() const;
    void UndoLastSave();

    CHostChannel m_hostChannel;
    CHostWatcher m_hostWatcher;
    CReorderListCtrl m_list;
    HANDLE m_hStopEvent = nullptr;
    HICON m_hIconBig = nullptr;
    HICON m_hIconSmall = nullptr;
    std::vector<unsigned char> m_enabledAtLoad;
    std::string m_strHostFolder;
    bool m_bSwitching = false;
    std::string m_strSwitchTarget;  // the visual the host is being stepped to
    HWND m_hHostWnd = nullptr;
    UINT_PTR m_nPollTimer = 0;
    bool m_bHostRunning = false;
    CAnimationWnd m_wndAnim;
    std::string m_strHostExe;
    CBrush m_brushFrame3;
    CBrush m_brushFrame2;
    CImageList m_imageList;
    std::string m_strVisFolder;
    CSkinButton m_btnCancel;
    CSkinButton m_btnSave;
    CBrush m_brushFrame1;
    HRGN m_hFrameRgn = nullptr;
    HRGN m_hWindowRgn = nullptr;
    int m_nDpi = kBaseDpi;
    CBitmap m_bmpTitle;
};
