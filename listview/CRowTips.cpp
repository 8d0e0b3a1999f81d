#include "listview/CRowTips.h"
#include <windowsx.h>

namespace {
const int kMaxTipText = 1024;
// Wide enough for a file name; a tip with a line break needs a width to break at.
const int kMaxTipWidth = 480;

TOOLINFOA RowTool(HWND list, int row)
{
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = list;
    tool.uId = static_cast<UINT_PTR>(row);
    return tool;
}
}

void CRowTips::Create(HWND list)
{
    m_hList = list;
    m_hTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, list, nullptr, nullptr,
                               nullptr);
    if (m_hTip)
        ::SendMessageA(m_hTip, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
}

void CRowTips::OnMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!m_hTip)
        return;
    if (msg == WM_MOUSEMOVE) {
        LVHITTESTINFO hit{};
        hit.pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        int row = static_cast<int>(::SendMessageA(m_hList, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        // No tip while a button is held: it would cover a drag's target.
        if (wParam & (MK_LBUTTON | MK_RBUTTON))
            row = -1;
        if (row != m_nRow)
            ShowRow(row);
    }
    MSG relayed{m_hList, msg, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
    ::SendMessageA(m_hTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void CRowTips::ShowRow(int row)
{
    if (m_nRow >= 0) {
        TOOLINFOA old = RowTool(m_hList, m_nRow);
        ::SendMessageA(m_hTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&old));
    }
    m_nRow = row;
    if (row < 0)
        return;
    TOOLINFOA tool = RowTool(m_hList, row);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    tool.rect.left = LVIR_BOUNDS;
    ::SendMessageA(m_hList, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&tool.rect));
    ::SendMessageA(m_hTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

bool CRowTips::OnNotify(const NMHDR* header)
{
    if (!m_hTip || header->hwndFrom != m_hTip || header->code != TTN_GETDISPINFOA)
        return false;
    auto* display = reinterpret_cast<NMTTDISPINFOA*>(const_cast<NMHDR*>(header));
    int row = static_cast<int>(display->hdr.idFrom);
    m_strText.assign(kMaxTipText, '\0');
    NMLVGETINFOTIPA ask{};
    ask.hdr.hwndFrom = m_hList;
    ask.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hList));
    ask.hdr.code = LVN_GETINFOTIPA;
    ask.pszText = &m_strText[0];
    ask.cchTextMax = kMaxTipText;
    ask.iItem = row;
    ::SendMessageA(::GetParent(m_hList), WM_NOTIFY, ask.hdr.idFrom, reinterpret_cast<LPARAM>(&ask));
    m_strText.resize(m_strText.find('\0'));
    // An empty text shows no tip.
    display->lpszText = &m_strText[0];
    return true;
}
