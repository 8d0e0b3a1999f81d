#include "testing/harness/ProbeAnswers.h"
#include <cstdio>
#include <stdexcept>

namespace e2e {

std::string DialogInfo::Message() const
{
    std::string message;
    for (const auto& control : controls) {
        bool iconStatic = (control.style & 0x1F) == 0x3; // SS_ICON
        if (control.className != "Static" || iconStatic || control.text.empty())
            continue;
        message += (message.empty() ? "" : "\n") + control.text;
    }
    return message;
}

const WindowInfo& DialogInfo::Button(const std::string& text) const
{
    for (const auto& control : controls)
        if (control.className == "Button" && control.text == text)
            return control;
    throw std::runtime_error("the dialog has no button '" + text + "'");
}

Rect ParseRect(const std::string& text)
{
    Rect rect;
    if (std::sscanf(text.c_str(), "%d,%d,%d,%d", &rect.left, &rect.top, &rect.right, &rect.bottom) != 4)
        return Rect{};
    return rect;
}

WindowInfo ToWindowInfo(const ProbeRecord& record)
{
    WindowInfo info;
    info.handle = record.GetNumber("hwnd");
    info.pid = static_cast<long>(record.GetNumber("pid"));
    info.className = record.Get("class");
    info.text = record.Get("text");
    info.style = static_cast<unsigned long>(record.GetNumber("style"));
    info.exStyle = static_cast<unsigned long>(record.GetNumber("exstyle"));
    info.id = static_cast<int>(record.GetNumber("id"));
    info.visible = record.GetNumber("visible") != 0;
    info.owner = record.GetNumber("owner");
    info.window = ParseRect(record.Get("window"));
    info.client = ParseRect(record.Get("client"));
    return info;
}

MenuItem ToMenuItem(const ProbeRecord& record)
{
    MenuItem item;
    item.id = static_cast<int>(record.GetNumber("id"));
    item.text = record.Get("text");
    item.separator = record.GetNumber("separator") != 0;
    item.state = static_cast<unsigned>(record.GetNumber("state"));
    return item;
}

ListRow ToListRow(const ProbeRecord& record)
{
    ListRow row;
    row.index = static_cast<int>(record.GetNumber("index"));
    row.text = record.Get("text");
    row.image = static_cast<int>(record.GetNumber("image"));
    row.state = static_cast<unsigned>(record.GetNumber("state"));
    row.itemData = static_cast<unsigned long>(record.GetNumber("data"));
    row.hasRecord = record.GetNumber("record") != 0;
    row.file = record.Get("file");
    row.flags = static_cast<unsigned long>(record.GetNumber("flags"));
    row.loadIndex = static_cast<int>(record.GetNumber("loadIndex"));
    row.bounds = ParseRect(record.Get("bounds"));
    row.icon = ParseRect(record.Get("icon"));
    return row;
}

AccessibleRow ToAccessibleRow(const ProbeRecord& record)
{
    AccessibleRow row;
    row.index = static_cast<int>(record.GetNumber("index"));
    row.name = record.Get("name");
    row.role = static_cast<long>(record.GetNumber("role"));
    row.state = static_cast<unsigned long>(record.GetNumber("state"));
    row.description = record.Get("description");
    row.defaultAction = record.Get("action");
    return row;
}

ProcessInfo ToProcessInfo(const ProbeRecord& record)
{
    ProcessInfo info;
    info.running = record.GetNumber("running") != 0;
    info.pid = static_cast<long>(record.GetNumber("pid"));
    info.peakWorkingSet = static_cast<unsigned long long>(record.GetNumber("peakWorkingSet"));
    info.workingSet = static_cast<unsigned long long>(record.GetNumber("workingSet"));
    return info;
}

RegistryValue ToRegistryValue(const ProbeRecord& record)
{
    RegistryValue value;
    value.keyExists = record.GetNumber("exists") != 0;
    value.type = record.Get("type");
    value.data = record.Get("data");
    return value;
}

DialogInfo ToDialogInfo(const std::vector<ProbeRecord>& records)
{
    DialogInfo dialog;
    for (const auto& record : records) {
        if (record.Kind() == "window")
            dialog.window = ToWindowInfo(record);
        else if (record.Kind() == "child")
            dialog.controls.push_back(ToWindowInfo(record));
        else if (record.Kind() == "icon")
            dialog.icon = record.Get("kind");
    }
    return dialog;
}

}
