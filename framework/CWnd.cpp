#include "framework/CWnd.h"

namespace {
const char kObjectProperty[] = "Orbiquel.Object";
}

CWnd::~CWnd()
{
    if (m_hWnd)
        UnsubclassWindow();
}

// Every message to a subclassed window asks for its object, and a property
// lookup is a trip to the window manager (under Wine a server round trip), so
// the object is kept in the window's user data as well. While our procedure
// is the window's, that copy is ours; behind a later subclass the property
// answers.
CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == &CWnd::WindowProc)
        return reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    return static_cast<CWnd*>(::GetPropA(hWnd, kObjectProperty));
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    // A window whose user data its creator uses is not ours to take.
    if (!hWnd || m_hWnd || FromHandle(hWnd) || ::GetWindowLongPtrA(hWnd, GWLP_USERDATA))
        return FALSE;
    m_hWnd = hWnd;
    PreSubclassWindow();
    ::SetPropA(hWnd, kObjectProperty, this);
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_prevProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WindowProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    // Put our predecessor back only if nobody has subclassed after us.
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == &CWnd::WindowProc)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_prevProc));
    Detach();
    return hWnd;
}

void CWnd::Detach()
{
    ::RemovePropA(m_hWnd, kObjectProperty);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    m_hWnd = nullptr;
    m_prevProc = nullptr;
}

std::string CWnd::GetWindowText() const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(m_hWnd, &text[0], length + 1)));
    return text;
}

RECT CWnd::GetClientRect() const
{
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetWindowRect() const
{
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    DWORD style = GetStyle();
    DWORD newStyle = (style & ~remove) | add;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(newStyle));
    if (swpFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}

bool CWnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

bool CWnd::OnNotifyReflect(NMHDR*, LRESULT&)
{
    return false;
}

bool CWnd::OnDrawItemReflect(DRAWITEMSTRUCT*)
{
    return false;
}

LRESULT CWnd::Default()
{
    return Default(m_current.msg, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::Default(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcA(m_prevProc, m_hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CWnd::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandle(hWnd);
    if (!wnd)
        return ::DefWindowProcA(hWnd, msg, wParam, lParam);
    return wnd->Dispatch(msg, wParam, lParam);
}

bool CWnd::ReflectToChild(UINT msg, LPARAM lParam, LRESULT& result)
{
    CWnd* child = nullptr;
    if (msg == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        child = FromHandle(header->hwndFrom);
        return child && child->OnNotifyReflect(header, result);
    }
    if (msg == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        child = item->CtlType == ODT_MENU ? nullptr : FromHandle(item->hwndItem);
        if (child && child->OnDrawItemReflect(item)) {
            result = TRUE;
            return true;
        }
    }
    return false;
}

LRESULT CWnd::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam)
{
    Message outer = m_current;
    m_current = {msg, wParam, lParam};
    LRESULT result = 0;
    bool handled = ReflectToChild(msg, lParam, result) || OnMessage(msg, wParam, lParam, result);
    if (!handled)
        result = Default();
    m_current = outer;
    if (msg == WM_NCDESTROY && m_hWnd)
        UnsubclassWindow();
    return result;
}
