#include "listview/CListAccessible.h"
#include "catalogue/VisPlugin.h"
#include "framework/ResString.h"
#include "listview/CReorderListCtrl.h"
#include "listview/RowAccess.h"
#include "res/resource.h"

static_assert(ACC_STATE_SELECTED == STATE_SYSTEM_SELECTED && ACC_STATE_FOCUSED == STATE_SYSTEM_FOCUSED &&
                  ACC_STATE_CHECKED == STATE_SYSTEM_CHECKED && ACC_STATE_OFFSCREEN == STATE_SYSTEM_OFFSCREEN &&
                  ACC_STATE_FOCUSABLE == STATE_SYSTEM_FOCUSABLE && ACC_STATE_SELECTABLE == STATE_SYSTEM_SELECTABLE,
              "the row states are Active Accessibility's");

namespace {
// oleacc is loaded at the first question of a screen reader, so that the
// program starts on a system without it.
struct Oleacc {
    decltype(&::LresultFromObject) lresultFromObject = nullptr;
    decltype(&::CreateStdAccessibleObject) createStdAccessibleObject = nullptr;
};

template <typename Function>
void FindEntry(HMODULE library, const char* name, Function& entry)
{
    // Through void (*)(), the function type that converts to any other without a warning.
    entry = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(library, name)));
}

const Oleacc& LoadOleacc()
{
    static const Oleacc oleacc = [] {
        Oleacc entries;
        if (HMODULE library = ::LoadLibraryA("oleacc.dll")) {
            FindEntry(library, "LresultFromObject", entries.lresultFromObject);
            FindEntry(library, "CreateStdAccessibleObject", entries.createStdAccessibleObject);
        }
        return entries;
    }();
    return oleacc;
}

// S_FALSE and no string for an empty text.
HRESULT ToBstr(const std::string& text, BSTR* out)
{
    *out = nullptr;
    if (text.empty())
        return S_FALSE;
    int size = static_cast<int>(text.size());
    int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    *out = ::SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (!*out)
        return E_OUTOFMEMORY;
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, *out, length);
    return S_OK;
}

HRESULT ToChild(int row, VARIANT* child)
{
    ::VariantInit(child);
    child->vt = VT_I4;
    child->lVal = row < 0 ? CHILDID_SELF : row + 1;
    return S_OK;
}

HRESULT Nothing(VARIANT* child)
{
    ::VariantInit(child);
    return S_FALSE;
}
}

LRESULT CListAccessible::AnswerGetObject(CReorderListCtrl& list, CListAccessible*& holder, WPARAM flags)
{
    const Oleacc& oleacc = LoadOleacc();
    if (!oleacc.lresultFromObject)
        return 0;
    // The object travels through COM, which the program starts before its
    // first window: starting it here, in the middle of a drag, changed how
    // Wine runs the list's own painting.
    if (!holder) {
        IAccessible* standard = nullptr;
        if (oleacc.createStdAccessibleObject)
            oleacc.createStdAccessibleObject(list, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&standard));
        holder = new CListAccessible(list, standard);
    }
    LRESULT answer = oleacc.lresultFromObject(__uuidof(IAccessible), flags, holder);
    return answer > 0 ? answer : 0;
}

void CListAccessible::Disconnect(CListAccessible*& holder)
{
    if (!holder)
        return;
    holder->m_pList = nullptr;
    ::CoDisconnectObject(holder, 0);
    if (holder->m_pStandard)
        holder->m_pStandard->Release();
    holder->m_pStandard = nullptr;
    holder->Release();
    holder = nullptr;
}

CListAccessible::CListAccessible(CReorderListCtrl& list, IAccessible* standard)
    : m_pList(&list), m_pStandard(standard)
{
}

CListAccessible::~CListAccessible()
{
    if (m_pStandard)
        m_pStandard->Release();
}

HRESULT CListAccessible::QueryInterface(REFIID riid, void** object)
{
    *object = nullptr;
    if (riid != __uuidof(IUnknown) && riid != __uuidof(IDispatch) && riid != __uuidof(IAccessible))
        return E_NOINTERFACE;
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
}

ULONG CListAccessible::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs));
}

ULONG CListAccessible::Release()
{
    LONG refs = ::InterlockedDecrement(&m_nRefs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

HRESULT CListAccessible::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT CListAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CListAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT CListAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

bool CListAccessible::ToRow(const VARIANT& child, int& row) const
{
    if (!m_pList || child.vt != VT_I4)
        return false;
    row = child.lVal == CHILDID_SELF ? -1 : static_cast<int>(child.lVal) - 1;
    return row >= -1 && row < m_pList->GetItemCount();
}

HRESULT CListAccessible::get_accParent(IDispatch** parent)
{
    *parent = nullptr;
    if (!m_pList)
        return CO_E_OBJNOTCONNECTED;
    return m_pStandard ? m_pStandard->get_accParent(parent) : S_FALSE;
}

HRESULT CListAccessible::get_accChildCount(long* count)
{
    *count = 0;
    if (!m_pList)
        return CO_E_OBJNOTCONNECTED;
    *count = m_pList->GetItemCount();
    return S_OK;
}

// The rows are simple elements of this object, with no object of their own.
HRESULT CListAccessible::get_accChild(VARIANT child, IDispatch** object)
{
    *object = nullptr;
    int row = 0;
    if (!ToRow(child, row) || row < 0)
        return E_INVALIDARG;
    return S_FALSE;
}

HRESULT CListAccessible::get_accName(VARIANT child, BSTR* name)
{
    *name = nullptr;
    int row = 0;
    if (!ToRow(child, row))
        return E_INVALIDARG;
    if (row < 0)
        return m_pStandard ? m_pStandard->get_accName(child, name) : S_FALSE;
    return ToBstr(m_pList->GetItemText(row, 0), name);
}

HRESULT CListAccessible::get_accValue(VARIANT, BSTR* value)
{
    *value = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT CListAccessible::get_accDescription(VARIANT child, BSTR* description)
{
    *description = nullptr;
    int row = 0;
    if (!ToRow(child, row))
        return E_INVALIDARG;
    const VisPlugin* plugin = m_pList->GetPlugin(row);
    if (!plugin)
        return S_FALSE;
    std::string problem = plugin->problem.empty() ? "" : FormatResString1(IDS_ACC_PROBLEM, plugin->problem);
    return ToBstr(RowAccessDescription(plugin->flags, LoadResString(IDS_ACC_CURRENT), problem), description);
}

HRESULT CListAccessible::get_accRole(VARIANT child, VARIANT* role)
{
    ::VariantInit(role);
    int row = 0;
    if (!ToRow(child, row))
        return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = row < 0 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
    return S_OK;
}

HRESULT CListAccessible::get_accState(VARIANT child, VARIANT* state)
{
    ::VariantInit(state);
    int row = 0;
    if (!ToRow(child, row))
        return E_INVALIDARG;
    if (row < 0 && m_pStandard)
        return m_pStandard->get_accState(child, state);
    return RowState(row, state);
}

HRESULT CListAccessible::RowState(int row, VARIANT* state) const
{
    bool hasFocus = ::GetFocus() == *m_pList;
    state->vt = VT_I4;
    if (row < 0) {
        state->lVal = STATE_SYSTEM_FOCUSABLE | (hasFocus ? STATE_SYSTEM_FOCUSED : 0);
        return S_OK;
    }
    UINT listState = m_pList->GetItemState(row, LVIS_SELECTED | LVIS_FOCUSED);
    RECT bounds{}, client{}, shown{};
    ::GetClientRect(*m_pList, &client);
    bool visible = m_pList->GetItemRect(row, &bounds, LVIR_BOUNDS) && ::IntersectRect(&shown, &bounds, &client);
    state->lVal = static_cast<LONG>(RowAccessState(m_pList->GetItemFlags(row), (listState & LVIS_SELECTED) != 0,
                                                   hasFocus && (listState & LVIS_FOCUSED), visible));
    return S_OK;
}

HRESULT CListAccessible::get_accHelp(VARIANT, BSTR* help)
{
    *help = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT CListAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic)
{
    *file = nullptr;
    *topic = -1;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT CListAccessible::get_accKeyboardShortcut(VARIANT, BSTR* shortcut)
{
    *shortcut = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT CListAccessible::get_accFocus(VARIANT* child)
{
    if (!m_pList || ::GetFocus() != *m_pList)
        return Nothing(child);
    return ToChild(m_pList->GetNextItem(-1, LVNI_FOCUSED), child);
}

HRESULT CListAccessible::get_accSelection(VARIANT* children)
{
    int first = m_pList ? m_pList->GetNextItem(-1, LVNI_SELECTED) : -1;
    if (first < 0)
        return Nothing(children);
    if (m_pList->GetNextItem(first, LVNI_SELECTED) < 0)
        return ToChild(first, children);
    return SelectionOfSeveral(children);
}

// The system's own object for a list view numbers the rows as we do and
// hands several of them out as the enumeration that clients expect.
HRESULT CListAccessible::SelectionOfSeveral(VARIANT* children) const
{
    if (!m_pStandard)
        return Nothing(children);
    return m_pStandard->get_accSelection(children);
}

HRESULT CListAccessible::get_accDefaultAction(VARIANT child, BSTR* action)
{
    *action = nullptr;
    int row = 0;
    if (!ToRow(child, row))
        return E_INVALIDARG;
    if (row < 0 || !m_pList->IsKnownToHost(row))
        return S_FALSE;
    return ToBstr(LoadResString(IDS_ACC_MAKE_CURRENT), action);
}

HRESULT CListAccessible::accSelect(long flags, VARIANT child)
{
    int row = 0;
    if (!ToRow(child, row) || row < 0)
        return E_INVALIDARG;
    return SelectRow(row, flags);
}

HRESULT CListAccessible::SelectRow(int row, long flags) const
{
    if ((flags & SELFLAG_ADDSELECTION) && (flags & (SELFLAG_REMOVESELECTION | SELFLAG_TAKESELECTION)))
        return E_INVALIDARG;
    if (flags & SELFLAG_TAKEFOCUS) {
        ::SetFocus(*m_pList);
        m_pList->SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED);
    }
    if (flags & SELFLAG_TAKESELECTION)
        m_pList->SetItemState(-1, 0, LVIS_SELECTED);
    if (flags & (SELFLAG_TAKESELECTION | SELFLAG_ADDSELECTION))
        m_pList->SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    if (flags & SELFLAG_REMOVESELECTION)
        m_pList->SetItemState(row, 0, LVIS_SELECTED);
    return S_OK;
}

HRESULT CListAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    *left = *top = *width = *height = 0;
    int row = 0;
    if (!ToRow(child, row))
        return E_INVALIDARG;
    RECT bounds{};
    if (row < 0)
        ::GetClientRect(*m_pList, &bounds);
    else if (!m_pList->GetItemRect(row, &bounds, LVIR_BOUNDS))
        return S_FALSE;
    ::MapWindowPoints(*m_pList, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
    *left = bounds.left;
    *top = bounds.top;
    *width = bounds.right - bounds.left;
    *height = bounds.bottom - bounds.top;
    return S_OK;
}

HRESULT CListAccessible::accNavigate(long direction, VARIANT start, VARIANT* end)
{
    ::VariantInit(end);
    int row = 0;
    if (!ToRow(start, row))
        return E_INVALIDARG;
    bool intoRows = direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD;
    if (row < 0 && !intoRows)
        return m_pStandard ? m_pStandard->accNavigate(direction, start, end) : S_FALSE;
    return NavigateFrom(row, direction, end);
}

HRESULT CListAccessible::NavigateFrom(int row, long direction, VARIANT* end) const
{
    int target = -1;
    if (row < 0)
        target = direction == NAVDIR_FIRSTCHILD ? 0 : m_pList->GetItemCount() - 1;
    else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN)
        target = row + 1;
    else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP)
        target = row - 1;
    if (target < 0 || target >= m_pList->GetItemCount())
        return Nothing(end);
    return ToChild(target, end);
}

HRESULT CListAccessible::accHitTest(long x, long y, VARIANT* child)
{
    if (!m_pList)
        return Nothing(child);
    POINT point{x, y};
    RECT client{};
    ::ScreenToClient(*m_pList, &point);
    ::GetClientRect(*m_pList, &client);
    if (!::PtInRect(&client, point))
        return m_pStandard ? m_pStandard->accHitTest(x, y, child) : Nothing(child);
    return ToChild(m_pList->HitTest(point), child);
}

// As a double-click does; it happens after the call returns, so that a
// client in another process is not kept waiting while the host is stepped.
HRESULT CListAccessible::accDoDefaultAction(VARIANT child)
{
    int row = 0;
    if (!ToRow(child, row))
        return E_INVALIDARG;
    if (row < 0 || !m_pList->IsKnownToHost(row))
        return DISP_E_MEMBERNOTFOUND;
    m_pList->DoubleClickLater(row);
    return S_OK;
}

HRESULT CListAccessible::put_accName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

HRESULT CListAccessible::put_accValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}
