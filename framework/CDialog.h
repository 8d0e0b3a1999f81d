#pragma once
#include "framework/CWnd.h"

// A modal dialog from a dialog template. At WM_INITDIALOG the object
// subclasses its own window, so every later message reaches OnMessage and
// Default() is the dialog manager's own handling.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    INT_PTR DoModal();
    void EndDialog(int result) const { ::EndDialog(m_hWnd, result); }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // WM_COMMAND; the base routes IDOK to OnOK and IDCANCEL to OnCancel.
    virtual bool OnCommand(WORD id, WORD code, HWND control);

    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
};
