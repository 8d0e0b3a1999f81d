// Loaded into the program under test for one request at a time; never shipped.
#include <windows.h>
#include <shlobj.h>
#include <algorithm>
#include <string>
#include "testing/probe/ProbeRecord.h"
#include "testing/probe/agent/AgentAccessibility.h"
#include "testing/probe/agent/AgentListRows.h"
#include "testing/probe/agent/AgentRequest.h"

namespace {

std::string MenuItems(HMENU menu)
{
    std::string lines;
    int count = menu ? ::GetMenuItemCount(menu) : 0;
    for (int index = 0; index < count; ++index) {
        char text[256] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text - 1;
        ::GetMenuItemInfoA(menu, index, TRUE, &info);
        ProbeRecord item("item");
        item.SetNumber("index", index)
            .SetNumber("id", info.wID)
            .SetNumber("separator", (info.fType & MFT_SEPARATOR) ? 1 : 0)
            .SetNumber("state", info.fState)
            .Set("text", text);
        lines += item.Format() + "\n";
    }
    return lines;
}

std::string IconKind(HWND iconStatic)
{
    auto shown = reinterpret_cast<HICON>(::SendMessageA(iconStatic, STM_GETICON, 0, 0));
    const struct {
        LPCSTR id;
        const char* kind;
    } standard[] = {{IDI_HAND, "stop"},
                    {IDI_EXCLAMATION, "exclamation"},
                    {IDI_QUESTION, "question"},
                    {IDI_ASTERISK, "information"}};
    std::string kind = shown ? "other" : "none";
    for (const auto& icon : standard)
        if (shown && shown == ::LoadIconA(nullptr, icon.id))
            kind = icon.kind;
    return ProbeRecord("icon").Set("kind", kind).Format() + "\n";
}

// What the shell posts after files are dragged from Explorer onto window: a
// drop made in the window's own process, which frees it with DragFinish.
bool PostDrop(HWND window, POINT point, std::string paths)
{
    std::replace(paths.begin(), paths.end(), '|', '\0');
    paths += std::string(2, '\0');
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + paths.size());
    auto* drop = memory ? static_cast<DROPFILES*>(::GlobalLock(memory)) : nullptr;
    if (!drop)
        return false;
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = point;
    paths.copy(reinterpret_cast<char*>(drop + 1), paths.size());
    ::GlobalUnlock(memory);
    if (::PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0))
        return true;
    ::GlobalFree(memory);
    return false;
}

void Answer(AgentRequest& request, const std::string& lines)
{
    lines.copy(request.answer, sizeof request.answer - 1);
    request.answer[std::min(lines.size(), sizeof request.answer - 1)] = '\0';
    request.ok = lines.size() < sizeof request.answer;
}

void Serve(AgentRequest& request)
{
    request.ok = FALSE;
    request.answer[0] = '\0';
    switch (request.command) {
    case AGENT_SYSTEM_MENU:
        Answer(request, MenuItems(::GetSystemMenu(request.window, FALSE)));
        break;
    case AGENT_POPUP_MENU:
        Answer(request, MenuItems(reinterpret_cast<HMENU>(::SendMessageA(request.window, MN_GETHMENU, 0, 0))));
        break;
    case AGENT_DIALOG_RECT:
        request.ok = ::MapDialogRect(request.window, &request.rect);
        break;
    case AGENT_ICON_KIND:
        Answer(request, IconKind(request.window));
        break;
    case AGENT_LIST_ROWS:
        Answer(request, ListRows(request.window));
        break;
    case AGENT_SET_FLAGS:
        request.ok = SetRowFlags(request.window, request.rect.left, static_cast<unsigned long>(request.rect.top));
        break;
    case AGENT_DROP_FILES:
        request.ok = PostDrop(request.window, {request.rect.left, request.rect.top}, request.text);
        break;
    case AGENT_ACC_ROWS:
        Answer(request, AccessibleRows(request.window));
        break;
    case AGENT_ACC_DEFAULT:
        request.ok = DoDefaultAction(request.window, request.rect.left);
        break;
    }
}

// Answers the request waiting for this thread, if there is one.
void ServePendingRequest()
{
    DWORD thread = ::GetCurrentThreadId();
    HANDLE block = ::OpenFileMappingA(FILE_MAP_WRITE, FALSE, AgentBlockName(thread).c_str());
    HANDLE done = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, AgentDoneName(thread).c_str());
    void* view = block ? ::MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, sizeof(AgentRequest)) : nullptr;
    auto* pending = static_cast<AgentRequest*>(view);
    if (pending && done && pending->pending) {
        Serve(*pending);
        pending->pending = FALSE;
        ::SetEvent(done);
    }
    if (view)
        ::UnmapViewOfFile(view);
    if (done)
        ::CloseHandle(done);
    if (block)
        ::CloseHandle(block);
}

}

extern "C" __declspec(dllexport) LRESULT CALLBACK AgentHook(int code, WPARAM removal, LPARAM message)
{
    auto* msg = reinterpret_cast<MSG*>(message);
    static const UINT request = ::RegisterWindowMessageA(PROBE_AGENT_MESSAGE);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message == request) {
        ServePendingRequest();
        msg->message = WM_NULL;
    }
    return ::CallNextHookEx(nullptr, code, removal, message);
}
