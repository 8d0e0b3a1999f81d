#pragma once
#include <windows.h>
#include <string>

// The window's accessible object as a screen reader gets it
// (AccessibleObjectFromWindow, OBJID_CLIENT): one "accrow" record line per
// child, with its name, role, state, description and default action. A
// window that gives no object, or one that fails a question, gives one
// "accerror" line saying which.
std::string AccessibleRows(HWND window);

// The VARIANT that names child id (CHILDID_SELF: the object itself).
inline VARIANT AccessibleChild(long id)
{
    VARIANT child;
    ::VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// The default action of the child with id child (a row's is row + 1).
bool DoDefaultAction(HWND window, long child);
