// Runs inside the program, on the window's thread, as an in-process client
// would, or in the probe's own process, as a screen reader does.
#include "testing/probe/agent/AgentAccessibility.h"
#include <oleacc.h>
#include "testing/probe/ProbeRecord.h"

namespace {

// Balances the thread's COM start with its end around one request.
class ComScope {
public:
    ComScope() : m_started(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope()
    {
        if (m_started)
            ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool m_started;
};

IAccessible* ClientObject(HWND window)
{
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&object))))
        return nullptr;
    return object;
}

// The text a getter gives, in the code page; "!" and the result when it failed.
template <typename Getter>
std::string Text(Getter get)
{
    BSTR text = nullptr;
    HRESULT result = get(&text);
    if (FAILED(result))
        return "!" + std::to_string(result);
    char bytes[4096] = "";
    if (text)
        ::WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof bytes - 1, nullptr, nullptr);
    ::SysFreeString(text);
    return bytes;
}

long Number(HRESULT result, const VARIANT& value)
{
    return SUCCEEDED(result) && value.vt == VT_I4 ? value.lVal : -1;
}

std::string RowRecord(IAccessible& object, long id)
{
    VARIANT child = AccessibleChild(id), role, state;
    HRESULT roleResult = object.get_accRole(child, &role);
    HRESULT stateResult = object.get_accState(child, &state);
    return ProbeRecord("accrow")
               .SetNumber("index", id - 1)
               .Set("name", Text([&](BSTR* text) { return object.get_accName(child, text); }))
               .SetNumber("role", Number(roleResult, role))
               .SetNumber("state", Number(stateResult, state))
               .Set("description", Text([&](BSTR* text) { return object.get_accDescription(child, text); }))
               .Set("action", Text([&](BSTR* text) { return object.get_accDefaultAction(child, text); }))
               .Format() +
           "\n";
}

}

std::string AccessibleRows(HWND window)
{
    ComScope com;
    IAccessible* object = ClientObject(window);
    if (!object)
        return ProbeRecord("accerror").Set("what", "no accessible object").Format() + "\n";
    long count = 0;
    std::string lines;
    if (FAILED(object->get_accChildCount(&count)))
        lines = ProbeRecord("accerror").Set("what", "no child count").Format() + "\n";
    for (long id = 1; id <= count; ++id)
        lines += RowRecord(*object, id);
    object->Release();
    return lines;
}

bool DoDefaultAction(HWND window, long child)
{
    ComScope com;
    IAccessible* object = ClientObject(window);
    if (!object)
        return false;
    bool done = SUCCEEDED(object->accDoDefaultAction(AccessibleChild(child)));
    object->Release();
    return done;
}
