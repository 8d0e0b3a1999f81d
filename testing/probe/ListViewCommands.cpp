// The rows of a list view in another process, and the catalogue records
// their item data point to.
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <new>
#include "catalogue/VisPlugin.h"
#include "testing/probe/ProbeCommands.h"
#include "testing/probe/ProbeWin32.h"

namespace {

constexpr int kTextLength = 260;
constexpr size_t kLongestFile = 4096;

// One exchange area in the list's process: an item, its text buffer and a rectangle.
struct RemoteItem {
    LVITEMA item;
    RECT rect;
    char text[kTextLength];
};

class ListProcess {
public:
    explicit ListProcess(HWND list) : m_list(list)
    {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(list, &pid);
        m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process)
            m_remote = static_cast<RemoteItem*>(
                ::VirtualAllocEx(m_process, nullptr, sizeof(RemoteItem), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    ~ListProcess()
    {
        if (m_remote)
            ::VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
        if (m_process)
            ::CloseHandle(m_process);
    }
    ListProcess(const ListProcess&) = delete;
    ListProcess& operator=(const ListProcess&) = delete;

    bool Ready() const { return m_remote != nullptr; }

    bool ReadItem(int index, LVITEMA& item, std::string& text) const
    {
        RemoteItem local{};
        local.item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        local.item.iItem = index;
        local.item.stateMask = static_cast<UINT>(-1);
        local.item.pszText = m_remote->text;
        local.item.cchTextMax = kTextLength;
        if (!Write(local) || !::SendMessageA(m_list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(m_remote)) ||
            !Read(local))
            return false;
        item = local.item;
        local.text[kTextLength - 1] = '\0';
        text = local.text;
        return true;
    }

    // The row's rectangle of the given kind (LVIR_...) in screen coordinates.
    RECT ItemRect(int index, int kind) const
    {
        RemoteItem local{};
        local.rect.left = kind;
        if (!Write(local) ||
            !::SendMessageA(m_list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&m_remote->rect)) ||
            !Read(local))
            return RECT{};
        ::MapWindowPoints(m_list, nullptr, reinterpret_cast<POINT*>(&local.rect), 2);
        return local.rect;
    }

    // The record behind the item data; sizeof(VisPlugin) matches because the
    // same compiler builds the program and the probe.
    bool ReadRecord(LPARAM address, ProbeRecord& row) const
    {
        alignas(VisPlugin) unsigned char raw[sizeof(VisPlugin)];
        if (!address || !::ReadProcessMemory(m_process, reinterpret_cast<void*>(address), raw, sizeof raw, nullptr))
            return false;
        // A byte image of the program's object: read its fields, never destroy it.
        const auto* plugin = std::launder(reinterpret_cast<const VisPlugin*>(raw));
        std::string file(std::min(plugin->file.size(), kLongestFile), '\0');
        if (!file.empty() &&
            !::ReadProcessMemory(m_process, plugin->file.data(), &file[0], file.size(), nullptr))
            return false;
        row.Set("file", file).SetNumber("flags", plugin->flags).SetNumber("loadIndex", plugin->loadIndex);
        return true;
    }

private:
    bool Write(const RemoteItem& local) const
    {
        return ::WriteProcessMemory(m_process, m_remote, &local, sizeof local, nullptr);
    }
    bool Read(RemoteItem& local) const
    {
        return ::ReadProcessMemory(m_process, m_remote, &local, sizeof local, nullptr);
    }

    HWND m_list;
    HANDLE m_process = nullptr;
    RemoteItem* m_remote = nullptr;
};

}

// One row record per item, top to bottom: text, image, state, item data,
// its VisPlugin fields (record=1 when they could be read), and the row's
// bounds and icon rectangles on screen.
bool RowsCommand(const ProbeRecord& request, ProbeReply& reply)
{
    HWND list = WindowField(request);
    ListProcess process(list);
    if (!::IsWindow(list) || !process.Ready())
        return reply.Fail("cannot reach the list's process");
    int count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        LVITEMA item{};
        std::string text;
        if (!process.ReadItem(index, item, text))
            return reply.Fail("cannot read row " + std::to_string(index));
        ProbeRecord& row = reply.Add("row");
        row.SetNumber("index", index)
            .Set("text", text)
            .SetNumber("image", item.iImage)
            .SetNumber("state", item.state)
            .SetNumber("data", item.lParam);
        row.SetNumber("record", process.ReadRecord(item.lParam, row) ? 1 : 0);
        row.Set("bounds", RectText(process.ItemRect(index, LVIR_BOUNDS)))
            .Set("icon", RectText(process.ItemRect(index, LVIR_ICON)));
    }
    return true;
}
