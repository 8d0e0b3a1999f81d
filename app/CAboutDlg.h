#pragma once
#include "framework/CDialog.h"

// "All about Orbiquel BETA": icon, version line and OK.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent);
};
