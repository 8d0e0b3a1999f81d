#pragma once
#include <windows.h>
#include <oleacc.h>
#include <string>

class CReorderListCtrl;

// What the plug-in list tells a screen reader through Active Accessibility.
// The list view cannot tell it by itself: its lamps are pictures, and the
// current visual and a plug-in's trouble show only in the way a row is
// drawn. Each row is a list item whose child id is its row + 1, as the
// system numbers a list view's items: its name, its lamp as checked, its
// selection and focus, and a description naming the current visual and why
// a plug-in cannot be loaded. Its default action is the double-click:
// making it the current visual. Space, as on any list, switches the lamp.
// A client may hold the object after the list is gone: from Disconnect on,
// it answers every question with an error.
class CListAccessible final : public IAccessible {
public:
    // The answer to WM_GETOBJECT for the list's client area (0: none),
    // making the object at the first question; holder keeps it for the list.
    static LRESULT AnswerGetObject(CReorderListCtrl& list, CListAccessible*& holder, WPARAM flags);
    // At the list's WM_DESTROY: cuts every client loose and lets go of the holder's reference.
    static void Disconnect(CListAccessible*& holder);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // No type information: clients call IAccessible itself.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    // standard: the system's own object for the list's window, asked about
    // the list as a whole (its parent, place, focus); may be null.
    CListAccessible(CReorderListCtrl& list, IAccessible* standard);
    ~CListAccessible();

    // The row a child id names, or -1 for the list itself; false for neither.
    bool ToRow(const VARIANT& child, int& row) const;
    HRESULT RowState(int row, VARIANT* state) const;
    HRESULT SelectRow(int row, long flags) const;
    HRESULT NavigateFrom(int row, long direction, VARIANT* end) const;
    HRESULT SelectionOfSeveral(VARIANT* children) const;

    LONG m_nRefs = 1;
    CReorderListCtrl* m_pList;
    IAccessible* m_pStandard;
};
