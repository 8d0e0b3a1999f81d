#pragma once
#include <climits>
#include <string>
#include "framework/CListCtrl.h"

struct VisPlugin;

// The plug-in list of the main window. Each row's item data is its VisPlugin
// record, which this list owns and frees when its window is destroyed.
class CReorderListCtrl : public CListCtrl {
public:
    // Marks row t as the host's current visual; returns the row marked before.
    int SetCurrent(int row);
    // Marks the first row whose label equals name (case-insensitive); -1 if none.
    int SetCurrentByName(const std::string& name);
    // The running host loaded this row: wanted enabled and not disabled on disk.
    bool IsKnownToHost(int row) const;
    // The row's VisPlugin flags; 0 for a row without a record.
    DWORD GetItemFlags(int row) const;

    // The row that carries VIS_CURRENT; INT_MAX when none.
    int m_nCurrent = INT_MAX;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    VisPlugin* GetPlugin(int row) const;
    void DeleteRecords();
};
