#pragma once
#include <string>
#include "framework/CDialog.h"

// Asks the name a set is kept under; Enter keeps it, an empty name is not taken.
class CSetNameDlg : public CDialog {
public:
    explicit CSetNameDlg(CWnd* parent, std::string name = {});

    const std::string& GetName() const { return m_strName; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    std::string m_strName;
};
