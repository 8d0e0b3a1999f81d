#include "sets/CSetNameDlg.h"
#include "res/resource.h"
#include "sets/SetFileName.h"

CSetNameDlg::CSetNameDlg(CWnd* parent, std::string name) : CDialog(IDD_SET_NAME, parent), m_strName(std::move(name))
{
}

BOOL CSetNameDlg::OnInitDialog()
{
    HWND edit = ::GetDlgItem(m_hWnd, IDC_SET_NAME);
    ::SendMessageA(edit, EM_LIMITTEXT, kLongestSetName, 0);
    ::SetWindowTextA(edit, m_strName.c_str());
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    ::SetFocus(edit);
    // Focus set here: the dialog manager is told not to move it.
    return FALSE;
}

void CSetNameDlg::OnOK()
{
    char name[kLongestSetName + 1] = "";
    ::GetDlgItemTextA(m_hWnd, IDC_SET_NAME, name, sizeof name);
    if (name[0] == '\0')
        return;
    m_strName = name;
    EndDialog(IDOK);
}
